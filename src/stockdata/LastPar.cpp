#include "stockdata/LastPar.h"

#include "core/Utilities.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "stockdata/PurchasePicker.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

LastPar::LastPar(PurchasePicker& picker, QWidget* parent)
    : QDialog(parent)
    , m_picker(picker)
{
    setObjectName(QStringLiteral("LastPar"));
    setWindowTitle(PurchasePicker::Caption);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_view = new FlexGridView(this);
    m_view->setObjectName(QStringLiteral("FG"));
    m_view->setGrid(&m_picker.FG());
    connect(m_view, &FlexGridView::Click, this, [this] { m_picker.FG_Click(m_picker.FG().Row()); });

    m_ok = new QPushButton(QStringLiteral("&Ok"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_picker.cmdOK_Click();
        QDialog::accept();
    });
    connect(cancel, &QPushButton::clicked, this, &LastPar::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(320, 220);
}

void LastPar::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The widths are shares of the grid's width, known once the window is laid out.
    SetColWidths(m_picker.FG(), {33, 33, 33, 0});
}

void LastPar::reject()
{
    // The picker closes at once: unlike the windows it leads to, it does not roll up.
    m_picker.cmdCancel_Click();
    QDialog::reject();
    QApplication::processEvents();
}
