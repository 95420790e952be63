#include "stockdata/frmPurchace.h"

#include "core/WindowEffects.h"
#include "stockdata/TransactionForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel* valueLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(140);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmPurchace::frmPurchace(TransactionForm& form, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
{
    setObjectName(QStringLiteral("frmPurchace"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* info = new QGroupBox(QStringLiteral("Symbol Information"), this);
    auto* infoGrid = new QGridLayout(info);
    m_lblSymbol = valueLabel(QStringLiteral("lblSymbol"), info);
    m_lblName = valueLabel(QStringLiteral("lblName"), info);
    m_lblCurrent = valueLabel(QStringLiteral("lblCurrent"), info);
    m_lblID = valueLabel(QStringLiteral("lblID"), info);
    const std::array<std::pair<const char*, QLabel*>, 4> infoRows{
        {{"Symbol:", m_lblSymbol}, {"Name:", m_lblName}, {"Current Price:", m_lblCurrent}, {"ID:", m_lblID}}};
    for (int i = 0; i < int(infoRows.size()); ++i) {
        infoGrid->addWidget(new QLabel(QString::fromLatin1(infoRows[i].first), info), i, 0);
        infoGrid->addWidget(infoRows[i].second, i, 1);
    }
    infoGrid->setColumnStretch(1, 1);

    auto* entry = new QGroupBox(QStringLiteral("Purchase Information"), this);
    auto* entryGrid = new QGridLayout(entry);
    static const char* const boxNames[] = {"txtDate", "txtShares", "txtPrice", "txtComm"};
    static const char* const captions[] = {"Purchase Date:", "Quantity:", "Purchase Price:", "Trade Commission:",
                                           "Total Price:"};
    for (int i = 0; i < 5; ++i) {
        m_lbl[i] = new QLabel(QString::fromLatin1(captions[i]), entry);
        m_lbl[i]->setObjectName(QStringLiteral("lbl(%1)").arg(i));
        entryGrid->addWidget(m_lbl[i], i, 0);
    }
    for (int i = 0; i < TransactionForm::BoxCount; ++i) {
        auto* edit = new QLineEdit(entry);
        edit->setObjectName(QString::fromLatin1(boxNames[i]));
        entryGrid->addWidget(edit, i, 1);
        m_boxes[i] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { boxEdited(i, text); });
    }
    m_lblTotal = new QLabel(QStringLiteral("---"), entry);
    m_lblTotal->setObjectName(QStringLiteral("lblTotal"));
    entryGrid->addWidget(m_lblTotal, 4, 1);
    entryGrid->setColumnStretch(1, 1);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_ok, &QPushButton::clicked, this, [this] {
        // A second press while the window rolls up would store the transaction twice.
        if (m_form.closed())
            return;
        m_form.cmdOK_Click();
        refresh();
        applyFocus();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_form.cmdCancel_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(entry);
    layout->addLayout(buttons);

    m_form.onClose = [this] { unloadWindow(); };
    refresh();
    resize(360, sizeHint().height());
}

frmPurchace::~frmPurchace()
{
    m_form.onClose = nullptr;
}

void frmPurchace::refresh()
{
    setWindowTitle(m_form.caption);
    m_lblSymbol->setText(m_form.lblSymbol);
    m_lblName->setText(m_form.lblName);
    m_lblCurrent->setText(m_form.lblCurrent);
    m_lblID->setText(m_form.lblID);
    m_lbl[0]->setText(m_form.lblDate);
    m_lbl[2]->setText(m_form.lblPrice);
    for (int i = 0; i < TransactionForm::BoxCount; ++i) {
        const QString text = m_form.text(static_cast<TransactionForm::Box>(i));
        if (m_boxes[i]->text() != text) {
            const QSignalBlocker block(m_boxes[i]);
            m_boxes[i]->setText(text);
        }
    }
    m_ok->setEnabled(m_form.okEnabled());
}

void frmPurchace::boxEdited(int index, const QString& text)
{
    m_form.setText(static_cast<TransactionForm::Box>(index), text);
    refresh();
    applyFocus();
}

void frmPurchace::applyFocus()
{
    const int box = m_form.focusBox();
    m_form.clearFocusRequest();
    if (box >= 0 && box < TransactionForm::BoxCount) {
        m_boxes[box]->setFocus();
        m_boxes[box]->selectAll();
    }
}

void frmPurchace::unloadWindow()
{
    if (!m_quietClose)
        RollWindow(this, 25);
    QApplication::processEvents();
    QDialog::accept();
    QApplication::processEvents();
}

void frmPurchace::closeEvent(QCloseEvent* event)
{
    // The title bar's close button unloads the window at once, without the roll.
    m_quietClose = true;
    QDialog::closeEvent(event);
    m_quietClose = false;
}

void frmPurchace::reject()
{
    // Esc and the title bar's close button cancel like the Cancel button (Esc rolls
    // the window up as the button does).
    if (!m_form.closed())
        m_form.cmdCancel_Click();
    QDialog::reject();
}
