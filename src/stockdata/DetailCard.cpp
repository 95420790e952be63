#include "stockdata/DetailCard.h"

#include "core/Misc.h"
#include "core/Settings.h"
#include "platform/Dialogs.h"
#include "platform/Runtime.h"
#include "stockdata/DataFile.h"
#include "stockdata/EditorWindows.h"
#include "stockdata/EntryRules.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Stocks.h"

#include <exception>
#include <memory>

namespace {

enum class Rule { AsStored, Price, Volume };

struct RowField
{
    QString StockRec::*field;
    Rule rule;
};

// Data row k shows this field (the quote page stores the price change in Change
// and the percentage in PctChange).
const std::array<RowField, DetailCard::DataRows>& rowFields()
{
    static const std::array<RowField, DetailCard::DataRows> fields{{
        {&StockRec::LastPrice, Rule::Price},
        {&StockRec::Change, Rule::Price},
        {&StockRec::PctChange, Rule::AsStored},
        {&StockRec::Volume, Rule::Volume},
        {&StockRec::DayHigh, Rule::Price},
        {&StockRec::DayLow, Rule::Price},
        {&StockRec::Bid, Rule::Price},
        {&StockRec::Ask, Rule::Price},
        {&StockRec::LastTradeSize, Rule::AsStored},
        {&StockRec::OpenPrice, Rule::Price},
        {&StockRec::PrevClose, Rule::Price},
        {&StockRec::YearHigh, Rule::AsStored},
        {&StockRec::YearLow, Rule::AsStored},
        {&StockRec::EPS, Rule::AsStored},
        {&StockRec::PERatio, Rule::AsStored},
        {&StockRec::DivPerShare, Rule::AsStored},
        {&StockRec::Exchange, Rule::AsStored},
        {&StockRec::Industry, Rule::AsStored},
    }};
    return fields;
}

QString shown(const QString& stored, Rule rule, bool fractions, bool volumes)
{
    try {
        if (rule == Rule::Price && fractions) {
            QString text = stored;  // FormatP rewrites its argument; the record keeps its text
            return FormatP(text, false);
        }
        if (rule == Rule::Volume && volumes && IsNumber(stored))
            return rt::Format(NumberOf(stored), QStringLiteral("#,##;"));
    } catch (const std::exception&) {
        // A figure that cannot be formatted is shown as it is stored.
    }
    return stored;
}

} // namespace

const std::array<QString, DetailCard::DataRows>& DetailCard::RowCaptions()
{
    static const std::array<QString, DataRows> captions{
        QStringLiteral("Last Sale:"),      QStringLiteral("Change:"),          QStringLiteral("% Change:"),
        QStringLiteral("Volume:"),         QStringLiteral("Today's High:"),    QStringLiteral("Today's Low:"),
        QStringLiteral("Bid:"),            QStringLiteral("Ask:"),             QStringLiteral("Last Trade Size:"),
        QStringLiteral("Open:"),           QStringLiteral("Previous Close:"),  QStringLiteral("52 Week High :"),
        QStringLiteral("52 Week Low:"),    QStringLiteral("EPS:"),             QStringLiteral("P/E Ratio:"),
        QStringLiteral("Dividend Per Share:"), QStringLiteral("Exchange:"),    QStringLiteral("Industry:")};
    return captions;
}

DetailCard::DetailCard(const StockRec& rec, int set)
    : m_symbol(rec.Symbol)
    , m_set(set)
{
    const bool fractions = Settings::SettingIsOne(QString::fromLatin1(Settings::Fractions));
    const bool volumes = Settings::SettingIsOne(QString::fromLatin1(Settings::Volume));
    caption = rec.CompanyName;
    lblName = rec.CompanyName;
    for (int k = 0; k < DataRows; ++k) {
        const RowField& f = rowFields()[k];
        lblData[k] = shown(rec.*(f.field), f.rule, fractions, volumes);
    }
    lblTime = rec.LastTradeTime;
    m_target[0] = rt::SingleText(rec.TargetLow);
    m_target[1] = rt::SingleText(rec.TargetHigh);
}

void DetailCard::setTarget(int index, const QString& text)
{
    if (index < 0 || index > 1 || m_target[index] == text)
        return;
    m_target[index] = text;
    if (!text.isEmpty() && !AlertValue(text)) {
        Dialogs::MsgBox(NumbersOnlyText(), Dialogs::vbInformation, NumbersOnlyTitle());
        m_target[index] = QStringLiteral("0");
        m_focus = index;
    }
}

QString DetailCard::arrow() const
{
    const QString& change = lblData[2];
    if (change.startsWith(QLatin1Char('+')))
        return QStringLiteral("UP");
    if (change.startsWith(QLatin1Char('-')))
        return QStringLiteral("DN");
    return QString();
}

bool DetailCard::cmdOK_Click()
{
    // An empty box leaves its alert price as it is.
    const std::optional<float> low = m_target[0].isEmpty() ? std::nullopt : AlertValue(m_target[0]);
    const std::optional<float> high = m_target[1].isEmpty() ? std::nullopt : AlertValue(m_target[1]);
    bool stored = true;
    if (low || high)
        stored = StoreAlertPrices(m_set, m_symbol, low, high);
    m_closed = true;
    return stored;
}

bool StoreAlertPrices(int set, const QString& symbol, std::optional<float> low, std::optional<float> high)
{
    if (symbol.isEmpty() || set < 0 || set >= kStockSets)
        return false;
    auto apply = [&](StockRec& rec) {
        if (low)
            rec.TargetLow = *low;
        if (high)
            rec.TargetHigh = *high;
    };
    if (set == CurrentSet()) {
        const std::optional<std::int16_t> row = LookupSymbol(symbol);
        if (!row)
            return false;
        apply(Stocks()[*row]);
        return SaveStocks();
    }
    // The card's set is no longer the current one: change that set's file only.
    auto table = std::make_unique<std::array<StockRec, kStockRows>>();
    if (!ReadOtherSet(set, *table))
        return false;
    for (StockRec& rec : *table)
        if (rec.Symbol == symbol) {
            apply(rec);
            return SaveOtherSet(set, *table);
        }
    return false;
}

bool OpenDetailCard()
{
    const std::optional<std::int16_t> row = LookupSymbol(CurrentSymbol());
    if (!row)
        return false;
    editorWindows().showDetailCard(std::make_unique<DetailCard>(Stocks()[*row], CurrentSet()));
    return true;
}
