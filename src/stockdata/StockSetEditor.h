#pragma once

#include "stockdata/Records.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>

class StockSets;

// Display names of the 21 stock sets: the value Group<n> of the Groups key, or
// "Group<n>" when it is missing or empty. The set menu and the set editor show them.
QStringList SetNames();

// The set editor StkSet without its widgets: the list of sets with their names,
// the symbol list of the selected set, the alert prices of the selected symbol,
// and Apply / OK / Cancel.
//
// Selecting a set makes it CurrentSet and reads it into Stocks at once; OK then
// makes it current for the whole program (StockSets::makeCurrent, which the main
// window follows) and announces the set names; Cancel puts back the set that was
// current when the editor opened, as it was in memory.
class StockSetEditor
{
public:
    explicit StockSetEditor(StockSets& sets);
    ~StockSetEditor();

    // Opening: lists the set names, selects the first set and lists its symbols.
    void Form_Load();

    // The lists and what is selected in them (-1: nothing).
    const QStringList& sets() const { return m_sets; }
    int selectedSet() const { return m_selectedSet; }
    const QStringList& symbols() const { return m_symbols; }
    int SelRow() const { return m_selRow; }

    QString alert(int index) const { return m_alert.at(index); }
    // A change of txtAlert(index), typed: enables Apply; text that is no number
    // shows "Please type numbers." ("Numbers only") and empties the box.
    void setAlert(int index, const QString& text);
    int focusAlert() const { return m_focusAlert; }
    void clearFocusRequest() { m_focusAlert = -1; }

    bool applyEnabled() const { return m_applyEnabled; }
    bool addEnabled() const { return m_addEnabled; }
    bool removeEnabled() const { return m_removeEnabled; }

    // The editor's procedures.
    void LoadSets();
    void LoadData();
    void UpdateINI();

    // Events. Clicking another set and renaming the set ask first whether to apply
    // what was changed and not applied (see settlePendingChanges); a rename is then
    // announced to the main window through its LoadSets.
    void lstSets_Click(int position);
    void lstSets_DblClick();            // rename the selected set
    void lstStk_Click(int position);    // select a symbol
    void lstStk_DblClick();             // rename the selected symbol
    // 0 "Add Stock", 1 "Remove Stock", 2 "Find Stock Symbol", 3 "Rename Stock".
    void lblAction_Click(int index);
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    bool closed() const { return m_closed; }

    // Captions of the four action labels.
    static const std::array<QString, 4>& ActionCaptions();

private:
    // While Apply is enabled (symbols or alert prices changed and not applied), asks
    // "Apply the changes to <set> first?": Yes applies, No drops them; false for
    // Cancel (the caller then changes nothing). True at once when nothing is pending.
    bool settlePendingChanges();
    // Makes the set at position the editor's set and CurrentSet and lists its symbols.
    void selectSet(int position);
    bool renameSelectedSymbol();  // the input box of "Rename Stock"; true when renamed
    void selectNoSymbol();
    void restoreOpeningSet();

    QStringList m_sets;
    int m_selectedSet = -1;
    QStringList m_symbols;
    int m_selRow = -1;
    std::array<QString, 2> m_alert;
    int m_focusAlert = -1;
    bool m_applyEnabled = false;
    bool m_addEnabled = false;
    bool m_removeEnabled = false;
    bool m_closed = false;

    StockSets& m_stockSets;

    // The set current when the editor opened, as it stood in memory.
    std::int16_t m_openingSet = 0;
    std::int16_t m_openingCount = 0;
    std::unique_ptr<std::array<StockRec, kStockRows>> m_openingStocks;
    bool m_openingSetSaved = false;  // Apply wrote the opening set's file meanwhile
};

// Messages of the editor.
namespace SetEditorTexts {
inline const QString DuplicateText = QStringLiteral("You already have this symbol, Please try again");
inline const QString DuplicateTitle = QStringLiteral("Duplicate stock symbol");
inline const QString FullText =
    QStringLiteral("A stock set holds at most 201 symbols.\r\nPlease remove a symbol before adding another.");
inline const QString FullTitle = QStringLiteral("Stock set full");
// Asked (with the program's title) before symbols or alert prices not applied yet
// would be read over.
inline QString ApplyFirstText(const QString& setName)
{
    return QStringLiteral("Apply the changes to ") + setName + QStringLiteral(" first?");
}
} // namespace SetEditorTexts
