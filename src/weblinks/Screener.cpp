#include "weblinks/Screener.h"

#include "core/Misc.h"
#include "platform/Shell.h"
#include "platform/Sites.h"

namespace Screener {

Criteria::Criteria()
{
    m_selected.fill(-1);
    for (int g = 0; g < GroupCount; ++g)
        m_colours[std::size_t(g)].assign(kGroups[std::size_t(g)].options.size(), Grey);
}

void Criteria::optionClick(int group, int index)
{
    if (group < 0 || group >= GroupCount)
        return;
    auto& colours = m_colours[std::size_t(group)];
    if (index < 0 || index >= int(colours.size()))
        return;
    m_selected[std::size_t(group)] = index;
    colours.assign(colours.size(), Grey);
    colours[std::size_t(index)] = Blue;
}

void Criteria::selectIndustry(int listIndex)
{
    m_industry = listIndex >= 0 && listIndex < IndustryCount ? listIndex : -1;
}

void Criteria::cmdReset_Click()
{
    for (int g : {Analysts, CDY, FYEEG, HEEG, PBV, PEG, PER})
        optionClick(g, 0);
    optionClick(SP, 1);
    selectIndustry(0);
}

QString Criteria::QueryAddress() const
{
    QString query;
    const auto add = [&query](const char* key, int value) {
        query += QLatin1Char('&') + QLatin1String(key) + QLatin1Char('=') + QString::number(value);
    };
    for (int g = 0; g < GroupCount; ++g) {
        const int chosen = m_selected[std::size_t(g)];
        if (chosen > 0)
            add(kGroups[std::size_t(g)].key, chosen);
        if (g == SP && m_industry >= 0)
            add("industry", kIndustries[std::size_t(m_industry)].code);
    }
    return Sites::Address(Site::Screener, QStringLiteral("/basicscreen.asp?noofrecs=25") + query +
                                              QStringLiteral("&name=Select"));
}

QString Criteria::cmdShow_Click() const
{
    if (!AskConnect())
        return QString();
    const QString address = QueryAddress();
    Shell::Open(address);
    return address;
}

} // namespace Screener
