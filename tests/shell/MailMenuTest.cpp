// The Email menu and the tray's mail items: each opens its window in its place with
// its prepared texts, or runs the error-log mail into the status label.
#include "ShellFixture.h"
#include "../services/MailServers.h"

#include "core/frmSplashInfo.h"
#include "services/Thanks.h"
#include "services/frmEmail.h"
#include "services/frmSupport.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

// What the modal window looked like when it came up.
struct Seen
{
    QString caption;
    QString server, fromName, toEmail, subject, body;
    bool errorTicked = false;
    bool errorVisible = false;
    bool owned = false;
    int centreX = 0;
    int top = 0;
};

class MailMenuTest : public MainWindowTest
{
protected:
    // Runs action and records the modal window it opens, then rejects it.
    Seen modal(const std::function<void()>& action)
    {
        Seen seen;
        answerModal([&](QWidget* dialog) {
            seen.caption = dialog->windowTitle();
            seen.owned = dialog->parentWidget() == form.get();
            seen.centreX = dialog->x() + dialog->width() / 2;
            seen.top = dialog->y();
            if (auto* mail = qobject_cast<frmEmail*>(dialog)) {
                seen.server = mail->txtServer->text();
                seen.fromName = mail->txtFromName->text();
                seen.toEmail = mail->txtToEmail->text();
                seen.subject = mail->txtSubject->text();
                seen.body = mail->txtBody->toPlainText();
                seen.errorTicked = mail->chkError->isChecked();
                seen.errorVisible = mail->chkError->isVisibleTo(mail);
            }
        });
        action();
        return seen;
    }

    int frameCentreX() const { return form->frameGeometry().left() + form->frameGeometry().width() / 2; }
    int tickerTop(int below) const
    {
        return form->mapToGlobal(QPoint(0, 0)).y() + (form->ports().newsTickerTop() + below) / 15;
    }
};

TEST_F(MailMenuTest, MailItemsOpenTheMailWindowBelowTheTickerWithTheirTexts)
{
    setSetting(Settings::EmailServer, QStringLiteral("mail.isp.example"));
    SplashInfo::SetProgramVersion(QStringLiteral("5.4.0"));
    frmMain& f = loaded();

    const Seen blank = modal([&] { f.mnuEmail[0]->trigger(); });
    EXPECT_EQ(blank.caption, "New Massage");
    EXPECT_TRUE(blank.owned);
    EXPECT_EQ(blank.server, "mail.isp.example");
    EXPECT_EQ(blank.fromName, "Name");
    EXPECT_EQ(blank.toEmail, "Recipient Email");
    EXPECT_EQ(blank.subject, "");
    EXPECT_FALSE(blank.errorVisible);
    EXPECT_NEAR(blank.centreX, frameCentreX(), 1);
    EXPECT_EQ(blank.top, tickerTop(700));

    // The tray's mail items reach the same two actions.
    const Seen trayBlank = modal([&] { f.mnuTray[2]->trigger(); });
    EXPECT_EQ(trayBlank.caption, "New Massage");
    EXPECT_EQ(trayBlank.subject, "");
    const Seen trayFriend = modal([&] { f.mnuTray[3]->trigger(); });
    EXPECT_EQ(trayFriend.subject, "You have to try it!");
    EXPECT_TRUE(trayFriend.body.startsWith("Hi,\nI find this private adviser amazing!"));
    const Seen menuFriend = modal([&] { f.mnuEmail[1]->trigger(); });
    EXPECT_EQ(menuFriend.subject, trayFriend.subject);
    EXPECT_EQ(menuFriend.body, trayFriend.body);

    const Seen bug = modal([&] { f.mnuEmail[2]->trigger(); });
    EXPECT_EQ(bug.subject, "I would like to report on bug!");
    EXPECT_EQ(bug.toEmail, "support@maker.example");
    EXPECT_TRUE(bug.body.startsWith("Hello, I'm using Orvane Tradewright 5.4. "));
    EXPECT_TRUE(bug.errorTicked);
    EXPECT_TRUE(bug.errorVisible);
}

TEST_F(MailMenuTest, SupportWindowSitsAtTheTickerTop)
{
    frmMain& f = loaded();
    const Seen support = modal([&] { f.mnuEmail[5]->trigger(); });
    EXPECT_EQ(support.caption, "Tradewright Technical Support ");
    EXPECT_TRUE(support.owned);
    EXPECT_NEAR(support.centreX, frameCentreX(), 1);
    EXPECT_EQ(support.top, tickerTop(0));
}

TEST_F(MailMenuTest, ErrorLogItemTellsTheStatusLabelAndFeedbackShowsTheQuestionnaire)
{
    frmMain& f = loaded();
    f.mnuEmail[3]->trigger();
    EXPECT_EQ(f.statusText(), "Sending Error Log..");
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown[0].title, "Empty Error Log");

    f.mnuEmail[4]->trigger();
    ASSERT_NE(Thanks::instance(), nullptr);
    EXPECT_TRUE(Thanks::instance()->isVisible());
    EXPECT_FALSE(Thanks::instance()->isModal());
}

TEST_F(MailMenuTest, MenuMailsReachARealMailServer)
{
    const QString missing = SmtpSink::unavailable();
    if (!missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    SmtpSink sink;
    const QString failed = sink.start();
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    setSetting(Settings::EmailServer, sink.server());
    setSetting(Settings::Email, QStringLiteral("ann@example.org"));
    frmMain& f = loaded();

    // The tray's "New Massage": the recipient is typed and Send pressed.
    bool accepted = false;
    answerModal([&](QWidget* dialog) {
        auto* mail = qobject_cast<frmEmail*>(dialog);
        ASSERT_NE(mail, nullptr);
        mail->txtToEmail->setText(QStringLiteral("bob@example.org"));
        mail->txtSubject->setText(QStringLiteral("Quotes"));
        mail->cmdSend->click();
        accepted = mail->result() == QDialog::Accepted;
    });
    f.mnuTray[2]->trigger();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(sink.file("1.env"), "ann@example.org\nbob@example.org\n");
    EXPECT_TRUE(sink.file("1.eml").startsWith("From: Name\r\n"));

    // "Send Error Log To Orvane" with a log: the status label ends at "Error Log Sent".
    QFile log(AppPath() + QStringLiteral("/ErrorLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.write("--------------\r\nWhere: Misc_Main\r\n");
    log.close();
    f.mnuEmail[3]->trigger();
    EXPECT_EQ(f.statusText(), "Error Log Sent");
    EXPECT_TRUE(sink.file("2.eml").contains("Subject: Tradewright User Error Log\r\n"));
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

} // namespace
