#include "shell/GaugeSkins.h"

#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "core/mdlRegistry.h"
#include "shell/StockStrip.h"

#include <QColor>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <vector>

SkinState& skinState()
{
    static SkinState state;
    return state;
}

namespace Skins {

namespace {

enum class Style { Neon, Metal, Glass, Plastic };

struct Look
{
    Style style;
    QColor colour;
};

constexpr std::array<SkinRow, 11> kTable{{
    {0, "NeonBlue", "NeonBlueB", {300, 16}, {8, 10}},
    {1, "NeonGreen", "NeonGreenB", {300, 16}, {7, 10}},
    {2, "NeonRed", "NeonRedB", {300, 16}, {9, 10}},
    {3, "GoldMetal", "GoldMetalB", {300, 18}, {8, 11}},
    {4, "GreenMetal", "GreenMetalB", {300, 18}, {10, 11}},
    {5, "GlassBlue", "GlassBlueB", {300, 16}, {9, 10}},
    {6, "GlassGreen", "GlassGreenB", {300, 16}, {9, 10}},
    {7, "GlassRed", "GlassRedB", {300, 16}, {9, 10}},
    {8, "PlasticBlue", "PlasticBlueB", {300, 16}, {7, 8}},
    {9, "PlasticGreen", "PlasticGreenB", {300, 16}, {7, 8}},
    {10, "PlasticViolet", "PlasticVioletB", {300, 16}, {7, 8}},
}};

Look lookOf(const QString& skin)
{
    const QString s = skin.toUpper();
    auto colour = [&]() -> QColor {
        if (s.contains(QLatin1String("BLUE")))
            return QColor(40, 120, 255);
        if (s.contains(QLatin1String("GREEN")))
            return QColor(30, 200, 90);
        if (s.contains(QLatin1String("RED")))
            return QColor(235, 50, 50);
        if (s.contains(QLatin1String("VIOLET")))
            return QColor(150, 70, 210);
        if (s.contains(QLatin1String("GOLD")))
            return QColor(212, 170, 60);
        return QColor(128, 128, 128);
    }();
    if (s.startsWith(QLatin1String("NEON")))
        return {Style::Neon, colour};
    if (s.contains(QLatin1String("METAL")))
        return {Style::Metal, s.startsWith(QLatin1String("GREEN")) ? QColor(110, 160, 110) : colour};
    if (s.startsWith(QLatin1String("GLASS")))
        return {Style::Glass, colour};
    return {Style::Plastic, colour};
}

const QColor kFace = QColor::fromRgb(kButtonFace);
const QColor kStrip = QColor::fromRgb(kStripBack);

// Centres of the marker at the five rating positions on a gauge of the strip's
// width, so the bar's ticks sit under the marker (r = 5 .. 1, left to right).
std::vector<double> tickCentres(int barWidth)
{
    const double w = barWidth + 5;  // the gauge boxes are five pixels wider than the bar
    std::vector<double> xs;
    for (int r = 5; r >= 1; --r)
        xs.push_back(((5 - r) * (w - w * 6.5 / 100) + r * (w * 2.5 / 100)) / 4 + kMarkerCopyWidth / 2.0);
    return xs;
}

QImage blank(QSize size, const QColor& fill)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage drawBar(const SkinRow& row)
{
    const Look look = lookOf(QString::fromLatin1(row.name));
    const QSize size = row.gauge;
    const int w = size.width();
    const int h = size.height();
    const QColor c = look.colour;
    const auto ticks = tickCentres(w);

    switch (look.style) {
    case Style::Neon: {
        QImage image = blank(size, QColor(14, 18, 26));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const double cy = h / 2.0;
        // The glow: wide faint strokes under a narrow bright core.
        for (int i = 5; i >= 1; --i) {
            QColor glow = c;
            glow.setAlpha(30 + 18 * (5 - i));
            p.setPen(QPen(glow, 2.0 * i, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(6, cy), QPointF(w - 6, cy));
        }
        p.setPen(QPen(c.lighter(170), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, cy), QPointF(w - 6, cy));
        QColor tick = c.lighter(150);
        tick.setAlpha(200);
        p.setPen(QPen(tick, 1.0));
        for (double x : ticks) {
            p.drawLine(QPointF(x, 1.5), QPointF(x, 4));
            p.drawLine(QPointF(x, h - 4), QPointF(x, h - 1.5));
        }
        return image;
    }
    case Style::Metal: {
        QImage image = blank(size, kStrip);
        QPainter p(&image);
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0.0, c.lighter(165));
        g.setColorAt(0.45, c.lighter(110));
        g.setColorAt(0.55, c.darker(125));
        g.setColorAt(1.0, c.lighter(130));
        p.fillRect(QRect(0, 0, w, h), g);
        // Brushed lines, the same on every drawing.
        unsigned seed = 12345;
        for (int y = 1; y < h - 1; ++y) {
            for (int x = 0; x < w; x += 3) {
                seed = seed * 1103515245u + 12345u;
                const int len = 3 + int((seed >> 16) % 9);
                QColor line = ((seed >> 8) & 1) ? QColor(255, 255, 255, 34) : QColor(0, 0, 0, 26);
                p.setPen(line);
                p.drawLine(x, y, x + len, y);
            }
        }
        p.setPen(c.darker(190));
        p.drawRect(0, 0, w - 1, h - 1);
        p.setPen(QColor(255, 255, 255, 120));
        p.drawLine(1, 1, w - 2, 1);
        for (double x : ticks) {
            const int xi = int(std::lround(x));
            p.setPen(c.darker(200));
            p.drawLine(xi, h - 6, xi, h - 2);
            p.setPen(QColor(255, 255, 255, 140));
            p.drawLine(xi + 1, h - 6, xi + 1, h - 2);
        }
        return image;
    }
    case Style::Glass: {
        QImage image = blank(size, kStrip);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF body(0.5, 0.5, w - 1, h - 1);
        const double radius = (h - 1) / 2.0;
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0.0, c.lighter(175));
        g.setColorAt(0.5, c);
        g.setColorAt(1.0, c.darker(140));
        p.setPen(QPen(c.darker(170), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(body, radius, radius);
        QLinearGradient shine(0, 0, 0, h / 2.0);
        shine.setColorAt(0.0, QColor(255, 255, 255, 190));
        shine.setColorAt(1.0, QColor(255, 255, 255, 30));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawRoundedRect(QRectF(3, 1.5, w - 6, h / 2.0 - 1), radius / 2, radius / 2);
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
        for (double x : ticks)
            p.drawLine(QPointF(x, h - 5), QPointF(x, h - 2.5));
        return image;
    }
    case Style::Plastic: {
        QImage image = blank(size, kStrip);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0.0, c.lighter(125));
        g.setColorAt(1.0, c.darker(115));
        p.setPen(QPen(c.darker(150), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(0.5, 2.5, w - 1, h - 5), 3, 3);
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
        p.drawLine(QPointF(3, 3.5), QPointF(w - 3, 3.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        for (double x : ticks)
            p.drawEllipse(QPointF(x, h / 2.0 + 1), 1.3, 1.3);
        return image;
    }
    }
    return {};
}

// The marker: a small thumb drawn in the top-left 8 x 10 pixels that the gauges
// copy; a larger marker bitmap carries a shadow in its extra columns and rows.
QImage drawMarker(const SkinRow& row)
{
    const Look look = lookOf(QString::fromLatin1(row.name));
    const QSize size = row.marker;
    const QColor c = look.colour;
    const int tw = std::min(size.width(), kMarkerCopyWidth);
    const int th = std::min(size.height(), kMarkerCopyHeight);

    QImage image = blank(size, look.style == Style::Neon ? QColor(14, 18, 26) : c.darker(230));
    QPainter p(&image);
    const QRect thumb(0, 0, tw, th);

    switch (look.style) {
    case Style::Neon: {
        p.fillRect(thumb, QColor(250, 250, 255));
        p.setPen(c);
        p.drawRect(thumb.adjusted(0, 0, -1, -1));
        p.setPen(c.lighter(140));
        p.drawRect(thumb.adjusted(1, 1, -2, -2));
        p.setPen(QColor(20, 24, 32));
        p.drawLine(tw / 2, 2, tw / 2, th - 3);
        break;
    }
    case Style::Metal: {
        QLinearGradient g(0, 0, tw, 0);
        g.setColorAt(0.0, QColor(250, 250, 250));
        g.setColorAt(0.5, QColor(170, 170, 175));
        g.setColorAt(1.0, QColor(95, 95, 100));
        p.fillRect(thumb, g);
        p.setPen(QColor(60, 60, 60));
        p.drawRect(thumb.adjusted(0, 0, -1, -1));
        p.setPen(QColor(255, 255, 255));
        p.drawLine(1, 1, tw - 2, 1);
        p.drawLine(1, 1, 1, th - 2);
        p.setPen(c.darker(160));
        p.drawLine(tw / 2, 3, tw / 2, th - 4);
        break;
    }
    case Style::Glass: {
        QLinearGradient g(0, 0, 0, th);
        g.setColorAt(0.0, QColor(255, 255, 255));
        g.setColorAt(0.5, c.lighter(140));
        g.setColorAt(1.0, c.darker(150));
        p.fillRect(thumb, g);
        p.setPen(c.darker(220));
        p.drawRect(thumb.adjusted(0, 0, -1, -1));
        p.setPen(QColor(255, 255, 255));
        p.drawLine(2, 1, tw - 3, 1);
        break;
    }
    case Style::Plastic: {
        p.fillRect(thumb, QColor(250, 248, 240));
        p.setPen(c.darker(200));
        p.drawRect(thumb.adjusted(0, 0, -1, -1));
        p.setPen(c);
        p.drawLine(tw / 2, 2, tw / 2, th - 3);
        break;
    }
    }
    return image;
}

// An oval button face of 50 x 25 pixels.
QImage drawFace(const QColor& colour, bool pressed)
{
    QImage image = blank(QSize(50, 25), kFace);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF oval(1.5, 1.5, 46, 21);
    // A soft shadow under the oval.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, pressed ? 30 : 60));
    p.drawEllipse(oval.translated(1, 1.2));
    QRadialGradient body(oval.center() + QPointF(0, pressed ? -2 : 3), 30);
    body.setColorAt(0.0, colour.lighter(pressed ? 115 : 150));
    body.setColorAt(0.7, colour);
    body.setColorAt(1.0, colour.darker(170));
    p.setBrush(body);
    p.setPen(QPen(colour.darker(230), 1.0));
    p.drawEllipse(oval);
    // The glint on the upper half.
    QLinearGradient shine(0, 2, 0, 12);
    shine.setColorAt(0.0, QColor(255, 255, 255, pressed ? 110 : 200));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QRectF(8, 3, 34, 10));
    return image;
}

// A scroll arrow of 50 x 20 pixels: two chevrons pointing up or down.
QImage drawArrow(bool up)
{
    QImage image = blank(QSize(50, 20), kStrip);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    auto chevron = [&](double tipY, const QColor& colour, double dy) {
        const double dir = up ? 1.0 : -1.0;
        QPainterPath path;
        path.moveTo(25, tipY + dy);
        path.lineTo(25 + 9, tipY + dir * 6 + dy);
        path.lineTo(25 - 9, tipY + dir * 6 + dy);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(path);
    };
    if (up) {
        chevron(3, QColor(0, 0, 0, 120), 1);
        chevron(3, QColor(150, 165, 185), 0);
        chevron(10, QColor(0, 0, 0, 120), 1);
        chevron(10, QColor(95, 160, 255), 0);
    } else {
        chevron(17, QColor(0, 0, 0, 120), -1);
        chevron(17, QColor(150, 165, 185), 0);
        chevron(10, QColor(0, 0, 0, 120), -1);
        chevron(10, QColor(95, 160, 255), 0);
    }
    return image;
}

const SkinRow* rowByName(const QString& name, bool* isMarker)
{
    for (const SkinRow& row : kTable) {
        if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0) {
            *isMarker = false;
            return &row;
        }
        if (name.compare(QLatin1String(row.backName), Qt::CaseInsensitive) == 0) {
            *isMarker = true;
            return &row;
        }
    }
    return nullptr;
}

// The picture of a program bitmap, drawn; null for a name the program does not have.
QImage drawBitmap(const QString& name)
{
    bool isMarker = false;
    if (const SkinRow* row = rowByName(name, &isMarker))
        return isMarker ? drawMarker(*row) : drawBar(*row);
    const QString upper = name.toUpper();
    if (upper == QLatin1String("B1"))
        return drawFace(QColor(40, 90, 215), false);
    if (upper == QLatin1String("B2"))
        return drawFace(QColor(22, 50, 140), true);
    if (upper == QLatin1String("B3"))
        return drawFace(QColor(220, 40, 40), false);
    if (upper == QLatin1String("B4"))
        return drawFace(QColor(30, 170, 60), false);
    if (upper == QLatin1String("ARROWUP"))
        return drawArrow(true);
    if (upper == QLatin1String("ARROWDN"))
        return drawArrow(false);
    return {};
}

} // namespace

const std::array<SkinRow, 11>& Table()
{
    return kTable;
}

QStringList Names()
{
    QStringList names;
    for (const SkinRow& row : kTable)
        names << QString::fromLatin1(row.name) << QString::fromLatin1(row.backName);
    names << QStringLiteral("B1") << QStringLiteral("B2") << QStringLiteral("B3") << QStringLiteral("B4")
          << QStringLiteral("ArrowUp") << QStringLiteral("ArrowDn");
    return names;
}

QImage Bitmap(const QString& name)
{
    static QHash<QString, QImage> cache;
    const QString key = name.toUpper();
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const QImage image = drawBitmap(name);
    if (!image.isNull())
        cache.insert(key, image);
    return image;
}

} // namespace Skins

// ---- memory contexts -----------------------------------------------------------

namespace {

struct MemContext
{
    QImage blank;     // the bitmap the context was made with
    QImage selected;  // what is selected into it now (the blank or a loaded bitmap)
    bool live = true;
};

std::vector<MemContext>& contexts()
{
    static std::vector<MemContext> list;
    return list;
}

} // namespace

std::int32_t CreateMemHdc(std::int16_t width, std::int16_t height)
{
    auto& list = contexts();
    MemContext ctx;
    if (width > 0 && height > 0) {
        ctx.blank = QImage(width, height, QImage::Format_RGB32);
        ctx.blank.fill(Qt::black);
        ctx.selected = ctx.blank;
    }
    const bool made = !ctx.selected.isNull();
    list.push_back(ctx);
    return made ? std::int32_t(list.size()) : 0;
}

void LoadBmpToHdc(std::int32_t dc, const QString& name)
{
    auto& list = contexts();
    if (dc < 1 || dc > std::int32_t(list.size()) || !list[dc - 1].live) {
        LogError(QStringLiteral("Invalid device context"), 5, QStringLiteral("Tradewright"),
                 QStringLiteral("BitBlt_LoadBmpToHdc"), false);
        return;
    }
    const QImage bitmap = Skins::Bitmap(name);
    if (bitmap.isNull()) {
        LogError(QStringLiteral("Resource with identifier '%1' not found").arg(name), 326,
                 QStringLiteral("Tradewright"), QStringLiteral("BitBlt_LoadBmpToHdc"), false);
        return;
    }
    // The blank bitmap comes out and is let go; the loaded one stays in the context.
    list[dc - 1].blank = QImage();
    list[dc - 1].selected = bitmap;
}

void DestroyHdcs()
{
    for (MemContext& ctx : contexts()) {
        ctx.blank = QImage();
        ctx.selected = QImage();
        ctx.live = false;
    }
}

QImage HdcImage(std::int32_t dc)
{
    const auto& list = contexts();
    if (dc < 1 || dc > std::int32_t(list.size()) || !list[dc - 1].live)
        return {};
    return list[dc - 1].selected;
}

int HdcCount()
{
    return int(contexts().size());
}

int LiveHdcs()
{
    int n = 0;
    for (const MemContext& ctx : contexts())
        n += (ctx.live && !ctx.selected.isNull()) ? 1 : 0;
    return n;
}

void ResetSkinState()
{
    contexts().clear();
    SkinName().clear();
    SkinBackName().clear();
    SkinDC() = 0;
}

void LoadSkin(StockStrip& strip)
{
    // Each step that fails is passed over and the next one runs.
    const QVariant value = mdlRegistry::QueryValue(mdlRegistry::HKEY_CURRENT_USER,
                                                   QString::fromLatin1(Settings::ProductKey) + QLatin1Char('\\'),
                                                   QString::fromLatin1(Settings::PicBar));
    const QString text = value.isValid() ? value.toString().trimmed() : QString();
    bool isNumber = text.isEmpty();
    const double number = text.isEmpty() ? 0.0 : text.toDouble(&isNumber);
    if (isNumber) {
        for (const Skins::SkinRow& row : Skins::Table()) {
            if (number == row.picBar) {
                SkinName() = QString::fromLatin1(row.name);
                SkinBackName() = QString::fromLatin1(row.backName);
                break;
            }
        }
    }
    if (SkinName().isEmpty()) {
        SkinName() = QStringLiteral("GlassBlue");
        SkinBackName() = QStringLiteral("GlassBlueb");
    }

    if (!Skins::Bitmap(SkinName()).isNull()) {
        for (StripSlot& slot : strip.items)
            slot.picture = SkinName();
    }

    const auto w = std::int16_t(std::clamp(strip.gaugeScaleWidth, 0, 32767));
    const auto h = std::int16_t(std::clamp(strip.gaugeScaleHeight, 0, 32767));
    SkinDC() = CreateMemHdc(w, h);
    LoadBmpToHdc(SkinDC(), SkinBackName());
    strip.notify();
}
