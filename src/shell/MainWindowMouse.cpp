// The main window's pointer and size: the event filter that hands every mouse event
// of the window's own controls to its handler, the splitters, the strip's press
// border, the button bar's and the status bar's looks, and the resize.
#include "shell/frmMain.h"

#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "platform/DoEvents.h"
#include "platform/FlexGridView.h"
#include "platform/InputCodes.h"
#include "platform/TreeView.h"
#include "shell/KeyTable.h"
#include "shell/MainWindowParts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

using namespace mainwindow;

void frmMain::img_MouseDown(int Index, int Button)
{
    if (Index < 0 || Index >= kStripSlots || Button == 2)
        return;
    m_strip.items[Index].framed = true;
    if (!m_strip.items[Index].caption.isEmpty()) {
        m_layout.Shape1.Top = m_layout.lblSbl[Index].Top - 20;
        Shape1->setGeometry(pxRect(m_layout.Shape1));
        Shape1->show();
        Shape1->raise();
    }
    syncStrip();
}

void frmMain::img_MouseUp(int Index)
{
    if (Index < 0 || Index >= kStripSlots)
        return;
    m_strip.items[Index].framed = false;
    Shape1->hide();
    syncStrip();
}

void frmMain::verticalLayout()
{
    const std::int32_t P = ApplyVerticalLayout(m_layout);
    Settings::SaveSetting(QString::fromLatin1(Settings::LastTreePos), QString::number(P));
    applyGeometry();
}

void frmMain::splitterLayout()
{
    ApplyHorizontalLayout(m_layout, SplitterMaxTop);
    const int last = m_strip.SlotFitPass();
    m_strip.GaugePass(last);
    applyGeometry();
}

void frmMain::picSplit2_MouseDown(int Button, int Shift, double X, double Y)
{
    if (m_dragX.MouseDown(Button, X)) {
        picSplit2_MouseUp(Button, Shift, X, Y);
        return;
    }
    if (Button == 1)
        setBarLook(picSplit2, true);
}

void frmMain::picSplit2_MouseMove(int, int, double X, double)
{
    if (const auto step = m_dragX.MouseMove(X)) {
        m_layout.picSplit2.Left += *step;
        picSplit2->move(px(m_layout.picSplit2.Left), picSplit2->y());
    }
}

void frmMain::picSplit2_MouseUp(int, int, double, double)
{
    m_dragX.MouseUp();
    setBarLook(picSplit2, false);
    verticalLayout();
}

void frmMain::picSplit2_DblClick()
{
    m_layout.picSplit2.Left = kTreePosDesign;
    picSplit2_MouseUp(2, 0, 0, kTreePosDesign);
}

void frmMain::Splitter_MouseDown(int Button, int Shift, double X, double Y)
{
    if (m_dragY.MouseDown(Button, Y)) {
        Splitter_MouseUp(Button, Shift, X, Y);
        return;
    }
    if (Button == 1)
        setBarLook(Splitter, true);
}

void frmMain::Splitter_MouseMove(int, int, double, double Y)
{
    if (const auto step = m_dragY.MouseMove(Y)) {
        m_layout.Splitter = {0, m_layout.Splitter.Top + *step, m_layout.picContScaleWidth(), kBarThickness};
        Splitter->setGeometry(pxRect(m_layout.Splitter));
    }
}

void frmMain::Splitter_MouseUp(int, int, double, double)
{
    m_dragY.MouseUp();
    setBarLook(Splitter, false);
    splitterLayout();
}

void frmMain::Splitter_DblClick()
{
    m_layout.Splitter.Top = m_layout.Splitter.Top == kSplitterMin ? kSplitterOpen : kSplitterCollapse;
    Splitter_MouseUp(2, 0, 0, m_layout.Splitter.Top);
    m_layout.picSplit.Top = m_layout.FG.Top;
    m_layout.picSplit.Height = m_layout.FG.Height;
    applyGeometry();
}

void frmMain::Form_Resize()
{
    try {
        if (!isMinimized())
            m_resizer.ScaleControls(m_layout, width() * kTwips, height() * kTwips);
        AfterResize(m_layout);
        applyGeometry();
    } catch (const std::exception& e) {
        LogError(QString::fromUtf8(e.what()), 6, QStringLiteral("Tradewright"), QStringLiteral("frmMain_Form_Resize"),
                 false);
    }
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::Picture1_MouseDown(int Index)
{
    m_bar.MouseDown(Index);
    syncButtons();
}

void frmMain::Picture1_MouseUp(int Index)
{
    m_bar.MouseUp(Index);
    syncButtons();
}

void frmMain::Picture1_MouseMove(int Index)
{
    m_bar.MouseMove(Index);
    syncButtons();
}

void frmMain::Form_MouseMove()
{
    if (TmrNav.isActive())
        TmrNav.stop();
    m_bar.HoverReset();
    syncButtons();
}

void frmMain::PicCont_MouseMove()
{
    if (TmrNav.isActive())
        TmrNav.stop();
}

void frmMain::StatusBar1_MouseMove()
{
    m_panels.StatusBarMove();
    syncPanels();
}

void frmMain::Panel1_MouseDown(int Index, int Button)
{
    m_panels.MouseDown(Index, Button);
    syncPanels();
}

void frmMain::Panel1_MouseMove(int Index)
{
    if (Index < 0 || Index >= kStatusPanels)
        return;
    if (m_panels.MouseMove(Index, m_layout.Panel1[Index].Left, m_layout.Panel1[Index].Width)) {
        Panel1[Index]->setCursor(Qt::ArrowCursor);
        syncPanels();
        DoEvents();
    }
}

void frmMain::Panel1_MouseUp(int)
{
    m_panels.MouseUp();
    syncPanels();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Key preview: every key pressed in this window comes here first.
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && m_loaded) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = input::keyCode(key->key());
            const int shift = input::shiftState(key->modifiers());
            if (KeyCommandFor(code, shift) != KeyCommand::None) {
                Form_KeyDown(code, shift);
                return true;
            }
        }
        return false;
    }

    // The mouse events of the window's own controls go to their handlers and end
    // there: a control's events never reach its container, as a move over a caption
    // is not a move over the button bar's background.
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const QVariant kind = watched->property(kKindProperty);
        auto* w = qobject_cast<QWidget*>(watched);
        if (!kind.isValid() || !w || w->window() != this)
            return false;
        if (w->isEnabled())
            dispatchMouse(kind.toInt(), watched->property(kIndexProperty).toInt(), event);
        return true;
    }
    default:
        return false;
    }
}

void frmMain::dispatchMouse(int kind, int index, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const double X = input::toTwips(mouse->position().x());
    const double Y = input::toTwips(mouse->position().y());
    const int Shift = input::shiftState(mouse->modifiers());
    const int Button = event->type() == QEvent::MouseMove ? input::buttonState(mouse->buttons())
                                                          : input::buttonState(mouse->button());
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;
    const bool move = type == QEvent::MouseMove;
    const bool dbl = type == QEvent::MouseButtonDblClick;
    // A click is a left release over the control that was pressed.
    auto releasedOver = [&](QWidget* w) {
        return release && Button == 1 && w && w->rect().contains(mouse->position().toPoint());
    };

    switch (kind) {
    case KForm:
    case KButtonFrame:
        if (move)
            Form_MouseMove();
        break;
    case KPicCont:
        if (move)
            PicCont_MouseMove();
        break;
    case KStatusBar:
        if (move)
            StatusBar1_MouseMove();
        break;
    case KSplit2:
        if (press)
            picSplit2_MouseDown(Button, Shift, X, Y);
        else if (move)
            picSplit2_MouseMove(Button, Shift, X, Y);
        else if (release)
            picSplit2_MouseUp(Button, Shift, X, Y);
        else if (dbl)
            picSplit2_DblClick();
        break;
    case KSplitter:
        if (press)
            Splitter_MouseDown(Button, Shift, X, Y);
        else if (move)
            Splitter_MouseMove(Button, Shift, X, Y);
        else if (release)
            Splitter_MouseUp(Button, Shift, X, Y);
        else if (dbl)
            Splitter_DblClick();
        break;
    case KImgUp:
    case KImgDn:
        if (move) {
            ScrollUp = kind == KImgUp;
            // Enabling a running timer does not restart it: the strip keeps its pace
            // while the pointer moves on the arrow.
            if (!TmrNav.isActive())
                TmrNav.start();
        } else if (press || release) {
            TmrNav.stop();
        }
        break;
    case KLblSbl:
        if (move && TmrNav.isActive())
            TmrNav.stop();
        else if (press)
            img_MouseDown(index, 1);
        else if (release) {
            img_MouseUp(index);
            if (releasedOver(lblSbl[index]) && !m_stripDblClick)
                img_Click(index);
            m_stripDblClick = false;
        } else if (dbl)
            m_stripDblClick = true;
        break;
    case KImg:
        if (press && Button == 2) {
            // The stock actions of the tree popup, without "&Collapse All".
            showTreePopup(TreePopupStates(TreePopupFrom::Strip, true),
                          img[index]->mapToGlobal(mouse->position().toPoint()));
        } else if (press) {
            img_MouseDown(index, Button);
        } else if (release) {
            img_MouseUp(index);
            // The release that ends a double click is no further click.
            if (releasedOver(img[index]) && !m_stripDblClick)
                img_Click(index);
            m_stripDblClick = false;
        } else if (dbl) {
            m_stripDblClick = true;
            img_DblClick(index);
        }
        break;
    case KPicture1:
        if (press) {
            Picture1_MouseDown(index);
        } else if (release) {
            Picture1_MouseUp(index);
            if (releasedOver(Picture1[index]))
                Picture1_Click(index);
        } else if (move) {
            Picture1_MouseMove(index);
        }
        break;
    case KPanel1:
        if (press) {
            Panel1_MouseDown(index, Button);
        } else if (move) {
            Panel1_MouseMove(index);
        } else if (release) {
            Panel1_MouseUp(index);
            if (releasedOver(Panel1[index]))
                Panel1_Click(index);
        } else if (dbl) {
            Panel1_DblClick(index);
        }
        break;
    default:
        break;
    }
}
