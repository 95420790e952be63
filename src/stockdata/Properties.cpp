#include "stockdata/Properties.h"

#include "core/WindowEffects.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "platform/Help.h"
#include "platform/InputCodes.h"
#include "stockdata/DetailCard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kTwips = input::TwipsPerPixel;
constexpr int kHelpTopic = 86;

int roundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

QPixmap arrowPicture(const QString& name)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    FlexGridView::paintPicture(&p, pixmap.rect(), name, 4);
    return pixmap;
}

} // namespace

int Properties::PropWidth = 0;
int Properties::PropHeight = 0;

Properties::Properties(std::unique_ptr<DetailCard> card, QWidget* parent)
    : QDialog(parent)
    , m_card(std::move(card))
{
    setObjectName(QStringLiteral("Properties"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(m_card->caption.isEmpty() ? QStringLiteral("Properties") : m_card->caption);

    auto* bar = new QPushButton(this);
    bar->setObjectName(QStringLiteral("Command1"));
    bar->setToolTip(QStringLiteral("Click To Minimize / Restore"));
    bar->setFixedHeight(135 / kTwips);
    bar->setFocusPolicy(Qt::NoFocus);
    connect(bar, &QPushButton::clicked, this, &Properties::Command1_Click);

    m_body = new QWidget(this);
    auto* frm = new QGroupBox(QStringLiteral("General"), m_body);
    frm->setObjectName(QStringLiteral("frm"));

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Name:"), frm));
    m_name = new QLabel(m_card->lblName, frm);
    m_name->setObjectName(QStringLiteral("lblName"));
    m_name->setStyleSheet(QStringLiteral("font-weight: bold"));
    nameRow->addWidget(m_name, 1);
    m_pic = new QLabel(frm);
    m_pic->setObjectName(QStringLiteral("pic1"));
    m_pic->setFixedSize(18, 18);
    nameRow->addWidget(m_pic);

    auto* data = new QGroupBox(QStringLiteral("Current Data"), frm);
    data->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(data);
    grid->setVerticalSpacing(1);
    const auto& captions = DetailCard::RowCaptions();
    for (int k = 0; k < DetailCard::DataRows; ++k) {
        auto* caption = new QLabel(captions[k], data);
        caption->setObjectName(QStringLiteral("lbl1(%1)").arg(k));
        m_data[k] = new QLabel(m_card->lblData[k].isEmpty() ? QStringLiteral("-") : m_card->lblData[k], data);
        m_data[k]->setObjectName(QStringLiteral("lblData(%1)").arg(k));
        m_data[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, k, 0);
        grid->addWidget(m_data[k], k, 2);
    }
    auto* line = new QFrame(data);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 0, 1, DetailCard::DataRows, 1);
    grid->setColumnStretch(2, 1);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("Last Update:"), frm));
    m_time = new QLabel(m_card->lblTime.isEmpty() ? QStringLiteral("------") : m_card->lblTime, frm);
    m_time->setObjectName(QStringLiteral("lblTime"));
    timeRow->addWidget(m_time, 1);

    auto* targets = new QGroupBox(QStringLiteral("Enter Target Prices:"), frm);
    targets->setObjectName(QStringLiteral("frmTarget"));
    auto* targetRow = new QHBoxLayout(targets);
    static const char* const targetCaptions[] = {"Low", "High"};
    static const char* const targetTips[] = {"Enter Low Price Alert", "Enter High Price Alert"};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(QString::fromLatin1(targetCaptions[i]), targets);
        label->setObjectName(QStringLiteral("lblTarget(%1)").arg(i));
        m_target[i] = new QLineEdit(targets);
        m_target[i]->setObjectName(QStringLiteral("txtTarget(%1)").arg(i));
        m_target[i]->setToolTip(QString::fromLatin1(targetTips[i]));
        targetRow->addWidget(label);
        targetRow->addWidget(m_target[i], 1);
        connect(m_target[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_card->setTarget(i, text);
            refreshTargets();
        });
    }

    auto* frmLayout = new QVBoxLayout(frm);
    frmLayout->addLayout(nameRow);
    frmLayout->addWidget(data);
    frmLayout->addLayout(timeRow);
    frmLayout->addWidget(targets);

    auto* ok = new QPushButton(QStringLiteral("&OK"), m_body);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setToolTip(QStringLiteral("Confirm"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), m_body);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setToolTip(QStringLiteral("Close"));
    auto* help = new QPushButton(QStringLiteral("&Help"), m_body);
    help->setObjectName(QStringLiteral("cmdHelp"));
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_closing)
            return;
        m_card->cmdOK_Click();
        rollClosed(10, true);
    });
    connect(cancel, &QPushButton::clicked, this, &Properties::reject);
    connect(help, &QPushButton::clicked, this, [] { Help::ShowTopic(kHelpTopic); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->setContentsMargins(8, 2, 8, 0);
    bodyLayout->addWidget(frm, 1);
    bodyLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(bar);
    layout->addWidget(m_body, 1);

    refreshTargets();
    // The bar runs across the top edge of a card 6735 twips wide.
    resize(6735 / kTwips, sizeHint().height());
    PropWidth = width() * kTwips;
    PropHeight = height() * kTwips;
}

Properties::~Properties() = default;

void Properties::refreshTargets()
{
    for (int i = 0; i < 2; ++i) {
        const QString text = m_card->target(i);
        if (m_target[i]->text() != text) {
            const QSignalBlocker block(m_target[i]);
            m_target[i]->setText(text);
        }
    }
    const int focus = m_card->focusBox();
    m_card->clearFocusRequest();
    if (focus >= 0) {
        m_target[focus]->setFocus();
        m_target[focus]->selectAll();
    }
}

void Properties::showArrow()
{
    const QString arrow = m_card->arrow();
    QApplication::processEvents();
    if (!arrow.isEmpty())
        m_pic->setPixmap(arrowPicture(arrow));
}

void Properties::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showArrow();
}

void Properties::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Double-click on the background: the desktop under the card shows through it,
    // tinted green.
    QDialog::mouseDoubleClickEvent(event);
    SeeThrough(this, SeeThroughTint);
}

std::vector<QSize> Properties::shrinkSteps(const QSize& full)
{
    std::vector<QSize> steps;
    const int dw = roundHalfEven(full.width() / 10.0);
    const int dh = roundHalfEven(full.height() / 10.0);
    QSize size = full;
    for (int i = 0; i < 9; ++i) {
        size = QSize(size.width() - dw + 120, size.height() - dh);
        steps.push_back(size);
    }
    return steps;
}

void Properties::ToggleSize()
{
    if (width() * kTwips == PropWidth) {
        m_body->hide();
        setMinimumSize(0, 0);
        for (const QSize& step : shrinkSteps(QSize(width() * kTwips, height() * kTwips))) {
            resize(qMax(1, step.width() / kTwips), qMax(1, step.height() / kTwips));
            QApplication::processEvents();
        }
    } else {
        m_body->show();
        resize(PropWidth / kTwips, PropHeight / kTwips);
    }
}

void Properties::Command1_Click()
{
    ToggleSize();
    TileWindows(this);
}

void Properties::rollClosed(int steps, bool accepted)
{
    m_closing = true;
    if (!m_quietClose)
        RollWindow(this, steps);
    QApplication::processEvents();
    if (accepted)
        QDialog::accept();
    else
        QDialog::reject();
    QApplication::processEvents();
    QApplication::processEvents();
}

void Properties::reject()
{
    // Cancel, Esc and the title bar's close button; nothing is stored.
    if (m_closing)
        return;
    if (!m_card->closed())
        m_card->cmdCancel_Click();
    rollClosed(25, false);
}

void Properties::closeEvent(QCloseEvent* event)
{
    m_quietClose = true;
    QDialog::closeEvent(event);
    m_quietClose = false;
}
