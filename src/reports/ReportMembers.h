#pragma once

#include <QString>

// The description of each data-sheet report: what it reads, where it writes, its
// head and table opening, and the builder that lays out its table. The page, the
// file and the subtitle are those of the report's view in the page catalogue; the
// look of the page, its builder and its question are the writer's own.
namespace reports {

// The head (page head and table opening) and the footer a builder frames its rows with.
struct Frame
{
    QString head;
    QString footer;
};

using Builder = QString (*)(const QString& page, const Frame& frame);

struct Member
{
    // From the view's row in the page catalogue.
    QString code;          // the view code the report menus pass
    QString suffix;        // of the cached page in Cache/DataSheet: the one the kind's download writes
    QString folder;        // under Cache/Reports
    QString name;          // after the symbol
    QString subtitle;
    bool mainWindowOnly;   // the zoom window's menu does not offer it
    // The writer's own.
    const char* colour;    // the body colour, "" none
    const char* border;
    const char* spacing;
    const char* padding;
    Builder build;
    const char* question;  // the text asked before a long option list (nullptr: none)
};

// nullptr for a code no report has.
const Member* findMember(const QString& code);

} // namespace reports
