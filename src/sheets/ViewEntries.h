#pragma once

#include <QString>

class ViewRunner;

// The views' named entry points: each shows its view through the runner it is
// handed (the program's one runner, made at start), so it keeps the runner's rules
// (one swap, re-entry, the failure path). FG_Current is declared with its builder
// (CurrentQuotes.h).

// The holdings of every symbol: view "Port".
void FG_Portfolio_All(ViewRunner& views);
// The holdings of one symbol: view "PortSelected" with the symbol as its key.
void PortSelected(ViewRunner& views, const QString& symbol);
// The transaction log: view "PortLog".
void FG_PortfolioLog(ViewRunner& views);

// The portfolio's edits announce themselves (portfolioSignals().changed): from
// now on each redraws the holdings or the log through views when it is the view on
// screen. Whoever makes the program's runner connects it once.
void RedrawPortfolioOnChange(ViewRunner& views);
