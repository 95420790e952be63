#pragma once

#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/GridLayout.h"
#include "stockdata/ProgramState.h"
#include "views/ViewHost.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A main grid of its own per test, and zoom grids that are only recorded.
class TestViewHost : public ViewHost
{
public:
    FlexGrid main;
    std::vector<std::unique_ptr<FlexGrid>> zooms;
    std::vector<FlexGrid*> shown;

    FlexGrid* mainGrid() override { return &main; }
    FlexGrid* newZoomGrid() override
    {
        zooms.push_back(std::make_unique<FlexGrid>());
        return zooms.back().get();
    }
    void showZoom(FlexGrid* grid) override { shown.push_back(grid); }
};

// Every test starts with empty tables, an empty layout, its own program folder and
// its own main grid.
class SheetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldAppPath = AppPath();
        SetAppPath(m_dir.path());
        QDir(m_dir.path()).mkpath(QStringLiteral("Cache/DataSheet"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Cache/News"));
        ResetProgramState();
        LayOut().fill(LayoutRec());
        DragCol() = -1;
        OldStyleBackgroundChecked() = false;
        // Settings are written only under a key that exists.
        mdlRegistry::CreateNewKey(mdlRegistry::HKEY_CURRENT_USER, QString::fromLatin1(Settings::ProductKey));
        Settings::SaveSetting(QString::fromLatin1(Settings::Fractions), QStringLiteral("0"));
        Settings::SaveSetting(QString::fromLatin1(Settings::Volume), QStringLiteral("0"));
        installViewHost(&host);
        installSplitBar(&bar);
    }

    // What the view tests start from: base rows of 300 twips, a main grid `gridWidth`
    // twips wide, and the stock ACME ("Acme Widgets") selected; with withQ also Q,
    // whose one-character name makes the messages show the symbol.
    void selectAcme(int gridWidth, bool withQ)
    {
        StdRowHeight() = 300;
        grid().setWidth(gridWidth);
        Stocks()[0].Symbol = "ACME";
        Stocks()[0].CompanyName = "Acme Widgets";
        if (withQ) {
            Stocks()[1].Symbol = "Q";
            Stocks()[1].CompanyName = "Q";
        }
        StockCount() = withQ ? 2 : 1;
        CurrentSymbol() = "ACME";
    }

    void TearDown() override
    {
        installSplitBar(nullptr);
        installViewHost(nullptr);
        ResetProgramState();
        LayOut().fill(LayoutRec());
        DragCol() = -1;
        SetAppPath(m_oldAppPath);
    }

    FlexGrid& grid() { return host.main; }

    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    QByteArray fileBytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool fileExists(const QString& name) const { return QFile::exists(path(name)); }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    static QByteArray fixture(const QString& name)
    {
        QFile f(QStringLiteral(TW_FIXTURES "/sheets/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QStringList rowTexts(const FlexGrid& g, int row)
    {
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c)
            cells << g.TextMatrix(row, c);
        return cells;
    }

    static int columnOf(const FlexGrid& g, const QString& header)
    {
        for (int c = 0; c < g.Cols(); ++c)
            if (g.TextMatrix(0, c) == header)
                return c;
        return -1;
    }

    TestViewHost host;
    RecordedSplitBar bar;

private:
    QTemporaryDir m_dir;
    QString m_oldAppPath;
};
