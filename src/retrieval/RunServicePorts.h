#pragma once

#include <QString>

// What the update run and the price updates ask of the layers above this one, which
// it cannot include: the quote parsers of the data sheets and the mail sender of
// the services. UpdateRun takes both at construction; the program gives the real
// ones (shell/RealRunServices), tests give recorders.

// What became of one mail: sent is true only when the server took the message.
struct MailOutcome
{
    bool sent = false;
    QString error;  // why not, in words the user can read; "" when sent
};

class QuoteParsing
{
public:
    virtual ~QuoteParsing() = default;
    // Reads AppPath\Cache\DataSheet\quotes_csv.txt into Stocks, line k into row k.
    virtual void LoadQuotesCsv() = 0;
    // Reads the quote page AppPath\Cache\DataSheet\YahooQuote.Sh into Stocks[row];
    // returns the company name it stored ("" when none).
    virtual QString ParseQuote(int row) = 0;
    // Appends the headlines of a stock's quote page to its news file.
    virtual void ParseRecentNews(const QString& symbol, const QString& pageFile, const QString& newsFile) = 0;
    // Reads the US indices page AppPath\Cache\DataSheet\US.Sh into USIndexes and
    // saves them to US.dat.
    virtual void ParseUS() = 0;
};

class MailSending
{
public:
    virtual ~MailSending() = default;
    // Sends one mail and returns when the dialogue with the server is over.
    virtual MailOutcome SendEmail(const QString& Server, const QString& From, const QString& FromEmail,
                                  const QString& ToName, const QString& ToEmail, const QString& Subject,
                                  const QString& Body) = 0;
};
