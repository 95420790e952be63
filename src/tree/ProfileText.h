#pragma once

#include <QDateTime>
#include <QString>

// The company profile as plain text, for the tree's tool tip.

// The profile text of a profile page: the lines joined with nothing between
// them, the part from the first "hr" up to the next "<hr", tags stripped,
// "&amp;" made "&", trimmed. Empty when a marker is missing.
QString ProfileTextOf(const QString& page);

// The cache page the profile of symbol is stored in (AppPath & "\Cache\DataSheet\"
// and the file the profile's download writes, symbol & "_P.Sh"); empty for a
// symbol that cannot be part of a file name.
QString ProfilePagePath(const QString& symbol);

// The profile text of CurrentSymbol read from its cache page; empty when no stock
// is current or the page is missing or unreadable.
QString GetProfileText();

// GetProfileText for a caller that asks on every mouse move: the page is read
// again only when the current symbol, the program folder or the page itself
// (its time stamp or size, or its appearing or going) has changed since the last
// read. Looking costs a file-status call or two, never a read.
//
// File times move in coarse steps, so a page rewritten within the same step as
// the last look would keep its stamp: while the page or its folder changed less
// than RacyMs before the last look, the page is read again on every call, until
// it has been quiet that long.
class ProfileTextCache
{
public:
    static constexpr qint64 RacyMs = 2000;

    QString text();
    int reads() const { return m_reads; }   // how often a page was actually read
    void invalidate() { m_valid = false; }

private:
    struct Stamp
    {
        bool exists = false;
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);

    static bool recent(const Stamp& stamp, const QDateTime& now);

    bool m_valid = false;
    bool m_racy = false;     // a stamp too young to be trusted
    QString m_symbol;
    QString m_folder;        // the cache folder as resolved on disk
    Stamp m_folderStamp;     // a page appearing under any spelling changes the folder
    QString m_file;          // the page as resolved on disk ("" when it was missing)
    Stamp m_fileStamp;
    QString m_text;
    int m_reads = 0;
};
