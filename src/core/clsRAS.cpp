#include "core/clsRAS.h"

#include "platform/Dialer.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcDialUp, "tradewright.core.dialup")
}

QString clsRAS::dialUnavailableText()
{
    return QStringLiteral("Dialing is not available on this system: no dial command is set up.\r\n"
                          "Connect to the Internet yourself, then try again.");
}

QString clsRAS::hangUpUnavailableText()
{
    return QStringLiteral("Hanging up is not available on this system: no hang-up command is set up.\r\n"
                          "Disconnect from the Internet yourself.");
}

bool clsRAS::IsConnected()
{
    try {
        if (Dialer::probe().isConnected()) {
            m_hConnection = 1;
            return true;
        }
    } catch (const std::exception& e) {
        qCWarning(lcDialUp) << "the connection probe failed; counted as not connected:" << e.what();
    }
    m_hConnection = 0;
    return false;
}

QVariant clsRAS::ISPCall()
{
    try {
        Dialer::Probe& probe = Dialer::probe();
        // On a system where no dial command is set up the user hears so, instead of
        // pressing Yes and seeing nothing happen.
        if (!probe.canDial()) {
            Dialogs::MsgBox(dialUnavailableText(), Dialogs::vbOKOnly + Dialogs::vbInformation, Dialogs::appTitle());
            return QVariant();
        }
        const QString entry = ReadRegString(mdlRegistry::HKEY_CURRENT_USER, QStringLiteral("RemoteAccess"),
                                            QStringLiteral("Default"));
        if (entry.isEmpty())
            return QVariant();
        if (!probe.dial(entry))
            Dialogs::MsgBox(QStringLiteral("The dial command could not be started."),
                            Dialogs::vbOKOnly + Dialogs::vbExclamation, Dialogs::appTitle());
        QCoreApplication::processEvents();
    } catch (const std::exception& e) {
        qCWarning(lcDialUp) << "dialling failed:" << e.what();
    }
    return QVariant();
}

QVariant clsRAS::ISPHangup()
{
    if (IsConnected())
        HangUp();
    return QVariant();
}

QString clsRAS::ReadRegString(mdlRegistry::HKEY hive, const QString& keyPath, const QString& valueName)
{
    const QVariant value = mdlRegistry::QueryValue(hive, keyPath, valueName);
    // Only a text value counts; the value is read into a buffer of 256 characters.
    if (value.typeId() != QMetaType::QString)
        return QString();
    QString text = value.toString();
    const int zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text.left(255);
}

bool clsRAS::HangUp()
{
    if (m_hConnection == 0)
        return false;
    try {
        Dialer::Probe& probe = Dialer::probe();
        if (!probe.canHangUp()) {
            Dialogs::MsgBox(hangUpUnavailableText(), Dialogs::vbOKOnly + Dialogs::vbInformation, Dialogs::appTitle());
            return false;
        }
        return probe.hangUp();
    } catch (...) {
        return false;
    }
}
