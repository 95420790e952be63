#pragma once

#include "stockdata/EditorWindows.h"

class EditingHost;
class QWidget;
class StockSets;

// The program's editing windows: frmPurchace, LastPar, Properties and StkSet, owned
// by the main window and placed below its ticker. The main window makes one, given
// itself and the program's sets, and makes it the default editor windows.
class RealEditorWindows final : public EditorWindows
{
public:
    RealEditorWindows(EditingHost& host, StockSets& sets) : m_host(host), m_sets(sets) {}

    void showTransaction(TransactionForm& form) override;
    void showPicker(PurchasePicker& picker) override;
    void showDetailCard(std::unique_ptr<DetailCard> card) override;
    void showSetEditor() override;

private:
    EditingHost& m_host;
    StockSets& m_sets;
};

// Places dialog like DialogPosition on mainWindow, whose news ticker's top lies
// tickerTopTwips into its client area. False (the dialog stays) when there is no
// dialog or no main window.
bool PlaceBelowTicker(QWidget* dialog, const QWidget* mainWindow, int tickerTopTwips);
// Places dialog by ScreenPositionBelowTicker on the screen of mainWindow, with the
// main window's outer width, or its inner width when innerWidth. False as above.
bool PlaceOnScreenBelowTicker(QWidget* dialog, const QWidget* mainWindow, int tickerTopTwips,
                              bool innerWidth = false);
