#include "services/frmAdviser.h"

#include "core/ErrorLog.h"
#include "core/Misc.h"
#include "core/WindowEffects.h"
#include "platform/Help.h"
#include "retrieval/Downloaders.h"
#include "services/AdviserTip.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

frmAdviser::frmAdviser(Downloaders& downloaders, QWidget* parent)
    : QDialog(parent)
    , m_downloaders(downloaders)
{
    setObjectName(QStringLiteral("frmAdviser"));
    setWindowTitle(QStringLiteral("Tradewright Adviser"));
    resize(520, 400);
    Label1 = new QLabel(QStringLiteral("...The Tradewright Adviser..."), this);
    Label1->setGeometry(16, 10, 488, 24);
    Label2 = new QLabel(this);
    Label2->setGeometry(16, 36, 488, 40);
    txtTip = new QPlainTextEdit(this);
    txtTip->setObjectName(QStringLiteral("txtTip"));
    txtTip->setReadOnly(true);
    txtTip->setGeometry(16, 80, 488, 230);
    Check1 = new QCheckBox(QStringLiteral("Weekly adviser service"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(16, 318, 260, 22);
    lblInfo = new QLabel(QStringLiteral("------"), this);
    lblInfo->setGeometry(290, 318, 214, 22);
    lblInfo->hide();
    const auto button = [this](const char* name, const char* caption, int x) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 352, 116, 30);
        return b;
    };
    cmdUpdate = button("cmdUpdate", "&Get Free Tip", 16);
    cmdFull = button("cmdFull", "&Full Service User", 140);
    cmdHelp = button("cmdHelp", "&Help", 264);
    cmdClose = button("cmdClose", "&Close", 388);
    connect(Check1, &QCheckBox::clicked, this, [](bool on) { AdviserTip::setWeeklyService(on ? 1 : 0); });
    connect(cmdUpdate, &QPushButton::clicked, this, &frmAdviser::cmdUpdate_Click);
    connect(cmdFull, &QPushButton::clicked, this, [] { Help::ShowTopic(1010); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { Help::ShowTopic(1007); });
    connect(cmdClose, &QPushButton::clicked, this, &frmAdviser::cmdclose_Click);
    init();
}

void frmAdviser::init()
{
    Label2->setText(AdviserTip::CreditText());
    if (const auto tip = AdviserTip::Cut(ReadFile(AdviserTip::TipFile())))
        txtTip->setPlainText(*tip);
    else
        return;  // no tip to cut: the box keeps its text
    Check1->setChecked(AdviserTip::WeeklyService() != 0);
}

void frmAdviser::cmdUpdate_Click()
{
    try {
        if (AskConnect()) {
            lblInfo->setText(QStringLiteral("Downloading Data.."));
            lblInfo->show();
            cmdUpdate->setEnabled(false);
            m_downloaders.UpdateAdviseAlone();
            QCoreApplication::processEvents();
            lblInfo->hide();
        }
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 0, QString(), QStringLiteral("frmAdviser_cmdUpdate_Click"), false);
    }
    cmdUpdate->setEnabled(true);
}

void frmAdviser::cmdclose_Click()
{
    RollWindow(this, 25);
    accept();
    QCoreApplication::processEvents();
}
