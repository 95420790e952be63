#include "shell/UpdateRunHooks.h"

#include "retrieval/RunHooks.h"
#include "services/SmtpSender.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/QuoteParsers.h"

void installUpdateRunHooks()
{
    RunHooks& hooks = runHooks();
    hooks.LoadQuotesCsv = [] { LoadQuotesCsv(); };
    hooks.ParseQuote = [](int row) { return ParseQuote(row); };
    hooks.ParseRecentNews = [](const QString& symbol, const QString& pageFile, const QString& newsFile) {
        ParseRecentNews(symbol, pageFile, newsFile);
    };
    hooks.FG_Current = [] { FG_Current(); };
    hooks.SendEmail = [](const QString& Server, const QString& From, const QString& FromEmail, const QString& ToName,
                         const QString& ToEmail, const QString& Subject, const QString& Body) {
        // A hidden sender of its own for this one mail, gone when the dialogue is over.
        SmtpSender sender;
        const SmtpResult result = sender.SendEmail(Server, From, FromEmail, ToName, ToEmail, Subject, Body);
        return MailOutcome{result.ok, result.error};
    };
}
