#include "weblinks/HeadlineQuery.h"

#include "core/Misc.h"
#include "platform/Runtime.h"
#include "platform/Sites.h"
#include "weblinks/WebAddresses.h"

#include <algorithm>

namespace {

const char* const kLengths[] = {"24 Hours", "7 Days", "30 Dayes"};

QString dd(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A box's whole number; fallback when it holds none.
int number(const QString& text, int fallback)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : fallback;
}

} // namespace

QStringList HeadlineQuery::lengthEntries()
{
    return {QLatin1String(kLengths[0]), QLatin1String(kLengths[1]), QLatin1String(kLengths[2])};
}

QString HeadlineQuery::symbolPlaceholder()
{
    return QStringLiteral("Enter Stock Symbol");
}

void HeadlineQuery::Form_Load(const QDate& today)
{
    cboLength_Click(1, today);
    const QDate from = today.addDays(-7);
    txtFromDay = QString::number(from.day());
    txtFromMonth = dd(from.month());
    txt_ToMonth = dd(today.month());
    txt_ToDay = dd(today.day());
}

QDate HeadlineQuery::toDate(const QDate& today) const
{
    const int month = std::clamp(number(txt_ToMonth, today.month()), 1, 12);
    int year = today.year();
    if (month > today.month())
        --year;
    const int days = QDate(year, month, 1).daysInMonth();
    const int day = std::clamp(number(txt_ToDay, today.day()), 1, days);
    return QDate(year, month, day);
}

void HeadlineQuery::cboLength_Click(int index, const QDate& today)
{
    if (index < 0 || index > 2)
        return;
    m_lengthIndex = index;
    m_newsLength = std::int16_t(rt::Val(rt::Trim(QLatin1String(kLengths[index]).left(2))));
    switch (m_newsLength) {
    case 7: {
        const QDate from = today.addDays(-7);
        txtFromDay = QString::number(from.day());
        txtFromMonth = dd(from.month());
        break;
    }
    case 24: {
        const QDate from = toDate(today).addDays(-1);
        txtFromDay = QString::number(from.day());
        txtFromMonth = dd(from.month());
        break;
    }
    case 30: {
        // The same day of the previous month, or that month's last day.
        const QDate to = toDate(today);
        const QDate first = QDate(to.year(), to.month(), 1).addMonths(-1);
        const int day = std::clamp(number(txtFromDay, to.day()), 1, first.daysInMonth());
        txtFromDay = QString::number(day);
        txtFromMonth = dd(first.month());
        break;
    }
    default:
        break;
    }
    padOne(txtFromDay);
    padOne(txtFromMonth);
}

void HeadlineQuery::txtSymbol_LostFocus(int Index)
{
    if (Index >= 0 && Index < SymbolCount)
        txtSymbol[std::size_t(Index)] = txtSymbol[std::size_t(Index)].toUpper();
}

void HeadlineQuery::dayLostFocus(QString& box)
{
    if (!rt::IsNumeric(QVariant(box)))
        box.clear();
    else
        padOne(box);
}

void HeadlineQuery::monthChange(QString& box)
{
    if (!box.isEmpty() && !rt::IsNumeric(QVariant(box)))
        box.clear();
}

void HeadlineQuery::padOne(QString& box)
{
    if (box.size() == 1)
        box.prepend(QLatin1Char('0'));
}

QString HeadlineQuery::SymbolList() const
{
    QStringList symbols;
    if (!txtSymbol[0].isEmpty())
        symbols << WebLinks::QueryValue(txtSymbol[0]);
    for (int i = 1; i < SymbolCount; ++i)
        if (txtSymbol[std::size_t(i)].size() > 2)
            symbols << WebLinks::QueryValue(txtSymbol[std::size_t(i)]);
    return symbols.join(QLatin1Char('+'));
}

QString HeadlineQuery::HeadlineAddress(const QDate& today)
{
    if (txtFromDay.isEmpty() || txtFromMonth.isEmpty()) {
        const QDate from = today.addDays(-7);
        if (txtFromDay.isEmpty())
            txtFromDay = QString::number(from.day());
        if (txtFromMonth.isEmpty())
            txtFromMonth = dd(from.month());
    }
    if (txt_ToMonth.isEmpty())
        txt_ToMonth = dd(today.month());
    if (txt_ToDay.isEmpty())
        txt_ToDay = dd(today.day());
    using WebLinks::QueryValue;
    return Sites::Address(Site::HeadlineNews,
                          QStringLiteral("/News/NewsHeadlines.asp?FLUSH=Y&symbol=") + SymbolList() +
                              QStringLiteral("&prev_symbol=&length=") + QString::number(m_newsLength) +
                              QStringLiteral("&time=range&month_from=") + QueryValue(txtFromMonth) +
                              QStringLiteral("&day_from=") + QueryValue(txtFromDay) + QStringLiteral("&month_to=") +
                              QueryValue(txt_ToMonth) + QStringLiteral("&day_to=") + QueryValue(txt_ToDay));
}

QString HeadlineQuery::QueryNews(const QDate& today)
{
    const QString address = HeadlineAddress(today);
    if (!AskConnect())
        return QString();
    OpenURL(address);
    return address;
}
