#pragma once

#include <QString>

#include <functional>

// The routines of higher layers that the update run and the price updates call:
// the quote parsers and the current-quotes view (the data-sheet layer) and the mail
// sender (the services layer). This layer cannot include them, so it calls them
// through these hooks, which the program installs once at start
// (installUpdateRunHooks in the shell) and tests install the same way.
//
// A hook that is not installed does nothing: no parse, no redraw, no mail.

// What became of one mail: sent is true only when the server took the message.
struct MailOutcome
{
    bool sent = false;
    QString error;  // why not, in words the user can read; "" when sent
};

struct RunHooks
{
    // Reads AppPath\Cache\DataSheet\quotes_csv.txt into Stocks, line k into row k.
    std::function<void()> LoadQuotesCsv;
    // Reads the quote page AppPath\Cache\DataSheet\YahooQuote.Sh into Stocks[row];
    // returns the company name it stored ("" when none).
    std::function<QString(int row)> ParseQuote;
    // Appends the headlines of a stock's quote page to its news file (symbol, page
    // file, news file).
    std::function<void(const QString& symbol, const QString& pageFile, const QString& newsFile)> ParseRecentNews;
    // Redraws the current-quotes view into the main grid.
    std::function<void()> FG_Current;
    // Sends one mail and waits for the end of the dialogue.
    std::function<MailOutcome(const QString& Server, const QString& From, const QString& FromEmail,
                              const QString& ToName, const QString& ToEmail, const QString& Subject,
                              const QString& Body)>
        SendEmail;
};

// The installed hooks (one set for the program).
RunHooks& runHooks();
