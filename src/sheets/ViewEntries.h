#pragma once

#include <QString>

class ViewRunner;

// The views' older entry points, for callers that are not handed the program's
// runner: each shows its view through a runner of their own over the installed
// view host (viewHost()), so they keep the runner's rules (one swap, re-entry,
// the failure path). FG_Current is declared with its builder (CurrentQuotes.h).
//
// The portfolio's edits announce themselves (portfolioSignals().changed); these
// entry points redraw the holdings or the log on that signal when it is the view
// on screen.

// The holdings of every symbol: view "Port".
void FG_Portfolio_All();
// The holdings of one symbol: view "PortSelected" with the symbol as its key.
void PortSelected(const QString& symbol);
// The transaction log: view "PortLog".
void FG_PortfolioLog();

// The runner these entry points and the node clicks share.
ViewRunner& entryRunner();
