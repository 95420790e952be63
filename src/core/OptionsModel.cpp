#include "OptionsModel.h"

#include "core/ErrorLog.h"
#include "core/OptionsHost.h"
#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "platform/AppPath.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/InputCodes.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/Speech.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcOptions, "tradewright.core.options")

using namespace Dialogs;

struct Interval
{
    const char* text;
    int minutes;
};

// The blanks inside the entries line the units up in the list.
const Interval kIntervals[] = {
    {"Manually", 0},        {"5    Minutes", 5},  {"10  Minutes", 10}, {"15  Minutes", 15},
    {"20  Minutes", 20},    {"30  Minutes", 30},  {"45  Minutes", 45}, {"1     Hour", 60},
    {"1.5   Hour", 90},     {"2     Hour", 120},  {"4     Hour", 240}, {"6     Hour", 360},
    {"12    Hour", 720},    {"24    Hour", 1440},
};
constexpr int kIntervalCount = int(sizeof(kIntervals) / sizeof(kIntervals[0]));

constexpr int kHelpTopic = 1002;

// The stored value of a check box: a missing value counts as ticked, "1" is ticked,
// anything else unticked.
bool storedTick(const char* name)
{
    const QString v = Settings::GetSetting(QString::fromLatin1(name)).trimmed();
    return v.isEmpty() || v == QLatin1String("1");
}

QString boxValue(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

// A stored list index inside 0..count-1, or -1.
int storedIndex(const QString& text, int count)
{
    if (!rt::IsNumeric(text))
        return -1;
    try {
        const int v = rt::CInt(text);
        return v >= 0 && v < count ? v : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

// The delay boxes take whole or decimal numbers between 0 and their limit.
bool delayAccepted(const QString& text, double limit)
{
    if (!rt::IsNumeric(text))
        return false;
    try {
        const double v = rt::CDbl(text);
        return v >= 0 && v <= limit;
    } catch (const std::exception&) {
        return false;
    }
}

// Deletes the files directly in a folder below the program folder; subfolders
// and their files stay. A missing folder deletes nothing.
void deleteFilesIn(const QString& relative)
{
    const QDir dir(ResolvePath(AppPath() + relative));
    if (!dir.exists())
        return;
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& f : files)
        QFile::remove(dir.filePath(f));
}

} // namespace

const QColor OptionsModel::NavColour(0, 0, 255);
const QColor OptionsModel::NavCurrentColour(255, 0, 0);
const QColor OptionsModel::CaptionColour(0, 0, 0);
const QColor OptionsModel::HoverColour(0, 0, 255);

const QStringList& OptionsModel::pageLabels()
{
    static const QStringList labels = {
        QStringLiteral("Daily Consultation"), QStringLiteral("Stocks Data"),     QStringLiteral("Market Data"),
        QStringLiteral("Funds"),              QStringLiteral("Voice Options"),   QStringLiteral("Network Options"),
        QStringLiteral("General Options"),
    };
    return labels;
}

const QStringList& OptionsModel::frameCaptions()
{
    static const QStringList captions = {
        QStringLiteral("Daily Consultation"), QStringLiteral("Stocks Data"),     QStringLiteral("Market Data"),
        QStringLiteral("Funds"),              QStringLiteral("Voice"),           QStringLiteral("Network Setting"),
        QStringLiteral("General Options"),
    };
    return captions;
}

const QStringList& OptionsModel::styleEntries()
{
    static const QStringList entries = {
        QStringLiteral("Blue Neon"),    QStringLiteral("Green Neon"),   QStringLiteral("Red Neon"),
        QStringLiteral("Gold Metal"),   QStringLiteral("Green Metal"),  QStringLiteral("Blue Glass"),
        QStringLiteral("Green Glass"),  QStringLiteral("Red Glass"),    QStringLiteral("Blue Plastic"),
        QStringLiteral("Green Plastic"), QStringLiteral("Violet Plastic"),
    };
    return entries;
}

const QStringList& OptionsModel::intervalEntries()
{
    static const QStringList entries = [] {
        QStringList list;
        for (const Interval& i : kIntervals)
            list << QString::fromLatin1(i.text);
        return list;
    }();
    return entries;
}

int OptionsModel::intervalMinutes(int index)
{
    return index >= 0 && index < kIntervalCount ? kIntervals[index].minutes : -1;
}

int OptionsModel::intervalIndexOf(int minutes)
{
    for (int i = 0; i < kIntervalCount; ++i)
        if (kIntervals[i].minutes == minutes)
            return i;
    return -1;
}

QStringList OptionsModel::voiceEntries()
{
    return Speech::PresetNames();
}

QList<int> OptionsModel::selectItems(int index)
{
    switch (index) {
    case 0:
    case 1: return UpdateChoices::pageItems(UpdatePage::StocksData);
    case 2:
    case 3: return UpdateChoices::pageItems(UpdatePage::DailyConsultation);
    case 4:
    case 5: return UpdateChoices::pageItems(UpdatePage::MarketData);
    case 6:
    case 7: return UpdateChoices::pageItems(UpdatePage::Funds);
    default: return {};
    }
}

bool OptionsModel::selectTicks(int index)
{
    // 0, 2, 5, 7 are the "Select All" buttons; 1, 3, 4, 6 the "Clear All" ones.
    return index == 0 || index == 2 || index == 5 || index == 7;
}

OptionsModel::OptionsModel(UpdateChoices& choices) : m_choices(choices)
{
    lblNavColour.fill(NavColour);
    chkUpdateColour.fill(CaptionColour);
}

void OptionsModel::busy()
{
    if (m_busy)
        return;
    m_busy = true;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void OptionsModel::normal()
{
    if (!m_busy)
        return;
    m_busy = false;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

void OptionsModel::processEvents()
{
    QCoreApplication::processEvents();
}

void OptionsModel::Form_Load()
{
    busy();
    // The page as it is built: the prompt and update boxes ticked, the other boxes
    // clear, the lists without a choice. Putting the stored states in runs the
    // boxes' and lists' handlers wherever a state differs from this.
    Text1 = QStringLiteral("5");
    Text2 = QStringLiteral("12");
    txtNewsServ = QStringLiteral("Enter News Server");
    txtEmailServ = QStringLiteral("Enter Email Server");
    txtEmailAddress = QStringLiteral("Enter Your Email Address");
    txtProxy.clear();
    txtProxyEnabled = false;
    chkPrompt = true;
    chkProxy = false;
    chkShutDown = false;
    ChkUS = false;
    ChkNumeric = {false, false};
    cobStyle = cobSqd = cobVoice = -1;
    ExcState = 0;
    chkUpdateColour.fill(CaptionColour);

    try {
        Text1 = Settings::GetSetting(Settings::SplashDelay);
        if (Text1.isEmpty()) {
            Settings::SaveSetting(Settings::SplashDelay, QStringLiteral("5"));
            Text1 = QStringLiteral("5");
        }
        Text2 = Settings::GetSetting(Settings::SaverDelay);
        if (Text2.isEmpty()) {
            Settings::SaveSetting(Settings::SaverDelay, QStringLiteral("12"));
            Text2 = QStringLiteral("12");
        }

        setChkPrompt(storedTick(Settings::Prompt));
        m_choices.load();
        setChkUS(storedTick(Settings::US));
        ChkNumeric[0] = storedTick(Settings::Fractions);
        ChkNumeric[1] = storedTick(Settings::Volume);
        setChkShutDown(storedTick(Settings::ShutDown));

        const QString picBar = Settings::GetSetting(Settings::PicBar);
        if (!picBar.isEmpty()) {
            const int style = storedIndex(picBar, int(styleEntries().size()));
            if (style >= 0)
                cobStyle_Click(style);
        }

        const QString autoUpdate = Settings::GetSetting(Settings::AutoUpdate);
        if (autoUpdate.isEmpty()) {
            cobSqd_Click(0);
        } else if (rt::IsNumeric(autoUpdate)) {
            int index = -1;
            try {
                index = intervalIndexOf(rt::CLng(autoUpdate));
            } catch (const std::exception&) {
                // A number too large for any interval selects none of the list.
            }
            if (index >= 0)
                cobSqd_Click(index);
        }

        const QString voice = Settings::GetSetting(Settings::VoiceMode);
        const int voiceIndex = voice.isEmpty() ? 0 : storedIndex(voice, Speech::PresetCount);
        if (voiceIndex >= 0)
            cobVoice_Click(voiceIndex);
        busy();  // the voice handler puts the normal pointer back

        const QString page = Settings::GetSetting(Settings::FrmNav);
        const int pageIndex = page.isEmpty() ? 0 : storedIndex(page, PageCount);
        CurrentPage = std::int16_t(pageIndex < 0 ? 0 : pageIndex);

        txtNewsServ = Settings::GetSetting(Settings::NewsServer);
        txtEmailServ = Settings::GetSetting(Settings::EmailServer);
        txtEmailAddress = Settings::GetSetting(Settings::Email);

        setChkProxy(Settings::SettingIsOne(Settings::ProxyE));
        txtProxyEnabled = chkProxy;
        txtProxy = Settings::GetSetting(Settings::Proxy);

        lblNav_Click(CurrentPage);
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("Option_Form_Load"), false);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 0, QStringLiteral("Tradewright"),
                 QStringLiteral("Option_Form_Load"), false);
    }
    normal();
}

void OptionsModel::lblNav_Click(int index)
{
    if (index < 0 || index >= PageCount)
        return;
    lblNavColour.fill(NavColour);
    lblNavColour[std::size_t(index)] = NavCurrentColour;
    CurrentPage = std::int16_t(index);
}

bool OptionsModel::Form_KeyDown(int keyCode, int shift)
{
    if ((shift & input::vbAltMask) == 0)
        return false;
    int page = -1;
    switch (keyCode) {
    case 'D': page = 0; break;
    case 'S': page = 1; break;
    case 'M': page = 2; break;
    case 'F': page = 3; break;
    case 'V': page = 4; break;
    case 'G': page = 5; break;
    case 'N': page = 6; break;
    default: return false;
    }
    lblNav_Click(page);
    return true;
}

bool OptionsModel::HasUpdateChoice()
{
    int sum = 0;
    for (int n = 0; n < UpdateChoices::Count; ++n)
        sum += m_choices.value(n);
    if (sum != 0)
        return true;
    m_choices.setTicked(0, true);
    MsgBox(QStringLiteral("You have to select at least one option"), vbInformation, QString());
    return false;
}

bool OptionsModel::cmd_OK_Click()
{
    if (!HasUpdateChoice()) {
        normal();
        return false;
    }
    // The delay boxes are tested again here: pressing OK from the keyboard leaves
    // a box without its losing the focus, and a word must never become a delay.
    const bool splashOk = Text1_LostFocus();
    const bool saverOk = Text2_LostFocus();
    if (!splashOk || !saverOk) {
        normal();
        return false;
    }

    busy();
    try {
        Settings::SaveSetting(Settings::SplashDelay, Text1);
        Settings::SaveSetting(Settings::SaverDelay, Text2);
        processEvents();
        m_choices.save();
        Settings::SaveSetting(Settings::Fractions, boxValue(ChkNumeric[0]));
        Settings::SaveSetting(Settings::Volume, boxValue(ChkNumeric[1]));
        Settings::SaveSetting(Settings::FrmNav, QString::number(CurrentPage));
        // The views read Fractions and Volume from the store each time they draw,
        // so the display options take effect at once.
        Settings::SaveSetting(Settings::NewsServer, txtNewsServ);
        Settings::SaveSetting(Settings::EmailServer, txtEmailServ);
        Settings::SaveSetting(Settings::Email, txtEmailAddress);
    } catch (const std::exception& e) {
        // The remaining stores are skipped; the window closes all the same.
        qCWarning(lcOptions) << "the settings were stored only in part:" << e.what();
    }
    processEvents();
    normal();
    return true;
}

void OptionsModel::cmd_cancel_Click()
{
    // Box changes live only in the window until OK: forget them.
    m_choices.unload();
}

void OptionsModel::cmdHelp_Click()
{
    Help::ShowTopic(kHelpTopic);
}

void OptionsModel::cmdEmpty_Click()
{
    const int buttons = vbYesNo + vbExclamation + vbDefaultButton2;
    if (MsgBox(QStringLiteral("Are you sure you want to delete all downloaded data?"), buttons,
               QStringLiteral("Clear Cache?")) != vbYes)
        return;
    if (MsgBox(QStringLiteral("Delete data?"), buttons, QStringLiteral("Clear Data?")) == vbYes)
        deleteFilesIn(QStringLiteral("/Cache/DataSheet"));
    if (MsgBox(QStringLiteral("Delete stocks News?"), buttons, QStringLiteral("Clear News?")) == vbYes)
        deleteFilesIn(QStringLiteral("/Cache/News"));
    if (MsgBox(QStringLiteral("Delete stocks reports?"), buttons, QStringLiteral("Clear Reports?")) == vbYes)
        deleteFilesIn(QStringLiteral("/Cache/Reports"));
    processEvents();
}

void OptionsModel::cmdSelect_Click(int index)
{
    m_choices.setTicked(selectItems(index), selectTicks(index));
}

void OptionsModel::lblExc_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    ExcState = ExcState == 0 ? 1 : 0;
    m_choices.setTicked(UpdateChoices::columnItems(static_cast<ExchangeColumn>(index)), ExcState == 1);
}

void OptionsModel::chkUpdate_MouseMove(int index)
{
    if (index < 0 || index >= int(chkUpdateColour.size()))
        return;
    if (chkUpdateColour[std::size_t(index)] == HoverColour)
        return;
    chkUpdateColour.fill(CaptionColour);
    chkUpdateColour[std::size_t(index)] = HoverColour;
}

void OptionsModel::Frm_MouseMove(int)
{
    chkUpdateColour.fill(CaptionColour);
}

void OptionsModel::setChkPrompt(bool ticked)
{
    if (chkPrompt == ticked)
        return;
    chkPrompt = ticked;
    Settings::SaveSetting(Settings::Prompt, boxValue(chkPrompt));
}

void OptionsModel::setChkProxy(bool ticked)
{
    if (chkProxy == ticked)
        return;
    chkProxy = ticked;
    txtProxyEnabled = chkProxy;
    Settings::SaveSetting(Settings::ProxyE, boxValue(chkProxy));
}

void OptionsModel::setChkShutDown(bool ticked)
{
    if (chkShutDown == ticked)
        return;
    chkShutDown = ticked;
    Settings::SaveSetting(Settings::ShutDown, boxValue(chkShutDown));
}

void OptionsModel::setChkUS(bool ticked)
{
    if (ChkUS == ticked)
        return;
    ChkUS = ticked;
    Settings::SaveSetting(Settings::US, boxValue(ChkUS));
}

void OptionsModel::txtProxy_LostFocus()
{
    Settings::SaveSetting(Settings::Proxy, txtProxy);
}

bool OptionsModel::Text1_LostFocus()
{
    if (delayAccepted(Text1, 20))
        return true;
    MsgBox(QStringLiteral("Set the value between 0 (None) up to 20 seconds please."), vbExclamation,
           QStringLiteral("Wrong Value"));
    Text1 = QStringLiteral("5");
    return false;
}

bool OptionsModel::Text2_LostFocus()
{
    if (delayAccepted(Text2, 60))
        return true;
    MsgBox(QStringLiteral("Set the value between 0 (None) up to 60 minutes please."), vbExclamation,
           QStringLiteral("Wrong Value"));
    Text2 = QStringLiteral("12");
    return false;
}

void OptionsModel::cobSqd_Click(int index)
{
    const int minutes = intervalMinutes(index);
    if (minutes < 0)
        return;
    cobSqd = index;
    if (OptionsHost* host = optionsHost())
        host->setAutoUpdateMin(minutes);
    Settings::SaveSetting(Settings::AutoUpdate, QString::number(minutes));
    if (OptionsHost* host = optionsHost())
        host->setAutoUpdateTimer(minutes != 0);
}

void OptionsModel::cobStyle_Click(int index)
{
    if (index < 0 || index >= styleEntries().size())
        return;
    cobStyle = index;
    Settings::SaveSetting(Settings::PicBar, QString::number(index));
    if (OptionsHost* host = optionsHost())
        host->applySkin();
    processEvents();
}

void OptionsModel::cobVoice_Click(int index)
{
    if (index < 0 || index >= Speech::PresetCount)
        return;
    cobVoice = index;
    busy();
    try {
        Speech::Engine& voice = Speech::engine();
        if (voice.isSpeaking())
            voice.stop();
        voice.setVoiceMode(index + 1);
        Settings::SaveSetting(Settings::VoiceMode, QString::number(index));
        const int mode = voice.voiceMode();
        voice.setHighVoice(voice.ModeGender(mode) == 1 ? 0 : 1);
        processEvents();
        processEvents();
    } catch (const std::exception& e) {
        // A broken speech service leaves the voice as it was.
        qCWarning(lcOptions) << "the voice could not be tried:" << e.what();
    }
    normal();
}
