// The US indices: the scrape of the cached page into US.dat, and the view of US.dat.
#include "MarketViewFixture.h"

#include "USIndexPage.h"
#include "market/USIndices.h"
#include "stockdata/Stocks.h"

namespace {

class USIndicesTest : public MarketViewTest
{
protected:
    void parse(const QByteArray& page)
    {
        writePage(QStringLiteral("US.Sh"), page);
        Parse_US();
    }

    static QByteArray field(const QString& text)
    {
        const QByteArray bytes = text.toLatin1();
        const quint16 n = quint16(bytes.size());
        return QByteArray(1, char(n & 0xFF)) + QByteArray(1, char(n >> 8)) + bytes;
    }
};

TEST_F(USIndicesTest, EveryFigureIsFoundForwardInTableOrderAndSavedToUSDat)
{
    parse(test::USIndicesPage());
    const auto& t = USIndexes();
    for (int k = 0; k < kUSRows; ++k) {
        SCOPED_TRACE(k);
        const QString n = QString::number(k);
        EXPECT_EQ(t[size_t(k)].TradeTime, "t" + n);
        EXPECT_EQ(t[size_t(k)].LastTrade, "l" + n);
        EXPECT_EQ(t[size_t(k)].PctChange, "p" + n);
        EXPECT_EQ(t[size_t(k)].Extra, "x" + n);
    }
    // The second "Composite" and "Volume in 000's" are the Nasdaq's, and "Composite"
    // is not taken from "65 Composite".
    EXPECT_EQ(t[5].LastTrade, "l5");
    EXPECT_EQ(t[8].LastTrade, "l8");
    EXPECT_EQ(t[9].LastTrade, "l9");
    EXPECT_EQ(t[36].Change, "+36.00");

    // US.dat: the rows in order, five length-prefixed texts each, nothing else.
    QByteArray expected;
    for (const USRec& r : t)
        expected += field(r.LastTrade) + field(r.TradeTime) + field(r.Change) + field(r.PctChange) + field(r.Extra);
    EXPECT_EQ(fileBytes(QStringLiteral("US.dat")), expected);
}

TEST_F(USIndicesTest, AMissingLabelClearsItsRowAndLowerCaseCellsAreNotSeen)
{
    parse(test::USIndicesPage());
    parse(test::USIndicesPage({6}, {36}));
    const auto& t = USIndexes();
    // Yesterday's "Tick" does not show as today's; the rows after it are found.
    EXPECT_EQ(t[6].LastTrade, QString());
    EXPECT_EQ(t[6].Extra, QString());
    EXPECT_EQ(t[7].LastTrade, "l7");
    EXPECT_EQ(t[35].LastTrade, "l35");
    EXPECT_EQ(t[36].LastTrade, QString());
    EXPECT_EQ(t[36].TradeTime, QString());
    ASSERT_TRUE(LoadUS());
    EXPECT_EQ(USIndexes()[6].LastTrade, QString());
    EXPECT_EQ(USIndexes()[7].LastTrade, "l7");
}

TEST_F(USIndicesTest, TheViewShowsSevenGroupsOfUSDatWithArrowsAndLinks)
{
    parse(test::USIndicesPage());
    // What the view before left in rows 0 and 1 goes; a tall row 0 does not make the
    // title rows taller.
    grid().setRows(2);
    grid().setCols(9);
    grid().setTextMatrix(1, 8, QStringLiteral("stale"));
    grid().setRow(1);
    grid().setCol(0);
    grid().setCellPicture(FlexGrid::PictureUp);
    grid().setRowHeight(0, 3 * kBase);

    FlexGrid& g = show(QStringLiteral("US"));
    EXPECT_EQ(CurrentView(), QStringLiteral("US"));
    ASSERT_EQ(g.Rows(), 46);
    ASSERT_EQ(g.Cols(), 9);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"", "Name", "Symbol", "Time", "Last Trade", "Change", "% Change",
                                           "More Information", ""}));
    EXPECT_EQ(rowTexts(g, 1), QStringList(9, QString()));
    EXPECT_EQ(g.cellFormat(1, 0).picture, QString());
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.RowHeight(0), kBase);

    const QMap<int, QString> titles = {{2, "Dow Jones Averages"},  {7, "New York Stock Exchange"},
                                       {12, "Nasdaq"},             {17, "Standard and Poor's"},
                                       {22, "Other U.S. Indices"}, {36, "Treasury Securities (yield x10)"},
                                       {41, "Commodities"}};
    int k = 0;
    for (int r = 2; r < g.Rows(); ++r) {
        SCOPED_TRACE(r);
        if (titles.contains(r)) {
            EXPECT_EQ(g.TextMatrix(r, 1), titles[r]);
            EXPECT_TRUE(g.cellFormat(r, 1).bold);
            EXPECT_EQ(g.RowHeight(r), 2 * kBase);
            EXPECT_EQ(g.cellFormat(r, 7).backColor, 0xFFFFFF);
            continue;
        }
        const QString n = QString::number(k);
        const QString symbol = QLatin1String(USIndexList()[size_t(k)].symbol);
        EXPECT_EQ(rowTexts(g, r), QStringList({"", QLatin1String(USIndexList()[size_t(k)].label), symbol, "t" + n,
                                               "l" + n, USIndexes()[size_t(k)].Change, "p" + n, "x" + n,
                                               USQuoteAddress(symbol)}));
        EXPECT_EQ(picture(g, r), k % 3 == 0 ? FlexGrid::PictureUp : k % 3 == 1 ? FlexGrid::PictureDown : QString());
        EXPECT_EQ(g.cellFormat(r, 2).foreColor, 0xFF0000);
        ++k;
    }
    EXPECT_EQ(k, kUSRows);
    EXPECT_EQ(g.TextMatrix(4, 8), USQuoteAddress(QStringLiteral("^DJT")));
    EXPECT_TRUE(g.TextMatrix(3, 8).endsWith(QStringLiteral("/q?s=^DJI&d=t")));
    EXPECT_EQ(g.ColWidth(8), 0);
    EXPECT_EQ(g.BackColor(), 0xE8FFFF);
}

TEST_F(USIndicesTest, WithoutUSDatTheViewShowsNamesSymbolsAndLinksWithEmptyValues)
{
    FlexGrid& g = show(QStringLiteral("US"));
    ASSERT_EQ(g.Rows(), 46);
    EXPECT_EQ(rowTexts(g, 3), QStringList({"", "30 Industrials", "^DJI", "", "", "", "", "",
                                           USQuoteAddress(QStringLiteral("^DJI"))}));
    EXPECT_EQ(picture(g, 3), QString());
    EXPECT_TRUE(fileExists(QStringLiteral("US.dat")));  // created empty
}

TEST_F(USIndicesTest, InTheZoomWindowTheMainGridIsLeftAlone)
{
    parse(test::USIndicesPage());
    fillMarker();
    ZoomMode() = true;
    FlexGrid& g = show(QStringLiteral("US"));
    EXPECT_NE(&g, &grid());
    EXPECT_EQ(g.Rows(), 46);
    EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("Name"));
    expectMarker();
    EXPECT_FALSE(ZoomMode());
}

} // namespace
