// The 99 update items: the table the Options window shows and the run walks, and
// their values in the settings Update0 .. Update98.
#include "UpdateRunFixture.h"

#include "retrieval/Downloaders.h"

namespace {

QList<int> range(int from, int to)
{
    QList<int> list;
    for (int n = from; n <= to; ++n)
        list << n;
    return list;
}

using UpdateChoicesTest = UpdateRunTest;

TEST(UpdateItems, CaptionsPagesAndGridPlaces)
{
    struct Case
    {
        int item;
        const char* caption;   // as stored
        const char* shown;     // displayCaption
        UpdatePage page;
        int gridRow;
        ExchangeColumn column;
        const char* procedure;
    };
    const Case cases[] = {
        {0, "Update Recommendation Graph", "Update Recommendation Graph", UpdatePage::StocksData, -1,
         ExchangeColumn::None, "UpdateRec"},
        {6, "Update Quarterly Reports ", "Update Quarterly Reports ", UpdatePage::StocksData, -1, ExchangeColumn::None,
         "UpdateQR"},
        {15, "Top 25  Earnings Surprises", "Top 25  Earnings Surprises", UpdatePage::DailyConsultation, -1,
         ExchangeColumn::None, "UpdateSurp"},
        {20, "", "Largest % Gain In Price (NASDAQ)", UpdatePage::DailyConsultation, 0, ExchangeColumn::NASDAQ,
         "UpdateBigMovers"},
        {22, "Largest % Gain In Price", "Largest % Gain In Price", UpdatePage::DailyConsultation, 0,
         ExchangeColumn::AMEX, "UpdateBigMovers"},
        {45, "", "Most Recent Corporate Earnings (NYSE)", UpdatePage::DailyConsultation, 8, ExchangeColumn::NYSE, ""},
        {49, "Largest Short Interest", "Largest Short Interest", UpdatePage::DailyConsultation, 9,
         ExchangeColumn::AMEX, ""},
        {59, "Broad Market Overviews *", "Broad Market Overviews *", UpdatePage::MarketData, -1, ExchangeColumn::None,
         ""},
        {68, "Smith Barney Mutual && Money Market Funds", "Smith Barney Mutual & Money Market Funds", UpdatePage::Funds,
         -1, ExchangeColumn::None, "UpdateFunds"},
        {88, "Short Interest ", "Short Interest ", UpdatePage::StocksData, -1, ExchangeColumn::None,
         "UpdateShortInterest"},
        {93, "", "Most Active by Price Up (NYSE)", UpdatePage::DailyConsultation, 11, ExchangeColumn::NYSE,
         "UpdateScreenLists"},
        {98, "Today's Broker Reports / Bloomberg Analysts Recommendations ",
         "Today's Broker Reports / Bloomberg Analysts Recommendations ", UpdatePage::MarketData, -1,
         ExchangeColumn::None, "UpdateTodayBrokerReports"},
    };
    for (const Case& c : cases) {
        const UpdateItem& it = UpdateChoices::item(c.item);
        EXPECT_EQ(it.index, c.item);
        EXPECT_EQ(it.caption, QString::fromLatin1(c.caption)) << c.item;
        EXPECT_EQ(UpdateChoices::displayCaption(c.item), QString::fromLatin1(c.shown)) << c.item;
        EXPECT_EQ(it.page, c.page) << c.item;
        EXPECT_EQ(it.gridRow, c.gridRow) << c.item;
        EXPECT_EQ(it.column, c.column) << c.item;
        EXPECT_EQ(it.procedure, QString::fromLatin1(c.procedure)) << c.item;
    }
    EXPECT_THROW(UpdateChoices::item(99), std::out_of_range);
    EXPECT_THROW(UpdateChoices::item(-1), std::out_of_range);
}

TEST(UpdateItems, PagesAndColumnsHoldTheirBoxes)
{
    EXPECT_EQ(UpdateChoices::pageItems(UpdatePage::StocksData), range(0, 14) << 88);
    EXPECT_EQ(UpdateChoices::pageItems(UpdatePage::DailyConsultation), range(15, 49) << range(89, 97));
    EXPECT_EQ(UpdateChoices::pageItems(UpdatePage::MarketData), range(50, 60) << range(83, 87) << 98);
    EXPECT_EQ(UpdateChoices::pageItems(UpdatePage::Funds), range(61, 82));
    EXPECT_EQ(UpdateChoices::columnItems(ExchangeColumn::AMEX),
              QList<int>({22, 25, 28, 31, 34, 37, 40, 43, 46, 49, 91, 94, 97}));
    EXPECT_EQ(UpdateChoices::columnItems(ExchangeColumn::NASDAQ),
              QList<int>({20, 23, 26, 29, 32, 35, 38, 41, 44, 47, 89, 92, 95}));
    EXPECT_TRUE(UpdateChoices::columnItems(ExchangeColumn::None).isEmpty());
}

TEST(UpdateItems, EveryBoxWithAPageHasTheDownloaderItNames)
{
    // The choice table and the downloaders' table agree on which box calls what.
    for (int n = 0; n < UpdateChoices::Count; ++n) {
        const bool fetches = UpdateChoices::fetches(n);
        EXPECT_EQ(fetches, !(n >= 44 && n <= 49) && n != 59) << n;
        if (n == 1)
            continue;  // the per-stock price update belongs to the run itself
        EXPECT_EQ(Downloaders::HasDownloader(n), fetches) << n;
        if (fetches) {
            EXPECT_TRUE(Downloaders::UpdateItemCall(n).startsWith(UpdateChoices::item(n).procedure))
                << n << " " << Downloaders::UpdateItemCall(n).toStdString();
        }
    }
}

TEST_F(UpdateChoicesTest, SettingsReadMissingAsTickedAndStoreTheBoxValues)
{
    Settings::SaveSetting(Settings::UpdateValueName(3), "0");
    Settings::SaveSetting(Settings::UpdateValueName(4), "1");
    Settings::SaveSetting(Settings::UpdateValueName(5), "2");    // greyed: shown, not run
    Settings::SaveSetting(Settings::UpdateValueName(6), "yes");  // not a box value

    UpdateChoices& c = updateChoices();
    EXPECT_FALSE(c.isLoaded());
    EXPECT_TRUE(c.isTicked(0));  // the first read loads
    EXPECT_TRUE(c.isLoaded());
    EXPECT_FALSE(c.isTicked(3));
    EXPECT_TRUE(c.isTicked(4));
    EXPECT_EQ(c.value(5), UpdateChoices::Greyed);
    EXPECT_FALSE(c.isTicked(5));
    EXPECT_FALSE(c.isTicked(6));
    EXPECT_EQ(c.tickedCount(), 96);
    EXPECT_FALSE(c.isTicked(99));

    c.setTicked(UpdateChoices::pageItems(UpdatePage::Funds), false);
    c.setTicked(3, true);
    // Nothing is stored until save; forgetting the values reads the settings again.
    EXPECT_EQ(Settings::GetSetting(Settings::UpdateValueName(61)), "");
    c.unload();
    EXPECT_TRUE(c.isTicked(61));
    EXPECT_FALSE(c.isTicked(3));

    c.setTicked(61, false);
    c.setTicked(3, true);
    c.save();
    EXPECT_EQ(Settings::GetSetting(Settings::UpdateValueName(61)), "0");
    EXPECT_EQ(Settings::GetSetting(Settings::UpdateValueName(3)), "1");
    EXPECT_EQ(Settings::GetSetting(Settings::UpdateValueName(5)), "2");
    EXPECT_EQ(Settings::GetSetting(Settings::UpdateValueName(6)), "0");
    EXPECT_EQ(Settings::GetSetting(Settings::UpdateValueName(98)), "1");
    c.unload();
    EXPECT_FALSE(c.isTicked(61));
    EXPECT_TRUE(c.isTicked(3));
}

} // namespace
