#include "sheets/ViewRunner.h"

#include "core/Settings.h"
#include "platform/AppPath.h"
#include "platform/BusyPointer.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "sheets/CurrentQuotes.h"
#include "sheets/GridLayout.h"
#include "stockdata/ProgramState.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"
#include "views/ViewHost.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>

#include <optional>

namespace {

// A request that came while a view was filling.
struct Request
{
    QPointer<ViewRunner> runner;  // who was asked; gone: the runner that ends the fill serves it
    ViewRow row;
    QString key;
    bool zoom = false;  // ZoomMode as it was at the request
};

bool g_filling = false;
std::optional<Request> g_pending;
// The view started last and its key (CurrentView does not carry every key).
QString g_shownCode;
QString g_shownKey;

// A detached grid holding what target holds, at its size: what a builder draws
// into instead of the grid on screen.
void copyInto(FlexGrid& copy, const FlexGrid& target)
{
    copy.assignFrom(target);
    copy.setWidth(target.Width());
    copy.setHeight(target.Height());
    copy.setTextFont(target.TextFont());  // columns sized to their texts measure in the shown font
}

// Why a view failed, as the runner shows it.
struct Failure
{
    enum Kind { Text, Policy, Untouched } kind = Policy;
    QString text;         // for Text
    QString description;  // for the log
};

Failure standardOrPolicy(int number, const QString& description, const QString& companyName)
{
    if (number == 5 || number == 53)
        return {Failure::Text, StandardViewMessage(companyName), description};
    return {Failure::Policy, QString(), description};
}

} // namespace

ViewRunner::ViewRunner(ViewHost& host, QObject* parent)
    : QObject(parent), m_host(host)
{
}

ViewRunner::~ViewRunner() = default;

ViewContext ViewRunner::contextFor(const ViewRow& row, const QString& key)
{
    // The portfolio views show the file as it stands, not what memory holds.
    if (row.scope == ViewScope::Portfolio)
        LoadPortfolio();
    ViewContext ctx;
    ctx.code = row.code;
    ctx.key = key;
    ctx.symbol = CurrentSymbol();
    ctx.companyName = GetSelectedName();
    ctx.setRow = LookupSymbol(CurrentSymbol()).value_or(-1);
    ctx.appPath = AppPath();
    ctx.stdRowHeight = StdRowHeight();
    ctx.stocks = &Stocks();
    ctx.stockCount = StockCount();
    ctx.transactions = &Transactions();
    ctx.portSymbols = &PortSymbols();
    // Each setting read goes to the settings file: only the views that use them.
    if (row.quoteSettings) {
        ctx.fractions = Settings::SettingIsOne(QString::fromLatin1(Settings::Fractions));
        ctx.groupVolume = Settings::SettingIsOne(QString::fromLatin1(Settings::Volume));
    }
    ctx.oldStyleBackground = OldStyleBackgroundChecked();
    ctx.pagePath = ctx.cachePath(row.pageFor(key, CurrentSymbol()));
    ctx.afterRead = [] { QCoreApplication::processEvents(); };
    return ctx;
}

bool ViewRunner::filling()
{
    return g_filling;
}

bool ViewRunner::show(const QString& code, const QString& key)
{
    const ViewRow* row = findView(code);
    if (!row || !row->builder) {
        qCDebug(lcViews) << "no view built for" << code;
        return false;
    }
    return show(*row, key);
}

bool ViewRunner::show(const ViewRow& row, const QString& key)
{
    if (!row.builder)
        return false;
    const bool zoom = row.zoomAware && ZoomMode();
    if (g_filling) {
        // The request takes ZoomMode with it, as the view would have cleared it.
        g_pending = Request{this, row, key, zoom};
        if (row.zoomAware)
            ZoomMode() = false;
        qCDebug(lcViews) << "view" << row.viewCodeFor(key) << "waits for the fill under way";
        return true;
    }
    struct Filling
    {
        Filling() { g_filling = true; }
        ~Filling() { g_filling = false; }
    } filling;
    run(row, key, zoom);
    while (g_pending) {
        Request next = std::move(*g_pending);
        g_pending.reset();
        if (next.row.zoomAware)
            ZoomMode() = next.zoom;
        ViewRunner* runner = next.runner ? next.runner.data() : this;
        runner->run(next.row, next.key, next.zoom);
    }
    return true;
}

void ViewRunner::redrawIfShown(const QString& code)
{
    QString key;
    const ViewRow* row = findViewFor(CurrentView(), &key);
    if (!row || row->code != code)
        return;
    if (row->viewCode == ViewCodeRule::Code && g_shownCode == row->code)
        key = g_shownKey;
    show(*row, key);
}

void ViewRunner::redrawStockIfShown(const QString& code, int stockRow)
{
    QString key;
    const ViewRow* row = findViewFor(CurrentView(), &key);
    if (!row || row->code != code)
        return;
    // A zoom window of the view, or a fill under way, takes the whole road.
    if (row->rowUpdater && !g_filling && !(row->zoomAware && ZoomMode())) {
        if (row->viewCode == ViewCodeRule::Code && g_shownCode == row->code)
            key = g_shownKey;
        try {
            FlexGrid* grid = m_host.mainGrid();
            if (grid && row->rowUpdater(contextFor(*row, key), *grid, stockRow))
                return;
        } catch (const std::exception& e) {
            qCWarning(lcViews) << "the row of stock" << stockRow << "was not redrawn:" << e.what();
        }
    }
    redrawIfShown(code);
}

void ViewRunner::run(const ViewRow& row, const QString& key, bool zoom)
{
    const QString viewCode = row.viewCodeFor(key);
    CurrentView() = viewCode;
    g_shownCode = row.code;
    g_shownKey = key;
    BusyPointer busy(row.hourglass && !row.leavesPointer);

    FlexGrid* target = nullptr;
    try {
        target = zoom ? m_host.newZoomGrid() : m_host.mainGrid();
    } catch (const std::exception& e) {
        qCWarning(lcViews) << "no grid for view" << viewCode << e.what();
    }
    if (!target) {
        qCWarning(lcViews) << "no grid to show view" << viewCode << "in";
        if (row.zoomAware)
            ZoomMode() = false;
        emit viewShown(viewCode);
        return;
    }
    const QPointer<FlexGrid> previousZoomGrid = ZoomGrid();
    if (row.zoomAware)
        ZoomGrid() = target;

    std::optional<Failure> failure;
    ViewContext ctx;
    try {
        ctx = contextFor(row, key);
        if (row.loading) {
            // The loading state goes on screen first, and gets its chance to paint.
            FlexGrid loading;
            copyInto(loading, *target);
            row.loading(ctx, loading);
            target->assignFrom(loading);
            QCoreApplication::processEvents();
        }
        // The grid on screen is not locked: nothing touches it before the swap, and
        // a locked grid view repaints all its parts when it is unlocked.
        FlexGrid filled;
        copyInto(filled, *target);
        row.builder(ctx, filled);
        if (row.usesLayout && !zoom) {
            FixLayOut(filled);
            FixLayOut(filled);
        }
        target->assignFrom(filled);
        // The saved order is the main grid's: a zoom grid keeps the view's own.
        if (row.usesLayout && zoom) {
            FixLayOut();
            FixLayOut();
        }
        if (zoom) {
            m_host.showZoom(target);
            QCoreApplication::processEvents();
        }
    } catch (const ViewError& e) {
        switch (e.kind()) {
        case ViewError::Message: failure = Failure{Failure::Text, e.text(), e.text()}; break;
        case ViewError::Blank: failure = Failure{Failure::Text, QString(), QStringLiteral("blank")}; break;
        case ViewError::Untouched: failure = Failure{Failure::Untouched, QString(), QStringLiteral("untouched")}; break;
        case ViewError::Number: failure = standardOrPolicy(e.errorNumber(), e.text(), ctx.companyName); break;
        }
    } catch (const RuntimeError& e) {
        failure = standardOrPolicy(e.number(), e.description(), ctx.companyName);
    } catch (const std::exception& e) {
        failure = Failure{Failure::Policy, QString(), QString::fromLocal8Bit(e.what())};
    } catch (...) {
        failure = Failure{Failure::Policy, QString(), QStringLiteral("unknown failure")};
    }

    if (failure) {
        qCInfo(lcViews).noquote() << "view" << viewCode << "failed:" << failure->description;
        if (zoom) {
            if (ZoomGrid() == target)
                ZoomGrid() = previousZoomGrid;
            m_host.discardZoom(target);
        }
        if (failure->kind == Failure::Untouched) {
            if (row.zoomAware)
                ZoomGrid() = previousZoomGrid;
        } else {
            QString text = failure->text;
            if (failure->kind == Failure::Policy)
                text = row.otherErrors == OtherErrorPolicy::Blank ? QString() : StandardViewMessage(ctx.companyName);
            FlexGrid* main = nullptr;
            try {
                main = m_host.mainGrid();
            } catch (const std::exception& e) {
                qCWarning(lcViews) << "no main grid for the message of" << viewCode << e.what();
            }
            if (main)
                ShowGridMessage(*main, text, StdRowHeight());
        }
    }
    if (row.zoomAware)
        ZoomMode() = false;
    emit viewShown(viewCode);
}
