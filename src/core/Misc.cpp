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

namespace {

Q_LOGGING_CATEGORY(lcPointer, "tradewright.core.pointer")

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
