#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>

class DetailCard;
class PurchasePicker;
class TransactionForm;

// How the popup actions and the strip show the editing windows. The real windows
// (stockdata/RealEditorWindows, set by the program at start) are shown unless a test
// installs its own (which then drives the forms by script: types into the boxes and
// presses their buttons). With none set, every call is logged as a fault and no
// window opens.
class EditorWindows
{
public:
    virtual ~EditorWindows() = default;
    // The transaction window frmPurchace for form (already loaded and filled by the
    // opener), placed below the main window's ticker and shown modal; returns when
    // it has closed.
    virtual void showTransaction(TransactionForm& form) = 0;
    // The purchase picker LastPar for picker (already loaded), placed and modal.
    virtual void showPicker(PurchasePicker& picker) = 0;
    // A new detail card, modeless, owned by the main window; it lives until closed.
    virtual void showDetailCard(std::unique_ptr<DetailCard> card) = 0;
    // The set editor StkSet, modeless, one instance at a time.
    virtual void showSetEditor() = 0;
};

EditorWindows& editorWindows();
// The caller keeps ownership; nullptr restores the default windows.
void installEditorWindows(EditorWindows* windows);
// The windows used while none is installed; the program sets them once at start.
void setDefaultEditorWindows(EditorWindows* windows);

// Where a dialog opened from the main window's popups goes: horizontally centred
// on the main window, its top 700 twips below the top of the news ticker.
// mainFrame is the main window's frame on the screen, tickerTopTwips the ticker's
// top within the window's client area (clientTop: the client area's top on the
// screen).
QPoint DialogPosition(const QRect& mainFrame, int clientTop, int tickerTopTwips, const QSize& dialogSize);
// Where the Options window and the detail card go: Left = half the main window's
// width (mainWidth: its outer width, or its inner width where the caller says so)
// minus half the window's, Top = the ticker's top + 700 twips, both counted from the
// top left corner of the screen (screenOrigin), not of the main window.
QPoint ScreenPositionBelowTicker(const QPoint& screenOrigin, int mainWidth, int tickerTopTwips, int dialogWidth);
