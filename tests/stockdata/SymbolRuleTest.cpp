// The one rule for symbols: what the set editor takes is what may name a cache file
// and be fetched, and what it refuses names no file.
#include "StockDataFixture.h"

#include "stockdata/EntryRules.h"

#include <QDir>

class SymbolRule : public StockDataTest
{
};

TEST_F(SymbolRule, OneRuleForTypingNamingAndFetching)
{
    const struct
    {
        const char* symbol;
        bool usable;       // may name files and be fetched
        const char* typed; // as the set editor stores it; nullptr: refused there
    } cases[] = {
        {"IBM", true, "IBM"},
        {"brk.b", true, "BRK.B"},
        {"^DJI", true, "^DJI"},
        {"EURUSD=X", true, "EURUSD=X"},
        {"A..B", true, "A..B"},
        {"A B", true, nullptr},   // a stored symbol of an older set: fetched, but not typed
        {"A_B", true, nullptr},
        {".", false, nullptr},
        {"..", false, nullptr},
        {"...", false, nullptr},
        {".IBM", false, nullptr},
        {"", false, nullptr},
        {"A/B", false, nullptr},
        {"A\\B", false, nullptr},
        {"../x", false, nullptr},
        {"A\tB", false, nullptr},
        {"A\nB", false, nullptr},
        {"A\x7f", false, nullptr},
    };
    for (const auto& c : cases) {
        const QString symbol = QString::fromLatin1(c.symbol);
        SCOPED_TRACE(c.symbol);
        EXPECT_EQ(IsFileSafeSymbol(symbol), c.usable);
        EXPECT_EQ(NormaliseSymbol(symbol), c.typed ? std::optional<QString>(QLatin1String(c.typed)) : std::nullopt);
        EXPECT_EQ(PerStockCacheFiles(symbol).size(), c.usable ? PerStockPageKinds().size() : 0);
    }
}

TEST_F(SymbolRule, ARefusedSymbolDeletesNothing)
{
    // Pages a symbol of "." would name: hidden files of the cache folder.
    ASSERT_TRUE(MakeDir(AppPath() + QStringLiteral("/Cache/DataSheet")));
    for (const char* name : {"._ee.Sh", "._P.Sh"}) {
        QFile file(AppPath() + QStringLiteral("/Cache/DataSheet/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(DeleteStockCache(QStringLiteral(".")), 0);
    EXPECT_EQ(QDir(AppPath() + QStringLiteral("/Cache/DataSheet")).entryList(QDir::Files | QDir::Hidden).size(), 2);
}
