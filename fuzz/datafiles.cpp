// The data files: the input as a stock set, the portfolio, the US indexes and the
// column layout in turn. Any bytes read without a crash; what was read survives a
// save and a second read unchanged; and a file that holds a whole table is read
// back to exactly its own bytes.
//
// Seeds: tests/fixtures/stockdata/*.dat

#include "FuzzSupport.h"

#include "sheets/GridLayout.h"
#include "stockdata/DataFile.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

namespace {

template <typename Rec, std::size_t N>
void roundTrip(const QByteArray& input, const QString& path, std::array<Rec, N>& table, bool (*load)(),
               bool (*save)())
{
    fuzz::writeFile(path, input);
    fuzz::check(load(), "a data file that exists reads");
    const QByteArray first = encodeTable(table);

    std::array<Rec, N> scratch;
    if (decodeTable(input, scratch) == static_cast<int>(N))
        fuzz::check(input.startsWith(first), "a whole table reads back to its own bytes");

    fuzz::check(save(), "the table saves");
    fuzz::check(ReadBytes(path) == first, "the saved file is the table's dump");
    fuzz::check(load(), "the saved file reads");
    fuzz::check(encodeTable(table) == first, "a second read gives what the first gave");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    CurrentSet() = 1;
    roundTrip(input, SetFilePath(CurrentSet()), Stocks(), &ReadStocks, &SaveStocks);
    roundTrip(input, PortfolioFilePath(), Transactions(), &LoadPortfolio, &SavePortfolio);
    roundTrip(input, USFilePath(), USIndexes(), &LoadUS, &SaveUS);
    roundTrip(input, LayoutFilePath(), LayOut(), &LoadLayout, &SaveLayout);
    fuzz::trimErrorLog();
    return 0;
}
