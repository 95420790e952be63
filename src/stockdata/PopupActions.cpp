#include "stockdata/PopupActions.h"

#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/SkipFailedSteps.h"
#include "stockdata/DetailCard.h"
#include "stockdata/EditingHost.h"
#include "stockdata/EditorWindows.h"
#include "stockdata/EntryRules.h"
#include "stockdata/Portfolio.h"
#include "stockdata/PortfolioViews.h"
#include "stockdata/PortfolioViews.h"
#include "stockdata/ProgramState.h"
#include "stockdata/PurchasePicker.h"
#include "stockdata/StockSets.h"
#include "stockdata/Stocks.h"
#include "stockdata/TransactionForm.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcPopups, "tradewright.stockdata.popups")

const QString kBuy = QStringLiteral("Buy");

// Columns of the views that the grid actions read.
using namespace PortColumns;
enum QuotesCol { QCompany = 1 };

FlexGrid* mainGrid(EditingHost& host)
{
    try {
        return host.mainGrid();
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Text of a cell of the main grid; "" when the cell does not exist.
QString cell(EditingHost& host, int row, int col)
{
    FlexGrid* g = mainGrid(host);
    if (!g)
        return QString();
    try {
        return g->TextMatrix(row, col);
    } catch (const std::exception&) {
        return QString();
    }
}

int currentRow(EditingHost& host)
{
    FlexGrid* g = mainGrid(host);
    return g ? g->Row() : -1;
}

// A key of a hidden column as a 16-bit number; nullopt for an empty or bad key.
std::optional<std::int16_t> keyOf(const QString& text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    try {
        return rt::CInt(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// First and second purchase of symbol among rows 0..99 (used rows may lie beyond
// TransCount after a deletion).
std::pair<int, int> purchasesOf(const QString& symbol)
{
    int first = -1;
    for (int i = 0; i <= kLastWorkingTransRow; ++i) {
        const PortRec& r = Transactions()[i];
        if (r.Symbol.isEmpty() || r.Symbol != symbol || r.Action != kBuy)
            continue;
        if (first < 0)
            first = i;
        else
            return {first, i};
    }
    return {first, -1};
}

// The company name the transaction window shows for symbol: its name in the set,
// the symbol when that name is shorter than 2 characters; nullopt when the symbol
// is not in the set (the label keeps its "-").
std::optional<QString> setNameOf(const QString& symbol)
{
    const std::optional<std::int16_t> row = LookupSymbol(symbol);
    if (!row)
        return std::nullopt;
    const QString& name = Stocks()[*row].CompanyName;
    return name.size() >= 2 ? name : symbol;
}

void saleLabels(TransactionForm& form)
{
    form.caption = QStringLiteral("Sell Share");
    form.lblDate = QStringLiteral("Sell Date:");
    form.lblPrice = QStringLiteral("Sell Prices:");
}

// The picker over the purchases of TransSymbol; its Ok opens the sale.
void openPicker()
{
    PurchasePicker picker;
    picker.Form_Load();
    editorWindows().showPicker(picker);
    QCoreApplication::processEvents();
    if (!picker.accepted())
        return;
    TransactionForm form;
    form.Form_Load();
    saleLabels(form);
    editorWindows().showTransaction(form);
}

// ---- grid popup ------------------------------------------------------------

void sellHolding(EditingHost& host)
{
    if (CurrentView() != QLatin1String("Port"))
        return;
    const int r = currentRow(host);
    const std::optional<std::int16_t> key = keyOf(cell(host, r, HKey));
    if (!key)
        return;  // the total rows hold no purchase
    TransactionId() = *key;
    TransMode() = QStringLiteral("Sell");
    TransSymbol() = cell(host, r, HSymbol);
    const auto [first, second] = purchasesOf(TransSymbol());
    if (first < 0)
        return;
    if (second >= 0) {
        openPicker();
        return;
    }
    LotShares() = Transactions()[first].Shares;
    LotPrice() = Transactions()[first].Price;

    TransactionForm form;
    form.Form_Load();
    saleLabels(form);
    form.lblSymbol = TransSymbol();
    form.lblCurrent = cell(host, r, HPrice);
    if (const auto name = setNameOf(TransSymbol()))
        form.lblName = *name;
    form.setText(TransactionForm::txtComm, cell(host, r, HCom));
    form.setText(TransactionForm::txtPrice, cell(host, r, HPrice));
    form.setText(TransactionForm::txtDate, TodayText());
    form.setText(TransactionForm::txtShares, cell(host, r, HQty));
    editorWindows().showTransaction(form);
}

// The transaction row that grid row r stands for: the log's hidden row column, or
// in the holdings view the purchase named by its id.
std::optional<int> transactionRowAt(EditingHost& host, int r)
{
    int row = -1;
    if (CurrentView() == QLatin1String("PortLog")) {
        if (const auto key = keyOf(cell(host, r, LRow)))
            row = *key;
    } else if (CurrentView() == QLatin1String("Port")) {
        if (const auto key = keyOf(cell(host, r, HKey)))
            row = PurchaseRowOfLot(*key);
    }
    if (row < 0 || row > kLastWorkingTransRow || Transactions()[row].Symbol.isEmpty())
        return std::nullopt;
    return row;
}

void editTransaction(EditingHost& host)
{
    const std::optional<int> row = transactionRowAt(host, currentRow(host));
    if (!row)
        return;
    const PortRec rec = Transactions()[*row];
    TransRow() = static_cast<std::int16_t>(*row);
    TransSymbol() = rec.Symbol;
    TransMode() = QStringLiteral("Edit");

    TransactionForm form;
    form.Form_Load();
    form.caption = QStringLiteral("Edit Transection");
    form.lblDate = QStringLiteral("Buy Date:");
    form.lblPrice = QStringLiteral("Buy Prices:");
    form.lblSymbol = rec.Symbol;
    if (const auto name = setNameOf(rec.Symbol))
        form.lblName = *name;
    // The boxes take the stored figures, not the rounded texts of the grid.
    form.setText(TransactionForm::txtComm, rt::SingleText(rec.Commission));
    form.setText(TransactionForm::txtPrice, rt::SingleText(rec.Price));
    form.setText(TransactionForm::txtDate, rec.TransDate);
    form.setText(TransactionForm::txtShares, QString::number(rec.Shares));
    editorWindows().showTransaction(form);
    QCoreApplication::processEvents();
}

void deleteTransaction(EditingHost& host)
{
    if (CurrentView() != QLatin1String("PortLog"))
        return;
    // The total row and an emptied row hold no transaction: nothing to ask about.
    const std::optional<int> row = transactionRowAt(host, currentRow(host));
    if (!row)
        return;
    PortRec& rec = Transactions()[*row];
    const QString question = QStringLiteral("Are you sure you want to remove this transaction (") + rec.Symbol +
                             QLatin1Char('-') + rec.Action + QStringLiteral(")?");
    if (Dialogs::MsgBox(question, Dialogs::vbYesNo + Dialogs::vbQuestion, PopupTexts::DeleteTransactionTitle) !=
        Dialogs::vbYes)
        return;
    rec = PortRec();
    rec.PriceText = QStringLiteral("0");
    PackPortfolio();
    SavePortfolio();
    LoadPortfolio();
    // The log (the view on screen) is drawn again so the removed row does not
    // linger there.
    emit portfolioSignals().changed();
}

// ---- tree popup ------------------------------------------------------------

void buyCurrent()
{
    if (CurrentSymbol().isEmpty()) {
        Dialogs::MsgBox(PopupTexts::NoStockText, Dialogs::vbInformation, PopupTexts::NoStockTitle);
        return;
    }
    TransMode() = QStringLiteral("NewStock");
    TransSymbol() = CurrentSymbol();
    TransactionForm form;
    form.Form_Load();
    form.caption = QStringLiteral("Parchase Share");
    editorWindows().showTransaction(form);
}

void sellCurrent()
{
    TransMode() = QStringLiteral("Sell");
    TransSymbol() = CurrentSymbol();
    const auto [first, second] = purchasesOf(TransSymbol());
    if (first < 0)
        return;
    if (second >= 0) {
        openPicker();
        return;
    }
    const PortRec& buy = Transactions()[first];
    LotShares() = buy.Shares;
    LotPrice() = buy.Price;
    TransactionId() = buy.LotId;
    TransactionForm form;
    form.Form_Load();
    saleLabels(form);
    // What is left of the lot (the load put it there already).
    form.setText(TransactionForm::txtShares, QString::number(form.sharesLimit()));
    editorWindows().showTransaction(form);
}

void emptyStockCache()
{
    if (Dialogs::MsgBox(PopupTexts::ClearCacheText,
                        Dialogs::vbYesNo + Dialogs::vbExclamation + Dialogs::vbDefaultButton2,
                        PopupTexts::ClearCacheTitle) != Dialogs::vbYes)
        return;
    DeleteStockCache(CurrentSymbol());
    QCoreApplication::processEvents();
}

} // namespace

void PopupActions::removeStock(std::int16_t row, const QString& question)
{
    if (Dialogs::MsgBox(question, Dialogs::vbYesNo + Dialogs::vbQuestion, PopupTexts::DeleteShareTitle) !=
        Dialogs::vbYes)
        return;
    ClearSetRow(row);
    PackSet();
    SaveStocks();
    ReadStocks();
    PackSet();
    m_sets.stocksEdited();
}

void PopupActions::deleteShareFromQuotes()
{
    if (CurrentView() != QLatin1String("Current"))
        return;
    const int r = currentRow(m_host);
    const std::optional<int> row = QuotesRowStock(m_host, r);
    if (!row)
        return;
    removeStock(static_cast<std::int16_t>(*row),
                QStringLiteral("Are you sure you want to remove ") + QStringLiteral(" (") +
                    cell(m_host, r, QCompany) + QStringLiteral(")?"));
}

void PopupActions::deleteCurrent()
{
    // A symbol outside the current set (a portfolio symbol, say) removes nothing.
    const std::optional<std::int16_t> row = LookupSymbol(CurrentSymbol());
    if (!row)
        return;
    removeStock(*row, QStringLiteral("Do you want to remove ") + GetSelectedName() + QStringLiteral(" (") +
                          CurrentSymbol() + QStringLiteral(")?"));
}

void PopupActions::showProperties()
{
    // The card of a stock the strip shows, as the strip's double click opens it.
    if (CurrentSymbol().isEmpty())
        return;
    const QStringList strip = m_host.stripSymbols();
    if (strip.mid(0, 7).contains(CurrentSymbol()))
        OpenDetailCard();
}

const std::array<QString, kGridPopupItems>& mnuEditCaptions()
{
    static const std::array<QString, kGridPopupItems> captions{
        QStringLiteral("Copy"),        QStringLiteral("-"),
        QStringLiteral("Select All"),  QStringLiteral("-"),
        QStringLiteral("Old Style Background"), QStringLiteral("-"),
        QStringLiteral("Sell Share"),  QStringLiteral("Delete Share"),
        QStringLiteral("Edit Transection"), QStringLiteral("Delete Transection")};
    return captions;
}

const std::array<QString, kTreePopupItems>& mnuTreeCaptions()
{
    static const std::array<QString, kTreePopupItems> captions = [] {
        std::array<QString, kTreePopupItems> texts;
        for (int i = 0; i < kTreePopupItems; ++i)
            texts[std::size_t(i)] = QString::fromLatin1(kTreePopupCaptions[std::size_t(i)]);
        return texts;
    }();
    return captions;
}

std::optional<GridPopupState> GridPopupStates(const QString& view, const QString& holdingKey)
{
    GridPopupState s;  // every item visible and enabled to begin with
    auto hide = [&](std::initializer_list<int> items) {
        for (int i : items)
            s[i].visible = false;
    };
    if (view == QLatin1String("Current")) {
        hide({6, 8, 9});
    } else if (view == QLatin1String("Port")) {
        const bool holding = !holdingKey.isEmpty();
        s[6].enabled = holding;
        s[8].enabled = holding;
        hide({7, 8, 9});
    } else if (view == QLatin1String("PortLog")) {
        hide({4, 5, 6, 7});
    } else {
        return std::nullopt;
    }
    return s;
}

TreePopupState TreePopupStates(TreePopupFrom from, bool nodeIsStock)
{
    TreePopupState s;
    if (from == TreePopupFrom::Strip) {
        s[0].visible = false;
        s[1].visible = false;
    } else {
        for (int i = 1; i < kTreePopupItems; ++i)
            s[i].visible = nodeIsStock;
    }
    const bool held = mnuTrees_Click();
    s[3].enabled = held;
    s[4].enabled = held;
    return s;
}

bool mnuTrees_Click()
{
    return !CurrentSymbol().isEmpty() && purchasesOf(CurrentSymbol()).first >= 0;
}

void PopupActions::mnuEdit_Click(int Index)
{
    SkipFailedSteps(lcPopups, "mnuEdit_Click")([&] {
        switch (Index) {
        case 0:
            m_host.copyGrid();
            break;
        case 2:
            m_host.selectAllGrid();
            break;
        case kOldStyleBackgroundItem:
            m_host.toggleOldStyleBackground();
            m_host.redrawQuotes();
            QCoreApplication::processEvents();
            break;
        case 6:
            sellHolding(m_host);
            break;
        case 7:
            deleteShareFromQuotes();
            break;
        case 8:
            editTransaction(m_host);
            break;
        case 9:
            deleteTransaction(m_host);
            break;
        default:
            break;
        }
    });
}

void PopupActions::mnuTree_Click(int Index)
{
    SkipFailedSteps(lcPopups, "mnuTree_Click")([&] {
        switch (Index) {
        case 0:
            m_host.collapseAllNodes();
            break;
        case 2:
            buyCurrent();
            break;
        case 3:
            sellCurrent();
            break;
        case 6:
            deleteCurrent();
            break;
        case 7:
            emptyStockCache();
            break;
        case 9:
            m_host.setOneStockOnly(true);
            m_host.pressUpdateButton();
            break;
        case 11:
            showProperties();
            break;
        default:
            break;  // 4 "S&plit" does nothing; the rest are separators
        }
    });
}

std::optional<int> QuotesRowStock(EditingHost& host, int r)
{
    FlexGrid* g = mainGrid(host);
    if (!g || r < 2 || r >= g->Rows())
        return std::nullopt;
    const int last = std::clamp<int>(StockCount(), 0, kStockRows) - 1;

    // A "Symbol" column names the stock outright.
    for (int c = 0; c < g->Cols(); ++c) {
        if (cell(host, 0, c) != QLatin1String("Symbol"))
            continue;
        const QString symbol = cell(host, r, c);
        for (int i = 0; i <= last; ++i)
            if (!symbol.isEmpty() && Stocks()[i].Symbol == symbol)
                return i;
        return std::nullopt;
    }

    // Otherwise by the company name: the n-th grid row of a name is the n-th stock
    // of that name (the view lists the stocks in set order; sorting keeps equal
    // rows in order when it sorts by the name).
    const QString name = cell(host, r, QCompany);
    QVector<int> stocks;
    for (int i = 0; i <= last; ++i)
        if (!Stocks()[i].Symbol.isEmpty() && Stocks()[i].CompanyName == name)
            stocks << i;
    if (stocks.isEmpty())
        return std::nullopt;
    if (stocks.size() == 1)
        return stocks.front();
    int ordinal = -1;
    int rowsOfName = 0;
    for (int gr = 2; gr < g->Rows(); ++gr) {
        if (cell(host, gr, QCompany) != name)
            continue;
        if (gr == r)
            ordinal = rowsOfName;
        ++rowsOfName;
    }
    if (rowsOfName != stocks.size() || ordinal < 0)
        return std::nullopt;
    return stocks[ordinal];
}
