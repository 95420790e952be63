// The upgrade window over the download: its links and the Save-As cancel.
#include "services/frmUpgrade.h"

#include "IsolatedStore.h"

#include "platform/Sites.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class UpgradeWindowTest : public IsolatedStore
{
};

TEST_F(UpgradeWindowTest, CancelInTheSaveDialogKeepsStartDownloadDisabled)
{
    frmUpgrade w;
    w.show();
    const int half = w.height();
    EXPECT_EQ(w.Label1->text(), "Orvane is pleased to announced the new version of Tradewright.");
    w.lblNav_Click(0);  // no answer scripted: the dialog is cancelled
    EXPECT_EQ(w.height(), 2 * half);
    EXPECT_FALSE(w.lblNav[0]->isEnabled());
    ASSERT_EQ(test::dialogs().saveRequests.size(), 1);
    EXPECT_FALSE(w.download().busy());
}

TEST_F(UpgradeWindowTest, TheLinksOpenTheProductPage)
{
    Sites::Override(Site::Maker, "127.0.0.1", 8080);
    const struct { int index; const char* address; } cases[] = {
        {1, "http://127.0.0.1:8080/tradewright.htm"},
        {2, "http://127.0.0.1:8080/tradewright.htm#download"},
    };
    for (const auto& c : cases) {
        test::shell().reset();
        frmUpgrade w;
        w.show();
        w.lblNav_Click(c.index);
        EXPECT_EQ(test::shell().opened, QStringList{c.address});
        EXPECT_FALSE(w.isVisible());
    }
}

TEST_F(UpgradeWindowTest, CloseShowsTheOptionsWindowAgain)
{
    frmUpgrade w;
    w.show();
    // The Options window is modal: it is closed as soon as it shows.
    QString modal;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            modal = m->metaObject()->className();
            poll.stop();
            m->close();
        }
    });
    poll.start(10);
    w.lblNav_Click(3);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(modal, "Options");
}

TEST_F(UpgradeWindowTest, TheRateTimerTickShowsItsTexts)
{
    frmUpgrade w;
    w.download().Timer1_Timer();
    EXPECT_EQ(w.Label2->text(), "0 KB/s");
    EXPECT_EQ(w.Label3->text(), "Dun");
}

} // namespace
