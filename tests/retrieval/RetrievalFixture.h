#pragma once

#include "LoopbackHttpServer.h"
#include "TestDoubles.h"

#include "platform/Sites.h"
#include "retrieval/Downloaders.h"
#include "retrieval/MainWindowPort.h"
#include "retrieval/Transports.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <gtest/gtest.h>

#include <array>
#include <memory>

// The main window as the downloaders see it: records every title, status text and
// gauge drawing.
class RecordingPort : public MainWindowPort
{
public:
    struct GaugeOp
    {
        int slot;
        int x;        // -1: hidden
    };

    RunState state;
    QString title;
    QStringList titles;
    QStringList statusTexts;
    std::array<QString, 7> strip;
    int scaleWidth = 100;
    QVector<GaugeOp> gauges;

    RunState& runState() override { return state; }
    QString caption() const override { return title; }
    void setCaption(const QString& text) override
    {
        title = text;
        titles << text;
    }
    void setStatusText(const QString& text) override { statusTexts << text; }
    QString stripSymbol(int slot) const override { return strip.at(std::size_t(slot)); }
    int gaugeScaleWidth() const override { return scaleWidth; }
    void drawGaugeMarker(int slot, int x) override { gauges.push_back({slot, x}); }
    void hideGauge(int slot) override { gauges.push_back({slot, -1}); }
};

// A fresh program folder with its cache folders, every site pointed at a loopback
// server, an empty stock set and short time limits.
class RetrievalTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts symbols into rows 0.. of the current set and sets StockCount.
    void setStocks(const QStringList& symbols);
    QString cachePath(const QString& name) const;
    QByteArray readCache(const QString& name) const;
    void writeCache(const QString& name, const QByteArray& bytes) const;
    // The request target of request i, without "http://127.0.0.1:port" when absolute.
    QString requestTarget(int i) const;
    // A page of exactly n bytes.
    static QByteArray page(int n);
    // A raw HTTP reply of exactly n bytes (headers included).
    static QByteArray rawReply(int n);

    QTemporaryDir m_home;
    QString m_oldAppPath;
    std::unique_ptr<test::LoopbackHttpServer> server;
    RecordingPort port;
    std::unique_ptr<Transports> transports;
    std::unique_ptr<Downloaders> downloaders;
};
