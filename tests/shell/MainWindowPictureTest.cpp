// The main window as a user sees it after choosing the quotes of a set: drawn
// whole, with its panes where the layout puts them. With TW_SCREENSHOT naming a
// file the picture is written there (run under xvfb-run with QT_QPA_PLATFORM=xcb
// for a real screen).
#include "PictureCompare.h"
#include "ShellFixture.h"

#include "platform/FlexGridView.h"
#include "platform/TreeModel.h"
#include "platform/TreeView.h"
#include "shell/frmMain.h"

#include <QLabel>
#include <QTest>

namespace {

using picturetest::ClearlyDifferentPixels;

struct Quote
{
    const char* symbol;
    const char* company;
    float rating;
    const char* last;
    const char* change;
    const char* pct;
    const char* volume;
};

const Quote kQuotes[] = {
    {"IBM", "International Business Machines", 1.8f, "84.25", "+1.10", "+1.32%", "6254300"},
    {"MSFT", "Microsoft Corporation", 2.3f, "27.41", "-0.22", "-0.80%", "61022100"},
    {"ORCL", "Oracle Corporation", 2.0f, "12.07", "+0.31", "+2.64%", "38544900"},
    {"INTC", "Intel Corporation", 2.6f, "21.98", "+0.45", "+2.09%", "57710200"},
    {"CSCO", "Cisco Systems Inc", 1.9f, "19.36", "-0.08", "-0.41%", "49851700"},
    {"DELL", "Dell Inc", 2.2f, "34.70", "+0.62", "+1.82%", "12003400"},
    {"AAPL", "Apple Computer Inc", 3.1f, "38.12", "+0.93", "+2.50%", "18843200"},
    {"AMZN", "Amazon.com Inc", 2.7f, "41.59", "-1.02", "-2.39%", "9875100"},
    {"QCOM", "Qualcomm Inc", 2.4f, "36.45", "+0.17", "+0.47%", "10334600"},
    {"EBAY", "eBay Inc", 1.6f, "82.31", "+1.76", "+2.18%", "7245800"},
};

TEST_F(ShellTest, MainWindowAsShown)
{
    fillSet({});
    int row = 0;
    for (const Quote& q : kQuotes) {
        StockRec& s = Stocks()[row++];
        s.Symbol = QString::fromLatin1(q.symbol);
        s.CompanyName = QString::fromLatin1(q.company);
        s.AvgRecommendation = q.rating;
        s.LastPrice = QString::fromLatin1(q.last);
        s.PctChange = QString::fromLatin1(q.change);
        s.Change = QString::fromLatin1(q.pct);
        s.Volume = QString::fromLatin1(q.volume);
        s.DayHigh = s.LastPrice;
        s.DayLow = s.LastPrice;
        s.OpenPrice = s.LastPrice;
        s.PrevClose = s.LastPrice;
        s.Exchange = QStringLiteral("NASDAQ");
        s.LastTradeTime = QStringLiteral("4:00pm");
    }
    StockCount() = std::int16_t(row);
    ASSERT_TRUE(SaveStocks());
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), QStringLiteral("Group0"),
                            QStringLiteral("Technology"));
    setSetting(Settings::PicBar, QStringLiteral("5"));

    frmMain form(test::views());
    form.setEndProgram([] {});
    form.Show();
    CurrentView() = QStringLiteral("Current");
    FG_Current(form.views());
    form.ShowStockHeader(QStringLiteral("IBM"));
    form.LoadPrices();
    form.ShowRec();
    form.treeModel()->Node(QStringLiteral("All"))->setExpanded(true);
    form.treeModel()->Node(QStringLiteral("ID0"))->setExpanded(true);
    form.ports().setStatusText(QStringLiteral("connected"));
    QTest::qWait(50);

    const QImage picture = form.grab().toImage();
    EXPECT_EQ(picture.size(), form.size());
    // The black status bar along the bottom edge, the strip's dark pane, a gauge.
    EXPECT_EQ(QColor(picture.pixel(picture.width() / 2, picture.height() - 2)), QColor(0, 0, 0));
    // Between the tree's bar and the strip's arrows.
    EXPECT_EQ(QColor(picture.pixel(form.PicCont->x() + 157, form.PicCont->y() + 67)),
              QColor::fromRgb(Skins::kStripBack));
    EXPECT_FALSE(form.img[0]->isHidden());
    EXPECT_EQ(form.panelText(1), QStringLiteral("Technology"));

    // The strip's arrows and the idle buttons show the program's drawn bitmaps.
    EXPECT_EQ(ClearlyDifferentPixels(form.ImgUp->pixmap().toImage(), Skins::Bitmap(QStringLiteral("ArrowUp"))), 0);
    EXPECT_EQ(ClearlyDifferentPixels(form.ImgDn->pixmap().toImage(), Skins::Bitmap(QStringLiteral("ArrowDn"))), 0);
    const QImage idle = Skins::Bitmap(QStringLiteral("B1"));
    for (QWidget* button : form.Picture1) {
        const QImage shown = button->grab().toImage();
        const QRect face(QPoint((shown.width() - idle.width()) / 2, (shown.height() - idle.height()) / 2),
                         idle.size());
        EXPECT_EQ(ClearlyDifferentPixels(shown.copy(face), idle), 0) << button->objectName().toStdString();
    }

    const QString out = qEnvironmentVariable("TW_SCREENSHOT");
    if (!out.isEmpty()) {
        EXPECT_TRUE(picture.save(out));
    }
}

} // namespace
