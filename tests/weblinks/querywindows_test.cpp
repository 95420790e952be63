// The query windows without their widgets: the screener's address on the example
// criteria, after Reset and with nothing chosen, its industries and colours; the
// chart explorer's lists, "ChartOpt" defaults, save and restore, slider rules and
// address; the headline query's dates on fixed days (mid-month, early in a month,
// in January) and its symbols; the technical graph's indicators. Each query hands
// exactly one address to the shell.
#include "IsolatedStore.h"

#include "core/mdlRegistry.h"
#include "stockdata/ProgramState.h"
#include "weblinks/ChartExplorer.h"
#include "weblinks/HeadlineQuery.h"
#include "weblinks/Screener.h"
#include "weblinks/TechnicalGraph.h"

#include <QMap>
#include <QSet>

namespace {


// ---- screener -------------------------------------------------------------------

int industryIndex(const char* name)
{
    for (int i = 0; i < Screener::IndustryCount; ++i)
        if (QLatin1String(Screener::kIndustries[std::size_t(i)].name) == QLatin1String(name))
            return i;
    return -1;
}

const QString kScreen = QStringLiteral("http://screener.example/basicscreen.asp?noofrecs=25");

class ScreenerTest : public IsolatedStore
{
};

TEST_F(ScreenerTest, IndustryTableHoldsTheSiteCodes)
{
    using Screener::kIndustries;
    EXPECT_STREQ(kIndustries[0].name, "All Industries");
    EXPECT_EQ(kIndustries[0].code, 0);
    EXPECT_STREQ(kIndustries[206].name, "WIRE & CABLE PRDS");
    QMap<int, int> uses;
    for (const auto& i : kIndustries)
        ++uses[i.code];
    for (int missing : {66, 68, 77, 141, 184})
        EXPECT_FALSE(uses.contains(missing)) << missing;
    EXPECT_EQ(uses[76], 2);
    EXPECT_EQ(uses[164], 2);
    EXPECT_EQ(kIndustries[std::size_t(industryIndex("TOOLS-HAND HELD"))].code, 164);
    EXPECT_EQ(kIndustries[std::size_t(industryIndex("RETAIL-MJR DEPT"))].code, 164);
    EXPECT_EQ(kIndustries[std::size_t(industryIndex("FIN-SBIC&COMMRL"))].code, 76);
    EXPECT_EQ(kIndustries[std::size_t(industryIndex("FOOD-MISC PREP"))].code, 76);
    EXPECT_EQ(kIndustries[std::size_t(industryIndex("BANKS-MAJ REG'L"))].code, 204);
    EXPECT_EQ(uses.size() + 2, Screener::IndustryCount);
}

TEST_F(ScreenerTest, AddressOfTheExampleNothingAndReset)
{
    Screener::Criteria none;
    EXPECT_EQ(none.QueryAddress(), kScreen + "&name=Select");

    Screener::Criteria c;
    c.optionClick(Screener::SP, 1);
    c.selectIndustry(industryIndex("COMP-SOFTWARE"));
    c.optionClick(Screener::PER, 2);
    c.optionClick(Screener::PBV, 0);
    EXPECT_EQ(c.QueryAddress(), kScreen + "&sandp=1&industry=44&pe=2&name=Select");

    c.optionClick(Screener::CDY, 5);
    c.optionClick(Screener::Analysts, 1);
    c.optionClick(Screener::PEG, 6);
    c.optionClick(Screener::HEEG, 4);
    c.optionClick(Screener::FYEEG, 3);
    c.optionClick(Screener::PBV, 5);
    EXPECT_EQ(c.QueryAddress(), kScreen + "&sandp=1&industry=44&book=5&pe=2&est=3&analyst=1&peg=6&hist=4&yield=5"
                                          "&name=Select");

    c.cmdReset_Click();
    EXPECT_EQ(c.QueryAddress(), kScreen + "&sandp=1&industry=0&name=Select");
}

TEST_F(ScreenerTest, ClickedOptionTurnsBlueAndItsGroupGrey)
{
    Screener::Criteria c;
    c.optionClick(Screener::PEG, 2);
    c.optionClick(Screener::PBV, 1);
    c.optionClick(Screener::PBV, 3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(c.colour(Screener::PBV, i), i == 3 ? Screener::Blue : Screener::Grey) << i;
    EXPECT_EQ(c.colour(Screener::PEG, 2), Screener::Blue);
    EXPECT_EQ(c.colour(Screener::SP, 1), Screener::Grey);
    c.cmdReset_Click();
    EXPECT_EQ(c.colour(Screener::SP, 1), Screener::Blue);
    EXPECT_EQ(c.colour(Screener::PBV, 0), Screener::Blue);
    EXPECT_EQ(c.colour(Screener::PBV, 3), Screener::Grey);
}

TEST_F(ScreenerTest, QueryHandsOneAddressToTheShell)
{
    Screener::Criteria c;
    c.cmdReset_Click();
    EXPECT_EQ(c.cmdShow_Click(), kScreen + "&sandp=1&industry=0&name=Select");
    EXPECT_EQ(test::shell().opened, QStringList{kScreen + "&sandp=1&industry=0&name=Select"});
}

// ---- chart explorer -------------------------------------------------------------

class ChartExplorerTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        // The program's start creates its key.
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ProductKey));
        ResetProgramState();
        CurrentSymbol() = QStringLiteral("msft");
    }
    void TearDown() override
    {
        ResetProgramState();
        IsolatedStore::TearDown();
    }
    static QString stored()
    {
        return mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ProductKey),
                                       QStringLiteral("ChartOpt"))
            .toString();
    }
    static void store(const QString& text)
    {
        mdlRegistry::SetKeyValue(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ProductKey),
                                 QStringLiteral("ChartOpt"), text);
    }
};

const QString kChart = QStringLiteral("http://chart-service.example/intchart/frames/chart.asp?symb=");

TEST_F(ChartExplorerTest, FirstOpeningShowsTheDefaultsAndSavesThem)
{
    ChartExplorer w;
    w.Form_Load();
    EXPECT_FALSE(w.saveEnabled());
    EXPECT_EQ(w.entries(ChartExplorer::Disp).value(w.listIndex(ChartExplorer::Disp)), "OHLC");
    EXPECT_EQ(w.entries(ChartExplorer::Index).value(w.listIndex(ChartExplorer::Index)), "NASDAQ");
    EXPECT_EQ(w.entries(ChartExplorer::Frq), QStringList({"1-Minute", "5-Minute", "15-Minute", "Hourly"}));
    EXPECT_EQ(w.entries(ChartExplorer::Low).size(), 27);
    EXPECT_EQ(w.entries(ChartExplorer::Up).size(), 11);
    EXPECT_EQ(w.txtMaval(), "9");
    EXPECT_EQ(w.OptionsText(), ",0,2,0,3,0,0,1,0,9,0,");
    w.cmdSave_Click();
    EXPECT_EQ(stored(), ",0,2,0,3,0,0,1,0,9,0,");
    EXPECT_EQ(w.OpenChart(), kChart + "MSFT&time=1&freq=9&compidx=nasdaq:3291&comp=&uf=0&lf=0&ma=0&maval=9"
                                      "&type=2&style=1&size=2&state=0&rand=881");
    EXPECT_EQ(test::shell().opened.size(), 1);
}

TEST_F(ChartExplorerTest, SavedChoicesAreRestoredWhole)
{
    store(QStringLiteral(",6,8,2,13,26,6,2,10,20,12,"));
    ChartExplorer w;
    w.Form_Load();
    EXPECT_EQ(w.listIndex(ChartExplorer::Back), 6);
    EXPECT_EQ(w.listIndex(ChartExplorer::Disp), 8);
    EXPECT_EQ(w.listIndex(ChartExplorer::Frq), 2);
    EXPECT_EQ(w.listIndex(ChartExplorer::Index), 13);
    EXPECT_EQ(w.listIndex(ChartExplorer::Low), 26);
    EXPECT_EQ(w.txtMaval(), "20");
    EXPECT_EQ(w.sliderPosition(), 12);
    EXPECT_FALSE(w.saveEnabled());
    // The restored slider position is the period sent, the frequency list keeps the
    // restored choice.
    EXPECT_EQ(w.TimeIndex(), 12);
    EXPECT_EQ(w.sliderTip(), "5 Years");
    EXPECT_EQ(w.ChartAddress("msft"), kChart + "MSFT&time=13&freq=7&compidx=xal:13882&comp=&uf=512&lf=4194304&ma=6"
                                               "&maval=20&type=128&style=10&size=3&state=0&rand=881");
    EXPECT_EQ(w.OptionsText(), ",6,8,2,13,26,6,2,10,20,12,");
}

TEST_F(ChartExplorerTest, BadFieldsLeaveTheirControlAlone)
{
    store(QStringLiteral(",x,99,1,"));
    ChartExplorer w;
    w.Form_Load();
    EXPECT_EQ(w.listIndex(ChartExplorer::Back), -1);
    EXPECT_EQ(w.listIndex(ChartExplorer::Disp), -1);
    EXPECT_EQ(w.listIndex(ChartExplorer::Frq), 1);
    EXPECT_EQ(w.txtMaval(), "9");
    EXPECT_EQ(w.ChartAddress(""), kChart + "&time=1&freq=6&compidx=&comp=&uf=0&lf=0&ma=0&maval=9&type=0&style=0"
                                           "&size=0&state=0&rand=881");
}

TEST_F(ChartExplorerTest, SliderMovesAndPeriods)
{
    ChartExplorer w;
    w.Form_Load();
    w.listClick(ChartExplorer::Frq, 3);
    w.Slider1_Scroll(3);
    EXPECT_FALSE(w.intraday());
    EXPECT_EQ(w.entries(ChartExplorer::Frq).value(w.listIndex(ChartExplorer::Frq)), "Daily");
    EXPECT_TRUE(w.saveEnabled());
    w.Slider1_Scroll(6);
    EXPECT_FALSE(w.intraday());
    w.Slider1_Scroll(1);
    EXPECT_TRUE(w.intraday());
    w.Slider1_Scroll(14);
    EXPECT_TRUE(w.intraday());
    EXPECT_EQ(w.listIndex(ChartExplorer::Frq), 0);
    EXPECT_EQ(w.sliderTip(), "All");

    struct Case
    {
        int position;
        int time;
    };
    for (const Case c : {Case{7, 19}, Case{14, 20}, Case{8, 9}, Case{0, 1}, Case{13, 14}}) {
        w.Slider1_Scroll(c.position);
        EXPECT_TRUE(w.ChartAddress("x").contains(QStringLiteral("&time=%1&").arg(c.time))) << c.position;
    }
    w.Slider1_Scroll(7);
    w.ChartAddress("x");
    EXPECT_EQ(w.TimeIndex(), 18);  // the window keeps the changed value
    // Daily frequencies send no code.
    w.Slider1_Scroll(9);
    EXPECT_TRUE(w.ChartAddress("x").contains("&freq=&compidx="));
}

TEST_F(ChartExplorerTest, MovingAverageLengthAndComparison)
{
    ChartExplorer w;
    w.Form_Load();
    w.txtMaval_Change("");
    EXPECT_EQ(w.txtMaval(), "9");
    w.txtMaval_Change("abc");
    EXPECT_EQ(w.txtMaval(), "9");
    w.txtMaval_Change("12");
    EXPECT_EQ(w.txtMaval(), "12");
    w.txtMaval_Change("99999");
    w.txtSbl_Change("dell");
    w.listClick(ChartExplorer::Back, 3);  // "Black": no style of its own
    const QString a = w.ChartAddress("ibm");
    EXPECT_TRUE(a.contains("&comp=dell&")) << a.toStdString();
    EXPECT_TRUE(a.contains("&maval=0&")) << a.toStdString();
    EXPECT_TRUE(a.contains("&style=0&")) << a.toStdString();
    EXPECT_TRUE(a.contains("symb=IBM&")) << a.toStdString();
    w.txtSbl_Change("A&B #1");
    EXPECT_TRUE(w.ChartAddress("ibm").contains("&comp=A%26B%20%231&"));
}

TEST_F(ChartExplorerTest, ResetPutsTheDefaultsBackWithoutSaving)
{
    store(QStringLiteral(",6,8,2,13,26,6,2,10,20,12,"));
    ChartExplorer w;
    w.Form_Load();
    w.ResetChartOptions();
    EXPECT_EQ(w.OptionsText(), ",0,2,0,3,0,0,1,0,9,0,");
    EXPECT_EQ(w.TimeIndex(), 0);
    EXPECT_TRUE(w.saveEnabled());
    EXPECT_EQ(stored(), ",6,8,2,13,26,6,2,10,20,12,");
}

// ---- headline query -------------------------------------------------------------

const QString kNews = QStringLiteral("http://headline-news.example/News/NewsHeadlines.asp?FLUSH=Y&symbol=");

class HeadlineQueryTest : public IsolatedStore
{
};

TEST_F(HeadlineQueryTest, OpeningMidMonth)
{
    HeadlineQuery q;
    q.Form_Load(QDate(2026, 3, 15));
    EXPECT_EQ(q.NewsLength(), 7);
    EXPECT_EQ(q.lengthIndex(), 1);
    EXPECT_EQ(q.txtFromDay, "8");
    EXPECT_EQ(q.txtFromMonth, "03");
    EXPECT_EQ(q.txt_ToMonth, "03");
    EXPECT_EQ(q.txt_ToDay, "15");
    q.txtSymbol[0] = "IBM";
    EXPECT_EQ(q.QueryNews(QDate(2026, 3, 15)),
              kNews + "IBM&prev_symbol=&length=7&time=range&month_from=03&day_from=8&month_to=03&day_to=15");
    EXPECT_EQ(test::shell().opened.size(), 1);
}

TEST_F(HeadlineQueryTest, RangesCrossIntoThePreviousMonthAndYear)
{
    struct Case
    {
        QDate today;
        int length;
        const char* toDay;
        const char* toMonth;
        const char* fromDayBefore;
        const char* fromDay;
        const char* fromMonth;
    };
    const Case cases[] = {
        {QDate(2026, 3, 3), 1, "", "", "", "24", "02"},      // seven days back into February
        {QDate(2026, 1, 5), 1, "", "", "", "29", "12"},      // into December of the year before
        {QDate(2026, 3, 20), 0, "16", "03", "", "15", "03"}, // 24 hours
        {QDate(2026, 3, 20), 0, "01", "03", "", "28", "02"}, // 24 hours from the first
        {QDate(2026, 1, 20), 0, "01", "01", "", "31", "12"},
        {QDate(2024, 3, 31), 2, "31", "03", "31", "29", "02"},  // 30 days, leap year
        {QDate(2026, 3, 31), 2, "31", "03", "31", "28", "02"},
        {QDate(2026, 1, 20), 2, "20", "01", "13", "13", "12"},
        {QDate(2026, 11, 20), 2, "20", "11", "13", "13", "10"},
    };
    for (const Case& c : cases) {
        HeadlineQuery q;
        q.Form_Load(c.today);
        q.txt_ToDay = QLatin1String(c.toDay);
        q.txt_ToMonth = QLatin1String(c.toMonth);
        if (*c.fromDayBefore)
            q.txtFromDay = QLatin1String(c.fromDayBefore);
        q.cboLength_Click(c.length, c.today);
        EXPECT_EQ(q.txtFromDay, QLatin1String(c.fromDay)) << c.today.toString(Qt::ISODate).toStdString() << ' ' << c.length;
        EXPECT_EQ(q.txtFromMonth, QLatin1String(c.fromMonth)) << c.today.toString(Qt::ISODate).toStdString();
    }
    HeadlineQuery q;
    q.Form_Load(QDate(2026, 3, 3));
    EXPECT_EQ(q.txtFromDay, "24");
    EXPECT_EQ(q.txtFromMonth, "02");
    EXPECT_EQ(q.NewsLength(), 7);
    q.cboLength_Click(0, QDate(2026, 3, 3));
    EXPECT_EQ(q.NewsLength(), 24);
    q.cboLength_Click(2, QDate(2026, 3, 3));
    EXPECT_EQ(q.NewsLength(), 30);
}

TEST_F(HeadlineQueryTest, SymbolsAndBoxRules)
{
    HeadlineQuery q;
    q.Form_Load(QDate(2026, 6, 15));
    // Untouched boxes are empty (the placeholder is never sent).
    EXPECT_EQ(q.SymbolList(), "");
    q.txtSymbol[1] = "dell";
    q.txtSymbol_LostFocus(1);
    EXPECT_EQ(q.SymbolList(), "DELL");  // no leading "+"
    q.txtSymbol[0] = "f";
    q.txtSymbol_LostFocus(0);
    q.txtSymbol[2] = "GE";
    q.txtSymbol[3] = "A&B";
    EXPECT_EQ(q.SymbolList(), "F+DELL+A%26B");

    q.txtFromMonth = "1a";
    q.txtFromMonth_Change();
    EXPECT_EQ(q.txtFromMonth, "");
    q.txt_ToDay = "x";
    q.txt_ToDay_LostFocus();
    EXPECT_EQ(q.txt_ToDay, "");
    q.txtFromDay = "5";
    q.txtFromDay_LostFocus();
    EXPECT_EQ(q.txtFromDay, "05");
    q.txt_ToMonth = "7";
    q.txt_ToMonth_LostFocus();
    EXPECT_EQ(q.txt_ToMonth, "07");
    // Empty boxes are filled from today at query time.
    EXPECT_EQ(q.HeadlineAddress(QDate(2026, 6, 15)),
              kNews + "F+DELL+A%26B&prev_symbol=&length=7&time=range&month_from=06&day_from=05&month_to=07&day_to=15");
    EXPECT_EQ(HeadlineQuery::lengthEntries(), QStringList({"24 Hours", "7 Days", "30 Dayes"}));
}

// ---- technical graph ------------------------------------------------------------

const QString kTech = QStringLiteral("http://technical-charts.example/wsc/Technical.html?ind=s,");

TEST(TechnicalGraphTest, EachIndicatorsDefaults)
{
    struct Case
    {
        int option;
        const char* part;
        QStringList params;
        QStringList checks;
    };
    const Case cases[] = {
        {0, "216,30,0,0,0&TESelect=216&Symbol=IBM", {"Legth 30"}, {}},
        {1, "200,18,0,0,0&TESelect=200&Symbol=IBM", {"Legth 18"}, {}},
        {2, "103,1,1,0,0&TESelect=103&Symbol=IBM&Oval1=1&Oval2=1&Oval3=0", {}, {"Buys 1", "Sells 1", "Option 0"}},
        {3, "204,28,13,4,0&TESelect=204&nocache=85874&PH=2&Symbol=IBM", {"1st. MA 28", "2nd. MA 13", "3rd. MA 4"}, {}},
        {4, "206,21,22,7,0&TESelect=206&nocache=85922&PH=2&Symbol=IBM", {"Stk MA 21", "Distance 22", "Mom MA 7"}, {}},
        {5, "", {"Lengh 21"}, {"Standard 1", "Exponential 0"}},
        {6, "161,0,0,0,0&TESelect=161&Symbol=IBM", {}, {}},
        {7, "160,0,0,0,d&TESelect=160&Symbol=IBM", {}, {}},
        {8, "162,0,0,0,0&TESelect=162&Symbol=IBM", {}, {}},
        {9, "210,16,11,0,0&TESelect=210&Symbol=IBM", {"Lengh 16", "1st. MA 11", "2st. MA 0"}, {}},
        {10, "213,0,0,0,0&TESelect=213&Symbol=IBM&Oval1=1&Oval2=0", {"Lengh 14", "MA 2"}, {}},
    };
    TechnicalGraph g;
    g.Form_Load();
    EXPECT_EQ(g.Indicator(), "Bollinger");
    EXPECT_EQ(g.GraphAddress("ibm"), kTech + "216,30,0,0,0&TESelect=216&Symbol=IBM&Timespan=0");
    for (const Case& c : cases) {
        g.optGraph_Click(c.option);
        QStringList params, checks;
        for (int i = 0; i < TechnicalGraph::ParamCount; ++i)
            if (g.param(i).visible)
                params << g.param(i).caption + ' ' + g.param(i).text;
        for (int i = 0; i < TechnicalGraph::CheckCount; ++i)
            if (g.check(i).visible)
                checks << g.check(i).caption + ' ' + QString::number(g.check(i).value);
        EXPECT_EQ(g.GetIndicator("ibm"), QLatin1String(c.part)) << c.option;
        EXPECT_EQ(params, c.params) << c.option;
        EXPECT_EQ(checks, c.checks) << c.option;
    }
    g.optGraph_Click(11);
    EXPECT_EQ(g.Indicator(), "Wilder");
    EXPECT_FALSE(g.param(0).visible);
}

TEST(TechnicalGraphTest, TypedValuesTicksAndPeriods)
{
    TechnicalGraph g;
    g.Form_Load();
    g.optGraph_Click(2);
    g.setCheckValue(2, 1);
    EXPECT_TRUE(g.GetIndicator("x").endsWith("&Oval1=1&Oval2=1&Oval3=1"));
    g.optGraph_Click(3);
    g.setParamText(0, "1&x=2");
    EXPECT_TRUE(g.GetIndicator("x").startsWith("204,1%26x=2,13,4,0"));
    struct Case
    {
        int position;
        int timespan;
        const char* tip;
    };
    for (const Case c : {Case{5, 130, "6 Month"}, Case{6, 260, "Year"}, Case{10, 99999, "Max"}, Case{1, 2, "2 Dayes"}}) {
        g.Slider1_Scroll(c.position);
        EXPECT_EQ(g.Timespan(), c.timespan);
        EXPECT_EQ(g.sliderTip(), QLatin1String(c.tip));
    }
    g.Slider1_Scroll(11);
    EXPECT_EQ(g.Timespan(), 2);
    EXPECT_EQ(g.PeriodIndex(), 11);
}

class TechnicalGraphQuery : public IsolatedStore
{
};

TEST_F(TechnicalGraphQuery, QueryHandsOneAddress)
{
    ResetProgramState();
    CurrentSymbol() = QStringLiteral("dell");
    TechnicalGraph g;
    g.Form_Load();
    g.Slider1_Scroll(4);
    EXPECT_EQ(g.cmdQuery_Click(), kTech + "216,30,0,0,0&TESelect=216&Symbol=DELL&Timespan=21");
    EXPECT_EQ(test::shell().opened.size(), 1);
    ResetProgramState();
}

} // namespace
