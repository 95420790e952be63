#include "reports/SummaryOpt.h"

#include "core/WindowEffects.h"
#include "platform/DoEvents.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SummaryOpt::SummaryOpt(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("SummaryOpt"));
    setWindowTitle(QStringLiteral("Summary"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("What do you want to see?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* boxes = new QGridLayout;
    constexpr int rows = (SummaryChoice::kBoxes + 1) / 2;
    for (int i = 0; i < SummaryChoice::kBoxes; ++i) {
        auto* box = new QCheckBox(SummaryChoice::Caption(i), this);
        box->setObjectName(QStringLiteral("chk(%1)").arg(i));
        chk[static_cast<std::size_t>(i)] = box;
        boxes->addWidget(box, i % rows, i / rows);
    }
    lbl1 = new QLabel(SummaryChoice::NoteText(), this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    lbl1->setWordWrap(true);
    cndGenerate = new QPushButton(QStringLiteral("Generate"), this);
    cndGenerate->setObjectName(QStringLiteral("cndGenerate"));
    cndGenerate->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cndGenerate, &QPushButton::clicked, this, &SummaryOpt::cndGenerate_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &SummaryOpt::cmdCancel_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cndGenerate);
    buttons->addWidget(cmdCancel);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addLayout(boxes);
    main->addWidget(lbl1);
    main->addLayout(buttons);
    Form_Load();
}

void SummaryOpt::Form_Load()
{
    m_engine.LoadOptions();
    showValues();
}

void SummaryOpt::showValues()
{
    for (int i = 0; i < SummaryChoice::kBoxes; ++i) {
        QCheckBox* box = chk[static_cast<std::size_t>(i)];
        const int v = m_engine.value(i);
        box->setTristate(v == 2);
        box->setCheckState(v == 2 ? Qt::PartiallyChecked : v == 1 ? Qt::Checked : Qt::Unchecked);
    }
}

void SummaryOpt::takeValues()
{
    for (int i = 0; i < SummaryChoice::kBoxes; ++i) {
        const Qt::CheckState s = chk[static_cast<std::size_t>(i)]->checkState();
        m_engine.setValue(i, s == Qt::PartiallyChecked ? 2 : s == Qt::Checked ? 1 : 0);
    }
}

void SummaryOpt::cndGenerate_Click()
{
    takeValues();
    const bool done = m_engine.cndGenerate_Click(*this);
    showValues();
    if (done)
        cmdCancel_Click();
}

void SummaryOpt::cmdCancel_Click()
{
    RollWindow(this, 25);
    DoEvents();
    done(QDialog::Rejected);
}

void SummaryOpt::caption(const QString& text)
{
    lbl1->setText(text);
    lbl1->repaint();
}

void SummaryOpt::pass()
{
    DoEvents();
}
