#include "weblinks/Reuters.h"

#include "core/WindowEffects.h"
#include "platform/Clock.h"
#include "platform/DoEvents.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDate today()
{
    return Clock::Now().date();
}

} // namespace

Reuters::Reuters(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Reuters"));
    setWindowTitle(QStringLiteral("News Headlines"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* form = new QFormLayout;
    for (int i = 0; i < HeadlineQuery::SymbolCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtSymbol_%1").arg(i));
        box->setPlaceholderText(HeadlineQuery::symbolPlaceholder());
        box->installEventFilter(this);
        txtSymbol[std::size_t(i)] = box;
        form->addRow(QStringLiteral("Stock %1:").arg(i + 1), box);
    }
    cboLength = new QComboBox(this);
    cboLength->setObjectName(QStringLiteral("cboLength"));
    form->addRow(QStringLiteral("Length:"), cboLength);
    connect(cboLength, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_syncing)
            return;
        fromBoxes();
        m_engine.cboLength_Click(index, today());
        toBoxes();
    });

    const auto dateBox = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMaximumWidth(48);
        box->installEventFilter(this);
        return box;
    };
    txtFromDay = dateBox("txtFromDay");
    txtFromMonth = dateBox("txtFromMonth");
    txt_ToDay = dateBox("txt_ToDay");
    txt_ToMonth = dateBox("txt_ToMonth");
    for (QLineEdit* month : {txtFromMonth, txt_ToMonth})
        connect(month, &QLineEdit::textChanged, this, [this, month] {
            if (m_syncing)
                return;
            fromBoxes();
            if (month == txtFromMonth)
                m_engine.txtFromMonth_Change();
            else
                m_engine.txt_ToMonth_Change();
            toBoxes();
        });
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* dates = new QFormLayout(options);
    auto* from = new QHBoxLayout;
    from->addWidget(txtFromDay);
    from->addWidget(new QLabel(QStringLiteral("Month:"), this));
    from->addWidget(txtFromMonth);
    auto* to = new QHBoxLayout;
    to->addWidget(txt_ToDay);
    to->addWidget(new QLabel(QStringLiteral("Month:"), this));
    to->addWidget(txt_ToMonth);
    dates->addRow(QStringLiteral("From Day:"), from);
    dates->addRow(QStringLiteral("To Day:"), to);

    cmdQuery = new QPushButton(QStringLiteral("Query"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cmdQuery, &QPushButton::clicked, this, &Reuters::cmdQuery_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &Reuters::cmdCancel_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdQuery);
    buttons->addWidget(cmdCancel);

    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addWidget(options);
    main->addLayout(buttons);
}

void Reuters::Form_Load()
{
    m_engine.Form_Load(today());
    m_syncing = true;
    cboLength->clear();
    cboLength->addItems(HeadlineQuery::lengthEntries());
    m_syncing = false;
    toBoxes();
}

void Reuters::fromBoxes()
{
    for (int i = 0; i < HeadlineQuery::SymbolCount; ++i)
        m_engine.txtSymbol[std::size_t(i)] = txtSymbol[std::size_t(i)]->text();
    m_engine.txtFromDay = txtFromDay->text();
    m_engine.txtFromMonth = txtFromMonth->text();
    m_engine.txt_ToDay = txt_ToDay->text();
    m_engine.txt_ToMonth = txt_ToMonth->text();
}

void Reuters::toBoxes()
{
    m_syncing = true;
    const auto put = [](QLineEdit* box, const QString& text) {
        if (box->text() != text)
            box->setText(text);
    };
    for (int i = 0; i < HeadlineQuery::SymbolCount; ++i)
        put(txtSymbol[std::size_t(i)], m_engine.txtSymbol[std::size_t(i)]);
    put(txtFromDay, m_engine.txtFromDay);
    put(txtFromMonth, m_engine.txtFromMonth);
    put(txt_ToDay, m_engine.txt_ToDay);
    put(txt_ToMonth, m_engine.txt_ToMonth);
    cboLength->setCurrentIndex(m_engine.lengthIndex());
    m_syncing = false;
}

void Reuters::cmdQuery_Click()
{
    fromBoxes();
    m_engine.QueryNews(today());
    cmdCancel_Click();
}

void Reuters::cmdCancel_Click()
{
    RollWindow(this, 25);
    close();
}

bool Reuters::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_syncing) {
        fromBoxes();
        for (int i = 0; i < HeadlineQuery::SymbolCount; ++i)
            if (watched == txtSymbol[std::size_t(i)])
                m_engine.txtSymbol_LostFocus(i);
        if (watched == txtFromDay)
            m_engine.txtFromDay_LostFocus();
        else if (watched == txt_ToDay)
            m_engine.txt_ToDay_LostFocus();
        else if (watched == txtFromMonth)
            m_engine.txtFromMonth_LostFocus();
        else if (watched == txt_ToMonth)
            m_engine.txt_ToMonth_LostFocus();
        toBoxes();
    }
    return QWidget::eventFilter(watched, event);
}
