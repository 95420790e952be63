#pragma once

#include "views/ViewContract.h"

// The per-stock history sheets read from the stock's cached pages (raw replies:
// status line, headers, body):
// - "Split": the splits history, one row per split (type, amount, four dates);
// - "NMR": the momentum rating, five labelled figures and a note below them;
// - "UPH", "DNH", "BRP": analyst upgrades, downgrades and broker reports, each
//   row a date, a broker and a comment.
// Positions are not limited: a table beyond character 32,767 reads like any other.
void BuildSplits(const ViewContext& ctx, FlexGrid& grid);
void BuildMomentum(const ViewContext& ctx, FlexGrid& grid);
void BuildUpgrades(const ViewContext& ctx, FlexGrid& grid);
void BuildDowngrades(const ViewContext& ctx, FlexGrid& grid);
void BuildBrokerReports(const ViewContext& ctx, FlexGrid& grid);

// The note under the momentum figures.
QString MomentumNote();
