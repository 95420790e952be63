#pragma once

// A stock with a cached page and a runner over the test host: what the tests of
// the per-stock sheets share.
#include "SheetsFixture.h"

#include "sheets/ViewRunner.h"
#include "stockdata/ProgramState.h"

#include <QStringList>

class CachedSheetTest : public SheetsTest
{
protected:
    static constexpr int kBase = 300;

    void SetUp() override
    {
        SheetsTest::SetUp();
        selectAcme(10000, true);
    }

    // The page as its downloader names it (the views ask in another letter case).
    void writePage(const QString& fileName, const QByteArray& bytes)
    {
        writeFile(QStringLiteral("Cache/DataSheet/") + fileName, bytes);
    }

    // Every cell's text, and the formats that matter, row by row.
    static QStringList snapshot(const FlexGrid& g)
    {
        QStringList lines;
        for (int r = 0; r < g.Rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < g.Cols(); ++c) {
                const FlexGrid::CellFormat f = g.cellFormat(r, c);
                cells << QStringLiteral("%1{%2,%3,%4,%5}")
                             .arg(g.TextMatrix(r, c))
                             .arg(f.bold)
                             .arg(f.backColor)
                             .arg(f.foreColor)
                             .arg(g.effectiveAlignment(r, c));
            }
            lines << QStringLiteral("%1: ").arg(g.RowHeight(r)) + cells.join(QLatin1Char('|'));
        }
        for (int c = 0; c < g.Cols(); ++c)
            lines << QStringLiteral("col %1: %2").arg(c).arg(g.ColWidth(c));
        return lines;
    }

    // A page with 40 KB of head text before everything it holds, so every marker
    // lies past character 32,767.
    static QByteArray behindLongHead(const QByteArray& page)
    {
        return QByteArray("<html><head><meta name=\"filler\" content=\"") + QByteArray(40 * 1024, 'x')
            + QByteArray("\"></head>") + page;
    }

    static QString standardMessage(const QString& name)
    {
        return QStringLiteral("Tradewright do not have additional information for ") + name;
    }

    ViewRunner runner{host};
};
