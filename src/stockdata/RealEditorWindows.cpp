#include "stockdata/RealEditorWindows.h"

#include "stockdata/DetailCard.h"
#include "stockdata/LastPar.h"
#include "stockdata/MainWindowHooks.h"
#include "stockdata/Properties.h"
#include "stockdata/PurchasePicker.h"
#include "stockdata/StkSet.h"
#include "stockdata/TransactionForm.h"
#include "stockdata/frmPurchace.h"

#include <QApplication>
#include <QWidget>

namespace {

class RealEditorWindows : public EditorWindows
{
public:
    void showTransaction(TransactionForm& form) override
    {
        frmPurchace window(form, hooks::mainWindow());
        window.adjustSize();
        PlaceBelowTicker(&window);
        window.exec();
    }

    void showPicker(PurchasePicker& picker) override
    {
        LastPar window(picker, hooks::mainWindow());
        PlaceBelowTicker(&window);
        window.exec();
    }

    void showDetailCard(std::unique_ptr<DetailCard> card) override
    {
        auto* window = new Properties(std::move(card), hooks::mainWindow());
        PlaceBelowTicker(window);
        window->show();
        QApplication::processEvents();
    }

    void showSetEditor() override
    {
        if (StkSet* open = StkSet::instance()) {
            open->raise();
            open->activateWindow();
            return;
        }
        auto* window = new StkSet(hooks::mainWindow());
        window->show();
    }
};

} // namespace

EditorWindows& realEditorWindows()
{
    static RealEditorWindows real;
    return real;
}

bool PlaceBelowTicker(QWidget* dialog)
{
    QWidget* main = hooks::mainWindow();
    if (!dialog || !main)
        return false;
    const QPoint clientOrigin = main->mapToGlobal(QPoint(0, 0));
    const QSize size = dialog->frameGeometry().size().expandedTo(dialog->size());
    dialog->move(DialogPosition(main->frameGeometry(), clientOrigin.y(), hooks::newsTickerTop(), size));
    return true;
}
