#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class EditingHost;
class StockSets;

// The actions of the main window's two popup menus on the stock set and the
// portfolio: the grid popup mnuEdit (items 0 to 9, shown in the quotes and
// portfolio views) and the tree popup mnuTree (items 0 to 11, under the menu title
// "Tree", shown by the tree and the stock strip). The main window builds the menus
// from the captions and states below and calls the click handlers of its
// PopupActions with the item index; the handlers work on the main grid's current
// row and on CurrentSymbol.

inline constexpr int kGridPopupItems = 10;
inline constexpr int kTreePopupItems = 12;

// Captions in index order; "-" is a separator.
inline constexpr std::array<const char*, kTreePopupItems> kTreePopupCaptions{
    "&Collapse All", "-", "&Buy", "&Sell", "S&plit", "-", "&Delete", "Empty S&tock Cache", "-",
    "&Update Selected Stock", "-", "&Properties"};
const std::array<QString, kGridPopupItems>& mnuEditCaptions();
const std::array<QString, kTreePopupItems>& mnuTreeCaptions();
// The grid popup's item that carries a check mark ("Old Style Background").
inline constexpr int kOldStyleBackgroundItem = 4;

struct MenuItemState
{
    bool visible = true;
    bool enabled = true;
    bool operator==(const MenuItemState&) const = default;
};
using GridPopupState = std::array<MenuItemState, kGridPopupItems>;
using TreePopupState = std::array<MenuItemState, kTreePopupItems>;

// The grid popup for a right click in view `view`; holdingKey is column 10 of the
// grid's current row (the holdings view's hidden purchase id). nullopt: the view
// has no popup. "Current": Copy, Select All, Old Style Background, Delete Share;
// "Port": Copy, Select All, Old Style Background, Sell Share (enabled on a holding
// row only); "PortLog": Copy, Select All, Edit and Delete Transection.
std::optional<GridPopupState> GridPopupStates(const QString& view, const QString& holdingKey);

// Where the tree popup opens.
enum class TreePopupFrom {
    Tree,   // right click on the tree: "&Collapse All", and the stock items when the
            // remembered node is a stock
    Strip,  // right click on a strip picture: the stock items only
};
// Visibility by origin, and "&Sell" / "S&plit" enabled as mnuTrees_Click decides.
TreePopupState TreePopupStates(TreePopupFrom from, bool nodeIsStock);

// Runs as the tree popup opens: true ("&Sell" and "S&plit" enabled) when the
// portfolio holds a purchase of CurrentSymbol.
bool mnuTrees_Click();

// The actions. They ask the main window what is its own through the host, and
// announce a removed stock on the sets (the window then rebuilds its tree and a
// shown quotes view). A failing action ends quietly, traced in the logging
// category "tradewright.stockdata.popups": the popups show no errors.
class PopupActions
{
public:
    PopupActions(EditingHost& host, StockSets& sets) : m_host(host), m_sets(sets) {}

    // An index outside the tables does nothing.
    void mnuEdit_Click(int Index);
    void mnuTree_Click(int Index);

private:
    void removeStock(std::int16_t row, const QString& question);
    void deleteShareFromQuotes();
    void deleteCurrent();
    void showProperties();

    EditingHost& m_host;
    StockSets& m_sets;
};

// Texts of the questions and messages, for the windows' tests.
namespace PopupTexts {
inline const QString DeleteShareTitle = QStringLiteral("Delete share?");
inline const QString DeleteTransactionTitle = QStringLiteral("Delete Transaction?");
inline const QString ClearCacheTitle = QStringLiteral("Clear Cache ?");
inline const QString ClearCacheText = QStringLiteral("Are you sure you want to delete the selected stock data?");
inline const QString NoStockTitle = QStringLiteral("UnSelected Stock");
inline const QString NoStockText = QStringLiteral("Select some stock first..");
} // namespace PopupTexts

// The set row shown in row r of the current-quotes grid (the host's main grid): by
// the row's symbol when the grid carries a "Symbol" column, else by its company
// name (column 1); when several stocks share that name, by the order of their
// rows. nullopt when the row shows no stock of the set.
std::optional<int> QuotesRowStock(EditingHost& host, int r);
