#include "core/UpdateChoices.h"

#include "core/Settings.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

using P = UpdatePage;
using X = ExchangeColumn;

// The boxes that fetch no page (their catalogue has no row): two rows of the
// exchange grid, three boxes each, and one box of the market page.
struct QuietRow
{
    int firstItem;
    const char* caption;
    UpdatePage page;
    int gridRow;  // -1: one box outside the grid
};

const QuietRow kQuiet[] = {
    {44, "Most Recent Corporate Earnings", P::DailyConsultation, 8},
    {47, "Largest Short Interest", P::DailyConsultation, 9},
    {59, "Broad Market Overviews *", P::MarketData, -1},
};

// The columns of a grid row's boxes, left to right (NASDAQ, NYSE, AMEX); only the
// AMEX box carries the row's caption.
constexpr X kGridColumns[3] = {X::NASDAQ, X::NYSE, X::AMEX};

std::array<UpdateItem, UpdateChoices::Count> buildItems()
{
    std::array<UpdateItem, UpdateChoices::Count> items{};
    for (int i = 0; i < UpdateChoices::Count; ++i) {
        UpdateItem& it = items[std::size_t(i)];
        it.index = i;
        const pages::Member* m = nullptr;
        const pages::Download* d = pages::DownloadOfItem(i, &m);
        if (!d)
            continue;
        it.page = d->updatePage;
        it.procedure = d->procedure;
        it.caption = d->caption;
        if (m) {
            if (!m->caption.isEmpty() || m->gridRow >= 0)
                it.caption = m->caption;
            it.gridRow = m->gridRow;
            it.column = m->column;
            it.rowCaption = m->rowCaption;
        }
    }
    for (const QuietRow& q : kQuiet) {
        const int boxes = q.gridRow < 0 ? 1 : 3;
        for (int k = 0; k < boxes; ++k) {
            UpdateItem& it = items[std::size_t(q.firstItem + k)];
            it.page = q.page;
            it.caption = QString::fromLatin1(q.caption);
            if (q.gridRow < 0)
                continue;
            it.gridRow = q.gridRow;
            it.column = kGridColumns[k];
            it.rowCaption = it.caption;
            if (it.column != X::AMEX)
                it.caption.clear();
        }
    }
    return items;
}

bool validIndex(int n)
{
    return n >= 0 && n < UpdateChoices::Count;
}

} // namespace

const std::array<UpdateItem, UpdateChoices::Count>& UpdateChoices::items()
{
    static const std::array<UpdateItem, Count> table = buildItems();
    return table;
}

const UpdateItem& UpdateChoices::item(int n)
{
    if (!validIndex(n))
        throw std::out_of_range("update item out of range");
    return items()[std::size_t(n)];
}

QString UpdateChoices::displayCaption(int n)
{
    const UpdateItem& it = item(n);
    QString text = it.caption;
    if (text.isEmpty() && it.column != ExchangeColumn::None) {
        const char* exchange = it.column == ExchangeColumn::NASDAQ ? " (NASDAQ)"
                               : it.column == ExchangeColumn::NYSE ? " (NYSE)"
                                                                   : " (AMEX)";
        text = it.rowCaption + QString::fromLatin1(exchange);
    }
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

bool UpdateChoices::fetches(int n)
{
    return validIndex(n) && !items()[std::size_t(n)].procedure.isEmpty();
}

QList<int> UpdateChoices::pageItems(UpdatePage page)
{
    QList<int> list;
    for (const UpdateItem& it : items())
        if (it.page == page)
            list << it.index;
    return list;
}

QList<int> UpdateChoices::columnItems(ExchangeColumn column)
{
    // In the order of the rows, top to bottom.
    std::vector<const UpdateItem*> boxes;
    if (column != ExchangeColumn::None)
        for (const UpdateItem& it : items())
            if (it.column == column)
                boxes.push_back(&it);
    std::stable_sort(boxes.begin(), boxes.end(),
                     [](const UpdateItem* a, const UpdateItem* b) { return a->gridRow < b->gridRow; });
    QList<int> list;
    for (const UpdateItem* it : boxes)
        list << it->index;
    return list;
}

UpdateChoices::UpdateChoices() = default;

void UpdateChoices::ensureLoaded()
{
    if (!m_loaded)
        load();
}

int UpdateChoices::value(int n)
{
    if (!validIndex(n))
        return Unticked;
    ensureLoaded();
    return m_values[std::size_t(n)];
}

bool UpdateChoices::isTicked(int n)
{
    return value(n) == Ticked;
}

void UpdateChoices::setValue(int n, int value)
{
    if (!validIndex(n))
        return;
    ensureLoaded();
    m_values[std::size_t(n)] = (value == Ticked || value == Greyed) ? value : Unticked;
}

void UpdateChoices::setTicked(int n, bool ticked)
{
    setValue(n, ticked ? Ticked : Unticked);
}

void UpdateChoices::setTicked(const QList<int>& list, bool ticked)
{
    for (int n : list)
        setTicked(n, ticked);
}

int UpdateChoices::tickedCount()
{
    ensureLoaded();
    int count = 0;
    for (int v : m_values)
        if (v == Ticked)
            ++count;
    return count;
}

bool UpdateChoices::anyTicked()
{
    return tickedCount() > 0;
}

void UpdateChoices::load()
{
    for (int n = 0; n < Count; ++n) {
        const QString text = Settings::GetSetting(Settings::UpdateValueName(n)).trimmed();
        int v = Unticked;
        if (text.isEmpty())
            v = Ticked;
        else if (text == QLatin1String("1"))
            v = Ticked;
        else if (text == QLatin1String("2"))
            v = Greyed;
        m_values[std::size_t(n)] = v;
    }
    m_loaded = true;
}

void UpdateChoices::save()
{
    ensureLoaded();
    for (int n = 0; n < Count; ++n)
        Settings::SaveSetting(Settings::UpdateValueName(n), QString::number(m_values[std::size_t(n)]));
}

void UpdateChoices::unload()
{
    m_loaded = false;
}

UpdateChoices& updateChoices()
{
    static UpdateChoices choices;
    return choices;
}
