#include "Help.h"

#include "AppPath.h"
#include "Codec.h"
#include "Dialogs.h"
#include "Shell.h"
#include "Shipped.h"


namespace {

QByteArray shipped(const QString& name)
{
    return ShippedFile(QStringLiteral("help/") + name);
}

QString pageName(int number)
{
    return QStringLiteral("topic") + QString::number(number) + QStringLiteral(".html");
}

// A file on disk that differs from the shipped one (a page of an earlier version) is
// replaced, so the browser never shows an old page.
bool writeShipped(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder + u'/' + name;
    if (FileExists(path) && ReadBytes(path) == bytes)
        return true;
    return WriteFileAtomic(path, bytes);
}

// The page of a number the program ships none for: it names the topic and leads to
// the contents.
constexpr const char* kOtherTopicPage =
    "<!DOCTYPE html>\n"
    "<html><head><meta charset=\"windows-1252\"><title>%1 Help - Topic %2</title>\n"
    "<link rel=\"stylesheet\" href=\"help.css\"></head>\n"
    "<body class=\"Box\"><h1>%1 Help</h1>\n"
    "<p>Topic %2 belongs to no window of this version of %1. The contents lead to the page of every "
    "window and to the help of the Help menu.</p>\n"
    "<p class=\"contents\"><a href=\"topic1001.html\">Contents</a></p>\n"
    "</body></html>\n";

} // namespace

namespace Help {

const QList<int>& Topics()
{
    static const QList<int> topics{1001, 1012, 1011, 1013, 1009, 1008,  // the Help menu
                                   1002,   // the Options window
                                   1006,   // the set editor
                                   86,     // the stock detail card
                                   1004,   // the screener
                                   1007,   // the adviser window
                                   1010};  // the adviser service ("Full Service User")
    return topics;
}

const std::array<int, 6>& MenuTopics()
{
    static const std::array<int, 6> topics{1001, 1012, 1011, 1013, 1009, 1008};
    return topics;
}

QString PageHtml(int number)
{
    return Topics().contains(number) ? fromCp1252(shipped(pageName(number))) : QString();
}

QString TopicPage(int number)
{
    const QString folder = AppPath() + QStringLiteral("/Cache/Reports/Help");
    const QString path = folder + u'/' + pageName(number);
    if (!MakeDir(folder))
        return QString();
    // Every page is written, so that the links between them lead somewhere.
    writeShipped(folder, QStringLiteral("help.css"), shipped(QStringLiteral("help.css")));
    bool ok = false;
    for (int topic : Topics()) {
        const bool written = writeShipped(folder, pageName(topic), shipped(pageName(topic)));
        if (topic == number)
            ok = written;
    }
    if (!Topics().contains(number)) {
        const QString name = Dialogs::appTitle().toHtmlEscaped();
        ok = FileExists(path) ||
             WriteFileAtomic(path, toCp1252(QString::fromLatin1(kOtherTopicPage).arg(name, QString::number(number))));
    }
    return ok ? ResolvePath(path) : QString();
}

bool ShowTopic(int number)
{
    const QString path = TopicPage(number);
    return !path.isEmpty() && Shell::Open(path);
}

bool ShowMenuTopic(int index)
{
    if (index < 0 || index >= int(MenuTopics().size()))
        return false;
    return ShowTopic(MenuTopics()[std::size_t(index)]);
}

} // namespace Help
