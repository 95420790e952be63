#pragma once

#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>

// Keeps a window's controls in proportion to its client area. The layout is
// recorded once, as the window was built (the first ScaleControls), and every later call
// places each control from that baseline: a control's "Tag" property chooses which
// of its top (T), height (H), left (L) and width (W) follow the window. A tag
// that does not start with "@" (or no tag) scales all four; "@" alone none.
// Fonts are never scaled.
//
// What a window does: own one instance, set SourceForm in its constructor, call
// ScaleControls first thing in its resizeEvent.
//
// Controls are the child widgets of the client area (a main window's central
// widget), walked into frames and picture boxes. A control's kind is its
// "TypeName" property when set, else it follows from its class: QGroupBox
// "Frame", a plain QWidget or QFrame "PictureBox", a line-shaped QFrame "Line",
// QLabel "Label", line and text edits "TextBox", push and tool buttons
// "CommandButton", list views "ListBox", QComboBox "ComboBox", the grid
// "MSFlexGrid", tree views "TreeView", QCheckBox "CheckBox", QRadioButton
// "OptionButton", QSlider "Slider", QStatusBar "StatusBar", QMenuBar "Menu", QTimer
// is no widget at all. Only the nine kinds Frame, PictureBox, MSFlexGrid, TreeView,
// Label, TextBox, CommandButton, ListBox, ComboBox and lines move; the others are
// recorded and keep their places. A combo box keeps its height (the platform
// sizes it).
class clsFormResize
{
public:
    struct ControlGeometry
    {
        QPointer<QWidget> Ctl;
        QString kind;
        // Twips. A line stores X1, Y1, X2, Y2 here.
        std::int32_t Left = 0;
        std::int32_t Top = 0;
        std::int32_t Width = 0;
        std::int32_t Height = 0;
    };

    QWidget* SourceForm() const { return m_Form; }
    void setSourceForm(QWidget* form) { m_Form = form; }

    void ScaleControls();
    // percent of the screen's size, position kept.
    void SizeFormToScreen(std::int16_t percent);
    // Takes the current layout as the new baseline.
    void ReInitialize();

    // For tests and tools.
    bool firstTime() const { return m_FirstTime; }
    QSize recordedSize() const { return {int(m_OrigScaleWidth), int(m_OrigScaleHeight)}; }
    const QList<ControlGeometry>& controls() const { return m_Controls; }

    // The pure rules.
    // The letters a Tag asks for, as "T", "H", "L", "W" flags.
    struct TagFlags
    {
        bool T = true, H = true, L = true, W = true;
    };
    static TagFlags ParseTag(const QString& tag);
    // The control kind of a widget (see above).
    static QString ControlTypeName(const QWidget* w);
    // Outer size in twips for percent of a screen (twips), whole twips rounded down.
    static QSize SizeForScreen(int percent, const QSize& screenTwips);

private:
    void RecordGeometry();
    void RecordFormSize();
    void RecordControls();
    QWidget* clientArea() const;
    QSize clientTwips() const;

    QPointer<QWidget> m_Form;
    std::int32_t m_OrigScaleWidth = 0;
    std::int32_t m_OrigScaleHeight = 0;
    QList<ControlGeometry> m_Controls;
    bool m_FirstTime = true;
};
