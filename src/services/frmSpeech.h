#pragma once

#include "services/SpeechSession.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QFrame;
class QLabel;
class QTimer;

// The speech window: a small borderless strip that shows the desktop behind it
// tinted, with the buttons Resume, Pause, Stop, Rewind, Forward, Close and Hide
// (labels lblNav(0..6) on Picture1; Shape1 frames the one under the pointer) and
// "Please Wait.." while a text is handed to the voice. Dragging its background
// moves it. One window, made by the first Speak and kept until Close.
class frmSpeech : public QWidget
{
    Q_OBJECT
public:
    // The tint of the see-through background: RGB(129, 217, 239) as &HBBGGRR.
    static constexpr std::uint32_t Tint = 15718785;

    // The window, made (hidden, owned by owner) when there is none yet. It listens
    // for the voice's failures from then on.
    static frmSpeech* Load(QWidget* owner);
    // The window when one is loaded (and not closing), else nullptr.
    static frmSpeech* instance();

    ~frmSpeech() override;

    SpeechSession& engine() { return m_session; }

    // lblWait shows, then the text goes to the voice (the window is placed and shown
    // between the two by the caller).
    void BeginSpeak();
    void Speak(const QString& text);
    void lblNav_Click(int Index);
    // The session's button states and lblWait onto the labels.
    void showState();

    QWidget* Picture1 = nullptr;
    std::array<QLabel*, SpeechSession::ButtonCount> lblNav{};
    QFrame* Shape1 = nullptr;
    QLabel* lblWait = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    explicit frmSpeech(QWidget* owner);

    // The voice failed after a call returned: the loaded window shows the message and
    // unloads; without one the failure is only logged.
    static void engineFailed(int code);

    void Form_Paint();
    void unload();

    SpeechSession m_session;
    QTimer* m_repaint = nullptr;   // the tint follows the window once it stops moving
    QPoint m_dragFrom;             // where the drag grabbed the window, from its top left
    bool m_dragging = false;       // a drag that the window does itself
    QPoint m_tintedAt{-1, -1};     // where the window stood when its background was copied
    bool m_tinting = false;
    bool m_closing = false;
};
