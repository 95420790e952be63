#pragma once

#include "stockdata/Records.h"

#include <QLoggingCategory>
#include <QString>

#include <array>
#include <exception>
#include <functional>

class FlexGrid;

// What every view shares: how it fails, what it may read and the one-cell grid
// message. The search, cut and scanners it reads pages with are in pages/PageText.h
// and pages/PageScan.h; they fail with the run-time errors 5 and 6, which the runner
// shows as it shows ViewError::number of the same number.

// View failures go here, never into ErrorLog.txt (that file is mailed to support).
Q_DECLARE_LOGGING_CATEGORY(lcViews)

// The ways a view can end besides "filled" (its builder returning normally).
// Anything else a builder throws counts too: a RuntimeError by its number, any
// other exception as an "other" error.
class ViewError : public std::exception
{
public:
    enum Kind {
        Message,    // the one-cell message shows text()
        Blank,      // a blank grid: the message with an empty text
        Untouched,  // the grid stays as it was (the momentum view without a symbol)
        Number,     // a classic run-time error number: 5, 53, 6, ...
    };

    static ViewError message(const QString& text);
    static ViewError blank();
    static ViewError untouched();
    // 5 (invalid argument: a marker missing, an empty page) and 53 (file not
    // found) give the view's standard message; any other number, the view's
    // policy for other errors.
    static ViewError number(int n);

    Kind kind() const { return m_kind; }
    int errorNumber() const { return m_number; }
    const QString& text() const { return m_text; }
    const char* what() const noexcept override;

private:
    ViewError(Kind kind, int number, const QString& text) : m_kind(kind), m_number(number), m_text(text) {}

    Kind m_kind;
    int m_number;
    QString m_text;
};

// White, as the views colour their cells.
inline constexpr int kWhite = 0xFFFFFF;

// Everything a builder may read. A builder reads no global and touches no widget:
// the runner fills this from the program's state when the view is asked for.
struct ViewContext
{
    QString code;          // the view code being shown ("Current", "ABS", "F_", ...)
    QString key;           // the per-key argument: "F_Conv", "brPG_Q.Sh", "0".."4", a symbol, ...
    QString symbol;        // CurrentSymbol at the request
    QString companyName;   // the display name of symbol ("" when it is not in the set)
    int setRow = -1;       // row of symbol in *stocks, -1 when not in the set
    QString appPath;       // the program folder
    QString pagePath;      // the view's cache page for symbol and key ("" when it has none)
    int stdRowHeight = 0;  // the main grid's base row height, twips

    // The quotes view normalises the stored price texts as it shows them, so the
    // set is handed over writable.
    std::array<StockRec, kStockRows>* stocks = nullptr;
    int stockCount = 0;
    const std::array<PortRec, kTransRows>* transactions = nullptr;
    // The tree's portfolio symbols, which the one-symbol holdings view records.
    std::array<QString, kPortSymbols>* portSymbols = nullptr;

    // Settings the views read (the price and volume settings only for the rows
    // that ask for them).
    bool fractions = false;            // prices through FormatP
    bool groupVolume = false;          // volumes with group separators
    bool oldStyleBackground = false;   // the grid popup's "Old Style Background"

    // Lets pending window events run once; a view calls it right after reading
    // its page. A view asked for meanwhile is shown once this one is done.
    std::function<void()> afterRead;
    void eventPass() const
    {
        if (afterRead)
            afterRead();
    }
    // The view's page read whole, then pending events let run once.
    QString readPage() const;

    // AppPath/Cache/DataSheet/name, found whatever the letter case of the stored
    // file; "" for an empty name.
    QString cachePath(const QString& fileName) const;
};

using ViewBuilder = void (*)(const ViewContext&, FlexGrid& grid);
// Draws again the part of a shown view that one stock of the set (its row in
// Stocks) makes; false when the view must be drawn whole instead.
using ViewRowUpdater = bool (*)(const ViewContext&, FlexGrid& grid, int stockRow);

// The standard failure text: "Tradewright do not have additional information for "
// and the company name.
QString StandardViewMessage(const QString& companyName);

// Replaces whatever the grid shows by one message: a single centred cell, three
// base rows tall and as wide as the grid, on the window-background colour,
// without grid lines. Every step runs even when one before it failed. An empty
// text leaves a blank grid.
void ShowGridMessage(FlexGrid& grid, const QString& text, int stdRowHeight);
// The same on the main grid: views/ViewHost.h.
