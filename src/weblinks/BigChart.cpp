#include "weblinks/BigChart.h"

#include "core/WindowEffects.h"
#include "platform/DoEvents.h"
#include "weblinks/PeriodSlider.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

BigChart::BigChart(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("BigChart"));
    setWindowTitle(QStringLiteral("Chart Explorer"));
    setAttribute(Qt::WA_DeleteOnClose);

    const auto combo = [this](ChartExplorer::List list, const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        lists[list] = c;
        connect(c, &QComboBox::activated, this, [this, list](int index) {
            if (m_syncing)
                return;
            m_engine.listClick(list, index);
            sync();
        });
        return c;
    };
    cboBack = combo(ChartExplorer::Back, "cboBack");
    cboDisp = combo(ChartExplorer::Disp, "cboDisp");
    cboFrq = combo(ChartExplorer::Frq, "cboFrq");
    cboIndex = combo(ChartExplorer::Index, "cboIndex");
    cboLow = combo(ChartExplorer::Low, "cboLow");
    cboMove = combo(ChartExplorer::Move, "cboMove");
    cboSize = combo(ChartExplorer::Size, "cboSize");
    cboUp = combo(ChartExplorer::Up, "cboUp");

    // The period slider with its captions below it.
    auto* periods = m_periods = new PeriodSlider(ChartExplorer::periodLabels(), this);
    Slider1 = periods->slider();
    for (std::size_t i = 0; i < lblTime.size(); ++i)
        lblTime[i] = periods->labels()[i];
    connect(Slider1, &QSlider::valueChanged, this, [this] {
        if (!m_syncing)
            Slider1_Scroll();
    });
    auto* frequency = new QHBoxLayout;
    frequency->addWidget(new QLabel(QStringLiteral("Frequency:"), this));
    frequency->addWidget(cboFrq);
    frequency->addStretch();

    auto* style = new QGroupBox(QStringLiteral("ChartStyle"), this);
    auto* styleForm = new QFormLayout(style);
    styleForm->addRow(QStringLiteral("Price Display:"), cboDisp);
    styleForm->addRow(QStringLiteral("Chart Background:"), cboBack);
    styleForm->addRow(QStringLiteral("Chart Size:"), cboSize);

    txtMaval = new QLineEdit(QStringLiteral("9"), this);
    txtMaval->setObjectName(QStringLiteral("txtMaval"));
    txtMaval->setMaximumWidth(60);
    txtSbl = new QLineEdit(this);
    txtSbl->setObjectName(QStringLiteral("txtSbl"));
    txtMaval->installEventFilter(this);
    txtSbl->installEventFilter(this);
    connect(txtMaval, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_syncing)
            return;
        m_engine.txtMaval_Change(text);
        if (txtMaval->text() != m_engine.txtMaval())
            sync();
    });
    connect(txtSbl, &QLineEdit::textChanged, this, [this](const QString& text) { m_engine.txtSbl_Change(text); });

    auto* indicators = new QGroupBox(QStringLiteral("Indicators"), this);
    auto* indicatorForm = new QFormLayout(indicators);
    indicatorForm->addRow(QStringLiteral("Upper Indicators:"), cboUp);
    indicatorForm->addRow(QStringLiteral("Lower Indicators:"), cboLow);
    indicatorForm->addRow(QStringLiteral("Moving Averages:"), cboMove);
    indicatorForm->addRow(QStringLiteral("Value:"), txtMaval);

    auto* compare = new QGroupBox(QStringLiteral("CompareTo"), this);
    auto* compareForm = new QFormLayout(compare);
    compareForm->addRow(QStringLiteral("Index:"), cboIndex);
    compareForm->addRow(QStringLiteral("Symbol:"), txtSbl);

    cmdQuery = new QPushButton(QStringLiteral("&Query"), this);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdReset = new QPushButton(QStringLiteral("&Reset"), this);
    cmdSave = new QPushButton(QStringLiteral("&Save Option"), this);
    connect(cmdQuery, &QPushButton::clicked, this, &BigChart::cmdQuery_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &BigChart::cmdCancel_Click);
    connect(cmdReset, &QPushButton::clicked, this, &BigChart::cmdReset_Click);
    connect(cmdSave, &QPushButton::clicked, this, &BigChart::cmdSave_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdQuery, cmdCancel, cmdReset, cmdSave})
        buttons->addWidget(b);

    auto* middle = new QHBoxLayout;
    middle->addWidget(style);
    middle->addWidget(indicators);
    middle->addWidget(compare);
    auto* main = new QVBoxLayout(this);
    main->addWidget(periods);
    main->addLayout(frequency);
    main->addLayout(middle);
    main->addLayout(buttons);
}

void BigChart::Form_Load()
{
    m_engine.Form_Load();
    sync();
}

void BigChart::sync()
{
    m_syncing = true;
    for (int k = 0; k < ChartExplorer::ListCount; ++k) {
        QComboBox* c = lists[std::size_t(k)];
        const QStringList entries = m_engine.entries(ChartExplorer::List(k));
        QStringList now;
        for (int i = 0; i < c->count(); ++i)
            now << c->itemText(i);
        if (now != entries) {
            c->clear();
            c->addItems(entries);
        }
        c->setCurrentIndex(m_engine.listIndex(ChartExplorer::List(k)));
    }
    if (txtMaval->text() != m_engine.txtMaval())
        txtMaval->setText(m_engine.txtMaval());
    Slider1->setValue(m_engine.sliderPosition());
    Slider1->setToolTip(m_engine.sliderTip());
    cmdSave->setEnabled(m_engine.saveEnabled());
    m_syncing = false;
}

void BigChart::Slider1_Scroll()
{
    m_engine.Slider1_Scroll(Slider1->value());
    sync();
    m_periods->showTip(m_engine.sliderTip());
}

void BigChart::cmdQuery_Click()
{
    m_engine.OpenChart();
    cmdCancel_Click();
}

void BigChart::cmdCancel_Click()
{
    RollWindow(this, 25);
    close();
}

void BigChart::cmdReset_Click()
{
    m_engine.ResetChartOptions();
    sync();
}

void BigChart::cmdSave_Click()
{
    m_engine.cmdSave_Click();
    sync();
}

bool BigChart::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == txtMaval || watched == txtSbl)) {
        m_engine.textGotFocus();
        cmdSave->setEnabled(m_engine.saveEnabled());
    }
    return QWidget::eventFilter(watched, event);
}
