#include "shell/HelpPages.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Help.h"

namespace {

const char* body(int number)
{
    switch (number) {
    case 1001:
        return "<p>Tradewright keeps sets of stocks and shows their prices, data sheets, news and market lists. "
               "The window has four parts:</p>"
               "<ul><li>the <b>news ticker</b> across the top: the selected stock's headlines or prices, or the "
               "prices of the whole set (button <i>Ticker</i>); click a headline to read the full story;</li>"
               "<li>the <b>tree</b> on the left: the stocks of the set with their data sheets, news and charts, "
               "the market lists, the portfolio, radio and television;</li>"
               "<li>the <b>stock strip</b> above the grid: seven symbols with their recommendation gauges; click a "
               "symbol to select it, double-click it for its detail card, rest the pointer on an arrow to "
               "scroll;</li>"
               "<li>the <b>grid</b>: the view chosen in the tree.</li></ul>"
               "<p>The buttons on the right update the data, choose the ticker's feed, open the set editor and "
               "the settings. The status bar holds the Start menu, the set menu, the fast price update, the "
               "summary and the reports.</p>";
    case 1012:
        return "<ol><li>Open <i>Stocks</i> and type the symbols of the stocks you follow into a set.</li>"
               "<li>Press <i>Update</i> (Alt+U) to fetch their prices, data sheets and news.</li>"
               "<li>Click a stock in the tree or in the strip: the grid shows its sheets, the ticker its "
               "headlines.</li>"
               "<li>Choose <i>Start, Setting</i> to pick what each update fetches and how prices are shown.</li>"
               "</ol>";
    case 1011:
        return "<dl><dt>Follow another set of stocks</dt><dd>Click <i>Groups</i> in the status bar and choose a "
               "set; double-click it to edit the sets.</dd>"
               "<dt>See a stock's prices on the ticker</dt><dd>Press <i>Ticker</i> (Alt+T) and choose "
               "<i>Selected Stock Prices</i>; <i>All Stocks Price</i> shows the whole set.</dd>"
               "<dt>Read a headline</dt><dd>Click it on the ticker: the story opens in your browser.</dd>"
               "<dt>Set alert prices</dt><dd>Double-click a symbol of the strip and type the low and high "
               "prices on its card.</dd>"
               "<dt>Update one stock only</dt><dd><i>Start, Update, Update Selected Stock</i>.</dd></dl>";
    case 1013:
        return "<p>Prices are shown as the quote service sends them; with <i>Display as fractions</i> a price "
               "such as 12 1/2 is shown as 12.50, and with <i>Volume in 100's</i> volumes are grouped in "
               "thousands.</p>"
               "<p>The program keeps its data in its own folder: the stock sets, the portfolio, the cache of "
               "downloaded pages (<i>Cache</i>) and the error log.</p>";
    case 1009:
        return "<table>"
               "<tr><td>Alt+S, F3, Shift+Esc</td><td>Start menu</td></tr>"
               "<tr><td>Alt+G, F2</td><td>Set menu</td></tr>"
               "<tr><td>Alt+U, F4</td><td>Update / Stop</td></tr>"
               "<tr><td>Esc</td><td>Stop the update</td></tr>"
               "<tr><td>Alt+H</td><td>Fast price update</td></tr>"
               "<tr><td>Alt+T</td><td>Ticker menu</td></tr>"
               "<tr><td>Alt+M</td><td>Summary</td></tr>"
               "<tr><td>Alt+R</td><td>Reports menu</td></tr>"
               "<tr><td>Alt+N</td><td>Settings</td></tr>"
               "<tr><td>F5, F6</td><td>The tree, the grid</td></tr>"
               "<tr><td>F9</td><td>Relax</td></tr>"
               "<tr><td>Alt+X</td><td>Shut down</td></tr>"
               "</table>";
    case 1008:
        return "<p>Before you ask, look into the error log (<i>ErrorLog.txt</i> in the program's folder): it names "
               "what failed and when. Send it with <i>Start, Email, Send Error Log To Orvane</i>, and describe "
               "what you did just before.</p>";
    default:
        return nullptr;
    }
}

} // namespace

const std::array<HelpTopic, 6>& HelpMenuTopics()
{
    static const std::array<HelpTopic, 6> topics{{
        {1001, HelpWindow::Box, "Documentation"},
        {1012, HelpWindow::Box, "Getting Started"},
        {1011, HelpWindow::Box, "How To.."},
        {1013, HelpWindow::Box, "References"},
        {1009, HelpWindow::Small, "Keyboard Shortcut"},
        {1008, HelpWindow::Small, "Tecnical Support or Questions"},
    }};
    return topics;
}

QString HelpPageHtml(int number)
{
    for (const HelpTopic& t : HelpMenuTopics()) {
        if (t.number != number)
            continue;
        const bool small = t.window == HelpWindow::Small;
        return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\">"
                              "<title>Tradewright Help - %1</title>\n"
                              "<style>body{font-family:sans-serif;margin:1em auto;max-width:%2;%3}"
                              "td{padding:2px 12px 2px 0}dt{font-weight:bold;margin-top:.6em}</style></head>\n"
                              "<body class=\"%4\"><h1>%1</h1>\n%5\n</body></html>\n")
            .arg(QString::fromLatin1(t.title), small ? QStringLiteral("26em") : QStringLiteral("48em"),
                 small ? QStringLiteral("font-size:90%;border:1px solid #888;padding:0 1em")
                       : QStringLiteral("padding:0 2em"),
                 small ? QStringLiteral("Small") : QStringLiteral("Box"), QString::fromLatin1(body(t.number)));
    }
    return QString();
}

bool ShowHelpMenuTopic(int index)
{
    if (index < 0 || index >= int(HelpMenuTopics().size()))
        return false;
    const int number = HelpMenuTopics()[std::size_t(index)].number;
    // The help's page for the topic is replaced by ours, then opened.
    const QString path = Help::TopicPage(number);
    if (path.isEmpty() || !WriteFileAtomic(path, toCp1252(HelpPageHtml(number))))
        return false;
    return Help::ShowTopic(number);
}
