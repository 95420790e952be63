// The engine's facades without a window: the message-box rules, the real boxes the
// program installs, and what a facade does when the program installed nothing.
#include "CriticalLog.h"
#include "RecordingSpeech.h"
#include "TestDoubles.h"

#include "platform/DialogBoxes.h"
#include "platform/Dialogs.h"
#include "platform/Speech.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Dialogs;

namespace {

struct BoxCase
{
    int buttons;
    QVector<int> answers;
    int defaultAnswer;
};

const BoxCase kBoxes[] = {
    {vbOKOnly, {vbOK}, vbOK},
    {vbOKCancel + vbQuestion, {vbOK, vbCancel}, vbOK},
    {vbOKCancel + vbDefaultButton2, {vbOK, vbCancel}, vbCancel},
    {vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}, vbAbort},
    {vbAbortRetryIgnore + vbDefaultButton3, {vbAbort, vbRetry, vbIgnore}, vbIgnore},
    {vbYesNoCancel + vbExclamation, {vbYes, vbNo, vbCancel}, vbYes},
    {vbYesNoCancel + vbDefaultButton2, {vbYes, vbNo, vbCancel}, vbNo},
    {vbYesNo + vbCritical, {vbYes, vbNo}, vbYes},
    {vbYesNo + vbDefaultButton2, {vbYes, vbNo}, vbNo},
    {vbYesNo + vbDefaultButton3, {vbYes, vbNo}, vbNo},  // no third button: the last one
    {vbRetryCancel, {vbRetry, vbCancel}, vbRetry},
    {vbOKOnly + vbDefaultButton2, {vbOK}, vbOK},
};

// Puts the installed doubles back whatever a test did.
class Facades : public ::testing::Test
{
protected:
    void TearDown() override
    {
        test::installDefaultDoubles();
        test::dialogs().reset();
        test::speech().reset();
    }
};

} // namespace

TEST(Dialogs, ButtonsAndTheDefaultAnswerOfEachBox)
{
    for (const BoxCase& c : kBoxes) {
        EXPECT_EQ(ButtonAnswers(c.buttons), c.answers) << c.buttons;
        EXPECT_EQ(DefaultAnswer(c.buttons), c.defaultAnswer) << c.buttons;
    }
}

// The real box shows the buttons in order with the default one focused; pressing
// Enter answers that button's answer.
TEST_F(Facades, TheRealMessageBoxOffersItsButtonsInOrderWithTheDefaultFocused)
{
    install(&boxes());
    for (const BoxCase& c : kBoxes) {
        QStringList seen;
        QString focused;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* b : box->buttons())
                seen << QString::number(box->standardButton(b));
            if (box->defaultButton())
                focused = QString::number(box->standardButton(box->defaultButton()));
            box->defaultButton()->click();
        });
        EXPECT_EQ(MsgBox(QStringLiteral("Go on?"), c.buttons, QStringLiteral("Case")), c.defaultAnswer) << c.buttons;
        EXPECT_EQ(seen.size(), c.answers.size()) << c.buttons;
        EXPECT_FALSE(focused.isEmpty()) << c.buttons;
    }
}

TEST_F(Facades, DialogsWithNothingInstalledLogTheFaultAndAnswerTheDefaultOrCancel)
{
    install(nullptr);
    test::CriticalLog log;
    EXPECT_EQ(MsgBox(QStringLiteral("Delete it?"), vbYesNo + vbDefaultButton2, QStringLiteral("Delete")), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Retry?"), vbRetryCancel), vbRetry);
    EXPECT_EQ(InputBox(QStringLiteral("Symbol:")), QString());
    EXPECT_EQ(SaveFile(SaveRequest{}), QString());
    ASSERT_EQ(log.messages.size(), 4);
    EXPECT_TRUE(log.messages[0].startsWith("tradewright.dialogs: ")) << log.messages[0].toStdString();
    EXPECT_TRUE(log.messages[0].contains("Delete it?")) << log.messages[0].toStdString();
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

TEST_F(Facades, SpeechWithNothingInstalledLogsTheFaultAndSpeaksNothing)
{
    Speech::install(nullptr);
    test::CriticalLog log;
    Speech::Engine& voice = Speech::engine();
    voice.say(QStringLiteral("IBM up a dollar"));
    EXPECT_FALSE(voice.isSpeaking());
    EXPECT_EQ(voice.voiceMode(), 1);
    EXPECT_THROW(voice.setVoiceMode(13), std::exception);  // still checked like every engine
    EXPECT_EQ(log.messages.size(), 4);
    for (const QString& m : log.messages)
        EXPECT_TRUE(m.startsWith("tradewright.speech: ")) << m.toStdString();
    EXPECT_TRUE(test::speech().said.isEmpty());
}
