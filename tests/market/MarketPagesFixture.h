#pragma once

// Market views over cached pages, run through the runner over the test host: the
// page written under its cache name (in the letter case its downloader uses), the
// view shown by code and key, and the grid read back.
#include "../sheets/SheetsFixture.h"

#include "platform/FlexGrid.h"
#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <QFile>
#include <QStringList>

class MarketPagesTest : public SheetsTest
{
protected:
    static constexpr int kStd = 300;
    static constexpr int kBlue = 0xFF0000;
    static constexpr int kRed = 0x0000FF;
    static constexpr int kWhite = 0xFFFFFF;

    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(10000, true);
        showPrevious();
    }

    // What the previous view left on screen: a grid that no view of these draws.
    void showPrevious()
    {
        grid().setRedraw(false);
        grid().Clear();
        grid().setRows(1);  // the rows below come back at the default height
        grid().setRows(4);
        grid().setCols(2);
        grid().setTextMatrix(0, 0, QStringLiteral("previous view"));
        grid().setGridLines(1);
        grid().setRedraw(true);
    }

    static QByteArray page(const QString& family, const QString& name)
    {
        QFile f(QStringLiteral(TW_FIXTURES "/market/") + family + QLatin1Char('/') + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void writePage(const QString& fileName, const QByteArray& bytes)
    {
        writeFile(QStringLiteral("Cache/DataSheet/") + fileName, bytes);
    }

    void removePage(const QString& fileName) { QFile::remove(path(QStringLiteral("Cache/DataSheet/") + fileName)); }

    // Shows code with key; the grid it filled (the zoom window's when one was shown).
    FlexGrid& show(const QString& code, const QString& key = QString())
    {
        const size_t zooms = host.shown.size();
        ViewRunner runner{host};
        EXPECT_TRUE(runner.show(code, key));
        return host.shown.size() > zooms ? *host.shown.back() : grid();
    }

    // The one-cell message on the main grid.
    void expectMessage(const QString& text)
    {
        EXPECT_EQ(grid().Rows(), 1);
        EXPECT_EQ(grid().TextMatrix(0, 0), text);
        EXPECT_EQ(grid().RowHeight(0), 3 * kStd);
        EXPECT_EQ(grid().GridLines(), 0);
    }

    void expectPreviousGrid()
    {
        EXPECT_EQ(grid().Rows(), 4);
        EXPECT_EQ(grid().TextMatrix(0, 0), QStringLiteral("previous view"));
    }

    static QStringList row(const FlexGrid& g, int r, int cols = -1)
    {
        QStringList cells;
        const int n = cols < 0 ? g.Cols() : cols;
        for (int c = 0; c < n; ++c)
            cells << g.TextMatrix(r, c);
        return cells;
    }

    static bool isLink(const FlexGrid& g, int r, int c)
    {
        const FlexGrid::CellFormat f = g.cellFormat(r, c);
        return f.underline && f.foreColor == kBlue;
    }

    static QList<int> widths(const FlexGrid& g)
    {
        QList<int> w;
        for (int c = 0; c < g.Cols(); ++c)
            w << qRound(g.ColWidth(c) * 100.0 / g.Width());
        return w;
    }

    // 40 KB of head text before the page's own, so every row lies past character 32,767.
    static QByteArray behindLongHead(const QByteArray& bytes)
    {
        return QByteArray("<!-- ") + QByteArray(40 * 1024, 'x') + QByteArray(" -->\n") + bytes;
    }
};
