// The arguments the update run passes per update box, read from the members of the
// page catalogue, and the day the movers lists are asked for.
#include "retrieval/Downloaders.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/Clock.h"
#include "platform/Runtime.h"

namespace {

// The member of kind id that box item fetches; nullptr when the box belongs to
// another kind or to none.
const pages::Member* memberOf(pages::PageId id, int item)
{
    const pages::Member* member = nullptr;
    const pages::Download* d = pages::DownloadOfItem(item, &member);
    for (const pages::Download& own : pages::Kind(id).downloads)
        if (&own == d)
            return member;
    return nullptr;
}

} // namespace

std::optional<BigMoversArgs> BigMoversForItem(int item)
{
    const pages::Member* m = memberOf(pages::PageId::BigMovers, item);
    if (!m)
        return std::nullopt;
    return BigMoversArgs{m->report, m->code, m->exchange, m->title};
}

std::optional<ScreenListArgs> ScreenListForItem(int item)
{
    const pages::Member* m = memberOf(pages::PageId::ScreenLists, item);
    if (!m)
        return std::nullopt;
    return ScreenListArgs{m->report, m->code, m->exchange, m->title};
}

QString FundKeyForItem(int item)
{
    const pages::Member* m = memberOf(pages::PageId::Funds, item);
    return m ? m->code : QString();
}

std::pair<QString, QString> FundPage(const QString& key)
{
    for (const pages::Download& d : pages::Kind(pages::PageId::Funds).downloads)
        for (const pages::Member& m : d.members)
            if (m.code == key)
                return {m.page, m.title};
    return {};
}

QString BigMoversDate()
{
    // The lists of the US markets are complete the next day; a user in another zone
    // sets "US" and asks for today's lists.
    const QVariant us = mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ZA1Key),
                                                QLatin1String(Settings::US));
    bool yesterday = !us.isValid() || us.toString().trimmed().isEmpty();
    if (!yesterday && rt::IsNumeric(us))
        yesterday = rt::CDbl(us) == 0;
    QDate day = Clock::Now().date();
    if (yesterday)
        day = day.addDays(-1);
    return day.toString(QStringLiteral("yyyyMMdd"));
}
