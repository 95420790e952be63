#pragma once

// The market views run through a runner over the test host: their pages written into
// the cache under the names their downloaders give them.
#include "../sheets/SheetsFixture.h"

#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <vector>

class MarketViewTest : public SheetsTest
{
protected:
    static constexpr int kBase = 300;

    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(10000, false);
    }

    static QByteArray page(const QString& name)
    {
        QFile f(QStringLiteral(TW_FIXTURES "/market/") + name);
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
        EXPECT_TRUE(runner.show(code, key));
        return host.shown.size() > zooms ? *host.shown.back() : grid();
    }

    FlexGrid& show(const ViewRow& row, const QString& key)
    {
        EXPECT_TRUE(runner.show(row, key));
        return grid();
    }

    // The one-cell message on the main grid.
    void expectMessage(const QString& text)
    {
        EXPECT_EQ(grid().Rows(), 1);
        EXPECT_EQ(grid().TextMatrix(0, 0), text);
        EXPECT_EQ(grid().GridLines(), 0);
    }

    struct PageFailure
    {
        const char* name;
        QByteArray page;      // empty: no page
        const char* message;  // "": a blank grid
    };
    // Each page (or none) as fileName, then code with key: the one-cell message.
    void expectFailures(const QString& fileName, const QString& code, const QString& key,
                        const std::vector<PageFailure>& cases)
    {
        for (const PageFailure& c : cases) {
            SCOPED_TRACE(c.name);
            removePage(fileName);
            if (!c.page.isEmpty())
                writePage(fileName, c.page);
            show(code, key);
            expectMessage(QString::fromLatin1(c.message));
            EXPECT_EQ(CurrentView(), code);
        }
    }

    // A grid that shows something else, to see a failure leave it alone.
    void fillMarker()
    {
        grid().setRows(3);
        grid().setCols(2);
        grid().setTextMatrix(2, 1, QStringLiteral("before"));
    }
    void expectMarker()
    {
        EXPECT_EQ(grid().Rows(), 3);
        EXPECT_EQ(grid().TextMatrix(2, 1), QStringLiteral("before"));
    }

    // Every marker of page lies past character 32,767.
    static QByteArray behindLongHead(const QByteArray& page)
    {
        return QByteArray("<html><head><meta name=\"filler\" content=\"") + QByteArray(40 * 1024, 'x') +
               QByteArray("\"></head>") + page;
    }

    static QString picture(const FlexGrid& g, int row) { return g.cellFormat(row, 0).picture; }

    ViewRunner runner{host};
};
