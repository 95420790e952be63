#include "stockdata/StockSetEditor.h"

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Shell.h"
#include "platform/Sites.h"
#include "platform/Runtime.h"
#include "stockdata/EntryRules.h"
#include "stockdata/ProgramState.h"
#include "stockdata/StockSets.h"
#include "stockdata/Stocks.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace {

using Table = std::array<StockRec, kStockRows>;

constexpr int kHelpTopic = 1006;

// The row of Stocks holding symbol (any of rows 0..200), or -1.
int rowOf(const QString& symbol)
{
    for (int i = 0; i < kStockRows; ++i)
        if (!symbol.isEmpty() && Stocks()[i].Symbol == symbol)
            return i;
    return -1;
}

} // namespace

QStringList SetNames()
{
    QStringList names;
    for (int n = 0; n < kStockSets; ++n) {
        const QString value = Settings::GroupValueName(n);
        const QString name = Settings::GetSettingAt(QString::fromLatin1(Settings::GroupsKey), value);
        names << (name.isEmpty() ? value : name);
    }
    return names;
}

StockSetEditor::StockSetEditor(StockSets& sets) : m_stockSets(sets) {}
StockSetEditor::~StockSetEditor() = default;

const std::array<QString, 4>& StockSetEditor::ActionCaptions()
{
    static const std::array<QString, 4> captions{QStringLiteral("Add Stock"), QStringLiteral("Remove Stock"),
                                                 QStringLiteral("Find Stock Symbol"), QStringLiteral("Rename Stock")};
    return captions;
}

void StockSetEditor::Form_Load()
{
    m_closed = false;
    m_openingSet = CurrentSet();
    m_openingCount = StockCount();
    m_openingStocks = std::make_unique<Table>(Stocks());
    m_openingSetSaved = false;
    LoadSets();
    lstSets_Click(0);
}

void StockSetEditor::LoadSets()
{
    m_sets = SetNames();
    selectSet(0);
    m_addEnabled = false;
    m_removeEnabled = false;
    m_applyEnabled = false;
}

void StockSetEditor::LoadData()
{
    ReadStocks();
    for (const StockRec& rec : Stocks())
        if (!rec.Symbol.isEmpty())
            m_symbols << rec.Symbol;
}

bool StockSetEditor::settlePendingChanges()
{
    if (!m_applyEnabled || m_selectedSet < 0 || m_selectedSet >= m_sets.size())
        return true;
    switch (Dialogs::MsgBox(SetEditorTexts::ApplyFirstText(m_sets[m_selectedSet]),
                            Dialogs::vbYesNoCancel + Dialogs::vbQuestion)) {
    case Dialogs::vbYes:
        cmdApply_Click();
        return true;
    case Dialogs::vbNo:
        m_applyEnabled = false;
        return true;
    default:
        return false;
    }
}

void StockSetEditor::lstSets_Click(int position)
{
    if (position < 0 || position >= m_sets.size())
        return;
    // Clicking the set being edited again keeps what was typed into it.
    if (position == m_selectedSet && m_applyEnabled)
        return;
    if (!settlePendingChanges())
        return;
    selectSet(position);
}

void StockSetEditor::selectSet(int position)
{
    if (position < 0 || position >= m_sets.size())
        return;
    m_addEnabled = true;
    m_removeEnabled = true;
    m_selectedSet = position;
    CurrentSet() = static_cast<std::int16_t>(position);
    m_symbols.clear();
    LoadData();
    selectNoSymbol();
}

void StockSetEditor::lstSets_DblClick()
{
    const int position = m_selectedSet;
    if (position < 0 || position >= m_sets.size())
        return;
    const QString answer = Dialogs::InputBox(QStringLiteral("Enter New Name For This Set"),
                                             QStringLiteral("New Set Name"), m_sets[position]);
    if (answer.trimmed().isEmpty())
        return;
    // The set is read again under its new name: what was typed into it is applied
    // or dropped first, as the user says; Cancel keeps the old name and the edits.
    if (!settlePendingChanges())
        return;
    // The key is made on the first run; make sure of it, or the name would be lost.
    mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::GroupsKey));
    Settings::SaveSettingAt(QString::fromLatin1(Settings::GroupsKey), Settings::GroupValueName(position), answer);
    LoadSets();
    selectSet(position);
    // The main window shows the new name at once (set menu, Groups label, tree root).
    m_stockSets.namesEdited();
}

void StockSetEditor::selectNoSymbol()
{
    m_selRow = -1;
    m_alert = {};
}

void StockSetEditor::lstStk_Click(int position)
{
    if (position < 0 || position >= m_symbols.size())
        return;
    m_selRow = position;
    // A symbol added but not yet applied has no alert prices.
    const int row = CurrentSet() == m_selectedSet ? rowOf(m_symbols[position]) : -1;
    m_alert[0] = rt::SingleText(row >= 0 ? Stocks()[row].TargetLow : 0.0f);
    m_alert[1] = rt::SingleText(row >= 0 ? Stocks()[row].TargetHigh : 0.0f);
}

void StockSetEditor::setAlert(int index, const QString& text)
{
    if (index < 0 || index > 1 || m_alert[index] == text)
        return;
    m_alert[index] = text;
    m_applyEnabled = true;
    if (!text.isEmpty() && !AlertValue(text)) {
        Dialogs::MsgBox(NumbersOnlyText(), Dialogs::vbInformation, NumbersOnlyTitle());
        m_alert[index].clear();
        m_focusAlert = index;
    }
}

bool StockSetEditor::renameSelectedSymbol()
{
    if (m_selRow < 0 || m_selRow >= m_symbols.size())
        return false;
    const QString answer = Dialogs::InputBox(QStringLiteral("Enter New Name For This Symbol"),
                                             QStringLiteral("New Stock Symbol"), m_symbols[m_selRow]);
    if (answer.trimmed().isEmpty())
        return false;
    const std::optional<QString> symbol = NormaliseSymbol(answer);
    if (!symbol) {
        Dialogs::MsgBox(InvalidSymbolText(), Dialogs::vbInformation, InvalidSymbolTitle());
        return false;
    }
    for (int i = 0; i < m_symbols.size(); ++i)
        if (i != m_selRow && m_symbols[i] == *symbol) {
            Dialogs::MsgBox(SetEditorTexts::DuplicateText, Dialogs::vbInformation, SetEditorTexts::DuplicateTitle);
            return false;
        }
    m_symbols[m_selRow] = *symbol;
    return true;
}

void StockSetEditor::lstStk_DblClick()
{
    renameSelectedSymbol();
}

void StockSetEditor::lblAction_Click(int index)
{
    switch (index) {
    case 0: {  // Add Stock
        if (!m_addEnabled)
            return;
        if (m_symbols.size() >= kStockRows) {
            Dialogs::MsgBox(SetEditorTexts::FullText, Dialogs::vbInformation, SetEditorTexts::FullTitle);
            return;
        }
        const QString answer = Dialogs::InputBox(QStringLiteral("Type Stock Symbol"), QStringLiteral("Stock Symbol"));
        if (answer.trimmed().isEmpty())
            return;
        const std::optional<QString> symbol = NormaliseSymbol(answer);
        if (!symbol) {
            Dialogs::MsgBox(InvalidSymbolText(), Dialogs::vbInformation, InvalidSymbolTitle());
            return;
        }
        if (m_symbols.contains(*symbol)) {
            Dialogs::MsgBox(SetEditorTexts::DuplicateText, Dialogs::vbInformation, SetEditorTexts::DuplicateTitle);
            return;
        }
        m_symbols << *symbol;
        m_applyEnabled = true;
        break;
    }
    case 1:  // Remove Stock
        if (!m_removeEnabled)
            return;
        if (m_selRow >= 0 && m_selRow < m_symbols.size()) {
            m_symbols.removeAt(m_selRow);
            selectNoSymbol();
        }
        m_applyEnabled = true;
        break;
    case 2: {  // Find Stock Symbol
        const QString answer = Dialogs::InputBox(QStringLiteral("Insert a company name or any part of it."),
                                                 QStringLiteral("Finding Symbol"));
        if (answer.trimmed().isEmpty())
            return;
        Shell::Open(Sites::Address(Site::Quotes, QStringLiteral("/l?s=") + PercentEncodeQuery(answer)));
        QCoreApplication::processEvents();
        break;
    }
    case 3:  // Rename Stock
        if (renameSelectedSymbol())
            m_applyEnabled = true;
        break;
    default:
        break;
    }
}

void StockSetEditor::UpdateINI()
{
    if (m_selectedSet < 0)
        return;
    // The list belongs to the editor's set, whatever became current meanwhile.
    if (CurrentSet() != m_selectedSet) {
        CurrentSet() = static_cast<std::int16_t>(m_selectedSet);
        ReadStocks();
    }
    // Every listed symbol keeps its whole record (quotes, recommendation, alert
    // prices), wherever it stood before; a new or renamed symbol starts empty.
    auto table = std::make_unique<Table>();
    const int count = std::min<int>(int(m_symbols.size()), kStockRows);
    for (int i = 0; i < count; ++i) {
        const int old = rowOf(m_symbols[i]);
        if (old >= 0)
            (*table)[i] = Stocks()[old];
        else
            (*table)[i].Symbol = m_symbols[i];
    }
    // The alert boxes belong to the selected symbol, and to nothing when none is.
    if (m_selRow >= 0 && m_selRow < count) {
        StockRec& rec = (*table)[m_selRow];
        if (!m_alert[0].isEmpty())
            if (const auto v = AlertValue(m_alert[0]))
                rec.TargetLow = *v;
        if (!m_alert[1].isEmpty())
            if (const auto v = AlertValue(m_alert[1]))
                rec.TargetHigh = *v;
    }
    Stocks() = *table;
    SaveStocks();
    ReadStocks();
    if (CurrentSet() == m_openingSet)
        m_openingSetSaved = true;
}

void StockSetEditor::cmdApply_Click()
{
    m_applyEnabled = false;
    UpdateINI();
}

void StockSetEditor::cmdOK_Click()
{
    UpdateINI();
    m_stockSets.makeCurrent(CurrentSet());
    QCoreApplication::processEvents();
    m_closed = true;
    m_stockSets.namesEdited();
}

void StockSetEditor::restoreOpeningSet()
{
    CurrentSet() = m_openingSet;
    if (m_openingSetSaved || !m_openingStocks) {
        ReadStocks();
        return;
    }
    Stocks() = *m_openingStocks;
    StockCount() = m_openingCount;
}

void StockSetEditor::cmdCancel_Click()
{
    if (m_closed)
        return;
    restoreOpeningSet();
    m_closed = true;
}

void StockSetEditor::cmdHelp_Click()
{
    Help::ShowTopic(kHelpTopic);
}
