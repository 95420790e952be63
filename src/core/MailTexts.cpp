#include "core/MailTexts.h"

#include "core/frmSplashInfo.h"
#include "platform/Sites.h"

namespace MailTexts {

QString SupportAddress()
{
    return SplashInfo::SupportAddress();
}

QString FeedbackAddress()
{
    return QStringLiteral("feedback@orvane.example");
}

QString DownloadAddress()
{
    return Sites::Address(Site::Maker, QStringLiteral("/download/"));
}

QString HomePageAddress()
{
    return SplashInfo::HomePageAddress();
}

QString ExampleServer()
{
    return QStringLiteral("mail.example.com");
}

QString ExampleAddress()
{
    return QStringLiteral("friend@example.com");
}

QString MailServerPrompt()
{
    return QStringLiteral("Please enter your mail server address.") + QStringLiteral("\r\n") + QStringLiteral("Ex.: \"") +
           ExampleServer() + QLatin1Char('"');
}

QString MailServerTitle()
{
    return QStringLiteral("Mail Server");
}

QString MailServerDefault()
{
    return ExampleServer();
}

} // namespace MailTexts
