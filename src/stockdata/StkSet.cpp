#include "stockdata/StkSet.h"

#include "core/WindowEffects.h"
#include "stockdata/EditorWindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QPointer<StkSet> s_instance;

const char* const kActionTips[] = {
    "Click To Add New Stock To Selected Group",
    "Select Stock Symbol In The Symbol List And Click To Remove Select Stock",
    "Click To Find Stock Symbol",
    "",
};

const char* const kAlertTips[] = {
    "Select Stock Symbol In The Symbol List And Enter Low Price Alert",
    "Select Stock Symbol In The Symbol List And Enter High Price Alert",
};

// The "Investor" picture: a small rising price chart.
QPixmap investorPicture()
{
    QPixmap pixmap(96, 64);
    pixmap.fill(QColor(0xF4, 0xF1, 0xE6));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
    for (int y = 12; y < 64; y += 13)
        p.drawLine(4, y, 92, y);
    const QPointF points[] = {{6, 52}, {20, 44}, {32, 48}, {46, 30}, {58, 36}, {72, 18}, {90, 10}};
    p.setPen(QPen(QColor(0, 110, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(points, int(std::size(points)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 110, 40));
    p.drawPolygon(QPolygonF{QPointF(90, 4), QPointF(93, 14), QPointF(84, 11)});
    return pixmap;
}

void setListItems(QListWidget* list, const QStringList& items, int selected)
{
    const QSignalBlocker block(list);
    bool same = list->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = list->item(i)->text() == items[i];
    if (!same) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentRow(selected >= 0 && selected < items.size() ? selected : -1);
    if (selected < 0)
        list->clearSelection();
}

} // namespace

ActionLabel::ActionLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSize(11);
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setTone(Tone::Blue);
}

void ActionLabel::setTone(Tone tone)
{
    m_tone = tone;
    static const char* const colours[] = {"#0000FF", "#FF0000", "#00FF00"};
    setStyleSheet(isEnabled() ? QStringLiteral("color: %1").arg(QLatin1String(colours[int(tone)])) : QString());
}

void ActionLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        setTone(m_tone);
}

void ActionLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    emit hovered();
}

void ActionLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    emit pressed();
}

void ActionLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    emit released();
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

StkSet::StkSet(StockSets& sets, QWidget* parent)
    : QDialog(parent), m_editor(sets)
{
    setObjectName(QStringLiteral("StkSet"));
    setWindowTitle(QStringLiteral("Stock Sets"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMouseTracking(true);

    auto* pic = new QLabel(this);
    pic->setObjectName(QStringLiteral("Pic"));
    pic->setPixmap(investorPicture());

    static const char* const captions[] = {"Stocks List", "Low", "High", "Alerts",
                                           "Stock Groups (Double Click To Edit)"};
    std::array<QLabel*, 5> lbl1{};
    for (int i = 0; i < 5; ++i) {
        lbl1[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        lbl1[i]->setObjectName(QStringLiteral("lbl1(%1)").arg(i));
    }

    m_sets = new QListWidget(this);
    m_sets->setObjectName(QStringLiteral("lstSets"));
    m_sets->setToolTip(QStringLiteral("Stock Groups (Double Click To Change Group Name)"));
    m_stk = new QListWidget(this);
    m_stk->setObjectName(QStringLiteral("lstStk"));
    m_stk->setToolTip(QStringLiteral("Stocks"));

    connect(m_sets, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_editor.lstSets_Click(m_sets->row(item));
        after();
    });
    connect(m_sets, &QListWidget::itemDoubleClicked, this, [this] {
        m_editor.lstSets_DblClick();
        after();
    });
    connect(m_stk, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_editor.lstStk_Click(m_stk->row(item));
        after();
    });
    connect(m_stk, &QListWidget::itemDoubleClicked, this, [this] {
        m_editor.lstStk_DblClick();
        after();
    });

    auto* actions = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new ActionLabel(StockSetEditor::ActionCaptions()[i], this);
        label->setObjectName(QStringLiteral("lblAction(%1)").arg(i));
        label->setToolTip(QString::fromLatin1(kActionTips[i]));
        m_action[i] = label;
        actions->addWidget(label);
        connect(label, &ActionLabel::hovered, this, [this, label] {
            if (label->tone() == ActionLabel::Tone::Red)
                return;
            Make_lblAction_Blue();
            label->setTone(ActionLabel::Tone::Red);
        });
        connect(label, &ActionLabel::pressed, this, [this, label] {
            Make_lblAction_Blue();
            label->setTone(ActionLabel::Tone::Green);
        });
        connect(label, &ActionLabel::released, this, &StkSet::Make_lblAction_Blue);
        connect(label, &ActionLabel::Click, this, [this, i] {
            if (!m_action[i]->isEnabled())
                return;
            m_editor.lblAction_Click(i);
            after();
        });
    }
    actions->addSpacing(8);

    auto* alerts = new QGridLayout;
    alerts->addWidget(lbl1[3], 0, 0, 1, 2);
    for (int i = 0; i < 2; ++i) {
        m_alert[i] = new QLineEdit(this);
        m_alert[i]->setObjectName(QStringLiteral("txtAlert(%1)").arg(i));
        m_alert[i]->setToolTip(QString::fromLatin1(kAlertTips[i]));
        alerts->addWidget(lbl1[1 + i], 1 + i, 0);
        alerts->addWidget(m_alert[i], 1 + i, 1);
        connect(m_alert[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_editor.setAlert(i, text);
            after();
        });
    }
    actions->addLayout(alerts);
    actions->addStretch(1);

    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    m_apply->setObjectName(QStringLiteral("cmdApply"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("cmdHelp"));
    connect(m_apply, &QPushButton::clicked, this, [this] {
        if (m_closing)
            return;
        m_editor.cmdApply_Click();
        after();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_closing)
            return;
        m_editor.cmdOK_Click();
        after();
    });
    connect(cancel, &QPushButton::clicked, this, &StkSet::reject);
    connect(help, &QPushButton::clicked, this, [this] { m_editor.cmdHelp_Click(); });

    auto* left = new QVBoxLayout;
    left->addWidget(pic, 0, Qt::AlignHCenter);
    left->addWidget(lbl1[4]);
    left->addWidget(m_sets, 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(lbl1[0]);
    middle->addWidget(m_stk, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(middle, 2);
    columns->addLayout(actions, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {m_apply, ok, cancel, help})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    m_editor.Form_Load();
    refresh();
    resize(600, 400);
    s_instance = this;
}

StkSet::~StkSet() = default;

StkSet* StkSet::instance()
{
    return s_instance.data();
}

void StkSet::Make_lblAction_Blue()
{
    for (ActionLabel* label : m_action)
        label->setTone(ActionLabel::Tone::Blue);
}

void StkSet::refresh()
{
    setListItems(m_sets, m_editor.sets(), m_editor.selectedSet());
    setListItems(m_stk, m_editor.symbols(), m_editor.SelRow());
    for (int i = 0; i < 2; ++i) {
        if (m_alert[i]->text() != m_editor.alert(i)) {
            const QSignalBlocker block(m_alert[i]);
            m_alert[i]->setText(m_editor.alert(i));
        }
    }
    m_action[0]->setEnabled(m_editor.addEnabled());
    m_action[1]->setEnabled(m_editor.removeEnabled());
    m_apply->setEnabled(m_editor.applyEnabled());
}

void StkSet::after()
{
    refresh();
    const int focus = m_editor.focusAlert();
    m_editor.clearFocusRequest();
    if (focus >= 0)
        m_alert[focus]->setFocus();
    if (m_editor.closed() && !m_closing) {
        rollClosed();
        QDialog::accept();
        QApplication::processEvents();
    }
}

void StkSet::rollClosed()
{
    m_closing = true;
    if (!m_quietClose)
        RollWindow(this, 25);
    QApplication::processEvents();
}

void StkSet::mouseMoveEvent(QMouseEvent* event)
{
    for (ActionLabel* label : m_action)
        if (label->tone() != ActionLabel::Tone::Blue)
            label->setTone(ActionLabel::Tone::Blue);
    QDialog::mouseMoveEvent(event);
}

void StkSet::reject()
{
    // Cancel, Esc and the title bar's close button; nothing is stored.
    if (m_closing)
        return;
    rollClosed();
    m_editor.cmdCancel_Click();
    QDialog::reject();
    QApplication::processEvents();
}

void StkSet::closeEvent(QCloseEvent* event)
{
    m_quietClose = true;
    QDialog::closeEvent(event);
    m_quietClose = false;
}

void ShowStockSetEditor()
{
    editorWindows().showSetEditor();
}
