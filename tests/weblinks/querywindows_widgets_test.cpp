// The four query windows as the user meets them: loading, clicking options and
// buttons, the slider, the focus rules; each query hands exactly one address to
// the shell and closes its window.
#include "IsolatedStore.h"

#include "core/WindowEffects.h"
#include "core/mdlRegistry.h"
#include "stockdata/ProgramState.h"
#include "weblinks/BigChart.h"
#include "weblinks/RealWebLinkWindows.h"
#include "weblinks/Reuters.h"
#include "weblinks/Scr.h"
#include "weblinks/TechGraph.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace {

class QueryWindowsTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ProductKey));
        setRollStepDelay(0);
        ResetProgramState();
        CurrentSymbol() = QStringLiteral("ibm");
    }
    void TearDown() override
    {
        test::settle();
        ResetProgramState();
        IsolatedStore::TearDown();
    }
};

TEST_F(QueryWindowsTest, ScreenerQueryResetAndColours)
{
    QPointer<Scr> w = new Scr;
    w->Form_Load();
    w->show();
    EXPECT_EQ(w->lstIndestry->count(), 207);
    EXPECT_EQ(w->Frame[Screener::SP]->title(), "S&&P 500 only?");
    w->opt[Screener::SP][1]->click();
    w->opt[Screener::PER][2]->click();
    const auto software = w->lstIndestry->findItems("COMP-SOFTWARE", Qt::MatchExactly);
    ASSERT_EQ(software.size(), 1);
    w->lstIndestry->setCurrentItem(software[0]);
    EXPECT_EQ(w->lstIndestry->currentItem()->text(), "COMP-SOFTWARE");
    EXPECT_EQ(w->opt[Screener::PER][2]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(w->opt[Screener::PER][1]->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    w->cmdShow->click();
    EXPECT_EQ(test::shell().opened, QStringList{"http://screener.example/basicscreen.asp?noofrecs=25&sandp=1"
                                                "&industry=44&pe=2&name=Select"});
    test::shell().reset();
    w->cmdReset->click();
    EXPECT_TRUE(w->opt[Screener::SP][1]->isChecked());
    EXPECT_TRUE(w->opt[Screener::PER][0]->isChecked());
    EXPECT_EQ(w->lstIndestry->currentRow(), 0);
    w->cmdShow->click();
    EXPECT_EQ(test::shell().opened, QStringList{"http://screener.example/basicscreen.asp?noofrecs=25&sandp=1"
                                                "&industry=0&name=Select"});
    test::shell().reset();
    w->cmdHelp->click();
    ASSERT_EQ(test::shell().opened.size(), 1);
    EXPECT_TRUE(test::shell().opened[0].endsWith("/topic1004.html")) << test::shell().opened[0].toStdString();
    w->cmdClose->click();
    test::settle();
    EXPECT_TRUE(w.isNull());
    // The tile is drawn and has a size.
    EXPECT_GT(Scr::BackgroundTile().width(), 0);
}

TEST_F(QueryWindowsTest, ChartExplorerControlsAndQuery)
{
    QPointer<BigChart> w = new BigChart;
    w->Form_Load();
    w->show();
    EXPECT_EQ(w->windowTitle(), "Chart Explorer");
    EXPECT_EQ(w->cboDisp->currentText(), "OHLC");
    EXPECT_EQ(w->cboIndex->currentText(), "NASDAQ");
    EXPECT_EQ(w->cboFrq->currentText(), "1-Minute");
    EXPECT_EQ(w->txtMaval->text(), "9");
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_EQ(w->lblTime[0]->text(), "5 Mintues");
    w->Slider1->setValue(3);
    EXPECT_EQ(w->cboFrq->currentText(), "Daily");
    EXPECT_EQ(w->Slider1->toolTip(), "Month");
    EXPECT_TRUE(w->cmdSave->isEnabled());
    w->txtMaval->setText("");
    EXPECT_EQ(w->txtMaval->text(), "9");
    w->cmdSave->click();
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_EQ(test::setting("ChartOpt"), ",0,2,0,3,0,0,1,0,9,3,");
    w->cmdQuery->click();
    ASSERT_EQ(test::shell().opened.size(), 1);
    EXPECT_TRUE(test::shell().opened[0].contains("symb=IBM&time=4&freq=&compidx=nasdaq:3291&"));
    test::settle();
    EXPECT_TRUE(w.isNull());

    // The next opening restores the saved period without a user move.
    BigChart again;
    again.Form_Load();
    EXPECT_EQ(again.Slider1->value(), 3);
    EXPECT_EQ(again.engine().TimeIndex(), 3);
    EXPECT_EQ(again.cboFrq->currentText(), "1-Minute");
    EXPECT_FALSE(again.cmdSave->isEnabled());
}

TEST_F(QueryWindowsTest, HeadlineQueryWindow)
{
    Clock::setFixed(QDateTime(QDate(2026, 1, 4), QTime(9, 0)));
    QPointer<Reuters> w = new Reuters;
    w->Form_Load();
    w->show();
    EXPECT_EQ(w->cboLength->currentText(), "7 Days");
    EXPECT_EQ(w->txtFromDay->text(), "28");
    EXPECT_EQ(w->txtFromMonth->text(), "12");
    EXPECT_EQ(w->txt_ToDay->text(), "04");
    EXPECT_EQ(w->txt_ToMonth->text(), "01");
    EXPECT_EQ(w->txtSymbol[1]->text(), "");
    EXPECT_EQ(w->txtSymbol[1]->placeholderText(), "Enter Stock Symbol");
    w->txtSymbol[0]->setText("msft");
    w->txtFromMonth->setText("x");
    EXPECT_EQ(w->txtFromMonth->text(), "");
    w->cboLength->setCurrentIndex(2);  // "30 Dayes"
    EXPECT_EQ(w->txtFromMonth->text(), "12");
    EXPECT_EQ(w->txtFromDay->text(), "28");
    w->cmdQuery->click();
    EXPECT_EQ(test::shell().opened,
              QStringList{"http://headline-news.example/News/NewsHeadlines.asp?FLUSH=Y&symbol=msft&prev_symbol="
                          "&length=30&time=range&month_from=12&day_from=28&month_to=01&day_to=04"});
    test::settle();
    EXPECT_TRUE(w.isNull());
}

TEST_F(QueryWindowsTest, TechnicalGraphWindow)
{
    QPointer<TechGraph> w = new TechGraph;
    w->Form_Load();
    w->show();
    EXPECT_EQ(w->windowTitle(), "Technical Graph Explorer");
    EXPECT_TRUE(w->optGraph[0]->isChecked());
    EXPECT_TRUE(w->D[0]->isVisible());
    EXPECT_EQ(w->D[0]->text(), "30");
    EXPECT_EQ(w->lbl[0]->text(), "Legth");
    EXPECT_FALSE(w->D[1]->isVisible());
    w->optGraph[2]->click();
    EXPECT_FALSE(w->D[0]->isVisible());
    EXPECT_TRUE(w->chk[2]->isVisible());
    EXPECT_EQ(w->chk[2]->text(), "Option");
    w->chk[2]->click();
    w->optGraph[3]->click();
    EXPECT_EQ(w->D[2]->text(), "4");
    w->D[2]->setText("5");
    w->Slider1->setValue(5);
    EXPECT_EQ(w->Slider1->toolTip(), "6 Month");
    w->cmdQuery->click();
    EXPECT_EQ(test::shell().opened,
              QStringList{"http://technical-charts.example/wsc/Technical.html?ind=s,204,28,13,5,0&TESelect=204"
                          "&nocache=85874&PH=2&Symbol=IBM&Timespan=130"});
    test::settle();
    EXPECT_TRUE(w.isNull());
}

TEST_F(QueryWindowsTest, RealWindowsShowOneInstanceEach)
{
    QWidget owner;
    RealWebLinkWindows windows(&owner);
    windows.showHeadlineQuery(QStringLiteral("DELL"));
    windows.showHeadlineQuery(QStringLiteral("IBM"));
    windows.showChartExplorer();
    windows.showTechnicalGraphs();
    windows.showScreener();
    const auto news = owner.findChildren<Reuters*>();
    ASSERT_EQ(news.size(), 1);
    EXPECT_EQ(news[0]->txtSymbol[0]->text(), "IBM");
    EXPECT_TRUE(news[0]->isVisible());
    EXPECT_EQ(owner.findChildren<BigChart*>().size(), 1);
    EXPECT_EQ(owner.findChildren<TechGraph*>().size(), 1);
    EXPECT_EQ(owner.findChildren<Scr*>().size(), 1);
    EXPECT_TRUE(test::shell().opened.isEmpty());
}

} // namespace
