#include "stockdata/RealEditorWindows.h"

#include "platform/WindowPlacement.h"
#include "stockdata/DetailCard.h"
#include "stockdata/EditingHost.h"
#include "stockdata/LastPar.h"
#include "stockdata/Properties.h"
#include "stockdata/PurchasePicker.h"
#include "stockdata/StkSet.h"
#include "stockdata/TransactionForm.h"
#include "stockdata/frmPurchace.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void RealEditorWindows::showTransaction(TransactionForm& form)
{
    frmPurchace window(form, m_host.mainWindowWidget());
    window.adjustSize();
    PlaceBelowTicker(&window, m_host.mainWindowWidget(), m_host.newsTickerTop());
    window.exec();
}

void RealEditorWindows::showPicker(PurchasePicker& picker)
{
    LastPar window(picker, m_host.mainWindowWidget());
    PlaceBelowTicker(&window, m_host.mainWindowWidget(), m_host.newsTickerTop());
    window.exec();
}

void RealEditorWindows::showDetailCard(std::unique_ptr<DetailCard> card)
{
    auto* window = new Properties(std::move(card), m_host.mainWindowWidget());
    PlaceOnScreenBelowTicker(window, m_host.mainWindowWidget(), m_host.newsTickerTop());
    window->show();
    QApplication::processEvents();
}

void RealEditorWindows::showSetEditor()
{
    if (StkSet* open = StkSet::instance()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new StkSet(m_sets, m_host.mainWindowWidget());
    window->show();
}

bool PlaceBelowTicker(QWidget* dialog, const QWidget* mainWindow, int tickerTopTwips)
{
    if (!dialog || !mainWindow)
        return false;
    const QPoint clientOrigin = mainWindow->mapToGlobal(QPoint(0, 0));
    const QSize size = dialog->frameGeometry().size().expandedTo(dialog->size());
    PlaceWindow(*dialog, DialogPosition(mainWindow->frameGeometry(), clientOrigin.y(), tickerTopTwips, size));
    return true;
}

bool PlaceOnScreenBelowTicker(QWidget* dialog, const QWidget* mainWindow, int tickerTopTwips, bool innerWidth)
{
    if (!dialog || !mainWindow)
        return false;
    const QScreen* screen = mainWindow->screen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const int mainWidth = innerWidth ? mainWindow->width() : mainWindow->frameGeometry().width();
    const int width = std::max(dialog->frameGeometry().width(), dialog->width());
    PlaceWindow(*dialog, ScreenPositionBelowTicker(origin, mainWidth, tickerTopTwips, width));
    return true;
}
