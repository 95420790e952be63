#include "weblinks/TechGraph.h"

#include "core/WindowEffects.h"
#include "platform/DoEvents.h"
#include "weblinks/PeriodSlider.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

TechGraph::TechGraph(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("TechGraph"));
    setWindowTitle(QStringLiteral("Technical Graph Explorer"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionBox = new QVBoxLayout(options);
    const QStringList captions = TechnicalGraph::optionCaptions();
    for (int i = 0; i < TechnicalGraph::IndicatorCount; ++i) {
        auto* o = new QRadioButton(captions[i], options);
        o->setObjectName(QStringLiteral("optGraph_%1").arg(i));
        connect(o, &QRadioButton::clicked, this, [this, i] { optGraph_Click(i); });
        optGraph[std::size_t(i)] = o;
        optionBox->addWidget(o);
    }

    auto* params = new QGridLayout;
    for (int i = 0; i < TechnicalGraph::ParamCount; ++i) {
        lbl[std::size_t(i)] = new QLabel(QStringLiteral("----"), this);
        D[std::size_t(i)] = new QLineEdit(this);
        D[std::size_t(i)]->setObjectName(QStringLiteral("D_%1").arg(i));
        D[std::size_t(i)]->setMaximumWidth(70);
        connect(D[std::size_t(i)], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (!m_syncing)
                m_engine.setParamText(i, text);
        });
        params->addWidget(lbl[std::size_t(i)], i, 0);
        params->addWidget(D[std::size_t(i)], i, 1);
    }
    for (int i = 0; i < TechnicalGraph::CheckCount; ++i) {
        chk[std::size_t(i)] = new QCheckBox(this);
        chk[std::size_t(i)]->setObjectName(QStringLiteral("chk_%1").arg(i));
        connect(chk[std::size_t(i)], &QCheckBox::toggled, this, [this, i](bool on) {
            if (!m_syncing)
                m_engine.setCheckValue(i, on ? 1 : 0);
        });
        params->addWidget(chk[std::size_t(i)], TechnicalGraph::ParamCount + i, 0, 1, 2);
    }
    params->setRowStretch(TechnicalGraph::ParamCount + TechnicalGraph::CheckCount, 1);

    auto* period = new QGroupBox(QStringLiteral("Period"), this);
    m_periods = new PeriodSlider(TechnicalGraph::periodLabels(), period);
    (new QVBoxLayout(period))->addWidget(m_periods);
    Slider1 = m_periods->slider();
    for (std::size_t i = 0; i < lblTime.size(); ++i)
        lblTime[i] = m_periods->labels()[i];
    connect(Slider1, &QSlider::valueChanged, this, [this] {
        if (!m_syncing)
            Slider1_Scroll();
    });

    cmdQuery = new QPushButton(QStringLiteral("Query"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cmdQuery, &QPushButton::clicked, this, &TechGraph::cmdQuery_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &TechGraph::cmdCancel_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdQuery);
    buttons->addWidget(cmdCancel);

    auto* top = new QHBoxLayout;
    top->addWidget(options);
    top->addLayout(params);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(period);
    main->addLayout(buttons);
}

void TechGraph::Form_Load()
{
    m_engine.Form_Load();
    sync();
}

void TechGraph::optGraph_Click(int Index)
{
    m_engine.optGraph_Click(Index);
    sync();
}

void TechGraph::sync()
{
    m_syncing = true;
    for (int i = 0; i < TechnicalGraph::ParamCount; ++i) {
        const TechnicalGraph::Param& p = m_engine.param(i);
        D[std::size_t(i)]->setVisible(p.visible);
        lbl[std::size_t(i)]->setVisible(p.visible);
        D[std::size_t(i)]->setText(p.text);
        lbl[std::size_t(i)]->setText(p.caption);
    }
    for (int i = 0; i < TechnicalGraph::CheckCount; ++i) {
        const TechnicalGraph::Check& c = m_engine.check(i);
        chk[std::size_t(i)]->setVisible(c.visible);
        chk[std::size_t(i)]->setText(c.caption);
        chk[std::size_t(i)]->setChecked(c.value == 1);
    }
    for (int i = 0; i < TechnicalGraph::IndicatorCount; ++i)
        if (optGraph[std::size_t(i)]->isChecked() != (i == m_engine.selectedOption()))
            optGraph[std::size_t(i)]->setChecked(i == m_engine.selectedOption());
    Slider1->setToolTip(m_engine.sliderTip());
    m_syncing = false;
}

void TechGraph::Slider1_Scroll()
{
    m_engine.Slider1_Scroll(Slider1->value());
    m_periods->showTip(m_engine.sliderTip());
}

void TechGraph::cmdQuery_Click()
{
    m_engine.cmdQuery_Click();
    cmdCancel_Click();
}

void TechGraph::cmdCancel_Click()
{
    RollWindow(this, 25);
    close();
    DoEvents();
}
