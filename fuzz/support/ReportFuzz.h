#pragma once

// What the report targets share: the input as a cached page, each member's page
// built from it (nothing written or opened), and the promises every report keeps:
// it ends with the footer, a data-sheet member's page either is the footer alone
// or starts with the page head, and no text of the page reaches the report as
// markup (cells lose their tags and data texts are escaped).

#include "FuzzSupport.h"

#include "platform/Clock.h"
#include "reports/Reports.h"

#include <initializer_list>

namespace fuzz {

inline void buildReports(const QByteArray& input, std::initializer_list<const char*> codes)
{
    // One footer for every report of the run: the clock stands still.
    Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    const QString page = fromCp1252(input);
    const QString footer = Reports::Footer();
    for (const char* code : codes) {
        const QString out = Reports::BuildPage(QLatin1String(code), page, QStringLiteral("Name <&>"));
        check(out.endsWith(footer), "the report ends with the footer");
        check(out == footer || out.startsWith(QStringLiteral("<HTML>\r\n")), "a report with rows starts with its head");
        check(!out.contains(QStringLiteral("<script")) && !out.contains(QStringLiteral("<&>")),
              "no text of the page reaches the report as markup");
    }
}

} // namespace fuzz
