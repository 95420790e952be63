#include "shell/RealRunServices.h"

#include "market/USIndices.h"
#include "services/SmtpSender.h"
#include "sheets/QuoteParsers.h"

void SheetQuoteParsing::LoadQuotesCsv()
{
    ::LoadQuotesCsv();
}

QString SheetQuoteParsing::ParseQuote(int row)
{
    return ::ParseQuote(row);
}

void SheetQuoteParsing::ParseRecentNews(const QString& symbol, const QString& pageFile, const QString& newsFile)
{
    ::ParseRecentNews(symbol, pageFile, newsFile);
}

void SheetQuoteParsing::ParseUS()
{
    ::Parse_US();
}

MailOutcome SmtpMailSending::SendEmail(const QString& Server, const QString& From, const QString& FromEmail,
                                       const QString& ToName, const QString& ToEmail, const QString& Subject,
                                       const QString& Body)
{
    SmtpSender sender;
    const SmtpResult result = sender.SendEmail(Server, From, FromEmail, ToName, ToEmail, Subject, Body);
    return MailOutcome{result.ok, result.error};
}
