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

#include <exception>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcText, "tradewright.core.text")
Q_LOGGING_CATEGORY(lcPointer, "tradewright.core.pointer")

const QString kCrLf = QStringLiteral("\r\n");

// Every occurrence, case-sensitive, in the caller's own text.
void replaceAll(QString& text, const QString& find, const QString& with)
{
    if (!find.isEmpty() && !text.isEmpty())
        text.replace(find, with, Qt::CaseSensitive);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

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
    try {
        if (table) {
            replaceAll(text, QStringLiteral("Table"), QStringLiteral("table"));
            replaceAll(text, QStringLiteral("TABLE"), QStringLiteral("table"));
        }
        if (td) {
            replaceAll(text, QStringLiteral("Td"), QStringLiteral("td"));
            replaceAll(text, QStringLiteral("TD"), QStringLiteral("td"));
        }
        if (tr) {
            replaceAll(text, QStringLiteral("Tr"), QStringLiteral("tr"));
            replaceAll(text, QStringLiteral("TR"), QStringLiteral("tr"));
        }
        if (th) {
            replaceAll(text, QStringLiteral("Th"), QStringLiteral("th"));
            replaceAll(text, QStringLiteral("TH"), QStringLiteral("th"));
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
        replaceAll(page, QStringLiteral("<TABLE"), QStringLiteral("<table"));
        replaceAll(page, QStringLiteral("<Table"), QStringLiteral("<table"));

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
            replaceAll(cell, QStringLiteral("<br>"), kCrLf);
        if (amps)
            replaceAll(cell, QStringLiteral("&amp;"), QStringLiteral("&"));
        if (link) {
            replaceAll(cell, QStringLiteral("A HREF"), QStringLiteral("A href"));
            replaceAll(cell, QStringLiteral("A Href"), QStringLiteral("A href"));
            replaceAll(cell, QStringLiteral("a href"), QStringLiteral("A href"));
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
            replaceAll(text, word, word.toLower());
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
