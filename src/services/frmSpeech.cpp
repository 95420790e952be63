#include "services/frmSpeech.h"

#include "core/ErrorLog.h"
#include "core/WindowEffects.h"
#include "platform/Speech.h"
#include "services/LabelButtons.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <exception>

namespace {

QPointer<frmSpeech> g_window;

// How long the window stays hidden before the desktop under it is copied.
constexpr int kSettleMs = 60;

// Runs a handler whose errors only go to the log.
template <typename Work>
void logged(const char* tag, Work work)
{
    try {
        work();
    } catch (const std::exception& e) {
        LogFailure(&e, QString::fromLatin1(tag));
    } catch (...) {
        LogFailure(nullptr, QString::fromLatin1(tag));
    }
}

} // namespace

frmSpeech* frmSpeech::Load(QWidget* owner)
{
    // A window on its way out (closed, waiting for its deletion) is not reused.
    if (!instance())
        g_window = new frmSpeech(owner);
    Speech::engine().setFailureListener(&frmSpeech::engineFailed);
    return g_window;
}

void frmSpeech::engineFailed(int code)
{
    QPointer<frmSpeech> window(instance());
    SpeechSession::EngineFailed(code, window != nullptr);
    // The box waited for the user: the window may have gone meanwhile.
    if (window && !window->m_closing)
        window->unload();
}

frmSpeech* frmSpeech::instance()
{
    return g_window && !g_window->m_closing ? g_window.data() : nullptr;
}

frmSpeech::frmSpeech(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSpeech"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Speech"));
    setMouseTracking(true);
    setFixedSize(470, 74);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(4);

    lblWait = new QLabel(SpeechSession::WaitCaption(), this);
    lblWait->setObjectName(QStringLiteral("lblWait"));
    lblWait->setAlignment(Qt::AlignCenter);
    // The background is whatever desktop lies behind the window: the label brings
    // its own so it reads on a dark desktop as on a light one.
    lblWait->setStyleSheet(QStringLiteral("QLabel { color: #002060; font-weight: bold; background: #fff8c0;"
                                          " border: 1px solid #002060; padding: 1px 8px; }"));
    lblWait->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    lblWait->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblWait->hide();
    outer->addWidget(lblWait, 0, Qt::AlignHCenter);
    outer->addStretch(1);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(32);
    auto* row = new QHBoxLayout(Picture1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* buttons = new LabelButtons(Picture1, 2, this);
    Shape1 = buttons->shape();
    for (int i = 0; i < SpeechSession::ButtonCount; ++i) {
        QLabel* label = buttons->add(SpeechSession::Captions()[std::size_t(i)], QStringLiteral("lblNav(%1)").arg(i),
                                     QSize(58, 26));
        lblNav[std::size_t(i)] = label;
        row->addWidget(label);
    }
    connect(buttons, &LabelButtons::clicked, this, &frmSpeech::lblNav_Click);
    outer->addWidget(Picture1);

    m_repaint = new QTimer(this);
    m_repaint->setSingleShot(true);
    m_repaint->setInterval(250);
    connect(m_repaint, &QTimer::timeout, this, [this] { Form_Paint(); });
    showState();
}

frmSpeech::~frmSpeech() = default;

void frmSpeech::BeginSpeak()
{
    m_session.BeginSpeak();
    showState();
}

void frmSpeech::Speak(const QString& text)
{
    QPointer<frmSpeech> self(this);
    m_session.Speak(text);
    if (!self)
        return;
    QApplication::processEvents();
    if (self)
        showState();
}

void frmSpeech::showState()
{
    for (int i = 0; i < SpeechSession::ButtonCount; ++i)
        lblNav[std::size_t(i)]->setEnabled(m_session.lblNavEnabled[std::size_t(i)]);
    lblWait->setVisible(m_session.lblWaitVisible);
}

void frmSpeech::lblNav_Click(int Index)
{
    if (m_closing)
        return;
    switch (m_session.lblNav_Click(Index)) {
    case SpeechSession::After::Stay:
        showState();
        break;
    case SpeechSession::After::HideWindow:
        showState();
        hide();
        break;
    case SpeechSession::After::CloseWindow: {
        m_closing = true;
        QPointer<frmSpeech> self(this);
        QApplication::processEvents();
        if (self)
            RollWindow(this, 25);
        QApplication::processEvents();
        if (self)
            unload();
        break;
    }
    case SpeechSession::After::UnloadWindow:
        unload();
        break;
    }
}

void frmSpeech::unload()
{
    m_closing = true;
    hide();
    deleteLater();
}

void frmSpeech::mousePressEvent(QMouseEvent* event)
{
    logged("frmSpeech_Form_MouseDown", [&] {
        if (event->button() != Qt::LeftButton)
            return;
        // The window has no caption: its background is where it is dragged. The
        // window system moves it where it can; elsewhere the window follows the pointer.
        QWindow* handle = windowHandle();
        m_dragging = !(handle && handle->startSystemMove());
        m_dragFrom = event->globalPosition().toPoint() - frameGeometry().topLeft();
        QApplication::processEvents();
    });
}

void frmSpeech::mouseMoveEvent(QMouseEvent* event)
{
    Shape1->hide();
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragFrom);
    QWidget::mouseMoveEvent(event);
}

void frmSpeech::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void frmSpeech::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Only a real move: the window system may report the old place again after the
    // hide and show of the tinting itself.
    if (isVisible() && !m_tinting && pos() != m_tintedAt)
        m_repaint->start();
}

void frmSpeech::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_tinting)
        m_repaint->start();
}

void frmSpeech::Form_Paint()
{
    // The copy of the desktop hides and shows the window; the show it causes must not
    // start another copy. The window is hidden a moment first so that the window
    // system has redrawn what lies under it before it is copied (else the copy may
    // hold the window's own old picture).
    if (m_tinting || m_closing || !isVisible())
        return;
    m_tinting = true;
    QPointer<frmSpeech> self(this);
    hide();
    QEventLoop settle;
    QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
    settle.exec();
    if (!self)
        return;
    if (!m_closing)
        logged("frmSpeech_Form_Paint", [&] { SeeThrough(this, Tint); });
    m_tintedAt = pos();
    m_tinting = false;
    m_repaint->stop();
}
