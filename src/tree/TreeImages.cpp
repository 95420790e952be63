#include "tree/TreeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

// The pictures share one palette and one hand: a dark navy outline, white paper,
// flat fills and a single highlight, drawn on the 16 x 16 pixel grid so they stay
// sharp at their natural size. Round shapes (globes, lenses, reels) are drawn
// smooth, everything else pixel for pixel.

namespace {

const QColor Outline(0x2b, 0x3a, 0x55);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperShade(0xd9, 0xe1, 0xee);
const QColor TextLine(0x8a, 0x9b, 0xb8);
const QColor Blue(0x3d, 0x7b, 0xd9);
const QColor DarkBlue(0x24, 0x56, 0xa6);
const QColor LightBlue(0xa9, 0xcd, 0xf5);
const QColor Red(0xd8, 0x40, 0x3a);
const QColor DarkRed(0x9e, 0x2a, 0x25);
const QColor Green(0x3f, 0xa3, 0x4d);
const QColor DarkGreen(0x2a, 0x74, 0x35);
const QColor Gold(0xf2, 0xb6, 0x32);
const QColor DarkGold(0xb8, 0x82, 0x17);
const QColor Brown(0x8a, 0x5a, 0x2b);
const QColor Sea(0x4a, 0x90, 0xd9);
const QColor Land(0x5c, 0xb8, 0x5c);
const QColor Metal(0x9a, 0xa5, 0xb1);
const QColor DarkMetal(0x5b, 0x66, 0x73);
const QColor Screen(0x12, 0x2a, 0x22);
const QColor Trace(0x5d, 0xf0, 0x7a);

// ---- pixel primitives ----------------------------------------------------------

void px(QPainter& p, int x, int y, const QColor& c) { p.fillRect(x, y, 1, 1, c); }
void hline(QPainter& p, int x1, int x2, int y, const QColor& c) { p.fillRect(x1, y, x2 - x1 + 1, 1, c); }
void vline(QPainter& p, int x, int y1, int y2, const QColor& c) { p.fillRect(x, y1, 1, y2 - y1 + 1, c); }

// A filled box with a one-pixel edge, w x h pixels from (x, y).
void box(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& edge = Outline)
{
    p.fillRect(x, y, w, h, edge);
    if (w > 2 && h > 2)
        p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void clearPixel(QPainter& p, int x, int y)
{
    const auto mode = p.compositionMode();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(x, y, 1, 1, Qt::transparent);
    p.setCompositionMode(mode);
}

// A sheet of paper with its top right corner folded; lines of text when asked.
void page(QPainter& p, int x, int y, int w, int h, bool lines, int fold = 4)
{
    box(p, x, y, w, h, Paper);
    const int fx = x + w - fold;
    for (int a = 0; a < fold; ++a)
        for (int b = 0; b < fold; ++b) {
            if (a > b)
                clearPixel(p, fx + a, y + b);
            else if (a == b || a == 0 || b == fold - 1)
                px(p, fx + a, y + b, Outline);
            else
                px(p, fx + a, y + b, PaperShade);
        }
    if (!lines)
        return;
    for (int yy = y + 3, n = 0; yy <= y + h - 3; yy += 2, ++n) {
        const int right = (yy < y + fold) ? fx - 2 : x + w - 3 - (n % 3 == 2 ? 2 : 0);
        hline(p, x + 2, right, yy, TextLine);
    }
}

void smooth(QPainter& p, bool on) { p.setRenderHint(QPainter::Antialiasing, on); }

// A globe: sea, two patches of land, a rim.
void globe(QPainter& p, QPointF c, double r, const QColor& sea = Sea, const QColor& land = Land)
{
    smooth(p, true);
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawEllipse(c, r, r);
    p.save();
    QPainterPath clip;
    clip.addEllipse(c, r, r);
    p.setClipPath(clip);
    p.setBrush(land);
    p.drawEllipse(QPointF(c.x() - r * 0.45, c.y() - r * 0.35), r * 0.45, r * 0.38);
    p.drawEllipse(QPointF(c.x() + r * 0.35, c.y() + r * 0.4), r * 0.5, r * 0.35);
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.restore();
    p.setPen(QPen(Outline, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    smooth(p, false);
}

// A magnifying glass: lens centred at c, handle towards the bottom right.
void lens(QPainter& p, QPointF c, double r, double handle)
{
    smooth(p, true);
    const double d = r / std::sqrt(2.0);
    p.setPen(QPen(Brown, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() + d + 0.5, c.y() + d + 0.5), QPointF(c.x() + d + handle, c.y() + d + handle));
    p.setPen(QPen(Outline, 1.3));
    p.setBrush(QColor(LightBlue.red(), LightBlue.green(), LightBlue.blue(), 170));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r + 1.2, c.y() - r + 1.2, 2 * r - 2.4, 2 * r - 2.4), 100 * 16, 60 * 16);
    smooth(p, false);
}

// A closed book standing face on: pages showing on the right and bottom.
void closedBook(QPainter& p, int x, int y, const QColor& cover, const QColor& dark)
{
    box(p, x + 2, y + 2, 10, 13, Paper);
    hline(p, x + 4, x + 10, y + 13, PaperShade);
    box(p, x, y, 11, 13, cover, dark);
    vline(p, x + 2, y + 1, y + 11, dark);
    box(p, x + 4, y + 3, 6, 3, Gold, dark);
}

void upright(QPainter& p, int x, int w, int top, const QColor& c, const QColor& dark)
{
    box(p, x, top, w, 14 - top, c, Outline);
    hline(p, x + 1, x + w - 2, top + 2, dark);
    hline(p, x + 1, x + w - 2, 11, dark);
}

void star(QPainter& p, QPointF c, double r, const QColor& fill)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double rr = (i % 2) ? r * 0.45 : r;
        poly << QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    }
    smooth(p, true);
    p.setPen(QPen(DarkRed, 0.8));
    p.setBrush(fill);
    p.drawPolygon(poly);
    smooth(p, false);
}

void arrowLine(QPainter& p, QPointF a, QPointF b, const QColor& c)
{
    smooth(p, true);
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    const double ang = std::atan2(b.y() - a.y(), b.x() - a.x());
    QPolygonF head;
    head << b + QPointF(std::cos(ang) * 1.5, std::sin(ang) * 1.5)
         << b + QPointF(std::cos(ang + 2.4) * 3.2, std::sin(ang + 2.4) * 3.2)
         << b + QPointF(std::cos(ang - 2.4) * 3.2, std::sin(ang - 2.4) * 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
    smooth(p, false);
}

void axes(QPainter& p)
{
    vline(p, 1, 1, 14, Outline);
    hline(p, 1, 14, 14, Outline);
}

void folder(QPainter& p, int x, int y, int w, int h)
{
    box(p, x, y, w / 2, 3, Gold, DarkGold);
    box(p, x, y + 2, w, h - 2, Gold, DarkGold);
    // the open flap, tilted forward
    QPolygon flap;
    flap << QPoint(x + 2, y + 5) << QPoint(x + w, y + 5) << QPoint(x + w - 2, y + h - 1) << QPoint(x, y + h - 1);
    p.setPen(DarkGold);
    p.setBrush(QColor(0xf9, 0xd5, 0x74));
    p.drawPolygon(flap);
}

void stand(QPainter& p, const QColor& c, const QColor& dark, int cx, int top, int baseW)
{
    vline(p, cx, top, 13, dark);
    box(p, cx - baseW / 2, 13, baseW, 3, c, dark);
}

void chainLink(QPainter& p, QRectF r)
{
    smooth(p, true);
    p.setPen(QPen(DarkMetal, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 1.8, 1.8);
    smooth(p, false);
}

// ---- the pictures ---------------------------------------------------------------

void paint(QPainter& p, int n)
{
    switch (n) {
    case 1:  // book
        closedBook(p, 2, 0, Blue, DarkBlue);
        break;
    case 2:  // openbook
        box(p, 0, 4, 16, 11, Blue, DarkBlue);
        box(p, 1, 2, 7, 11, Paper);
        box(p, 8, 2, 7, 11, Paper);
        for (int y = 4; y <= 10; y += 2) {
            hline(p, 2, 6, y, TextLine);
            hline(p, 9, 13, y, TextLine);
        }
        vline(p, 7, 2, 13, Outline);
        vline(p, 8, 2, 13, Outline);
        break;
    case 3:  // page
        page(p, 2, 0, 12, 16, true);
        break;
    case 4:  // news
        box(p, 0, 1, 16, 14, Paper);
        box(p, 2, 3, 12, 3, Outline, Outline);
        box(p, 2, 7, 5, 4, LightBlue, Blue);
        for (int y = 7; y <= 12; y += 2)
            hline(p, 8, 13, y, TextLine);
        hline(p, 2, 6, 12, TextLine);
        vline(p, 14, 2, 14, PaperShade);
        break;
    case 5:  // graph1
        axes(p);
        box(p, 3, 9, 3, 5, Blue, DarkBlue);
        box(p, 6, 6, 3, 8, Blue, DarkBlue);
        box(p, 9, 8, 3, 6, Blue, DarkBlue);
        box(p, 12, 4, 3, 10, Blue, DarkBlue);
        smooth(p, true);
        p.setPen(QPen(Red, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3.5, 7), QPointF(7, 3.5), QPointF(10.5, 5.5), QPointF(14.5, 1.5)}));
        smooth(p, false);
        break;
    case 6:  // graph2
        axes(p);
        box(p, 3, 8, 3, 6, Red, DarkRed);
        box(p, 6, 4, 3, 10, Gold, DarkGold);
        box(p, 9, 6, 3, 8, Green, DarkGreen);
        box(p, 12, 2, 3, 12, Blue, DarkBlue);
        break;
    case 7:  // globe1: a globe on a wooden stand
        smooth(p, true);
        p.setPen(QPen(Brown, 1.4));
        p.drawArc(QRectF(1.5, 0.5, 13, 13), 200 * 16, 140 * 16);
        smooth(p, false);
        globe(p, QPointF(8, 6.5), 5.2);
        stand(p, Brown, Brown.darker(140), 8, 12, 8);
        break;
    case 8:  // globe2: a second globe, on a metal stand with a meridian ring
        globe(p, QPointF(8, 6.5), 5.2, QColor(0x2f, 0xa8, 0xb5), QColor(0xe0, 0xc0, 0x6a));
        smooth(p, true);
        p.setPen(QPen(DarkMetal, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(1.3, -0.2, 13.4, 13.4), 30 * 16, 300 * 16);
        smooth(p, false);
        stand(p, Metal, DarkMetal, 8, 13, 10);
        break;
    case 9:  // search1
        lens(p, QPointF(6.5, 6.5), 4.8, 6.5);
        break;
    case 10:  // search2: a page with a magnifying glass
        page(p, 1, 0, 11, 15, true);
        lens(p, QPointF(10, 10), 3.4, 4.5);
        break;
    case 11:  // doc
        page(p, 2, 0, 12, 16, false);
        break;
    case 12:  // a pile of books lying flat
        box(p, 0, 11, 16, 4, Red, DarkRed);
        hline(p, 12, 14, 12, Paper);
        hline(p, 12, 14, 13, Paper);
        box(p, 1, 7, 13, 4, Blue, DarkBlue);
        hline(p, 10, 12, 8, Paper);
        hline(p, 10, 12, 9, Paper);
        box(p, 2, 3, 12, 4, Green, DarkGreen);
        hline(p, 10, 12, 4, Paper);
        hline(p, 10, 12, 5, Paper);
        break;
    case 13:  // a row of upright books
        upright(p, 1, 4, 2, Red, DarkRed);
        upright(p, 4, 4, 2, Blue, DarkBlue);
        upright(p, 7, 4, 2, Green, DarkGreen);
        upright(p, 10, 5, 2, Gold, DarkGold);
        hline(p, 0, 15, 14, Brown);
        hline(p, 0, 15, 15, Brown.darker(140));
        break;
    case 14:  // upright books of different heights
        upright(p, 1, 4, 2, Red, DarkRed);
        upright(p, 4, 4, 5, Blue, DarkBlue);
        upright(p, 7, 4, 3, Green, DarkGreen);
        upright(p, 10, 5, 7, Gold, DarkGold);
        hline(p, 0, 15, 14, Brown);
        hline(p, 0, 15, 15, Brown.darker(140));
        break;
    case 15:  // a ledger page with a magnifying glass
        page(p, 1, 0, 11, 15, false);
        for (int y = 3; y <= 12; y += 3)
            hline(p, 2, 9, y, TextLine);
        vline(p, 5, 2, 13, TextLine);
        lens(p, QPointF(10, 10), 3.4, 4.5);
        break;
    case 16:  // a magnifying glass over a page of text
        page(p, 3, 0, 12, 16, true);
        lens(p, QPointF(7, 7), 4.6, 5.5);
        smooth(p, false);
        hline(p, 5, 9, 6, Outline);
        hline(p, 5, 8, 8, Outline);
        break;
    case 17:  // a page under a magnifying glass
        page(p, 0, 4, 10, 12, true, 3);
        lens(p, QPointF(9.5, 5.5), 4.4, 4.5);
        break;
    case 18:  // globe with an open folder
        folder(p, 0, 6, 11, 9);
        globe(p, QPointF(11, 5), 4.5);
        break;
    case 19:  // globe with chain links
        globe(p, QPointF(6.5, 6.5), 5.5);
        chainLink(p, QRectF(8.5, 9.5, 5, 3.2));
        chainLink(p, QRectF(11.5, 11.8, 4, 3.2));
        break;
    case 20:  // globe with a magnifying glass
        globe(p, QPointF(6.5, 6.5), 5.5);
        lens(p, QPointF(10.5, 10.5), 2.8, 3.8);
        break;
    case 21:  // globe with arrows: one going out above it, one coming back below
        globe(p, QPointF(8, 8), 4.6);
        arrowLine(p, QPointF(1.5, 1.8), QPointF(13.2, 1.8), Red);
        arrowLine(p, QPointF(14.5, 14.2), QPointF(2.8, 14.2), Green);
        break;
    case 22:  // book with a red star
        closedBook(p, 1, 1, Blue, DarkBlue);
        star(p, QPointF(11.3, 4.7), 4.6, Red);
        break;
    case 23:  // framed picture of a globe
        box(p, 0, 1, 16, 14, Gold, Brown);
        box(p, 2, 3, 12, 10, QColor(0xf4, 0xf1, 0xe4), DarkGold);
        globe(p, QPointF(8, 8), 3.6);
        break;
    case 24: {  // satellite dish: a tilted bowl on a post, its feed on an arm
        smooth(p, true);
        p.save();
        p.translate(6.5, 7.5);
        p.rotate(45);
        p.setPen(QPen(Outline, 1.0));
        p.setBrush(Metal.lighter(130));
        p.drawEllipse(QPointF(0, 0), 6.2, 3.0);
        p.setPen(Qt::NoPen);
        p.setBrush(Metal);
        p.drawEllipse(QPointF(0, 0.9), 4.4, 1.6);
        p.restore();
        p.setPen(QPen(DarkMetal, 1.2));
        p.drawLine(QPointF(6.5, 7.5), QPointF(12, 2.5));
        p.setPen(QPen(DarkRed, 0.8));
        p.setBrush(Red);
        p.drawEllipse(QPointF(12.5, 2.2), 1.7, 1.7);
        smooth(p, false);
        vline(p, 8, 10, 13, DarkMetal);
        box(p, 4, 14, 9, 2, Metal, DarkMetal);
        break;
    }
    case 25:  // a pile of newspapers
        box(p, 3, 0, 13, 10, Paper);
        box(p, 1, 3, 13, 10, Paper);
        box(p, 0, 6, 13, 10, Paper);
        box(p, 2, 8, 9, 2, Outline, Outline);
        hline(p, 2, 10, 11, TextLine);
        hline(p, 2, 8, 13, TextLine);
        break;
    case 26:  // line chart
        axes(p);
        smooth(p, true);
        p.setPen(QPen(Blue, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(2.5, 11), QPointF(5, 7), QPointF(7.5, 9.5), QPointF(10.5, 4),
                                  QPointF(12.5, 6.5), QPointF(14.5, 2)}));
        p.setPen(QPen(Red, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(2.5, 13), QPointF(6, 11.5), QPointF(9.5, 12), QPointF(14.5, 8.5)}));
        smooth(p, false);
        break;
    case 27: {  // video camera
        smooth(p, true);
        p.setPen(QPen(Outline, 1.0));
        p.setBrush(DarkMetal);
        p.drawEllipse(QPointF(4, 3.5), 2.6, 2.6);
        p.drawEllipse(QPointF(9, 3.5), 2.6, 2.6);
        p.setBrush(Metal);
        p.drawEllipse(QPointF(4, 3.5), 0.9, 0.9);
        p.drawEllipse(QPointF(9, 3.5), 0.9, 0.9);
        smooth(p, false);
        box(p, 1, 6, 11, 7, DarkMetal);
        px(p, 3, 8, Red);
        QPolygon cone;
        cone << QPoint(11, 9) << QPoint(15, 6) << QPoint(15, 13) << QPoint(11, 10);
        p.setPen(Outline);
        p.setBrush(Metal);
        p.drawPolygon(cone);
        break;
    }
    case 28: {  // microphone
        smooth(p, true);
        p.setPen(QPen(Outline, 1.0));
        p.setBrush(Metal);
        p.drawRoundedRect(QRectF(5.5, 0.5, 5, 8), 2.5, 2.5);
        p.setPen(QPen(DarkMetal, 0.8));
        p.drawLine(QPointF(6.2, 3), QPointF(9.8, 3));
        p.drawLine(QPointF(6.2, 5), QPointF(9.8, 5));
        p.setPen(QPen(Outline, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3.5, 2.5, 9, 8.5), 180 * 16, 180 * 16);
        smooth(p, false);
        vline(p, 8, 11, 13, Outline);
        box(p, 4, 14, 9, 2, DarkMetal);
        break;
    }
    case 29: {  // a screen showing a trace
        box(p, 0, 1, 16, 11, DarkMetal);
        p.fillRect(2, 3, 12, 7, Screen);
        smooth(p, true);
        p.setPen(QPen(Trace, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(2.5, 7), QPointF(5, 7), QPointF(6.5, 4), QPointF(8, 9),
                                  QPointF(9.5, 6), QPointF(13.5, 6)}));
        smooth(p, false);
        vline(p, 7, 12, 13, DarkMetal);
        vline(p, 8, 12, 13, DarkMetal);
        box(p, 4, 14, 8, 2, Metal, DarkMetal);
        break;
    }
    default:
        break;
    }
}

} // namespace

namespace TreeImages {

QImage draw(int n)
{
    if (n < 1 || n > Count)
        return QImage();
    QImage img(Size, Size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    smooth(p, false);
    paint(p, n);
    p.end();
    return img;
}

QString key(int n)
{
    static const char* const keys[] = {"book",   "openbook", "page",    "news",    "graph1", "graph2",
                                       "globe1", "globe2",   "search1", "search2", "doc"};
    return (n >= 1 && n <= int(std::size(keys))) ? QString::fromLatin1(keys[n - 1]) : QString();
}

} // namespace TreeImages

const QVector<QIcon>& ImageList1()
{
    static const QVector<QIcon> list = [] {
        QVector<QIcon> icons;
        icons.reserve(TreeImages::Count);
        for (int n = 1; n <= TreeImages::Count; ++n)
            icons.append(QIcon(QPixmap::fromImage(TreeImages::draw(n))));
        return icons;
    }();
    return list;
}
