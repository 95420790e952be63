#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The headline query window Reuters without its widgets: up to five symbols, a
// length ("24 Hours", "7 Days", "30 Dayes") and a day/month range become one
// address of the news site's headline page. Dates are worked out on real dates:
// a range that starts in the previous month or year says so.
class HeadlineQuery
{
public:
    static constexpr int SymbolCount = 5;
    static QStringList lengthEntries();
    // The symbol boxes' placeholder text (shown, never sent).
    static QString symbolPlaceholder();

    std::array<QString, SymbolCount> txtSymbol;
    QString txtFromDay;
    QString txtFromMonth;
    QString txt_ToDay;
    QString txt_ToMonth;

    int lengthIndex() const { return m_lengthIndex; }
    std::int16_t NewsLength() const { return m_newsLength; }

    // Opening on today: "7 Days" chosen, the range from seven days back to today.
    void Form_Load(const QDate& today);
    void cboLength_Click(int index, const QDate& today);

    // The focus and typing rules of the boxes.
    void txtSymbol_LostFocus(int Index);
    void txtFromDay_LostFocus() { dayLostFocus(txtFromDay); }
    void txt_ToDay_LostFocus() { dayLostFocus(txt_ToDay); }
    void txtFromMonth_Change() { monthChange(txtFromMonth); }
    void txt_ToMonth_Change() { monthChange(txt_ToMonth); }
    void txtFromMonth_LostFocus() { padOne(txtFromMonth); }
    void txt_ToMonth_LostFocus() { padOne(txt_ToMonth); }

    // The symbols sent: the non-empty first box, then each of boxes 2-5 longer than
    // two characters, joined by "+".
    QString SymbolList() const;
    // Fills the empty date boxes from today, then the address.
    QString HeadlineAddress(const QDate& today);
    // "Query": asks for a connection and opens the address; returns it ("" when
    // not connected).
    QString QueryNews(const QDate& today);

private:
    static void dayLostFocus(QString& box);
    static void monthChange(QString& box);
    static void padOne(QString& box);
    // The end of the range: the to-boxes (or today) in the latest year that does not
    // put it after today.
    QDate toDate(const QDate& today) const;

    int m_lengthIndex = -1;
    std::int16_t m_newsLength = 0;
};
