#pragma once

// Views that read one cached page of a stock, run through the runner over the test
// host: a stock "ACME" in the set, the page written under its cache name.
#include "SheetsFixture.h"

#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <vector>

class PageViewTest : public SheetsTest
{
public:
    static QByteArray page(const QString& name) { return fixture(name); }

protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(10000, true);
    }

    void writePage(const QString& symbol, const QString& suffix, const QByteArray& bytes)
    {
        writeFile("Cache/DataSheet/" + symbol + suffix, bytes);
    }

    // Shows code for CurrentSymbol; the grid it filled (the main grid, or the
    // zoom window's when one was shown).
    FlexGrid& show(const QString& code)
    {
        const size_t zooms = host.shown.size();
        ViewRunner runner{host};
        EXPECT_TRUE(runner.show(code));
        return host.shown.size() > zooms ? *host.shown.back() : grid();
    }

    // The one-cell message on the main grid.
    void expectMessage(const QString& text)
    {
        EXPECT_EQ(grid().Rows(), 1);
        EXPECT_EQ(grid().TextMatrix(0, 0), text);
        EXPECT_EQ(grid().RowHeight(0), 900);
        EXPECT_EQ(grid().GridLines(), 0);
    }

    // What the user reads: every cell's text, every row's height, every column's
    // width, and the cell formats that carry meaning.
    static void expectSameGrid(const FlexGrid& a, const FlexGrid& b)
    {
        ASSERT_EQ(a.Rows(), b.Rows());
        ASSERT_EQ(a.Cols(), b.Cols());
        for (int r = 0; r < a.Rows(); ++r) {
            EXPECT_EQ(a.RowHeight(r), b.RowHeight(r)) << r;
            for (int c = 0; c < a.Cols(); ++c) {
                EXPECT_EQ(a.TextMatrix(r, c), b.TextMatrix(r, c)) << r << "," << c;
                EXPECT_EQ(a.cellFormat(r, c).foreColor, b.cellFormat(r, c).foreColor) << r << "," << c;
                EXPECT_EQ(a.cellFormat(r, c).bold, b.cellFormat(r, c).bold) << r << "," << c;
            }
        }
        for (int c = 0; c < a.Cols(); ++c)
            EXPECT_EQ(a.ColWidth(c), b.ColWidth(c)) << c;
    }

    struct Failure
    {
        const char* name;
        const char* code;
        const char* suffix;
        QByteArray page;  // empty: no page
        bool standard;    // the standard message with the company name, else a blank grid
    };

    // Each case shows its message on the main grid, also while ZoomMode is set (no
    // window then, ZoomMode cleared); the view shown next (code, suffix, page) fills
    // the main grid again.
    void expectFailures(const std::vector<Failure>& cases, const QString& code, const QString& suffix,
                        const QByteArray& page)
    {
        for (const Failure& c : cases) {
            for (const bool zoom : {false, true}) {
                SCOPED_TRACE(std::string(c.name) + (zoom ? " (zoom)" : ""));
                QFile::remove(path(QStringLiteral("Cache/DataSheet/ACME") + c.suffix));
                if (!c.page.isEmpty())
                    writePage("ACME", c.suffix, c.page);
                const size_t shown = host.shown.size();
                ZoomMode() = zoom;
                show(c.code);
                EXPECT_EQ(CurrentView(), c.code);
                expectMessage(c.standard ? QStringLiteral("Tradewright do not have additional information for "
                                                          "Acme Widgets")
                                         : QString());
                EXPECT_EQ(host.shown.size(), shown);
                EXPECT_FALSE(ZoomMode());
                writePage("ACME", suffix, page);
                EXPECT_EQ(&show(code), &grid());
                EXPECT_GT(grid().Rows(), 1);
            }
        }
    }

    // The page behind 40 KB of head text fills the grid as the page alone does.
    void expectSameBehindHead(const QString& code, const QString& suffix, const QByteArray& page)
    {
        SCOPED_TRACE(code.toStdString());
        writePage("ACME", suffix, page);
        FlexGrid plain;
        plain.assignFrom(show(code));
        EXPECT_GT(plain.Rows(), 1);
        writePage("ACME", suffix, head() + page);
        expectSameGrid(plain, show(code));
    }

    // 40 KB of head text that holds none of the views' markers.
    static QByteArray head()
    {
        QByteArray h;
        while (h.size() < 40 * 1024)
            h += "<!-- padding padding padding padding -->\n";
        return h;
    }
};
