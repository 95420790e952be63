#include "retrieval/UpdateRun.h"

#include "core/MailTexts.h"
#include "core/Misc.h"
#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/RunServicePorts.h"
#include "retrieval/Transports.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <QLoggingCategory>

#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcRun, "tradewright.retrieval.run")

const QString kUpdate = QStringLiteral("Update");
const QString kStop = QStringLiteral("Stop");

} // namespace


UpdateRun::UpdateRun(MainWindowPort& port, UpdateRunPort& frame, Transports& transports, Downloaders& downloaders,
                     QuoteParsing& quotes, MailSending& mail, QObject* parent)
    : QObject(parent),
      m_port(port),
      m_frame(frame),
      m_transports(transports),
      m_downloaders(downloaders),
      m_quotes(quotes),
      m_mail(mail)
{
    Timer1.setInterval(60000);
    connect(&Timer1, &QTimer::timeout, this, &UpdateRun::Timer1_Timer);
    Timer1.start();
    connect(&m_transports.Inet1, &UrlFetch::StateChanged, this, &UpdateRun::Inet1_StateChanged);
    // UpdateUSMarket hands a kept page to the US indices parser.
    m_downloaders.setQuoteParsing(&m_quotes);
    // UpdateNews hands every page it fetched to the quote-page news parser.
    m_downloaders.setNewsParser([this](const QString& symbol, const QString& pageFile, const QString& newsFile) {
        m_quotes.ParseRecentNews(symbol, pageFile, newsFile);
    });
}

UpdateRun::~UpdateRun()
{
    SaveChangedTables();
    m_transports.Inet1.disconnect(this);
}

// ---------------------------------------------------------------------------
// The Update button and the run.

void UpdateRun::PressUpdateButton()
{
    if (m_frame.updateButtonCaption() == kUpdate)
        StartUpdate();
    else
        StopUpdate();
}

void UpdateRun::quietFetchControl()
{
    UrlFetch& inet = m_transports.Inet1;
    inet.setRequestTimeout(30);
    if (inet.StillExecuting()) {
        inet.Cancel();
        m_port.setStatusText(QStringLiteral("Please Wait.."));
        DoEvents();
    }
    inet.setRequestTimeout(90);
}

void UpdateRun::enterBusyFrame()
{
    m_frame.setUpdateButtonCaption(kStop);
    m_frame.setTrayUpdateCaption(kStop);
    m_frame.setGroupsButtonEnabled(false);
    m_frame.setStocksButtonEnabled(false);
    m_frame.setUpdateButtonPicture(QStringLiteral("B4"));
}

void UpdateRun::leaveBusyFrame()
{
    m_frame.setUpdateButtonCaption(kUpdate);
    m_frame.setTrayUpdateCaption(kUpdate);
    m_frame.setGroupsButtonEnabled(true);
    m_frame.setStocksButtonEnabled(true);
    m_frame.setUpdateButtonPicture(QStringLiteral("B1"));
}

void UpdateRun::StartUpdate()
{
    // A run (or a fast price update) that is still going, stopped or not, keeps the
    // field: a second one inside its event processing would fetch everything twice
    // and then stop the first.
    if (m_mode != Mode::Idle)
        return;
    RunState& rs = m_port.runState();
    m_mode = Mode::Run;
    // One pass for the whole run: a failing host shows its box once, and the sites
    // not set are named once, at the end.
    m_transports.beginPass();
    emit runStarted();
    try {
        if (AskConnect()) {
            quietFetchControl();
            enterBusyFrame();
            rs.StopFlag = false;
            if (rs.OneStockOnly && CurrentSymbol().isEmpty()) {
                Dialogs::MsgBox(QStringLiteral("You have to select one stock."),
                                Dialogs::vbOKOnly + Dialogs::vbInformation, QStringLiteral("Select stock and try again"));
            } else {
                sendQueuedFeedback();

                // Only boxes with a page to fetch are counted, so the task panel ends at 0.
                UpdateChoices& choices = updateChoices();
                rs.UpdateTotal = 0;
                for (int n = 0; n < UpdateChoices::Count; ++n)
                    if (UpdateChoices::fetches(n) && choices.isTicked(n))
                        ++rs.UpdateTotal;
                rs.UpdateRemaining = rs.UpdateTotal;
                Panel7(rs.UpdateRemaining);
                DoEvents();

                for (int n = 0; n < UpdateChoices::Count; ++n) {
                    // The box is read again: unticking it in the Options window while the
                    // run is going keeps it from being fetched.
                    if (!UpdateChoices::fetches(n) || !choices.isTicked(n))
                        continue;
                    // After a stop the remaining items only count down.
                    if (!rs.StopFlag)
                        runItem(n);
                    if (rs.UpdateRemaining > 0)
                        --rs.UpdateRemaining;
                    Panel7(rs.UpdateRemaining);
                    DoEvents();
                }
            }
        }
    } catch (const std::exception& e) {
        // Any failure ends the run through the end steps below.
        qCWarning(lcRun) << "the run ended early:" << e.what();
    }
    // End steps.
    m_frame.setGroupsButtonEnabled(true);
    m_frame.setStocksButtonEnabled(true);
    m_frame.setTaskText(QString());
    rs.OneStockOnly = false;
    rs.StopFlag = true;
    rs.UpdateRemaining = 0;
    StopUpdate();
    m_transports.endPass();  // after StopUpdate has emptied the status panel
    m_mode = Mode::Idle;
    emit runFinished();
}

void UpdateRun::runItem(int item)
{
    if (m_itemCaller)
        m_itemCaller(item);
    else if (item == 1)
        UpdateCurrentPrices();
    else
        m_downloaders.RunUpdateItem(item);
    emit pagesWritten(item);
}

void UpdateRun::sendQueuedFeedback()
{
    const QString text = Settings::GetSetting(QString::fromLatin1(Settings::Q_Message));
    if (text.size() <= 2)
        return;
    m_port.setStatusText(QStringLiteral("Sending Email.."));
    QString server = Settings::GetSetting(QString::fromLatin1(Settings::EmailServer));
    if (server.size() < 2) {
        Dialogs::MsgBox(QStringLiteral("Missing mail server"), Dialogs::vbOKOnly + Dialogs::vbCritical,
                        QStringLiteral("Enter mail server in options"));
        m_port.setStatusText(QStringLiteral("No Email Server"));
        // The answer serves this mail only; it is not stored.
        server = Dialogs::InputBox(MailTexts::MailServerPrompt(), MailTexts::MailServerTitle(),
                                   MailTexts::MailServerDefault());
        if (server.size() < 2)
            return;  // the text stays queued for the next run
    }
    QString email = Settings::GetSetting(QString::fromLatin1(Settings::Email));
    if (email.size() < 2)
        email = QStringLiteral("-");

    const MailOutcome outcome = m_mail.SendEmail(server, email, email, QStringLiteral("Orvane"),
                                                 MailTexts::FeedbackAddress(),
                                                 QStringLiteral("Tradewright User Feedback"), text);
    DoEvents();
    // The text leaves the queue only once the server has taken it; a failed attempt
    // keeps it for the next run.
    if (outcome.sent) {
        Settings::SaveSetting(QString::fromLatin1(Settings::Q_Message), QString());
        m_port.setStatusText(QStringLiteral("Mail Sent"));
    } else {
        m_port.setStatusText(QStringLiteral("Mail Not Sent"));
    }
    DoEvents();
}

void UpdateRun::StopUpdate()
{
    RunState& rs = m_port.runState();
    rs.StopFlag = true;
    // What the run fetched so far is written now (also on quit, which stops a run).
    SaveChangedTables();
    // Whatever the transports do, the window comes back to the idle state.
    try {
        m_transports.CancelTransports();
    } catch (const std::exception&) {
        rs.SockBusy = false;
    }
    leaveBusyFrame();
    m_port.setStatusText(QString());
    m_port.setCaption(rs.OrigCaption);
    rs.OneStockOnly = false;
}

void UpdateRun::Panel7(std::int16_t Task)
{
    m_frame.setTaskText(QString::number(Task) + u'/' + QString::number(m_port.runState().UpdateTotal));
}

// ---------------------------------------------------------------------------
// Auto-update.

void UpdateRun::setAutoUpdateMin(int minutes)
{
    m_autoUpdateMin = std::int16_t(qBound(0, minutes, 32767));
}

void UpdateRun::loadAutoUpdateMin(const QString& logTag)
{
    setAutoUpdateMin(Settings::SettingInt(QString::fromLatin1(Settings::AutoUpdate), 0, 0, 32767, logTag));
}

QString UpdateRun::countdownTitle() const
{
    const RunState& rs = const_cast<UpdateRun*>(this)->m_port.runState();
    return rs.OrigCaption + QStringLiteral("   Update Every: ") + QString::number(m_autoUpdateMin) +
           QStringLiteral(" Mintues, ") + QStringLiteral(" ") + QStringLiteral("Remain: ") +
           QString::number(m_autoUpdateMin - rs.AutoUpdateCount) + QStringLiteral(" Mintues.");
}

void UpdateRun::Timer1_Timer()
{
    try {
        if (m_autoUpdateMin == 0)
            return;
        RunState& rs = m_port.runState();
        // A stopped run that is still unwinding counts as busy too.
        const bool busy = m_frame.updateButtonCaption() == kStop || m_mode != Mode::Idle;
        if (!busy) {
            ++rs.AutoUpdateCount;
            if (rs.AutoUpdateCount >= m_autoUpdateMin) {
                rs.AutoUpdateCount = 0;
                if (!AskConnect())
                    return;
                PressUpdateButton();
            }
            m_port.setCaption(countdownTitle());
        } else {
            rs.AutoUpdateCount = rs.AutoUpdateCount >= 2 ? std::int16_t(rs.AutoUpdateCount - 1) : std::int16_t(0);
        }
    } catch (const std::exception& e) {
        // A failing tick ends quietly; the next one tries again.
        qCWarning(lcRun) << "the auto-update tick failed:" << e.what();
    }
}

// ---------------------------------------------------------------------------
// The fetch control's state texts.

void UpdateRun::Inet1_StateChanged(int State)
{
    QString text;
    switch (State) {
    case UrlFetch::icConnecting: text = QStringLiteral("Connecting..."); break;
    case UrlFetch::icConnected: text = QStringLiteral("connected"); break;
    case UrlFetch::icRequesting: text = QStringLiteral("request Data"); break;
    case UrlFetch::icReceivingResponse: text = QStringLiteral("Downloading Data..."); break;
    case UrlFetch::icDisconnecting: text = QStringLiteral("Disconnecting..."); break;
    case UrlFetch::icDisconnected: text = QStringLiteral("Disconnected from the host."); break;
    case UrlFetch::icError: text = QStringLiteral("An error occurred in communicating."); break;
    case UrlFetch::icResponseCompleted:
        text = QStringLiteral("The request has completed and all data has been received.");
        break;
    default: break;
    }
    m_port.setStatusText(text);
    if (State == UrlFetch::icReceivingResponse)
        DoEvents();
    if (State == UrlFetch::icError)
        m_port.setCaption(m_port.runState().OrigCaption);
    if (State == UrlFetch::icError || State == UrlFetch::icResponseCompleted) {
        // Inside a run the run owns its frame, also when an item it had not counted
        // (ticked after the count) leaves UpdateRemaining at 0.
        if (m_port.runState().UpdateRemaining == 0 && m_mode != Mode::Run) {
            StopUpdate();
            m_frame.setBusyPointer(false);
            if (State == UrlFetch::icError)
                DoEvents();
        }
    }
}
