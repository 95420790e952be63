#include "stockdata/Portfolio.h"

#include "core/ErrorLog.h"
#include "platform/AppPath.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "stockdata/DataFile.h"
#include "stockdata/ProgramState.h"

#include <cmath>
#include <exception>

namespace {

void countTransactions()
{
    int count = 0;
    for (int i = 0; i <= kLastWorkingTransRow; ++i)
        if (!Transactions()[i].Symbol.isEmpty())
            ++count;
    TransCount() = static_cast<std::int16_t>(count);
}

// PriceText is stored only when it reads as a number above 0.
bool positiveNumberText(const QString& text)
{
    try {
        return rt::IsNumeric(QVariant(text)) && rt::CDbl(QVariant(text)) > 0;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

PortfolioSignals& portfolioSignals()
{
    static PortfolioSignals instance;
    return instance;
}

QString PortfolioFilePath()
{
    return AppPath() + QStringLiteral("/Portfolio.dat");
}

bool SavePortfolio()
{
    const QString path = PortfolioFilePath();
    QString why;
    const bool written = writeTableFile(path, Transactions(), &why);
    // A table that could not be written stays marked: the next save writes it, and
    // the file is not read over it meanwhile.
    programState().PortfolioUnsaved = !written;
    if (ReportSave(path, written, why))
        LogError(RuntimeError(75, QStringLiteral("Path/File access error: ") + path),
                 QStringLiteral("Portfolio_SavePortfolio"), false);
    return written;
}

void MarkPortfolioChanged()
{
    programState().PortfolioUnsaved = true;
}

bool SaveChangedPortfolio()
{
    return !programState().PortfolioUnsaved || SavePortfolio();
}

bool LoadPortfolio()
{
    // What the user entered and could not be written stays: the file holds less. Only
    // a table made over a file that could not be read gives way to the file.
    if (!SaveChangedPortfolio() && !datafile::unread(PortfolioFilePath())) {
        countTransactions();
        return false;
    }
    programState().PortfolioUnsaved = false;
    Transactions().fill(PortRec());
    const bool ok = readTableFile(PortfolioFilePath(), Transactions()) != DataFileStatus::Failed;
    countTransactions();
    return ok;
}

void UpdatePortfolioRow(const QString& Action, const QString& Symbol, std::int16_t Shares, float Commission,
                        const QString& TransDate, double Price, const QString& PriceText, double Gain,
                        std::int16_t LotId, std::int16_t Row)
{
    if (Row >= 0 && Row < kTransRows) {
        PortRec& r = Transactions()[Row];
        if (!Symbol.isEmpty())
            r.Symbol = Symbol;
        if (Shares > 0)
            r.Shares = Shares;
        if (Commission > 0)
            r.Commission = Commission;
        if (!TransDate.isEmpty())
            r.TransDate = TransDate;
        if (Price > 0)
            r.Price = static_cast<float>(Price);
        if (positiveNumberText(PriceText))
            r.PriceText = PriceText;
        if (!Action.isEmpty())
            r.Action = Action;
        // A sale at a loss has a negative gain; 0 means "not given".
        if (Gain != 0 && std::isfinite(Gain))
            r.Gain = Gain;
        if (LotId > 0)
            r.LotId = LotId;
    }
    SavePortfolio();
    LoadPortfolio();
    emit portfolioSignals().changed();
}

void PackPortfolio()
{
    std::array<PortRec, kTransRows> scratch;
    for (int i = 0; i <= kLastWorkingTransRow; ++i)
        if (!Transactions()[i].Symbol.isEmpty())
            scratch[i] = Transactions()[i];
    Transactions() = scratch;  // free rows and row 100 come back entirely empty
}

void ClearPortfolio()
{
    Transactions().fill(PortRec());
    // Emptying replaces the file whatever it holds, even one that could not be read.
    datafile::forgetUnread(PortfolioFilePath());
    SavePortfolio();
    LoadPortfolio();
    emit portfolioSignals().changed();
}

std::int16_t SalesLeft(std::int16_t lot, std::int16_t shares)
{
    return SalesLeft(Transactions(), lot, shares);
}

std::int16_t SalesLeft(const std::array<PortRec, kTransRows>& table, std::int16_t lot, std::int16_t shares)
{
    // Every sale of the lot counts, wherever it lies in the working range: after a
    // deletion used rows may sit beyond TransCount.
    bool sold = false;
    long soldShares = 0;
    for (int i = 0; i <= kLastWorkingTransRow; ++i) {
        const PortRec& r = table[i];
        if (r.Action == QLatin1String("Sell") && r.LotId == lot && !r.Symbol.isEmpty()) {
            sold = true;
            soldShares += r.Shares;
        }
    }
    if (!sold)
        return 0;
    const long left = long(shares) - soldShares;
    return left > 0 ? static_cast<std::int16_t>(left) : kSoldOut;
}

double RealisedGain(double shares, double salePrice, double purchasePrice, double commission)
{
    return shares * (salePrice - purchasePrice) - commission;
}

int FreeTransRow()
{
    const int next = TransCount() + 1;
    if (next >= 1 && next <= kLastWorkingTransRow && Transactions()[next].Symbol.isEmpty())
        return next;
    for (int i = 1; i <= kLastWorkingTransRow; ++i)
        if (Transactions()[i].Symbol.isEmpty())
            return i;
    return -1;
}
