#pragma once

#include <QString>

// The description of each data-sheet report: what it reads, where it writes, its
// head and table opening, and the builder that lays out its table.
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
    const char* code;      // the view code the report menus pass
    const char* suffix;    // of the cached page in Cache/DataSheet
    const char* folder;    // under Cache/Reports
    const char* name;      // after the symbol
    const char* colour;    // the body colour, "" none
    const char* subtitle;
    const char* border;
    const char* spacing;
    const char* padding;
    Builder build;
    bool mainWindowOnly;   // the zoom window's menu does not offer it
    const char* question;  // the text asked before a long option list (nullptr: none)
};

// nullptr for a code no report has.
const Member* findMember(const QString& code);

} // namespace reports
