#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>

class Downloaders;
class FlexGrid;
class MailSending;
class MainWindowPort;
class QuoteParsing;
class Transports;

// What the update run changes on the main window beyond MainWindowPort (title bar,
// status panel, run flags): the busy frame, the task panel, the mouse pointer, the
// navigation tree and the main grid. The main window implements it next to MainWindowPort; tests
// implement it with a recorder.
//
// The busy frame is five changes made together:
//   control                          idle        busy
//   lblDesc(0), Update button text   "Update"    "Stop"
//   Picture1(0), its picture         "B1"        "B4"
//   mnuTray(0), first tray item      "Update"    "Stop"
//   Panel1(1), "Groups" button       enabled     disabled
//   Picture1(4), "Stocks" button     enabled     disabled
// The caption of lblDesc(0) is the run state the rest of the program reads.
class UpdateRunPort
{
public:
    virtual ~UpdateRunPort() = default;

    // lblDesc(0).
    virtual QString updateButtonCaption() const = 0;
    virtual void setUpdateButtonCaption(const QString& text) = 0;
    // Picture1(0): the resource bitmap "B1" (idle) or "B4" (busy).
    virtual void setUpdateButtonPicture(const QString& resource) = 0;
    // mnuTray(0).
    virtual void setTrayUpdateCaption(const QString& text) = 0;
    // Panel1(1), the "Groups" status-bar button (the stock-set menu).
    virtual void setGroupsButtonEnabled(bool enabled) = 0;
    // Picture1(4), the "Stocks" button (the stock-set editor).
    virtual void setStocksButtonEnabled(bool enabled) = 0;
    // Panel1(7), the task panel.
    virtual void setTaskText(const QString& text) = 0;
    // The screen's mouse pointer: hourglass (true) or the default (false).
    virtual void setBusyPointer(bool busy) = 0;
    // TreeView1: selects the first node whose Key starts with "ID", whose Image is 1
    // (a collapsed stock node) and whose Text equals symbol, and gives the tree the
    // focus. False when no node matches.
    virtual bool selectStockNode(const QString& symbol) = 0;
    // FG, the main grid the views draw into: a shown quotes view follows the stock
    // whose quote page came in.
    virtual FlexGrid* mainGrid() = 0;
};

// The update run, its stop, the auto-update timer and the two price updates. One
// instance, held by the main window next to its transports and downloaders. It asks
// the layers above it through the interfaces it is given (the window's ports, the
// quote parsers, the mail sender) and announces what happened through its signals.
//
// Everything runs on the user-interface thread; long work processes pending events,
// so the Stop button, Esc and the timer stay live. A run can never start inside
// another: while a run or a fast price update is active (also
// while a stopped one is still unwinding) StartUpdate and UpdateFastPrices do
// nothing, and every stop reaches the idle frame.
class UpdateRun : public QObject
{
    Q_OBJECT

public:
    UpdateRun(MainWindowPort& port, UpdateRunPort& frame, Transports& transports, Downloaders& downloaders,
              QuoteParsing& quotes, MailSending& mail, QObject* parent = nullptr);
    ~UpdateRun() override;

    // Picture1_Click(0): the Update button. While its caption reads "Update" it starts
    // a run, otherwise it stops the run. Alt+U, F4, the tray menu's first item, the
    // update menu and the tree popup press it (after setting OneStockOnly as they
    // need); it returns when the run is over.
    void PressUpdateButton();

    // The whole run: connection check, busy frame, one-stock rule, queued feedback,
    // then every ticked update item in box order. Returns when the run is over.
    void StartUpdate();
    // Ends or aborts a run: stop flag, both transports cancelled, idle frame, status
    // panel emptied, title back to OrigCaption, OneStockOnly cleared. The Esc key
    // calls it; called while idle it only puts the idle state back.
    void StopUpdate();
    // The task panel: Task, "/", UpdateTotal ("12/12", ... "0/12").
    void Panel7(std::int16_t Task);

    // The auto-update timer's tick (Timer1, every 60000 ms).
    void Timer1_Timer();
    // The main window's auto-update timer. Running from construction; the Options
    // window switches it on exactly when AutoUpdateMin is not 0.
    QTimer Timer1;
    // AutoUpdateMin: minutes between automatic runs, 0 = off. The main window's load
    // reads it from the setting AutoUpdate (loadAutoUpdateMin: a value that is no
    // number of 0..32767 counts as 0 and, with a log tag, is written to ErrorLog.txt),
    // the Options window sets it.
    std::int16_t AutoUpdateMin() const { return m_autoUpdateMin; }
    void setAutoUpdateMin(int minutes);
    void loadAutoUpdateMin(const QString& logTag = QString());
    // The countdown title Timer1_Timer shows: OrigCaption, "   Update Every: 5
    // Mintues,  Remain: 4 Mintues.".
    QString countdownTitle() const;

    // The fetch control's state event (Inet1.StateChanged, connected here): the state
    // text in the status panel; on an error or a completed request outside a run it
    // calls StopUpdate (the end of a fast price update).
    void Inet1_StateChanged(int State);

    // The fast price update (the "Fast Update" button): all symbols of the set in one
    // request to the quote service, framed like a run of its own.
    void UpdateFastPrices();
    // Update item 1: one quote page per stock, parsed into its row; new prices go into
    // the portfolio, and the current-quotes grid and the tree follow the stock. It runs
    // inside an update run, which owns the busy frame.
    void UpdateCurrentPrices();

    // True from the start of a run or fast price update until its end steps are done.
    bool isActive() const { return m_mode != Mode::Idle; }
    // The run's calls of update items, for tests that record them: called with the
    // box number instead of the downloader. Empty: the real downloaders.
    void setItemCaller(std::function<void(int item)> caller) { m_itemCaller = std::move(caller); }

    MainWindowPort& port() { return m_port; }
    UpdateRunPort& frame() { return m_frame; }

signals:
    // A run or fast price update has begun (before its first fetch).
    void runStarted();
    // A run or fast price update has ended (after its end steps).
    void runFinished();
    // Update item `item` has run: its pages (those its sites gave) are in the cache.
    void pagesWritten(int item);
    // New prices are in Stocks: after the quote service's reply. A shown quotes view
    // is drawn again by whoever listens.
    void pricesChanged();
    // New prices of one stock (its row in Stocks) are in Stocks, after its quote page
    // in a run: a shown quotes view draws that stock's row again.
    void stockPricesChanged(int row);

private:
    enum class Mode { Idle, Run, Fast };

    void quietFetchControl();
    void enterBusyFrame();
    void leaveBusyFrame();
    void sendQueuedFeedback();
    void runItem(int item);
    void updateCurrentPriceRow(int row, bool oneStock);

    MainWindowPort& m_port;
    UpdateRunPort& m_frame;
    Transports& m_transports;
    Downloaders& m_downloaders;
    QuoteParsing& m_quotes;
    MailSending& m_mail;
    std::function<void(int)> m_itemCaller;
    Mode m_mode = Mode::Idle;
    std::int16_t m_autoUpdateMin = 0;
};

// Resets the quote record Stocks(row): CompanyName "No Current Stock", the quote
// texts LastPrice through EPS "0", Tag, Exchange, Industry, LastTradeTime and
// Field25 empty, AvgRecommendation 0. Symbol, the user's alert prices (TargetLow,
// TargetHigh) and the last four texts are kept. Nothing is saved. A row outside 0
// to 200 changes nothing.
void ClearStockName(std::int16_t row);

// The quote service's address for the current set: the symbols of rows 0 upward
// (to StockCount at most, up to the first empty one) in lower case, joined by ",";
// "" when the set has no symbol.
QString FastPricesAddress();
// A quote page's address for one symbol: "/q?s=" + symbol in lower case + "&d=t".
QString QuotePageAddress(const QString& symbol);
