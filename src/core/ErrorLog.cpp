#include "core/ErrorLog.h"

#include "core/Settings.h"
#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Dialogs.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// Reading ErrorTraping goes through the settings store, whose own faults are
// logged here too: a nested call writes its entry but never asks the user.
bool g_inLogError = false;

} // namespace

void LogError(const QString& description, float number, const QString& source, const QString& tag, bool show)
{
    const bool nested = g_inLogError;
    g_inLogError = true;

    QString entry;
    try {
        // The time of day as a US system clock shows it, "1:05:09 PM".
        const QString time = QLocale::c().toString(Clock::Now().time(), QStringLiteral("h:mm:ss AP"));
        entry = QStringLiteral("--------------") + rt::CrLf
              + QStringLiteral("Time: ") + time + rt::CrLf
              + QStringLiteral("Description:   ") + description + rt::CrLf
              + QStringLiteral("Number:        ") + rt::SingleText(number) + rt::CrLf
              + QStringLiteral("Source:         ") + source;
        const QString record = entry + rt::CrLf + QStringLiteral("Where: ") + tag + rt::CrLf;
        AppendBytes(AppPath() + QStringLiteral("/ErrorLog.txt"), toCp1252(record));
    } catch (...) {
        // A log that cannot be written loses the entry without a word.
    }

    try {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    } catch (...) {
        // An event handler that failed while the entry was written is not this
        // entry's business; the log cannot log about itself.
    }

    if (!nested && show) {
        try {
            if (Settings::GetSetting(QString::fromLatin1(Settings::ErrorTraping)).isEmpty()) {
                const QString prompt = QStringLiteral("Error occur and logged successfully into a log file") + rt::CrLf
                                     + QStringLiteral("If you don't want to see this messages anymore, Click Cancel")
                                     + rt::CrLf + entry;
                const int answer =
                    Dialogs::MsgBox(prompt, Dialogs::vbOKCancel + Dialogs::vbInformation, QStringLiteral("Error occur"));
                if (answer == Dialogs::vbCancel)
                    Settings::SaveSetting(QString::fromLatin1(Settings::ErrorTraping), QStringLiteral("1"));
            }
        } catch (...) {
            // The entry is written; a notice that could not be shown leaves it at that.
        }
    }

    g_inLogError = nested;
}

void LogError(const RuntimeError& error, const QString& tag, bool show)
{
    LogError(error.description(), static_cast<float>(error.number()), error.source(), tag, show);
}

void LogFailure(const std::exception* error, const QString& tag, bool show)
{
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(error))
        LogError(*runtime, tag, show);
    else
        LogError(error ? QString::fromUtf8(error->what()) : QStringLiteral("unknown failure"), 5,
                 QStringLiteral("Tradewright"), tag, show);
}
