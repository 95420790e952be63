// The update boxes as the page catalogue's downloads give them: each box belongs to
// one page (or to none), and each cell of the exchange grid holds one box.
#include "core/UpdateChoices.h"
#include "pages/PageCatalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(UpdateBoxes, EachBoxIsFetchedByOneRowAtMost)
{
    // A box claimed twice would be fetched by the first row alone, silently.
    std::map<int, int> claims;
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::Download& d : kind.downloads) {
            if (d.firstItem < 0)
                continue;
            ASSERT_LE(d.firstItem, d.lastItem) << d.procedure.toStdString();
            std::set<int> members;
            for (const pages::Member& m : d.members) {
                EXPECT_GE(m.item, d.firstItem) << m.code.toStdString();
                EXPECT_LE(m.item, d.lastItem) << m.code.toStdString();
                EXPECT_TRUE(members.insert(m.item).second) << m.code.toStdString();
            }
            for (int item = d.firstItem; item <= d.lastItem; ++item) {
                ++claims[item];
                // A listed row's boxes each fetch a member.
                if (!d.members.empty()) {
                    EXPECT_TRUE(members.count(item)) << d.procedure.toStdString() << " " << item;
                }
            }
        }
    for (const auto& [item, count] : claims) {
        EXPECT_GE(item, 0);
        EXPECT_LT(item, UpdateChoices::Count);
        EXPECT_EQ(count, 1) << "box " << item;
    }
}

TEST(UpdateBoxes, AnAskedSpellingNamesTheWrittenFile)
{
    // The reader finds the page only when the names differ in letter case alone.
    int asked = 0;
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::Download& d : kind.downloads)
            if (!d.askedFileName.isEmpty()) {
                ++asked;
                EXPECT_EQ(d.askedFileName.compare(d.fileName, Qt::CaseInsensitive), 0)
                    << d.askedFileName.toStdString();
            }
    EXPECT_GE(asked, 1);
}

TEST(UpdateBoxes, EachCellOfTheExchangeGridHoldsOneBox)
{
    std::map<std::pair<int, ExchangeColumn>, int> cells;
    for (const UpdateItem& it : UpdateChoices::items()) {
        EXPECT_EQ(it.gridRow < 0, it.column == ExchangeColumn::None) << it.index;
        EXPECT_TRUE(it.page == UpdatePage::DailyConsultation || it.gridRow < 0) << it.index;
        if (it.gridRow >= 0)
            ++cells[{it.gridRow, it.column}];
        // Every box has a caption to show.
        EXPECT_FALSE(UpdateChoices::displayCaption(it.index).isEmpty()) << it.index;
    }
    EXPECT_EQ(cells.size(), 13u * 3u);
    for (const auto& [cell, count] : cells)
        EXPECT_EQ(count, 1) << "row " << cell.first;
}

} // namespace
