#pragma once

#include "StockDataFixture.h"
#include "TestDoubles.h"
#include "QtPrint.h"

#include "platform/Clock.h"
#include "platform/RegistryStore.h"
#include "stockdata/DataFile.h"
#include "stockdata/DetailCard.h"
#include "stockdata/EditorWindows.h"
#include "RecordingEditingHost.h"
#include "stockdata/Portfolio.h"
#include "stockdata/PurchasePicker.h"
#include "stockdata/StockSets.h"
#include "stockdata/Stocks.h"
#include "stockdata/TransactionForm.h"

#include <QDateTime>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

// Stands in for the real windows: records what each would have shown and lets the
// test type and press buttons in it.
class ScriptedWindows : public EditorWindows
{
public:
    struct Transaction
    {
        QString mode, caption, lblSymbol, lblName, lblCurrent, lblID, lblDate, lblPrice;
        QString date, shares, price, comm;
        bool okEnabled = false;
    };

    // What to do in the window; without a script the window is cancelled.
    std::function<void(TransactionForm&)> onTransaction;
    std::function<void(PurchasePicker&)> onPicker;

    QVector<Transaction> transactions;
    QVector<QStringList> pickers;  // the purchase rows each picker listed ("date|shares|cost|id")
    std::vector<std::unique_ptr<DetailCard>> cards;
    int setEditors = 0;

    void showTransaction(TransactionForm& f) override
    {
        transactions.push_back({TransMode(), f.caption, f.lblSymbol, f.lblName, f.lblCurrent, f.lblID, f.lblDate,
                                f.lblPrice, f.text(TransactionForm::txtDate), f.text(TransactionForm::txtShares),
                                f.text(TransactionForm::txtPrice), f.text(TransactionForm::txtComm),
                                f.okEnabled()});
        if (onTransaction)
            onTransaction(f);
        else
            f.cmdCancel_Click();
    }

    void showPicker(PurchasePicker& picker) override
    {
        QStringList rows;
        for (int r = 2; r < picker.FG().Rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << picker.FG().TextMatrix(r, c);
            rows << cells.join(QLatin1Char('|'));
        }
        pickers.push_back(rows);
        if (onPicker)
            onPicker(picker);
        else
            picker.cmdCancel_Click();
    }

    void showDetailCard(std::unique_ptr<DetailCard> card) override { cards.push_back(std::move(card)); }
    void showSetEditor() override { ++setEditors; }
};

// A fresh program folder, settings file, scripted windows, a recording main window
// and the program's sets per test; today is 2 January 2003.
class EditingTest : public StockDataTest
{
protected:
    void SetUp() override
    {
        StockDataTest::SetUp();
        ASSERT_TRUE(m_store.isValid());
        m_savedStore = RegistryStore::filePath();
        RegistryStore::setFilePath(m_store.path() + QStringLiteral("/Tradewright5.ini"));
        RegistryStore::createKey(QStringLiteral("Software\\Orvane\\Tradewright5"));
        test::dialogs().reset();
        test::shell().reset();
        Clock::setFixed(QDateTime(QDate(2003, 1, 2), QTime(10, 0)));
        installEditorWindows(&windows);
    }

    void TearDown() override
    {
        installEditorWindows(nullptr);
        Clock::setFixed(QDateTime());
        RegistryStore::setFilePath(m_savedStore);
        test::dialogs().reset();
        test::shell().reset();
        StockDataTest::TearDown();
    }

    // The portfolio as Portfolio.dat holds it now.
    std::array<PortRec, kTransRows> portfolioFile() const
    {
        std::array<PortRec, kTransRows> table;
        readTableFile(PortfolioFilePath(), table);
        return table;
    }

    // A set of stocks in rows 0.. in order, saved as the current set.
    void makeSet(const QStringList& symbols)
    {
        Stocks().fill(StockRec());
        for (int i = 0; i < symbols.size(); ++i) {
            Stocks()[i].Symbol = symbols[i];
            Stocks()[i].CompanyName = symbols[i] + QStringLiteral(" Corp");
            Stocks()[i].LastPrice = QStringLiteral("20");
        }
        ASSERT_TRUE(SaveStocks());
        ASSERT_TRUE(ReadStocks());
    }

    // Every box shown so far, "kind|title|prompt".
    QStringList shownBoxes() const
    {
        QStringList out;
        for (const auto& s : test::dialogs().shown)
            out << s.kind + QLatin1Char('|') + s.title + QLatin1Char('|') + s.prompt;
        return out;
    }

    ScriptedWindows windows;
    test::RecordingEditingHost host;
    StockSets sets;

private:
    QTemporaryDir m_store;
    QString m_savedStore;
};

inline PortRec Buy(const QString& symbol, std::int16_t shares, float price, std::int16_t lot,
                   const QString& date = QStringLiteral("1/2/03"))
{
    return PortRec{symbol, date, price, shares, 10, QStringLiteral("20"), QStringLiteral("Buy"), 0, lot};
}

inline PortRec Sale(const QString& symbol, std::int16_t shares, float price, std::int16_t lot)
{
    return PortRec{symbol, QStringLiteral("2/3/03"), price, shares, 5, QStringLiteral("20"), QStringLiteral("Sell"),
                   0, lot};
}
