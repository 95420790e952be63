#include "core/Connect.h"

#include "core/ErrorLog.h"
#include "core/Misc.h"
#include "core/clsRAS.h"
#include "core/mdlRegistry.h"
#include "platform/Dialer.h"
#include "platform/Dialogs.h"
#include "platform/Runtime.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <limits>

namespace {

Q_LOGGING_CATEGORY(lcConnect, "tradewright.core.connect")

const QString kProductKey = QStringLiteral("Software\\Orvane\\Tradewright5");

void DialConnection()
{
    try {
        clsRAS ras;
        ras.ISPCall();
    } catch (const std::exception& e) {
        qCWarning(lcConnect) << "dialling failed:" << e.what();
    }
    QCoreApplication::processEvents();
}

// The setting Prompt is compared with 0 as a number: "0", an empty or missing value,
// and a value that is no number at all count as 0 (never ask).
bool promptIsOff(const QVariant& prompt)
{
    try {
        if (!prompt.isValid() || prompt.isNull() || !rt::IsNumeric(prompt))
            return true;
        return rt::CDbl(prompt) == 0.0;
    } catch (...) {
        return true;
    }
}

} // namespace

bool AskConnect()
{
    QVariant prompt;
    try {
        prompt = mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER, kProductKey, QStringLiteral("Prompt"));
    } catch (const std::exception& e) {
        // QueryValue logs its own faults; anything beyond them counts as no setting.
        qCWarning(lcConnect) << "the Prompt setting could not be read:" << e.what();
    }
    if (promptIsOff(prompt))
        return true;

    if (CountConnections() != 0)
        return true;

    const int answer = Dialogs::MsgBox(QStringLiteral("The connection to the Internet is not active,\r\n"
                                                      "Do you wish to connect now?"),
                                       Dialogs::vbYesNo + Dialogs::vbQuestion, QStringLiteral("Not Connected"));
    if (answer == Dialogs::vbYes) {
        QCoreApplication::processEvents();
        DialConnection();
    }
    return false;
}

std::int16_t CountConnections()
{
    try {
        const int n = Dialer::probe().activeConnections();
        return static_cast<std::int16_t>(qBound(0, n, int(std::numeric_limits<std::int16_t>::max())));
    } catch (...) {
        return 0;
    }
}

void installShellRefusalLogging()
{
    Shell::setRefusalHandler([](const QString& target) {
        // The address goes into the log as one line, whatever it holds.
        QString shown = target.left(300);
        for (QChar& c : shown)
            if (c.unicode() < 32 || c.unicode() == 127)
                c = QLatin1Char('?');
        LogError(QStringLiteral("Refused to open \"") + shown + QStringLiteral("\": only web, mail and report addresses are opened"),
                 5.0f, QStringLiteral("Tradewright"), QStringLiteral("Shell_Open"), false);
    });
}
