#include "services/frmEmail.h"

#include "core/WindowEffects.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QLineEdit* makeBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

frmEmail::frmEmail(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEmail"));
    setWindowTitle(QStringLiteral("New Massage"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 0);
    outer->setSpacing(8);

    txtServer = makeBox(this, "txtServer");
    txtFromName = makeBox(this, "txtFromName");
    txtFromEmail = makeBox(this, "txtFromEmail");
    txtToName = makeBox(this, "txtToName");
    txtToEmail = makeBox(this, "txtToEmail");
    txtSubject = makeBox(this, "txtSubject");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeLabel(this, "E-Mail Server:"), 0, 0);
    grid->addWidget(txtServer, 0, 1, 1, 3);
    grid->addWidget(makeLabel(this, "From:"), 1, 0);
    grid->addWidget(txtFromEmail, 1, 1);
    grid->addWidget(makeLabel(this, "Name:"), 1, 2);
    grid->addWidget(txtFromName, 1, 3);
    grid->addWidget(makeLabel(this, "To:"), 2, 0);
    grid->addWidget(txtToEmail, 2, 1);
    grid->addWidget(makeLabel(this, "Recipient's Name:"), 2, 2);
    grid->addWidget(txtToName, 2, 3);
    grid->addWidget(makeLabel(this, "Subject:"), 3, 0);
    grid->addWidget(txtSubject, 3, 1, 1, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    txtFromEmail->setMinimumWidth(200);
    txtToEmail->setMinimumWidth(200);
    outer->addLayout(grid);

    outer->addWidget(new QLabel(QStringLiteral("Body:"), this));
    txtBody = new QPlainTextEdit(this);
    txtBody->setObjectName(QStringLiteral("txtBody"));
    txtBody->setMinimumSize(460, 180);
    outer->addWidget(txtBody, 1);

    auto* buttons = new QHBoxLayout;
    chkError = new QCheckBox(QStringLiteral("Send Errors Log"), this);
    chkError->setObjectName(QStringLiteral("chkError"));
    buttons->addWidget(chkError);
    buttons->addStretch(1);
    cmdSend = new QPushButton(QStringLiteral("&Send"), this);
    cmdSend->setObjectName(QStringLiteral("cmdSend"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(cmdSend);
    buttons->addWidget(cmdClose);
    outer->addLayout(buttons);

    StatusTxt = new QStatusBar(this);
    StatusTxt->setObjectName(QStringLiteral("StatusTxt"));
    StatusTxt->setSizeGripEnabled(false);
    StatusPanel = new QLabel(StatusTxt);
    StatusTxt->addWidget(StatusPanel, 1);
    outer->addWidget(StatusTxt);

    connect(&m_engine, &MailWindow::statusChanged, StatusPanel, &QLabel::setText);
    connect(cmdSend, &QPushButton::clicked, this, [this] { cmdSend_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdclose_Click(); });
}

void frmEmail::Form_Load()
{
    m_engine.Form_Load();
    showFields();
}

void frmEmail::showFields()
{
    txtServer->setText(m_engine.txtServer);
    txtFromName->setText(m_engine.txtFromName);
    txtFromEmail->setText(m_engine.txtFromEmail);
    txtToName->setText(m_engine.txtToName);
    txtToEmail->setText(m_engine.txtToEmail);
    txtSubject->setText(m_engine.txtSubject);
    txtBody->setPlainText(m_engine.txtBody);
    chkError->setChecked(m_engine.chkError);
    chkError->setVisible(m_engine.chkErrorVisible);
}

void frmEmail::takeFields()
{
    m_engine.txtServer = txtServer->text();
    m_engine.txtFromName = txtFromName->text();
    m_engine.txtFromEmail = txtFromEmail->text();
    m_engine.txtToName = txtToName->text();
    m_engine.txtToEmail = txtToEmail->text();
    m_engine.txtSubject = txtSubject->text();
    m_engine.txtBody = txtBody->toPlainText();
    m_engine.chkError = chkError->isChecked();
}

void frmEmail::cmdSend_Click()
{
    if (m_closing)
        return;
    takeFields();
    QPointer<frmEmail> self(this);
    cmdSend->setEnabled(false);
    const MailWindow::SendOutcome outcome = m_engine.cmdSend_Click();
    if (!self)
        return;
    cmdSend->setEnabled(true);
    switch (outcome) {
    case MailWindow::SendOutcome::MissingServer:
        txtServer->setFocus();
        break;
    case MailWindow::SendOutcome::MissingRecipient:
        txtToEmail->setFocus();
        break;
    case MailWindow::SendOutcome::Sent:
        QApplication::beep();
        cmdclose_Click();
        break;
    default:
        break;
    }
}

void frmEmail::cmdclose_Click()
{
    RollMailWindowClosed(this, m_closing);
}

bool RollMailWindowClosed(QDialog* window, bool& closing)
{
    if (closing)
        return false;
    closing = true;
    QPointer<QDialog> alive(window);
    RollWindow(window, 25);
    if (alive)
        alive->done(QDialog::Accepted);
    return true;
}
