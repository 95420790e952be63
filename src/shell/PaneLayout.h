#pragma once

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>
#include <optional>

// The main window's geometry in twips and the rules that move its panes: the
// vertical bar picSplit2 between the tree and the stock strip, the horizontal bar
// Splitter between the upper panes and the grid, the gauge legend, and the
// rescaling of every control when the window is resized. Plain arithmetic on
// rectangles (32-bit, with doubles where fractions appear), so a wide screen never
// overflows; the window copies the result onto its widgets (15 twips to the pixel).

struct TwipRect
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    std::int32_t Right() const { return Left + Width; }
    std::int32_t Bottom() const { return Top + Height; }
    bool operator==(const TwipRect&) const = default;
};

inline constexpr int kStripSlots = 7;
inline constexpr int kLegendLabels = 5;
inline constexpr int kBarButtons = 7;
inline constexpr int kStatusPanels = 8;

// Where the window's controls stand. The four containers are in the window's
// client coordinates; every other control in its container's.
struct PaneLayout
{
    // Client area of the window.
    std::int32_t ClientWidth = 0;
    std::int32_t ClientHeight = 0;

    TwipRect NewsTicker1;
    TwipRect PicCont;     // pane container
    TwipRect frmButtom;   // button bar frame
    TwipRect StatusBar1;  // lies along the bottom edge, the whole width

    // Inside PicCont.
    TwipRect TreeView1;
    TwipRect picSplit2;
    TwipRect ImgUp;
    TwipRect ImgDn;
    std::array<TwipRect, kStripSlots> lblSbl;
    TwipRect Shape1;
    std::array<TwipRect, kStripSlots> img;
    std::array<TwipRect, kLegendLabels> lblDsc;
    TwipRect Splitter;
    TwipRect FG;
    TwipRect picSplit;

    // Inside frmButtom.
    std::array<TwipRect, kBarButtons> Picture1;
    std::array<TwipRect, kBarButtons> lblDesc;

    // Inside StatusBar1.
    std::array<TwipRect, kStatusPanels> Panel1;
    TwipRect Rect;

    // The pane container has no border: its inner size is its size.
    std::int32_t picContScaleWidth() const { return PicCont.Width; }
    std::int32_t picContScaleHeight() const { return PicCont.Height; }

    // The window as it is built: client area 9480 x 6375.
    static PaneLayout Design();

    bool operator==(const PaneLayout&) const = default;
};

// Fixed positions of the design the bars return to.
inline constexpr std::int32_t kTreePosDesign = 2280;      // picSplit2's left edge
inline constexpr std::int32_t kTreePosMin = 400;
inline constexpr std::int32_t kTreePosRightGap = 500;     // kept right of the bar
inline constexpr std::int32_t kSplitterMin = 400;
inline constexpr std::int32_t kSplitterOpen = 3120;       // where a double-click reopens the panes
inline constexpr std::int32_t kSplitterCollapse = 10;     // raised to kSplitterMin by the layout
inline constexpr std::int32_t kBarThickness = 30;
inline constexpr std::int32_t kSlotFitGap = 60;           // a slot fits when its top <= ImgDn.Top - 60

// Rounds half to even, the way the number conversions of the views do.
std::int32_t RoundHalfEven(double value);

// Lays out the gauge legend lblDsc(0..4) over a gauge that starts at x0 and is w wide:
// "Sell" at its left end, "Underperform" centred at a fifth, "Hold" ending at the
// middle, "Buy" centred at two thirds, "Strong Buy" ending at its right end.
void LayoutLegend(PaneLayout& g, std::int32_t x0, std::int32_t w);

// The vertical bar's layout (applied when picSplit2 is released or double-clicked
// and at load): clamps the bar's left edge to [400, inner width - 500] (the upper
// bound only when the lower did not apply), moves the arrows, the tree's width, the
// strip's labels, gauges, press marker and legend after it. Returns the bar's left
// edge, the value stored as LastTreePos.
std::int32_t ApplyVerticalLayout(PaneLayout& g);

// The geometric part of the horizontal bar's layout: clamps Splitter's top to
// [400, splitterMaxTop], puts the grid 250 below it down to 250 above the inner
// bottom, ImgDn 380 above it, the tree 200 above it, picSplit2 down to it, and the
// column-drag bar over the grid. Returns the bar's top. The strip passes (which
// slots fit, which gauges are drawn) follow with SlotFits.
std::int32_t ApplyHorizontalLayout(PaneLayout& g, std::int32_t splitterMaxTop);

// A strip slot is shown only when its label's top is at most ImgDn's top - 60.
bool SlotFits(const PaneLayout& g, int slot);

// The width of the status text label Panel1(6) for a text textWidth twips wide: it
// grows to the right as far as the text needs, up to the task label Panel1(7) while
// that shows a count, else to the status bar's right end; never narrower than its
// own (scaled) width. The other labels keep their places.
std::int32_t StatusTextWidth(const PaneLayout& g, std::int32_t textWidth, bool taskShown);

// Dragging a splitter bar. The anchor is the pointer's coordinate within the bar at
// the last drag step, in whole twips; Idle while no drag is under way.
struct BarDrag
{
    static constexpr std::int32_t Idle = 2147483647;
    std::int32_t anchor = Idle;
    bool gripped = false;   // closed-hand cursor and the drag colour

    bool dragging() const { return anchor != Idle; }

    // Left press: starts a drag. Any other press: returns true when a drag was
    // under way and has to be ended by the bar's release (which applies the
    // layout); the anchor is idle afterwards either way.
    bool MouseDown(int Button, double coordinate);
    // The distance the bar moves, or nothing while idle or when the rounded
    // coordinate did not change. The anchor follows the pointer.
    std::optional<std::int32_t> MouseMove(double coordinate);
    // Release (any button), and every application of the bar's layout.
    void MouseUp();
};

// The rescaling of the window's controls when it is resized: the first call
// records every control's rectangle as the layout stands, made for its client size
// (ClientWidth x ClientHeight); each call then sets the dimensions that a
// control's Tag names (T, H by the height ratio; L, W by the width ratio) to the
// recorded value times the ratio of the given client size to the recorded one. Images, shapes and the
// ticker are never rescaled; an empty Tag, or one not starting with "@", counts as
// "@T,H,L,W", except that the status bar's labels Panel1 scale only their left and
// width (the bar does not grow). A zero client size (a minimised window) changes
// nothing and records nothing.
class FormScaler
{
public:
    bool recorded() const { return m_recorded; }
    // Records on the first call, then rescales. False when nothing was done.
    bool ScaleControls(PaneLayout& g, std::int32_t clientWidth, std::int32_t clientHeight);

    // The Tag letters each control carries, by control name ("TreeView1", "img(3)").
    static QString TagOf(const QString& control);
    // The dimensions a Tag scales: T, H, L, W.
    struct Letters { bool T = false, H = false, L = false, W = false; };
    static Letters LettersOf(const QString& tag);

private:
    struct Entry
    {
        QString name;
        TwipRect* (*rect)(PaneLayout&, int);
        int index;
        TwipRect original;
        Letters letters;
    };
    QVector<Entry> entries(PaneLayout& g) const;

    bool m_recorded = false;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    QVector<Entry> m_entries;
};

// After a resize: the legend is laid out over img(0) again, the press marker put 250
// right of picSplit2 and the strip's arrows 50 right of it.
void AfterResize(PaneLayout& g);
