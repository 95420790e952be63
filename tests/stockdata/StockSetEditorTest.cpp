// The set editor: set names, the symbol list, alert prices, Apply, OK and Cancel.
#include "EditingFixture.h"

#include "core/Settings.h"
#include "platform/Dialogs.h"
#include "platform/Sites.h"
#include "stockdata/EntryRules.h"
#include "stockdata/StockSetEditor.h"

namespace {

StockRec quoted(const QString& symbol, float low, float high)
{
    StockRec r;
    r.Symbol = symbol;
    r.CompanyName = symbol + " Inc";
    r.LastPrice = "12 3/8";
    r.Volume = "5000";
    r.AvgRecommendation = 2.5f;
    r.TargetLow = low;
    r.TargetHigh = high;
    return r;
}

} // namespace

class SetEditorTest : public EditingTest
{
protected:
    // Set `set` on file holding the given stocks in rows 0..
    void writeSet(int set, const std::vector<StockRec>& rows)
    {
        const std::int16_t was = CurrentSet();
        CurrentSet() = static_cast<std::int16_t>(set);
        Stocks().fill(StockRec());
        for (size_t i = 0; i < rows.size(); ++i)
            Stocks()[i] = rows[i];
        ASSERT_TRUE(SaveStocks());
        CurrentSet() = was;
    }

    std::array<StockRec, kStockRows> setFile(int set)
    {
        std::array<StockRec, kStockRows> table;
        readTableFile(SetFilePath(set), table);
        return table;
    }

    void answer(const QString& text) { test::dialogs().inputAnswers << text; }

    // Set `set` holds AAA on file; the editor shows it with NEW added and not applied.
    void typeSymbolInto(StockSetEditor& ed, int set)
    {
        writeSet(set, {quoted("AAA", 0, 0)});
        ed.Form_Load();
        ed.lstSets_Click(set);
        answer("new");
        ed.lblAction_Click(0);
        test::dialogs().reset();
    }

    StockSetEditor editor{sets};
};

TEST_F(SetEditorTest, AFreshInstallationShowsTheDefaultNames)
{
    editor.Form_Load();
    ASSERT_EQ(editor.sets().size(), 21);
    EXPECT_EQ(editor.sets().front(), "Group0");
    EXPECT_EQ(editor.sets().back(), "Group20");
    EXPECT_EQ(editor.selectedSet(), 0);
    EXPECT_EQ(CurrentSet(), 0);
    EXPECT_TRUE(editor.addEnabled());
    EXPECT_TRUE(editor.removeEnabled());
    EXPECT_FALSE(editor.applyEnabled());
    EXPECT_EQ(editor.SelRow(), -1);
}

TEST_F(SetEditorTest, RenamingASetStoresItsName)
{
    editor.Form_Load();
    editor.lstSets_Click(3);
    answer("");
    editor.lstSets_DblClick();
    EXPECT_EQ(editor.sets()[3], "Group3");
    EXPECT_TRUE(Settings::GetSettingAt(Settings::GroupsKey, "Group3").isEmpty());

    answer("Tech");
    editor.lstSets_DblClick();
    EXPECT_EQ(shownBoxes().last(), "input|New Set Name|Enter New Name For This Set");
    EXPECT_EQ(Settings::GetSettingAt(Settings::GroupsKey, "Group3"), "Tech");
    EXPECT_EQ(editor.sets()[3], "Tech");
    EXPECT_EQ(editor.selectedSet(), 3);
    EXPECT_EQ(SetNames()[3], "Tech");
}

TEST_F(SetEditorTest, AddingChecksTheSymbol)
{
    writeSet(0, {quoted("IBM", 0, 0)});
    editor.Form_Load();
    const struct
    {
        QString typed;
        QString message;  // "" = added
    } cases[] = {
        {"ibm", "msg|Duplicate stock symbol|You already have this symbol, Please try again"},
        {"  msft ", ""},
        {"bad/sym", "msg|" + InvalidSymbolTitle() + "|" + InvalidSymbolText()},
        {"a b", "msg|" + InvalidSymbolTitle() + "|" + InvalidSymbolText()},
        {".", "msg|" + InvalidSymbolTitle() + "|" + InvalidSymbolText()},
        {"..", "msg|" + InvalidSymbolTitle() + "|" + InvalidSymbolText()},
        {".ibm", "msg|" + InvalidSymbolTitle() + "|" + InvalidSymbolText()},
        {"^dji", ""},
        {"   ", ""},  // nothing typed: nothing happens
    };
    for (const auto& c : cases) {
        test::dialogs().reset();
        answer(c.typed);
        editor.lblAction_Click(0);
        const QStringList boxes = shownBoxes();
        EXPECT_EQ(boxes.value(0), "input|Stock Symbol|Type Stock Symbol");
        EXPECT_EQ(boxes.value(1), c.message) << c.typed.toStdString();
    }
    EXPECT_EQ(editor.symbols(), (QStringList{"IBM", "MSFT", "^DJI"}));
    EXPECT_TRUE(editor.applyEnabled());
    editor.cmdApply_Click();
    EXPECT_FALSE(editor.applyEnabled());
    EXPECT_EQ(setFile(0)[1].Symbol, "MSFT");
    EXPECT_EQ(setFile(0)[2].Symbol, "^DJI");
    EXPECT_EQ(StockCount(), 3);
}

TEST_F(SetEditorTest, AFullSetTakesNoMoreSymbols)
{
    std::vector<StockRec> rows;
    for (int i = 0; i < kStockRows; ++i)
        rows.push_back(quoted("S" + QString::number(i), 0, 0));
    writeSet(0, rows);
    editor.Form_Load();
    editor.lblAction_Click(0);
    EXPECT_EQ(shownBoxes(), QStringList{"msg|Stock set full|" + SetEditorTexts::FullText});
    EXPECT_EQ(editor.symbols().size(), kStockRows);
}

TEST_F(SetEditorTest, RemovingOrRenamingKeepsTheOtherStocksWhole)
{
    const std::vector<StockRec> rows{quoted("AAA", 1, 2), quoted("BBB", 3, 4), quoted("CCC", 5, 6),
                                     quoted("DDD", 7, 8)};
    writeSet(0, rows);
    editor.Form_Load();
    editor.lstStk_Click(1);
    editor.lblAction_Click(1);  // remove BBB
    EXPECT_EQ(editor.SelRow(), -1);
    editor.lstStk_Click(2);     // DDD
    answer("eee");
    editor.lblAction_Click(3);  // rename DDD to EEE
    EXPECT_EQ(shownBoxes().last(), "input|New Stock Symbol|Enter New Name For This Symbol");
    answer("aaa");
    editor.lstStk_DblClick();   // renaming to a symbol of the set is refused
    EXPECT_EQ(shownBoxes().last(), "msg|Duplicate stock symbol|You already have this symbol, Please try again");
    editor.cmdApply_Click();

    const auto file = setFile(0);
    EXPECT_EQ(file[0], rows[0]);
    EXPECT_EQ(file[1], rows[2]);  // CCC moved up with its quotes and alert prices
    EXPECT_EQ(file[2].Symbol, "EEE");
    EXPECT_EQ(file[2].CompanyName, "");  // a renamed symbol is a new stock: no quotes
    EXPECT_EQ(file[2].TargetLow, 7);     // but the alert boxes shown for it are applied
    EXPECT_EQ(file[2].TargetHigh, 8);
    EXPECT_EQ(file[3], StockRec());
    EXPECT_EQ(Stocks()[1], rows[2]);
}

TEST_F(SetEditorTest, AlertPricesBelongToTheSelectedSymbol)
{
    writeSet(0, {quoted("AAA", 1, 2), quoted("BBB", 3, 4)});
    editor.Form_Load();

    // Typed before any symbol was chosen: stored nowhere.
    editor.setAlert(0, "50");
    editor.cmdApply_Click();
    EXPECT_EQ(setFile(0)[0].TargetLow, 1);

    editor.lstStk_Click(1);
    EXPECT_EQ(editor.alert(0), "3");
    EXPECT_EQ(editor.alert(1), "4");
    editor.setAlert(0, "abc");
    EXPECT_EQ(shownBoxes().last(), "msg|Numbers only|Please type numbers.");
    EXPECT_EQ(editor.alert(0), "");
    EXPECT_EQ(editor.focusAlert(), 0);
    editor.setAlert(0, "12.5");
    editor.setAlert(1, "");  // an empty box leaves its price
    editor.cmdApply_Click();
    EXPECT_FLOAT_EQ(setFile(0)[1].TargetLow, 12.5f);
    EXPECT_FLOAT_EQ(setFile(0)[1].TargetHigh, 4);

    // A value typed and then left by clicking another symbol is discarded.
    editor.setAlert(1, "99");
    editor.lstStk_Click(0);
    EXPECT_EQ(editor.alert(1), "2");
    editor.cmdApply_Click();
    EXPECT_FLOAT_EQ(setFile(0)[1].TargetHigh, 4);
    EXPECT_FLOAT_EQ(setFile(0)[0].TargetHigh, 2);
}

TEST_F(SetEditorTest, CancelPutsBackTheSetThatWasCurrent)
{
    writeSet(0, {quoted("AAA", 1, 2)});
    writeSet(5, {quoted("FFF", 1, 2), quoted("GGG", 0, 0)});
    CurrentSet() = 5;
    ASSERT_TRUE(ReadStocks());
    Stocks()[0].TargetLow = 42;  // set by a detail card, not saved yet
    const auto before = Stocks();

    editor.Form_Load();
    EXPECT_EQ(CurrentSet(), 0);
    EXPECT_EQ(Stocks()[0].Symbol, "AAA");
    editor.lstSets_Click(2);
    editor.cmdCancel_Click();
    EXPECT_TRUE(editor.closed());
    EXPECT_EQ(CurrentSet(), 5);
    EXPECT_EQ(StockCount(), 2);
    EXPECT_TRUE(Stocks() == before);

    // After Apply on that set, Cancel reads what was applied.
    StockSetEditor again{sets};
    again.Form_Load();
    again.lstSets_Click(5);
    again.lstStk_Click(1);
    again.lblAction_Click(1);
    again.cmdApply_Click();
    again.cmdCancel_Click();
    EXPECT_EQ(CurrentSet(), 5);
    EXPECT_EQ(StockCount(), 1);
    EXPECT_EQ(Stocks()[1].Symbol, "");
}

TEST_F(SetEditorTest, OkMakesTheSetCurrentInTheMainWindow)
{
    QStringList calls;
    QObject::connect(&sets, &StockSets::currentSetChanged, &sets,
                     [&](int i) { calls << "mnuSet_Click(" + QString::number(i) + ")"; });
    QObject::connect(&sets, &StockSets::namesChanged, &sets, [&] { calls << "LoadSets"; });
    writeSet(3, {quoted("CCC", 0, 0)});
    editor.Form_Load();
    editor.lstSets_Click(3);
    answer("DDD");
    editor.lblAction_Click(0);
    editor.cmdOK_Click();
    EXPECT_TRUE(editor.closed());
    EXPECT_EQ(calls, (QStringList{"mnuSet_Click(3)", "LoadSets"}));
    EXPECT_EQ(CurrentSet(), 3);
    EXPECT_EQ(setFile(3)[1].Symbol, "DDD");
}

TEST_F(SetEditorTest, ApplyWritesTheEditorsSetEvenAfterASwitch)
{
    writeSet(0, {quoted("AAA", 0, 0)});
    writeSet(7, {quoted("SSS", 0, 0)});
    editor.Form_Load();
    answer("BBB");
    editor.lblAction_Click(0);
    CurrentSet() = 7;  // the main window switched sets meanwhile
    ASSERT_TRUE(ReadStocks());
    editor.cmdApply_Click();
    EXPECT_EQ(setFile(0)[1].Symbol, "BBB");
    EXPECT_EQ(setFile(7)[0].Symbol, "SSS");
    EXPECT_EQ(setFile(7)[1].Symbol, "");
}

// ---- symbols typed but not applied ----------------------------------------------

namespace {

struct PendingCase
{
    int answer;           // to "Apply the changes to ... first?"
    bool applied;         // the typed symbol reached the file
    bool stays;           // the editor stays on the set with the typed symbol (Cancel)
};

const PendingCase kPendingCases[] = {
    {Dialogs::vbYes, true, false},
    {Dialogs::vbNo, false, false},
    {Dialogs::vbCancel, false, true},
};

} // namespace

TEST_F(SetEditorTest, SwitchingSetsAsksWhetherToApplyWhatWasTyped)
{
    writeSet(10, {quoted("TTT", 0, 0)});
    int set = 1;
    for (const PendingCase& c : kPendingCases) {
        SCOPED_TRACE(c.answer);
        StockSetEditor ed{sets};
        typeSymbolInto(ed, set);
        test::dialogs().msgAnswers << c.answer;

        ed.lstSets_Click(10);

        ASSERT_EQ(test::dialogs().shown.size(), 1);
        EXPECT_EQ(shownBoxes()[0], "msg|Tradewright|Apply the changes to Group" + QString::number(set) + " first?");
        EXPECT_EQ(test::dialogs().shown[0].buttons, Dialogs::vbYesNoCancel + Dialogs::vbQuestion);
        EXPECT_EQ(setFile(set)[1].Symbol, c.applied ? "NEW" : "");
        if (c.stays) {
            EXPECT_EQ(ed.selectedSet(), set);
            EXPECT_EQ(CurrentSet(), set);
            EXPECT_EQ(ed.symbols(), (QStringList{"AAA", "NEW"}));
            EXPECT_TRUE(ed.applyEnabled());
            // Apply still writes what was typed.
            ed.cmdApply_Click();
            EXPECT_EQ(setFile(set)[1].Symbol, "NEW");
        } else {
            EXPECT_EQ(ed.selectedSet(), 10);
            EXPECT_EQ(CurrentSet(), 10);
            EXPECT_EQ(ed.symbols(), QStringList{"TTT"});
            EXPECT_FALSE(ed.applyEnabled());
        }
        ++set;
    }

    // Nothing typed, or the set being edited clicked again: no question.
    StockSetEditor ed{sets};
    ed.Form_Load();
    test::dialogs().reset();
    ed.lstSets_Click(10);
    answer("zzz");
    ed.lblAction_Click(0);
    ed.lstSets_Click(10);
    EXPECT_EQ(shownBoxes(), QStringList{"input|Stock Symbol|Type Stock Symbol"});
    EXPECT_EQ(ed.symbols(), (QStringList{"TTT", "ZZZ"}));
}

TEST_F(SetEditorTest, RenamingAsksWhetherToApplyWhatWasTypedAndTellsTheMainWindow)
{
    int loadSets = 0;
    QObject::connect(&sets, &StockSets::namesChanged, [&] { ++loadSets; });
    int set = 1;
    for (const PendingCase& c : kPendingCases) {
        SCOPED_TRACE(c.answer);
        StockSetEditor ed{sets};
        typeSymbolInto(ed, set);
        loadSets = 0;
        answer("Tech " + QString::number(set));
        test::dialogs().msgAnswers << c.answer;

        ed.lstSets_DblClick();

        const QString old = "Group" + QString::number(set);
        EXPECT_EQ(shownBoxes(), (QStringList{"input|New Set Name|Enter New Name For This Set",
                                             "msg|Tradewright|Apply the changes to " + old + " first?"}));
        EXPECT_EQ(setFile(set)[1].Symbol, c.applied ? "NEW" : "");
        EXPECT_EQ(ed.selectedSet(), set);
        if (c.stays) {
            EXPECT_TRUE(Settings::GetSettingAt(Settings::GroupsKey, old).isEmpty());
            EXPECT_EQ(ed.sets()[set], old);
            EXPECT_EQ(ed.symbols(), (QStringList{"AAA", "NEW"}));
            EXPECT_TRUE(ed.applyEnabled());
            EXPECT_EQ(loadSets, 0);
        } else {
            EXPECT_EQ(Settings::GetSettingAt(Settings::GroupsKey, old), "Tech " + QString::number(set));
            EXPECT_EQ(ed.sets()[set], "Tech " + QString::number(set));
            EXPECT_EQ(ed.symbols(), c.applied ? (QStringList{"AAA", "NEW"}) : QStringList{"AAA"});
            EXPECT_FALSE(ed.applyEnabled());
            EXPECT_EQ(loadSets, 1);
        }
        ++set;
    }

    // With nothing typed the rename asks nothing and is announced all the same.
    StockSetEditor ed{sets};
    ed.Form_Load();
    test::dialogs().reset();
    loadSets = 0;
    answer("Plain");
    ed.lstSets_DblClick();
    EXPECT_EQ(shownBoxes(), QStringList{"input|New Set Name|Enter New Name For This Set"});
    EXPECT_EQ(ed.sets()[0], "Plain");
    EXPECT_EQ(loadSets, 1);
}

TEST_F(SetEditorTest, FindingASymbolOpensTheLookupPageWithAnEncodedQuery)
{
    editor.Form_Load();
    answer("AT&T Corp/1");
    editor.lblAction_Click(2);
    EXPECT_EQ(shownBoxes(), QStringList{"input|Finding Symbol|Insert a company name or any part of it."});
    EXPECT_EQ(test::shell().opened, QStringList{Sites::Address(Site::Quotes, "/l?s=AT%26T%20Corp%2F1")});

    editor.lblAction_Click(2);  // nothing typed
    EXPECT_EQ(test::shell().opened.size(), 1);
}
