#include "core/Misc.h"

#include "core/ErrorLog.h"
#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <QStringMatcher>

#include <algorithm>
#include <exception>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcText, "tradewright.core.text")
Q_LOGGING_CATEGORY(lcPointer, "tradewright.core.pointer")

const QString kCrLf = QStringLiteral("\r\n");

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

void ReplaceAll(QString& text, const QString& find, const QString& with)
{
    if (find.isEmpty() || text.isEmpty())
        return;
    // The first search without a matcher: most cells hold no match at all.
    qsizetype at = text.indexOf(find);
    if (at < 0)
        return;
    const QStringMatcher matcher(find);
    const qsizetype step = find.size();
    if (with.size() == step) {
        // Same length: the characters change in place, nothing moves.
        QChar* data = text.data();
        do {
            std::copy_n(with.constData(), step, data + at);
            at = matcher.indexIn(text, at + step);
        } while (at >= 0);
        return;
    }
    // Otherwise the text is written anew once, left to right, the matches not
    // overlapping, as QString::replace finds them.
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    do {
        out.append(QStringView(text).sliced(from, at - from));
        out.append(with);
        from = at + step;
        at = matcher.indexIn(text, from);
    } while (at >= 0);
    out.append(QStringView(text).sliced(from));
    text = std::move(out);
}

QString ReadFile(const QString& path)
{
    try {
        return fromCp1252(ReadBytes(path));
    } catch (...) {
        return QString();
    }
}

QString NormaliseTags(QString& text, bool table, bool td, bool tr, bool th)
{
    // Plain text replacements, not tag-aware: "The" in the page body becomes "the"
    // as well, which the parsers that search for lower-case words rely on.
    //
    // Each of "Table", "TABLE", "Td", "TD", "Tr", "TR", "Th", "TH" begins with 'T'
    // and its second letter tells which it can be; none holds a second 'T' and every
    // replacement is lower-case and of the same length. So no replacement makes or
    // spoils another match, and one pass over the 'T's gives what the replacements
    // give one after the other.
    try {
        if (!(table || td || tr || th))
            return text;
        const qsizetype n = text.size();
        QChar* data = nullptr;  // the writable text, once something changes
        qsizetype at = text.indexOf(u'T');
        while (at >= 0 && at + 1 < n) {
            const QChar* read = data ? data : text.constData();
            const char16_t second = read[at + 1].unicode();
            qsizetype length = 0;  // of the match
            bool upper = false;    // every letter lowered, not the 'T' alone
            switch (second) {
            case u'a':
            case u'A':
                if (table && at + 5 <= n) {
                    upper = second == u'A';
                    const char16_t* rest = upper ? u"ABLE" : u"able";
                    if (QStringView(read + at + 1, 4) == QStringView(rest, 4))
                        length = 5;
                }
                break;
            case u'd': length = td ? 2 : 0; break;
            case u'D': length = td ? 2 : 0; upper = true; break;
            case u'r': length = tr ? 2 : 0; break;
            case u'R': length = tr ? 2 : 0; upper = true; break;
            case u'h': length = th ? 2 : 0; break;
            case u'H': length = th ? 2 : 0; upper = true; break;
            default: break;
            }
            if (length > 0) {
                if (!data)
                    data = text.data();
                data[at] = u't';
                if (upper)
                    for (qsizetype k = at + 1; k < at + length; ++k)
                        data[k] = QChar(char16_t(data[k].unicode() + (u'a' - u'A')));
                at += length;
            } else {
                ++at;
            }
            at = text.indexOf(u'T', at);
        }
    } catch (...) {
        qCWarning(lcText) << "NormaliseTags failed; the text goes back as far as it was changed";
    }
    return text;
}

QString CutTable(QString& page, int n)
{
    try {
        // Only the opening tag is evened out here; "</TABLE" is found only after the
        // caller ran NormaliseTags with the table flag.
        ReplaceAll(page, QStringLiteral("<TABLE"), QStringLiteral("<table"));
        ReplaceAll(page, QStringLiteral("<Table"), QStringLiteral("<table"));

        // Each search for the next table starts at the closing tag just found, so a
        // nested table closes its outer one early and counts as the next table.
        int count = 0;
        int pos = 1;
        int start = 0;
        while (count != n) {
            start = rt::InStr(pos, page, QStringLiteral("<table"));
            if (start == 0)
                break;
            pos = rt::InStr(start, page, QStringLiteral("</table"));
            if (pos == 0)
                break;
            ++count;
        }
        return rt::Mid(page, start, pos - start);
    } catch (...) {
        return QString();
    }
}

QString StripTags(QStringView piece)
{
    QString result(piece.size(), Qt::Uninitialized);
    QChar* out = result.data();
    bool outside = false;
    for (const QChar c : piece) {
        if (c == u'<')
            outside = false;
        else if (c == u'>')
            outside = true;
        else if (outside)
            *out++ = c;
    }
    result.truncate(out - result.constData());
    return result;
}

QString CleanCell(QString& cell, bool breaks, bool amps, bool link)
{
    QString result;
    try {
        if (breaks)
            ReplaceAll(cell, QStringLiteral("<br>"), kCrLf);
        if (amps)
            ReplaceAll(cell, QStringLiteral("&amp;"), QStringLiteral("&"));
        if (link) {
            ReplaceAll(cell, QStringLiteral("A HREF"), QStringLiteral("A href"));
            ReplaceAll(cell, QStringLiteral("A Href"), QStringLiteral("A href"));
            ReplaceAll(cell, QStringLiteral("a href"), QStringLiteral("A href"));
            const int p = rt::InStr(cell, QStringLiteral("<A href=\""));
            if (p > 0) {
                const int q = rt::InStr(p, cell, QStringLiteral("\">"));
                if (q > 0)
                    result = rt::Mid(cell, p + 9, q - (p + 9));
            }
            return result;
        }
        result = StripTags(cell);
    } catch (...) {
        qCWarning(lcText) << "a cell's text could not be cleaned; what was taken goes back";
    }
    return result;
}

QString ReplaceWords(QString& text, const QStringList& words)
{
    for (const QString& word : words) {
        try {
            ReplaceAll(text, word, word.toLower());
        } catch (...) {
            qCWarning(lcText).noquote() << "ReplaceWords skipped" << word;
        }
    }
    return text;
}

QString FormatP(QString& s, bool FourDecimals)
{
    try {
        if (s.isEmpty())
            return QStringLiteral("0");
        const QChar last = s.back();

        // "+ 2" and "- 1 3/8" lose the blank after the sign, in the caller's text too.
        if (s.startsWith(u'+') || s.startsWith(u'-')) {
            if (s.size() < 2)
                throw RuntimeError::make(13);  // a sign and nothing else
            if (s[1] == u' ')
                s = s.left(1) + rt::Mid(s, 3);
        }
        if (!isDigit(last))
            return QStringLiteral("0");  // "N/A", "12%", ...

        const int p = rt::InStr(s, QStringLiteral("/"));
        if (p == 0) {
            QString plain = s;
            if (plain.startsWith(u'.'))
                plain = rt::Format(rt::CDbl(QStringLiteral("0") + plain), QStringLiteral("0.00;"));
            return plain;
        }

        const double d = rt::CInt(rt::Mid(s, p + 1));
        const int q = rt::InStr(s, QStringLiteral(" "));
        QString result;
        if (q == 0) {
            const double n = rt::CInt(rt::Left(s, p - 1));
            if (d == 0)
                throw RuntimeError::make(11);
            result = rt::Format(n / d, FourDecimals ? QStringLiteral("#,##0.0000;") : QStringLiteral("#,##0.00;"));
        } else {
            const QString wholeText = rt::Left(rt::Trim(s), q);
            const double w = rt::CInt(wholeText);
            const double n = rt::CInt(rt::Mid(s, q, p - q));
            if (d == 0)
                throw RuntimeError::make(11);
            // The sign of a mixed number belongs to the whole value: "-1 3/8" is
            // -1.375, not -1 + 0.375.
            const bool negative = rt::Trim(wholeText).startsWith(u'-');
            const double value = negative ? w - n / d : w + n / d;
            result = rt::Format(value, FourDecimals ? QStringLiteral("0.0000;") : QStringLiteral("0.00;"));
        }
        if (result.startsWith(u'.'))
            result = rt::Format(rt::CDbl(QStringLiteral("0") + result), QStringLiteral("0.00;"));
        return result;
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("Misc_FormatP"), false);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 7, QStringLiteral("Tradewright"), QStringLiteral("Misc_FormatP"),
                 false);
    }
    return QString();
}

double ToDouble(QVariant& value)
{
    try {
        if (!rt::IsNumeric(value))
            value = QVariant(0);
        if (!value.isValid())
            return 0;
        if (value.metaType().id() == QMetaType::QString && value.toString().isEmpty())
            return 0;
        const double d = rt::CDbl(value);
        return d == 0 ? 0 : d;
    } catch (...) {
        return 0;
    }
}

double ToDouble(const QString& value)
{
    QVariant v(value);
    return ToDouble(v);
}

void OpenURL(const QString& address)
{
    bool cursorSet = false;
    try {
        if (AskConnect()) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            cursorSet = true;
            Shell::Open(address);
            QCoreApplication::processEvents();
        }
    } catch (...) {
        // Nothing is reported: the pointer is put back below in every case.
        qCWarning(lcPointer) << "the pointer could not be changed";
    }
    if (cursorSet)
        QGuiApplication::restoreOverrideCursor();
}

void EmptyProc()
{
}
