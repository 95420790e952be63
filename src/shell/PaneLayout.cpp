#include "shell/PaneLayout.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::array<std::int32_t, kLegendLabels> kLegendLefts{3120, 3885, 5340, 6225, 6915};
constexpr std::array<std::int32_t, kLegendLabels> kLegendWidths{255, 1005, 375, 285, 780};

struct ButtonPlace
{
    std::int32_t left, top, width;
    std::int32_t captionLeft, captionTop, captionWidth;
};
constexpr std::array<ButtonPlace, kBarButtons> kButtons{{
    {0, 0, 750, 105, 360, 555},
    {240, 720, 750, 360, 1110, 570},
    {360, 1500, 750, 270, 1860, 960},
    {480, 2250, 750, 465, 2610, 795},
    {480, 3000, 750, 285, 3360, 1185},
    {360, 3720, 750, 480, 4110, 510},
    {120, 4500, 810, 75, 4875, 765},
}};
constexpr std::int32_t kButtonHeight = 375;
constexpr std::int32_t kCaptionHeight = 255;

constexpr std::array<TwipRect, kStatusPanels> kPanels{{
    {0, 35, 1095, 195},
    {1200, 35, 1000, 195},
    {2280, 35, 1000, 195},
    {3360, 35, 1000, 195},
    {4440, 35, 1005, 195},
    {5520, 35, 1005, 195},
    {6885, -15, 2100, 300},
    {8955, -15, 570, 375},
}};

std::int32_t clamp32(double value)
{
    if (!std::isfinite(value))
        return 0;
    if (value >= double(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= double(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t RoundHalfEven(double value)
{
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return clamp32(std::nearbyint(value));
}

PaneLayout PaneLayout::Design()
{
    PaneLayout g;
    g.ClientWidth = 9480;
    g.ClientHeight = 6375;
    g.NewsTicker1 = {0, 0, 9480, 390};
    g.PicCont = {120, 600, 7935, 5415};
    g.frmButtom = {8040, 600, 1335, 5415};
    g.StatusBar1 = {0, 6090, 9480, 285};

    g.TreeView1 = {0, 0, 2175, 2775};
    g.picSplit2 = {kTreePosDesign, 0, kBarThickness, 2895};
    g.ImgUp = {2400, 0, 750, 300};
    g.ImgDn = {2400, 2640, 750, 300};
    for (int i = 0; i < kStripSlots; ++i) {
        g.lblSbl[i] = {2520, 240 + 360 * i, 735, 255};
        g.img[i] = {3120, 240 + 360 * i, 4575, 315};
    }
    g.Shape1 = {2520, 840, 615, 255};
    for (int k = 0; k < kLegendLabels; ++k)
        g.lblDsc[k] = {kLegendLefts[k], 0, kLegendWidths[k], 210};
    g.Splitter = {0, 2880, 7695, kBarThickness};
    g.FG = {0, 3120, 7695, 2175};
    g.picSplit = {7560, 3120, kBarThickness, 2175};

    for (int i = 0; i < kBarButtons; ++i) {
        const ButtonPlace& b = kButtons[i];
        g.Picture1[i] = {b.left, b.top, b.width, kButtonHeight};
        g.lblDesc[i] = {b.captionLeft, b.captionTop, b.captionWidth, kCaptionHeight};
    }
    g.Panel1 = kPanels;
    g.Rect = {0, 15, 1095, 255};
    return g;
}

void LayoutLegend(PaneLayout& g, std::int32_t x0, std::int32_t w)
{
    const double left = x0;
    const double width = w;
    g.lblDsc[0].Left = x0;
    g.lblDsc[1].Left = RoundHalfEven(left + width / 5 - g.lblDsc[1].Width / 2.0);
    g.lblDsc[2].Left = RoundHalfEven(left + width / 2 - g.lblDsc[2].Width);
    g.lblDsc[3].Left = RoundHalfEven(left + width / 1.5 - g.lblDsc[3].Width / 2.0);
    g.lblDsc[4].Left = RoundHalfEven(left + width - g.lblDsc[4].Width);
}

std::int32_t ApplyVerticalLayout(PaneLayout& g)
{
    // V1: the lower bound first; the upper one only when the lower did not apply.
    if (g.picSplit2.Left < kTreePosMin)
        g.picSplit2.Left = kTreePosMin;
    else if (g.picSplit2.Left > g.picContScaleWidth() - kTreePosRightGap)
        g.picSplit2.Left = g.picContScaleWidth() - kTreePosRightGap;

    // V2 .. V6.
    const std::int32_t P = g.picSplit2.Left;
    g.ImgDn.Left = P + 50;
    g.ImgUp.Left = P + 50;
    g.TreeView1.Width = P - 100;
    for (int i = 0; i < kStripSlots; ++i) {
        g.lblSbl[i].Left = P + 250;
        g.img[i].Left = P + 850;
    }
    g.Shape1.Left = P + 250;

    // V7.
    LayoutLegend(g, g.img[0].Left, g.img[0].Width);
    g.lblDsc[0].Left = P + 850;
    return P;
}

std::int32_t ApplyHorizontalLayout(PaneLayout& g, std::int32_t splitterMaxTop)
{
    // H1.
    if (g.Splitter.Top < kSplitterMin)
        g.Splitter.Top = kSplitterMin;
    else if (g.Splitter.Top > splitterMaxTop)
        g.Splitter.Top = splitterMaxTop;
    const std::int32_t T = g.Splitter.Top;

    // H2 .. H6.
    g.FG.Top = T + 250;
    g.FG.Height = g.picContScaleHeight() - (T + 500);
    g.ImgDn.Top = T - 380;
    g.TreeView1.Height = T - 200;
    g.picSplit2.Height = T;

    // H9 (the strip passes H7 and H8 touch neither the grid nor the bar).
    g.picSplit.Top = g.FG.Top;
    g.picSplit.Height = g.FG.Height;
    return T;
}

bool SlotFits(const PaneLayout& g, int slot)
{
    if (slot < 0 || slot >= kStripSlots)
        return false;
    return g.lblSbl[slot].Top <= g.ImgDn.Top - kSlotFitGap;
}

bool BarDrag::MouseDown(int Button, double coordinate)
{
    if (Button == 1) {
        gripped = true;
        anchor = RoundHalfEven(coordinate);
        return false;
    }
    const bool wasDragging = dragging();
    anchor = Idle;
    return wasDragging;
}

std::optional<std::int32_t> BarDrag::MouseMove(double coordinate)
{
    if (!dragging())
        return std::nullopt;
    const std::int32_t c = RoundHalfEven(coordinate);
    if (c == anchor)
        return std::nullopt;
    anchor = c;
    return c;
}

void BarDrag::MouseUp()
{
    gripped = false;
    anchor = Idle;
}

QString FormScaler::TagOf(const QString& control)
{
    static const QHash<QString, QString> tags{
        {QStringLiteral("PicCont"), QStringLiteral("@W,H,T")},
        {QStringLiteral("frmButtom"), QStringLiteral("@L,T,W,H")},
        {QStringLiteral("StatusBar1"), QStringLiteral("@")},
        {QStringLiteral("TreeView1"), QStringLiteral("@W")},
        {QStringLiteral("picSplit2"), QStringLiteral("@L,T,H")},
        {QStringLiteral("ImgUp"), QStringLiteral("@L")},
        {QStringLiteral("ImgDn"), QStringLiteral("@L")},
        {QStringLiteral("lblSbl"), QStringLiteral("@L")},
        {QStringLiteral("Shape1"), QStringLiteral("@L")},
        {QStringLiteral("img"), QStringLiteral("@L")},
        {QStringLiteral("lblDsc"), QStringLiteral("@")},
        {QStringLiteral("Splitter"), QStringLiteral("@W,t")},
        {QStringLiteral("FG"), QStringLiteral("@W,H,T")},
        {QStringLiteral("picSplit"), QStringLiteral("@H")},
    };
    QString base = control;
    const int paren = base.indexOf(QLatin1Char('('));
    if (paren >= 0)
        base.truncate(paren);
    return tags.value(base);
}

FormScaler::Letters FormScaler::LettersOf(const QString& tag)
{
    Letters l;
    const QString t = tag.toUpper();
    if (!t.startsWith(QLatin1Char('@'))) {
        l.T = l.H = l.L = l.W = true;
        return l;
    }
    for (const QString& part : t.mid(1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (p == QLatin1String("T"))
            l.T = true;
        else if (p == QLatin1String("H"))
            l.H = true;
        else if (p == QLatin1String("L"))
            l.L = true;
        else if (p == QLatin1String("W"))
            l.W = true;
    }
    return l;
}

QVector<FormScaler::Entry> FormScaler::entries(PaneLayout& g) const
{
    // The rescaled kinds only: frames, picture boxes, grids, trees and labels. The
    // arrow images, the shapes (Shape1, Rect) and the ticker keep their geometry;
    // the status bar lies along the bottom edge and follows the window by itself.
    QVector<Entry> list;
    auto add = [&](const QString& name, TwipRect* (*rect)(PaneLayout&, int), int index) {
        list.push_back({name, rect, index, *rect(g, index), LettersOf(TagOf(name))});
    };
    add(QStringLiteral("PicCont"), [](PaneLayout& p, int) { return &p.PicCont; }, 0);
    add(QStringLiteral("frmButtom"), [](PaneLayout& p, int) { return &p.frmButtom; }, 0);
    add(QStringLiteral("TreeView1"), [](PaneLayout& p, int) { return &p.TreeView1; }, 0);
    add(QStringLiteral("picSplit2"), [](PaneLayout& p, int) { return &p.picSplit2; }, 0);
    for (int i = 0; i < kStripSlots; ++i) {
        add(QStringLiteral("lblSbl(%1)").arg(i), [](PaneLayout& p, int k) { return &p.lblSbl[k]; }, i);
        add(QStringLiteral("img(%1)").arg(i), [](PaneLayout& p, int k) { return &p.img[k]; }, i);
    }
    for (int k = 0; k < kLegendLabels; ++k)
        add(QStringLiteral("lblDsc(%1)").arg(k), [](PaneLayout& p, int j) { return &p.lblDsc[j]; }, k);
    add(QStringLiteral("Splitter"), [](PaneLayout& p, int) { return &p.Splitter; }, 0);
    add(QStringLiteral("FG"), [](PaneLayout& p, int) { return &p.FG; }, 0);
    add(QStringLiteral("picSplit"), [](PaneLayout& p, int) { return &p.picSplit; }, 0);
    for (int i = 0; i < kBarButtons; ++i) {
        add(QStringLiteral("Picture1(%1)").arg(i), [](PaneLayout& p, int k) { return &p.Picture1[k]; }, i);
        add(QStringLiteral("lblDesc(%1)").arg(i), [](PaneLayout& p, int k) { return &p.lblDesc[k]; }, i);
    }
    // The status bar keeps its height whatever the window's: its labels follow the
    // window's width only, or a taller window would push them out of the bar.
    for (int i = 0; i < kStatusPanels; ++i) {
        add(QStringLiteral("Panel1(%1)").arg(i), [](PaneLayout& p, int k) { return &p.Panel1[k]; }, i);
        list.back().letters.T = list.back().letters.H = false;
    }
    return list;
}

bool FormScaler::ScaleControls(PaneLayout& g, std::int32_t clientWidth, std::int32_t clientHeight)
{
    if (clientWidth <= 0 || clientHeight <= 0)
        return false;
    if (!m_recorded) {
        // The layout as it stands was made for its own client size; a window first
        // shown at another size is scaled to it at once.
        m_entries = entries(g);
        m_width = g.ClientWidth > 0 ? g.ClientWidth : clientWidth;
        m_height = g.ClientHeight > 0 ? g.ClientHeight : clientHeight;
        m_recorded = true;
    }
    const double rw = double(clientWidth) / m_width;
    const double rh = double(clientHeight) / m_height;
    for (const Entry& e : m_entries) {
        TwipRect* r = e.rect(g, e.index);
        if (e.letters.T)
            r->Top = RoundHalfEven(e.original.Top * rh);
        if (e.letters.H)
            r->Height = RoundHalfEven(e.original.Height * rh);
        if (e.letters.L)
            r->Left = RoundHalfEven(e.original.Left * rw);
        if (e.letters.W)
            r->Width = RoundHalfEven(e.original.Width * rw);
    }
    g.ClientWidth = clientWidth;
    g.ClientHeight = clientHeight;
    return true;
}

std::int32_t StatusTextWidth(const PaneLayout& g, std::int32_t textWidth, bool taskShown)
{
    const TwipRect& panel = g.Panel1[6];
    const std::int32_t end = taskShown ? g.Panel1[7].Left : g.StatusBar1.Width;
    const std::int32_t room = std::max<std::int32_t>(0, end - panel.Left);
    return std::max(panel.Width, std::min(textWidth, room));
}

void AfterResize(PaneLayout& g)
{
    LayoutLegend(g, g.img[0].Left, g.img[0].Width);
    g.Shape1.Left = g.picSplit2.Left + 250;
    // The strip's arrows follow the bar as the tree widens, as when it is released.
    g.ImgUp.Left = g.picSplit2.Left + 50;
    g.ImgDn.Left = g.picSplit2.Left + 50;
}
