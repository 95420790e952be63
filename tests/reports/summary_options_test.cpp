// The summary chooser: the first-use ticks, the stored choice (partly stored,
// malformed, grayed boxes), the empty-choice message, the flags handed to the
// page build, and the window's controls.

#include "IsolatedStore.h"
#include "OfflineProbe.h"

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/Dialer.h"
#include "core/WindowEffects.h"
#include "core/mdlRegistry.h"
#include "reports/SummaryChoice.h"
#include "reports/SummaryOpt.h"
#include "stockdata/ProgramState.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace summary;

namespace {

class SummaryOptionsTest : public IsolatedStore
{
protected:
    void SetUp() override
    {
        IsolatedStore::SetUp();
        ResetProgramState();
        setRollStepDelay(0);
        // The product key exists once the program has run.
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QLatin1String(Settings::ProductKey));
        Stocks()[0].Symbol = QStringLiteral("IBM");
        Stocks()[0].CompanyName = QStringLiteral("Intl Machines");
        StockCount() = 1;
        CurrentSymbol() = QStringLiteral("IBM");
        CurrentIndex() = 0;
    }
    void TearDown() override
    {
        ResetProgramState();
        IsolatedStore::TearDown();
    }
    static QString values(const SummaryChoice& c)
    {
        QString s;
        for (int i = 0; i < SummaryChoice::kBoxes; ++i)
            s += QString::number(c.value(i));
        return s;
    }
    QuietProgress progress;
};

TEST_F(SummaryOptionsTest, FirstUseTicksAllButTheSlowSectionsAndShortInterest)
{
    SummaryChoice c;
    c.LoadOptions();
    EXPECT_EQ(values(c), QStringLiteral("1111111110111100100"));
    EXPECT_EQ(SummaryChoice::Caption(1), QStringLiteral("Analyst's Recommandation "));
    EXPECT_EQ(SummaryChoice::Caption(10), QStringLiteral("Upgrades History  "));
    EXPECT_EQ(SummaryChoice::Caption(17), QStringLiteral("Quarterly Reports *"));
    EXPECT_EQ(SummaryChoice::NoteText(), QStringLiteral("* It might take time, please be patiant.."));
}

TEST_F(SummaryOptionsTest, StoredValuesAreReadOneCharacterBetweenCommas)
{
    struct Case
    {
        const char* stored;
        const char* expected;
    };
    const Case cases[] = {
        {",1,0,1,", "1011111110111100100"},                        // partly stored: the rest keep their ticks
        {",0,x,2,1,", "0121111110111100100"},                      // a non-digit is skipped
        {",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,", "0000000000000000000"},  // beyond the last box: skipped
        {"1,", "1111111110111100100"},                             // no pair of commas
        {",10,0,", "1011111110111100100"},                         // one character per value
    };
    for (const Case& c : cases) {
        test::save("SummaryOpt", QLatin1String(c.stored));
        SummaryChoice choice;
        choice.LoadOptions();
        EXPECT_EQ(values(choice), QLatin1String(c.expected)) << c.stored;
    }
}

TEST_F(SummaryOptionsTest, SavedValuesRoundTripWithAGrayedBox)
{
    SummaryChoice c;
    c.setValue(3, 2);
    c.setValue(18, 1);
    c.SaveOptions();
    EXPECT_EQ(test::setting("SummaryOpt"), QStringLiteral(",1,1,1,2,1,1,1,1,1,0,1,1,1,1,0,0,1,0,1,"));
    EXPECT_EQ(test::setting("SummaryOpt").size(), 39);
    SummaryChoice again;
    again.LoadOptions();
    EXPECT_EQ(values(again), values(c));
}

TEST_F(SummaryOptionsTest, AnEmptyChoiceSaysSoTicksProfileAndBuildsNothing)
{
    SummaryChoice c;
    for (int i = 0; i < SummaryChoice::kBoxes; ++i)
        c.setValue(i, 0);
    EXPECT_FALSE(c.cndGenerate_Click(progress));
    ASSERT_EQ(test::dialogs().shown.size(), 1);
    EXPECT_EQ(test::dialogs().shown.first().prompt, QStringLiteral("You have to select at least one option."));
    EXPECT_EQ(test::dialogs().shown.first().buttons, Dialogs::vbInformation);
    EXPECT_EQ(c.value(0), 1);
    EXPECT_EQ(test::setting("SummaryOpt"), QString());
    EXPECT_TRUE(test::shell().opened.isEmpty());

    // A grayed box alone counts as a choice, builds no section, and is stored as 2.
    SummaryChoice grayed;
    for (int i = 0; i < SummaryChoice::kBoxes; ++i)
        grayed.setValue(i, 0);
    grayed.setValue(5, 2);
    test::dialogs().reset();
    EXPECT_TRUE(grayed.CheckOptions());
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
    EXPECT_EQ(grayed.flags()[Eg], 2);
}

TEST_F(SummaryOptionsTest, FlagsFollowTheBuildsParameterOrder)
{
    SummaryChoice c;
    for (int i = 0; i < SummaryChoice::kBoxes; ++i)
        c.setValue(i, 0);
    c.setValue(16, 1);  // Split History
    c.setValue(9, 2);   // Insider Trader
    c.setValue(17, 1);  // Quarterly Reports
    const Flags f = c.flags();
    Flags expected{};
    expected[10] = 1;  // the eleventh parameter
    expected[9] = 2;
    expected[17] = 1;
    EXPECT_EQ(f, expected);
    EXPECT_EQ(int(sp), 10);
    EXPECT_EQ(int(QR), 17);
}

TEST_F(SummaryOptionsTest, GenerateStoresTheChoiceWritesAndOpensThePage)
{
    test::OfflineProbe offline;
    Dialer::install(&offline);
    SummaryChoice c;
    c.LoadOptions();
    c.setValue(18, 1);
    EXPECT_TRUE(c.cndGenerate_Click(progress));
    Dialer::install(nullptr);
    EXPECT_EQ(test::setting("SummaryOpt"), QStringLiteral(",1,1,1,1,1,1,1,1,1,0,1,1,1,1,0,0,1,0,1,"));
    ASSERT_EQ(test::shell().opened.size(), 1);
    const QString page = fromCp1252(ReadBytes(test::shell().opened.first()));
    EXPECT_TRUE(page.contains(QStringLiteral("Short Interest")));
    EXPECT_FALSE(page.contains(QStringLiteral("Insider Trader")));
    EXPECT_EQ(progress.last, QStringLiteral("Processing Short Interest report, please wait.."));
}

TEST_F(SummaryOptionsTest, TheWindowShowsTheStoredChoiceAndGrayedBoxes)
{
    test::save("SummaryOpt", QStringLiteral(",0,2,1,"));
    SummaryOpt window;
    EXPECT_EQ(window.Label1->text(), QStringLiteral("What do you want to see?"));
    EXPECT_EQ(window.lbl1->text(), QStringLiteral("* It might take time, please be patiant.."));
    EXPECT_EQ(window.cndGenerate->text(), QStringLiteral("Generate"));
    EXPECT_EQ(window.cmdCancel->text(), QStringLiteral("Cancel"));
    for (int i = 0; i < SummaryChoice::kBoxes; ++i)
        EXPECT_EQ(window.chk[std::size_t(i)]->text(), SummaryChoice::Caption(i));
    EXPECT_EQ(window.chk[0]->checkState(), Qt::Unchecked);
    EXPECT_EQ(window.chk[1]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(window.chk[2]->checkState(), Qt::Checked);
    EXPECT_EQ(window.chk[9]->checkState(), Qt::Unchecked);

    // Cancel stores nothing.
    window.cmdCancel_Click();
    EXPECT_EQ(test::setting("SummaryOpt"), QStringLiteral(",0,2,1,"));

    // Generate with nothing ticked keeps the window and ticks Profile.
    SummaryOpt empty;
    for (QCheckBox* box : empty.chk)
        box->setCheckState(Qt::Unchecked);
    empty.cndGenerate_Click();
    EXPECT_EQ(empty.chk[0]->checkState(), Qt::Checked);
    EXPECT_EQ(test::dialogs().shown.size(), 1);
}

} // namespace
