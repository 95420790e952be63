#pragma once

#include "reports/SummarySections.h"

#include <QString>

#include <vector>

// The summary page of the selected stock: the profile with its chart, the
// analysts' bar, the latest prices and the chosen data-sheet sections, written to
// Cache/Reports/Summary/<symbol>.htm and opened in the browser. Holds no state
// between calls but the progress sink it reports to.
class Summery
{
public:
    explicit Summery(summary::Progress& progress) : m_progress(progress) {}

    // Builds, writes and opens the page of CurrentSymbol; a section is built only
    // when its flag is 1. A symbol that cannot be part of a file name writes
    // nothing (and says so); an error that ends the build is logged and writes nothing.
    void GanarateHTML(const summary::Flags& flags);
    // The page GanarateHTML writes, without writing it.
    QString BuildPage(const summary::Flags& flags);
    // The same page as the texts that make it up, in order.
    std::vector<QString> PagePieces(const summary::Flags& flags);

    static QString Table(const QString& width, const QString& border, const QString& spacing, const QString& inset);
    static QString Table1(const QString& headline, const QString& data);
    // Labels and values go in as given: the caller escapes data texts.
    static QString RowPrice(const QString& label1, const QString& value1, const QString& label2,
                            const QString& value2);
    // The Latest Prices box of the row at CurrentIndex.
    QString TablePrice();

    // The profile text of the stock's cached profile page.
    QString S_Profile();
    // The chart cell: the three-month chart while a connection is up.
    QString ProfileChart();
    // The analysts' recommendation bar; "" for a stock without a rating.
    QString S_AR();
    // The page's last lines.
    static QString ClosingBlock();

private:
    summary::Progress& m_progress;
};
