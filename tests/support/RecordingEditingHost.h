#pragma once

#include "stockdata/EditingHost.h"
#include "views/ViewHost.h"

#include <QStringList>

namespace test {

// The main window as the popup actions and editing windows ask it: records each
// request in `calls`; the strip shows `strip`, the owner is `owner` (none at first),
// the main grid is the installed view host's, as the main window answers.
class RecordingEditingHost : public EditingHost
{
public:
    QStringList calls;
    QStringList strip{"", "", "", "", "", "", ""};
    QWidget* owner = nullptr;
    int tickerTop = 0;

    QWidget* mainWindowWidget() override { return owner; }
    int newsTickerTop() override { return tickerTop; }
    QStringList stripSymbols() override { return strip; }
    FlexGrid* mainGrid() override { return viewHost().mainGrid(); }
    void copyGrid() override { calls << "CopyGridToClipboard"; }
    void selectAllGrid() override { calls << "SelectAllGrid"; }
    void toggleOldStyleBackground() override { calls << "toggleOldStyleBackground"; }
    void redrawQuotes() override { calls << "FG_Current"; }
    void collapseAllNodes() override { calls << "CollapseAllNodes"; }
    void setOneStockOnly(bool on) override { calls << QStringLiteral("setOneStockOnly(%1)").arg(on); }
    void pressUpdateButton() override { calls << "Picture1_Click(0)"; }
};

} // namespace test
