// The feedback questionnaire: the queued text, when it is queued, the box that
// decides later starts, and the Close sequence (button and window frame).
#include "IsolatedStore.h"

#include "core/Settings.h"
#include "core/WindowEffects.h"
#include "core/frmSplashInfo.h"
#include "platform/RegistryStore.h"
#include "services/Thanks.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

namespace {

using test::save;
using test::setting;
using test::settle;

class ThanksTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
        SplashInfo::SetProgramVersion(QStringLiteral("5.4.0"));
        Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(10, 0)));
        ResetProgramState();
        QMessage().clear();
        m_opener = QObject::connect(&Thanks::events(), &ThanksEvents::mainWindowWanted, [this] { ++m_mainShown; });
    }
    void TearDown() override
    {
        QObject::disconnect(m_opener);
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        settle();
        ResetProgramState();
        IsolatedStore::TearDown();
    }

    static QString today() { return QLocale::system().toString(QDate(2024, 3, 7), QLocale::ShortFormat); }

    int m_mainShown = 0;
    QMetaObject::Connection m_opener;
};

} // namespace

TEST_F(ThanksTest, FeedbackTextLayout)
{
    ThanksFeedback::Answers a{"25-33", "Female", "Norway", "0150", "Yes", "A friend recommends me",
                              "Nice.\r\nMore charts please"};
    const QString text = ThanksFeedback::BuildText(a, "me@home.test", "3/7/24", "Orvane Tradewright 5.4");
    const QString expected = QStringLiteral(
        "    Tradewright Orvane Tradewright 5.4 First Time User Feedback\r\n"
        "    ________________________________________\r\n"
        "\r\n"
        "Date............ 3/7/24\r\n"
        "From............ me@home.test\r\n"
        "Group age....... 25-33\r\n"
        "Gender.......... Female\r\n"
        "Country......... Norway\r\n"
        "Zip............. 0150\r\n"
        "Parchase........ Yes\r\n"
        "Heard........... A friend recommends me\r\n"
        "____________________________________________________\r\n"
        "Comments: Nice.\r\nMore charts please\r\n"
        "____________________________________________________");
    EXPECT_EQ(text, expected);
}

TEST_F(ThanksTest, WhenTheAnswersAreQueued)
{
    const struct
    {
        const char* name;
        ThanksFeedback::Answers answers;
        const char* storedServer;  // nullptr: not stored
        const char* typedServer;   // the input box's answer; nullptr: no box expected
        bool queued;
    } cases[] = {
        {"only group, purchase, heard and zip", {"16-24", "", "", "1000", "No", "I forced to use it.", ""},
         "smtp.test", nullptr, false},
        {"gender alone, server stored", {"", "Male", "", "", "", "", ""}, "smtp.test", nullptr, true},
        {"comments alone, no server, none given", {"", "", "", "", "", "", "hi"}, nullptr, "", false},
        {"one-letter server counts as missing", {"", "", "Chad", "", "", "", ""}, "x", "smtp.typed.test", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::dialogs().reset();
        save(Settings::Q_Message, QStringLiteral("older text"));
        save(Settings::EmailServer, c.storedServer ? QString::fromLatin1(c.storedServer) : QString());
        if (c.typedServer)
            test::dialogs().inputAnswers.enqueue(QString::fromLatin1(c.typedServer));

        EXPECT_EQ(ThanksFeedback::SendData(c.answers), c.queued);

        const int boxes = static_cast<int>(test::dialogs().shown.size());
        EXPECT_EQ(boxes, c.typedServer ? 1 : 0);
        if (boxes == 1) {
            EXPECT_EQ(test::dialogs().shown[0].title, "Mail Server");
            EXPECT_TRUE(test::dialogs().shown[0].prompt.startsWith("Please enter your mail server address.\r\nEx.: \""));
        }
        if (c.queued) {
            EXPECT_EQ(setting(Settings::Q_Message), QMessage());
            EXPECT_TRUE(QMessage().endsWith(QString(52, QLatin1Char('_'))));
            if (c.typedServer) {
                EXPECT_EQ(setting(Settings::EmailServer), QString::fromLatin1(c.typedServer));
            }
        } else {
            EXPECT_EQ(setting(Settings::Q_Message), "older text");
        }
    }
}

TEST_F(ThanksTest, QueuedTextFromTheWindow)
{
    save(Settings::EmailServer, QStringLiteral("smtp.test"));
    Thanks* w = Thanks::ShowThanks();
    w->cboGroup->setCurrentText("43-51");
    w->cboGender->setCurrentIndex(0);
    w->cboCountry->setCurrentIndex(w->cboCountry->findText("Cote D'Ivoire"));
    w->txtZip->setText("12345");
    w->cboWhere->setCurrentIndex(9);
    w->txtComments->setPlainText("line one\nline two");
    ASSERT_TRUE(w->SendData());

    // Email unset: the From line ends after its label.
    const QString expected = QStringLiteral("    Tradewright Orvane Tradewright 5.4 First Time User Feedback\r\n"
                                            "    ________________________________________\r\n\r\n"
                                            "Date............ ")
                           + today()
                           + QStringLiteral("\r\n"
                                            "From............ \r\n"
                                            "Group age....... 43-51\r\n"
                                            "Gender.......... Male\r\n"
                                            "Country......... Cote D'Ivoire\r\n"
                                            "Zip............. 12345\r\n"
                                            "Parchase........ \r\n"
                                            "Heard........... I forced to use it.\r\n"
                                            "____________________________________________________\r\n"
                                            "Comments: line one\r\nline two\r\n"
                                            "____________________________________________________");
    EXPECT_EQ(setting(Settings::Q_Message), expected);
    EXPECT_EQ(QMessage(), expected);
}

TEST_F(ThanksTest, LoadFillsTheListsAndTheDontShowBox)
{
    const struct
    {
        const char* stored;  // nullptr: unset
        bool ticked;
        const char* afterLoad;
    } cases[] = {
        {nullptr, true, "1"},  // unset: ticked, and the tick is stored at once
        {"0", false, "0"},
        {"1", true, "1"},
        {"abc", true, "1"},  // not a number: as unset, the load goes on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "unset");
        RegistryStore::setFilePath(m_dir.path() + QStringLiteral("/config/%1.ini").arg(c.stored ? c.stored : "unset"));
        RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
        if (c.stored)
            save(Settings::Thanks, QString::fromLatin1(c.stored));
        Thanks* w = Thanks::ShowThanks();
        EXPECT_EQ(w->chkPrompt->isChecked(), c.ticked);
        EXPECT_EQ(setting(Settings::Thanks), QString::fromLatin1(c.afterLoad));
        EXPECT_EQ(w->chkPrompt->text(), "Don't Show this massage anymore.");

        const std::pair<QComboBox*, int> lists[] = {
            {w->cboGroup, 6}, {w->cboGender, 2}, {w->cboPar, 2}, {w->cboCountry, 226}, {w->cboWhere, 10}};
        for (const auto& [box, count] : lists) {
            EXPECT_EQ(box->count(), count) << box->objectName().toStdString();
            EXPECT_EQ(box->currentIndex(), -1) << box->objectName().toStdString();
        }
        EXPECT_EQ(w->cboCountry->itemText(0), "Afghanistan");
        EXPECT_EQ(w->cboCountry->itemText(225), "Zimbabwe");
        EXPECT_EQ(w->cboWhere->itemText(8), "I'm long time Tradewright user");

        // Unticking writes "0" at once.
        w->chkPrompt->setChecked(false);
        EXPECT_EQ(setting(Settings::Thanks), "0");
        delete w;
        settle();
    }
}

TEST_F(ThanksTest, CloseQueuesLoadsAndShowsTheMainWindow)
{
    // A portfolio and a set on disk, which Close reads.
    Transactions()[3].Symbol = "ibm";
    Transactions()[3].Action = "Buy";
    Transactions()[3].Shares = 10;
    ASSERT_TRUE(SavePortfolio());
    Stocks()[0].Symbol = "msft";
    ASSERT_TRUE(SaveStocks());
    ResetProgramState();

    for (const bool byFrame : {false, true}) {
        SCOPED_TRACE(byFrame ? "window frame" : "Close button");
        ResetProgramState();
        m_mainShown = 0;
        save(Settings::EmailServer, QStringLiteral("smtp.test"));
        save(Settings::Q_Message, QString());
        Thanks* w = Thanks::ShowThanks();
        w->cboGender->setCurrentIndex(1);
        if (byFrame)
            w->close();
        else
            w->cmdclose_Click();
        settle();

        EXPECT_EQ(m_mainShown, 1);
        EXPECT_EQ(Thanks::instance(), nullptr);
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
        EXPECT_TRUE(setting(Settings::Q_Message).contains("Gender.......... Female\r\n"));
        EXPECT_EQ(TransCount(), 1);
        EXPECT_EQ(Transactions()[3].Symbol, "ibm");
        EXPECT_EQ(StockCount(), 1);
        EXPECT_EQ(Stocks()[0].Symbol, "msft");
    }
}
