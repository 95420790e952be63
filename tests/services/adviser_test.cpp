// The adviser tip: the part of Tip.Sh the window shows, and the weekly-service box
// that is update item 19.
#include "services/AdviserTip.h"

#include "IsolatedStore.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "core/UpdateChoices.h"

#include <gtest/gtest.h>

namespace {

TEST(AdviserTipCut, TheTextStartsNineCharactersBeforeTheNameAndDropsTheLastCharacter)
{
    const struct { QString file; std::optional<QString> shown; } cases[] = {
        // "Tradewright" at the tenth character: shown from the first to the second-last.
        {"123456789Tradewright tip!", QString("123456789Tradewright tip")},
        {"Intro: the Weekly Tradewright tip.X", QString("e Weekly Tradewright tip.")},
        // CR LF line ends: a line break, then a blank at the start of the next line.
        {"ab\r\n123456789Tradewright\r\nline two\r\n", QString("123456789Tradewright\r\n line two\r\n")},
        // Bare LF: one line.
        {"x\n123456789Tradewright\nmore\n", QString("123456789Tradewright more")},
        {"12345678Tradewright", std::nullopt},
        {"no name here", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdviserTip::Cut(c.file), c.shown) << c.file.toStdString();
}

TEST(AdviserTipCut, PositionsBeyondSixteenBitsStillCut)
{
    const QString file = QString(40000, 'x') + "Tradewright!";
    const auto shown = AdviserTip::Cut(file);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(*shown, "xxxxxxxxxTradewright");
}

class AdviserBox : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
    }
    void TearDown() override
    {
        updateChoices().unload();
        IsolatedStore::TearDown();
    }
};

TEST_F(AdviserBox, TheBoxIsUpdateItemNineteen)
{
    updateChoices().unload();
    AdviserTip::setWeeklyService(0);
    EXPECT_EQ(Settings::GetSetting("Update19"), "0");
    updateChoices().unload();
    EXPECT_EQ(AdviserTip::WeeklyService(), 0);
    EXPECT_FALSE(updateChoices().isTicked(19));
    AdviserTip::setWeeklyService(1);
    updateChoices().unload();  // the Options window reads the store again
    EXPECT_TRUE(updateChoices().isTicked(19));
}

} // namespace
