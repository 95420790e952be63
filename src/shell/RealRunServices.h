#pragma once

#include "retrieval/RunServicePorts.h"

// The program's answers to what the update run asks of the layers above it: the
// quote parsers of the data sheets and the mail sender of the services. The main
// window gives them to its UpdateRun.
class SheetQuoteParsing final : public QuoteParsing
{
public:
    void LoadQuotesCsv() override;
    QString ParseQuote(int row) override;
    void ParseRecentNews(const QString& symbol, const QString& pageFile, const QString& newsFile) override;
    void ParseUS() override;
};

class SmtpMailSending final : public MailSending
{
public:
    // A hidden sender of its own for each mail, gone when the dialogue is over.
    MailOutcome SendEmail(const QString& Server, const QString& From, const QString& FromEmail,
                          const QString& ToName, const QString& ToEmail, const QString& Subject,
                          const QString& Body) override;
};
