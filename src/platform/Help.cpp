#include "Help.h"

#include "AppPath.h"
#include "Codec.h"
#include "Dialogs.h"
#include "Shell.h"

namespace {

// The page every topic gets until the help text is written topic by topic.
constexpr const char* kTopicPage =
    "<!DOCTYPE html>\n"
    "<html><head><meta charset=\"windows-1252\"><title>%1 Help - Topic %2</title></head>\n"
    "<body style=\"font-family: sans-serif\">\n"
    "<h1>%1 Help</h1>\n"
    "<p>Topic %2.</p>\n"
    "<p>The help for this topic is not written yet. Most windows of %1 explain their boxes in their "
    "own captions; the Options window holds every setting.</p>\n"
    "</body></html>\n";

} // namespace

namespace Help {

QString TopicPage(int number)
{
    const QString folder = AppPath() + QStringLiteral("/Cache/Reports/Help");
    const QString path = folder + QStringLiteral("/topic") + QString::number(number) + QStringLiteral(".html");
    if (FileExists(path))
        return ResolvePath(path);
    const QString name = Dialogs::appTitle().toHtmlEscaped();
    const QString page = QString::fromLatin1(kTopicPage).arg(name, QString::number(number));
    if (!MakeDir(folder) || !WriteFileAtomic(path, toCp1252(page)))
        return QString();
    return ResolvePath(path);
}

bool ShowTopic(int number)
{
    const QString path = TopicPage(number);
    return !path.isEmpty() && Shell::Open(path);
}

} // namespace Help
