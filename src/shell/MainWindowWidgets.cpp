// The main window's widgets: building them, placing them from the pane layout and
// drawing the strip's, the button bar's and the status bar's state onto them.
#include "shell/frmMain.h"

#include "sheets/Zoom.h"

#include "platform/FlexGridView.h"
#include "platform/TreeView.h"
#include "sheets/GridLayout.h"
#include "shell/ElidedLabel.h"
#include "shell/GaugeSkins.h"
#include "shell/MainWindowParts.h"
#include "shell/NewsTicker.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>

#include <algorithm>

using namespace mainwindow;

namespace {

// A strip gauge: the skin's bar with the marker copied onto it at its column.
class GaugeBox : public QWidget
{
public:
    GaugeBox(const StripSlot& slot, QWidget* parent) : QWidget(parent), m_slot(slot) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(Skins::kStripBack));
        if (!m_slot.picture.isEmpty())
            p.drawImage(0, 0, Skins::Bitmap(m_slot.picture));
        if (m_slot.markerX >= 0) {
            // One plain copy of the marker's top-left 8 x 10 pixels; what lies outside
            // the gauge (or outside a smaller marker bitmap) is clipped.
            const QImage marker = HdcImage(SkinDC());
            if (!marker.isNull()) {
                const QRect source(0, 0, std::min(Skins::kMarkerCopyWidth, marker.width()),
                                   std::min(Skins::kMarkerCopyHeight, marker.height()));
                p.drawImage(QPoint(m_slot.markerX, 0), marker, source);
            }
        }
        if (m_slot.framed) {
            p.setPen(QColor(255, 255, 255));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    const StripSlot& m_slot;
};

// An oval button of the button bar: its face bitmap on the frame's background.
class FaceButton : public QWidget
{
public:
    FaceButton(const QString& face, QWidget* parent) : QWidget(parent), m_face(&face) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(Skins::kButtonFace));
        const QImage image = Skins::Bitmap(*m_face);
        p.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
    }

private:
    const QString* m_face;
};

// The thin bar over the main grid that marks where a dragged column lands.
class PicSplitBar : public SplitBar
{
public:
    explicit PicSplitBar(frmMain& form) : m_form(form) {}
    void setVisible(bool visible) override
    {
        if (m_form.picSplit)
            m_form.picSplit->setVisible(visible);
    }
    void setLeft(int twips) override
    {
        m_form.layout().picSplit.Left = m_form.layout().FG.Left + twips;
        if (m_form.picSplit)
            m_form.picSplit->move(px(m_form.layout().picSplit.Left), m_form.picSplit->y());
    }

private:
    frmMain& m_form;
};

} // namespace

void frmMain::watch(QWidget* w, int kind, int index)
{
    w->setProperty(kKindProperty, kind);
    w->setProperty(kIndexProperty, index);
    w->setMouseTracking(true);
}

void frmMain::buildWidgets()
{
    watch(this, KForm);

    NewsTicker1 = new NewsTicker(this);
    NewsTicker1->setObjectName(QStringLiteral("NewsTicker1"));
    connect(NewsTicker1, &NewsTicker::ItemClick, this, [this](int index) { NewsTicker1_ItemClick(index); });

    PicCont = new QWidget(this);
    PicCont->setObjectName(QStringLiteral("PicCont"));
    PicCont->setAutoFillBackground(true);
    QPalette cp = PicCont->palette();
    cp.setColor(QPalette::Window, QColor::fromRgb(Skins::kStripBack));
    PicCont->setPalette(cp);
    watch(PicCont, KPicCont);

    TreeView1 = new TreeView(PicCont);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));

    auto makeBar = [this](const QString& name, int kind) {
        auto* bar = new QWidget(PicCont);
        bar->setObjectName(name);
        bar->setAutoFillBackground(true);
        bar->setCursor(Qt::OpenHandCursor);
        setBarLook(bar, false);
        watch(bar, kind);
        return bar;
    };
    picSplit2 = makeBar(QStringLiteral("picSplit2"), KSplit2);

    auto makeArrow = [this](const QString& name, const QString& picture, int kind) {
        auto* arrow = new QLabel(PicCont);
        arrow->setObjectName(name);
        arrow->setPixmap(QPixmap::fromImage(Skins::Bitmap(picture)));
        arrow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        watch(arrow, kind);
        return arrow;
    };
    ImgUp = makeArrow(QStringLiteral("ImgUp"), QStringLiteral("ArrowUp"), KImgUp);
    ImgDn = makeArrow(QStringLiteral("ImgDn"), QStringLiteral("ArrowDn"), KImgDn);

    for (int k = 0; k < kStripSlots; ++k) {
        auto* label = new QLabel(PicCont);
        label->setObjectName(QStringLiteral("lblSbl(%1)").arg(k));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        watch(label, KLblSbl, k);
        lblSbl[k] = label;

        auto* gauge = new GaugeBox(m_strip.items[k], PicCont);
        gauge->setObjectName(QStringLiteral("img(%1)").arg(k));
        gauge->setToolTip(QStringLiteral("Click For Latest News"));
        watch(gauge, KImg, k);
        img[k] = gauge;
    }

    Shape1 = new QFrame(PicCont);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #60A0FF; background: transparent; }"));
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->hide();

    static const std::array<const char*, kLegendLabels> legend{"Sell", "Underperform", "Hold", "Buy",
                                                               "Strong Buy"};
    // Times New Roman where the machine has it; the size is the largest up to 11
    // pixels at which every caption fits its label, so none is cut.
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(11);
    for (int size = 11; size > 7; --size) {
        serif.setPixelSize(size);
        const QFontMetrics metrics(serif);
        bool fits = true;
        for (int k = 0; k < kLegendLabels; ++k)
            fits = fits && metrics.horizontalAdvance(QString::fromLatin1(legend[k])) <= px(m_layout.lblDsc[k].Width);
        if (fits)
            break;
    }
    for (int k = 0; k < kLegendLabels; ++k) {
        auto* label = new QLabel(QString::fromLatin1(legend[k]), PicCont);
        label->setObjectName(QStringLiteral("lblDsc(%1)").arg(k));
        label->setFont(serif);
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, bgr(0xC0C0C0));
        label->setPalette(lp);
        watch(label, KInert, k);
        lblDsc[k] = label;
    }

    Splitter = makeBar(QStringLiteral("Splitter"), KSplitter);

    FG = new FlexGridView(PicCont);
    FG->setObjectName(QStringLiteral("FG"));
    FG->setGrid(&m_grid);
    FG->setMouseIcon(LinkCursor(GridWindow::Main));
    connect(FG, &FlexGridView::Click, this, [this] { m_gridEvents.FG_Click(); });
    connect(FG, &FlexGridView::DblClick, this, [this] { m_gridEvents.FG_DblClick(); });
    connect(FG, &FlexGridView::KeyDown, this,
            [this](int KeyCode, int Shift) { m_gridEvents.FG_KeyDown(KeyCode, Shift); });
    connect(FG, &FlexGridView::MouseDown, this, [this](int Button, int Shift, double X, double Y) {
        if (const auto popup = m_gridEvents.FG_MouseDown(Button, Shift, X, Y))
            showGridPopup(*popup, FG->viewport()->mapToGlobal(QPoint(px(std::lround(X)), px(std::lround(Y)))));
    });
    connect(FG, &FlexGridView::MouseMove, this, [this](int Button, int Shift, double X, double Y) {
        if (TmrNav.isActive())
            TmrNav.stop();
        m_gridEvents.FG_MouseMove(Button, Shift, X, Y);
    });
    connect(FG, &FlexGridView::MouseUp, this,
            [this](int Button, int Shift, double X, double Y) { m_gridEvents.FG_MouseUp(Button, Shift, X, Y); });
    connect(FG, &FlexGridView::DragOver, this,
            [](QWidget* Source, double X, double Y, int State) { FG_DragOver(Source, X, Y, State); });
    connect(FG, &FlexGridView::DragDrop, this,
            [](QWidget* Source, double X, double Y) { FG_DragDrop(Source, X, Y); });

    picSplit = new QWidget(PicCont);
    picSplit->setObjectName(QStringLiteral("picSplit"));
    picSplit->setAutoFillBackground(true);
    QPalette sp = picSplit->palette();
    sp.setColor(QPalette::Window, QColor(0, 0, 0));
    picSplit->setPalette(sp);
    picSplit->setAttribute(Qt::WA_TransparentForMouseEvents);
    picSplit->hide();

    frmButtom = new QFrame(this);
    frmButtom->setObjectName(QStringLiteral("frmButtom"));
    frmButtom->setFrameStyle(QFrame::NoFrame);
    watch(frmButtom, KButtonFrame);
    for (int i = 0; i < kBarButtons; ++i) {
        auto* button = new FaceButton(m_bar.face[i], frmButtom);
        button->setObjectName(QStringLiteral("Picture1(%1)").arg(i));
        button->setToolTip(QString::fromLatin1(ButtonToolTips()[i]));
        button->setCursor(Qt::PointingHandCursor);
        watch(button, KPicture1, i);
        Picture1[i] = button;

        auto* caption = new QLabel(QString::fromLatin1(ButtonCaptions()[i]), frmButtom);
        caption->setObjectName(QStringLiteral("lblDesc(%1)").arg(i));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QPalette dp = caption->palette();
        dp.setColor(QPalette::WindowText, QColor(80, 80, 80));
        caption->setPalette(dp);
        watch(caption, KInert, i);
        lblDesc[i] = caption;
    }

    StatusBar1 = new QWidget(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setAutoFillBackground(true);
    QPalette bp = StatusBar1->palette();
    bp.setColor(QPalette::Window, QColor(0, 0, 0));
    StatusBar1->setPalette(bp);
    watch(StatusBar1, KStatusBar);
    for (int i = 0; i < kStatusPanels; ++i) {
        // The status text shows whole where there is room, else cut with its whole
        // text as the tip.
        QLabel* panel = i == 6 ? new ElidedLabel(QString::fromLatin1(PanelCaptions()[i]), StatusBar1)
                               : new QLabel(QString::fromLatin1(PanelCaptions()[i]), StatusBar1);
        panel->setObjectName(QStringLiteral("Panel1(%1)").arg(i));
        panel->setToolTip(QString::fromLatin1(PanelToolTips()[i]));
        panel->setAlignment(i >= 6 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
        panel->setAutoFillBackground(true);
        watch(panel, KPanel1, i);
        Panel1[i] = panel;
    }
    Rect = new QFrame(StatusBar1);
    Rect->setObjectName(QStringLiteral("Rect"));
    Rect->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #00C000; background: transparent; }"));
    Rect->setAttribute(Qt::WA_TransparentForMouseEvents);
    Rect->hide();

    // The marker of a dragged column's landing place.
    m_splitBar = std::make_unique<PicSplitBar>(*this);

    // The whole window sees every key first.
    qApp->installEventFilter(this);
}

void frmMain::setBarLook(QWidget* bar, bool gripped)
{
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, gripped ? bgr(DragColor) : QColor::fromRgb(Skins::kButtonFace));
    bar->setPalette(p);
    bar->setCursor(gripped ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

void frmMain::placeAlignedBars()
{
    // The ticker lies across the top and the status bar along the bottom edge, each
    // the window's whole width.
    const std::int32_t w = std::max(0, width()) * kTwips;
    const std::int32_t h = std::max(0, height()) * kTwips;
    m_layout.NewsTicker1.Width = w;
    m_layout.StatusBar1.Width = w;
    m_layout.StatusBar1.Top = h - m_layout.StatusBar1.Height;
}

void frmMain::applyGeometry()
{
    placeAlignedBars();
    const PaneLayout& g = m_layout;
    NewsTicker1->setGeometry(pxRect(g.NewsTicker1));
    PicCont->setGeometry(pxRect(g.PicCont));
    frmButtom->setGeometry(pxRect(g.frmButtom));
    StatusBar1->setGeometry(pxRect(g.StatusBar1));
    TreeView1->setGeometry(pxRect(g.TreeView1));
    picSplit2->setGeometry(pxRect(g.picSplit2));
    ImgUp->setGeometry(pxRect(g.ImgUp));
    ImgDn->setGeometry(pxRect(g.ImgDn));
    for (int k = 0; k < kStripSlots; ++k) {
        lblSbl[k]->setGeometry(pxRect(g.lblSbl[k]));
        img[k]->setGeometry(pxRect(g.img[k]));
    }
    Shape1->setGeometry(pxRect(g.Shape1));
    for (int k = 0; k < kLegendLabels; ++k)
        lblDsc[k]->setGeometry(pxRect(g.lblDsc[k]));
    Splitter->setGeometry(pxRect(g.Splitter));
    FG->setGeometry(pxRect(g.FG));
    picSplit->setGeometry(pxRect(g.picSplit));
    for (int i = 0; i < kBarButtons; ++i) {
        Picture1[i]->setGeometry(pxRect(g.Picture1[i]));
        // A caption keeps its centre: it grows about it when its text needs more room
        // and narrows about it to stay inside the bar's frame (the "Stocks" label is
        // laid out wider than its button and would run past the frame's edge), never
        // below its text's width.
        QRect caption = pxRect(g.lblDesc[i]);
        const int needed = lblDesc[i]->fontMetrics().horizontalAdvance(lblDesc[i]->text()) + 4;
        const int centre = caption.x() + caption.width() / 2;
        const int room = 2 * std::min(centre, frmButtom->width() - centre);
        const int width = std::max(needed, std::min(caption.width(), room));
        caption = QRect(centre - width / 2, caption.y(), width, caption.height());
        caption.moveLeft(std::clamp(caption.x(), 0, std::max(0, frmButtom->width() - width)));
        lblDesc[i]->setGeometry(caption);
    }
    // Each status label shows as far as it lies inside the bar: the status and task
    // labels are drawn taller than the bar and the task label runs past its end.
    for (int i = 0; i < kStatusPanels; ++i)
        Panel1[i]->setGeometry(pxRect(g.Panel1[i]).intersected(StatusBar1->rect()));
    placeStatusText();
    Rect->setGeometry(px(m_panels.rectLeft), px(g.Rect.Top), px(m_panels.rectWidth), px(g.Rect.Height));
    Rect->raise();
    Shape1->raise();
    m_grid.setWidth(px(g.FG.Width) * kTwips);

    // The gauges' inner size places the markers.
    m_strip.gaugeScaleWidth = px(g.img[0].Width);
    m_strip.gaugeScaleHeight = px(g.img[0].Height);
}

void frmMain::syncStrip()
{
    if (!lblSbl[0])
        return;
    for (int k = 0; k < kStripSlots; ++k) {
        const StripSlot& s = m_strip.items[k];
        QLabel* label = lblSbl[k];
        label->setText(s.caption);
        const QColor text = bgr(s.foreColor);
        const bool empty = s.caption.trimmed().isEmpty();
        // The label's right end lies under the gauge: its chip ends where the gauge
        // begins, and a long symbol takes a smaller size rather than being cut.
        const int hidden = std::max(0, px(m_layout.lblSbl[k].Right() - m_layout.img[k].Left));
        const int room = px(m_layout.lblSbl[k].Width) - hidden - 6;
        QFont symbolFont = font();
        symbolFont.setBold(s.bold);
        int size = 11;
        for (; size > 8; --size) {
            symbolFont.setPixelSize(size);
            if (QFontMetrics(symbolFont).horizontalAdvance(s.caption) <= room)
                break;
        }
        const QString sheet =
            QStringLiteral("QLabel { color: %1; font-weight: %2; font-size: %6px; background: %3; "
                           "border: 1px solid %4; border-radius: 2px; padding-left: 2px; margin-right: %5px; }")
                .arg(text.name(), s.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                     empty ? QStringLiteral("#2A313C") : QStringLiteral("#F4F4EE"),
                     empty ? QStringLiteral("#3A4350") : QStringLiteral("#8A96A8"))
                .arg(hidden)
                .arg(size);
        // Setting a style sheet parses it and polishes the label again, even when it
        // is the one the label has: the strip is synced on every change of any slot.
        if (label->styleSheet() != sheet)
            label->setStyleSheet(sheet);
        label->setVisible(s.labelVisible);
        img[k]->setVisible(s.gaugeVisible);
        img[k]->update();
    }
}

void frmMain::syncButtons()
{
    for (int i = 0; i < kBarButtons; ++i)
        Picture1[i]->update();
    lblDesc[0]->setText(m_bar.updateCaption);
    Picture1[4]->setEnabled(m_bar.stocksEnabled);
}

void frmMain::syncPanels()
{
    for (int i = 0; i < kStatusPanels; ++i) {
        QLabel* panel = Panel1[i];
        const bool pressed = m_panels.label[i].pressed;
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, pressed ? QColor(0, 255, 0) : QColor(0, 0, 0));
        p.setColor(QPalette::WindowText, pressed ? QColor(0, 0, 0) : QColor(255, 255, 255));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 110, 110));
        p.setColor(QPalette::Disabled, QPalette::Window, QColor(0, 0, 0));
        panel->setPalette(p);
    }
    Rect->setVisible(m_panels.rectVisible);
    Rect->setGeometry(px(m_panels.rectLeft), px(m_layout.Rect.Top), px(m_panels.rectWidth), px(m_layout.Rect.Height));
}

QString frmMain::panelText(int index) const
{
    return index >= 0 && index < kStatusPanels ? Panel1[index]->text() : QString();
}

QString frmMain::buttonCaption(int index) const
{
    return index >= 0 && index < kBarButtons ? lblDesc[index]->text() : QString();
}

void frmMain::showStatusText(const QString& text)
{
    Panel1[6]->setText(text);
    placeStatusText();
}

void frmMain::placeStatusText()
{
    QLabel* status = Panel1[6];
    const bool taskShown = !Panel1[7]->text().isEmpty();
    const int needed = status->fontMetrics().horizontalAdvance(status->text()) + 4;
    TwipRect r = m_layout.Panel1[6];
    r.Width = StatusTextWidth(m_layout, needed * kTwips, taskShown);
    status->setGeometry(pxRect(r).intersected(StatusBar1->rect()));
    // Grown over the empty task label, the status text lies on top.
    (taskShown ? Panel1[7] : status)->raise();
}
