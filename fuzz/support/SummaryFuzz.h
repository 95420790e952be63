#pragma once

// What the summary targets share: the input as a cached page, the named sections
// of the summary page built from it (the size question of the options is
// answered OK), and the promises every section keeps: no text of the page
// reaches the box as markup (cells lose their tags and data texts are escaped),
// and the same page gives the same box.

#include "FuzzSupport.h"

#include "reports/SummarySections.h"

#include <initializer_list>

namespace fuzz {

inline void buildSections(const QByteArray& input, std::initializer_list<const char*> names)
{
    const QString page = fromCp1252(input);
    summary::QuietProgress progress;
    for (const char* name : names) {
        const summary::Section* section = summary::FindSection(name);
        check(section != nullptr, "the section is in the table");
        const QString box = summary::BuildSection(*section, page, progress);
        check(!box.contains(QStringLiteral("<script")) && !box.contains(QStringLiteral("<&>")),
              "no text of the page reaches the box as markup");
        check(box == summary::BuildSection(*section, page, progress), "the same page gives the same box");
    }
}

} // namespace fuzz
