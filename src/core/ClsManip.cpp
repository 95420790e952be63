#include "ClsManip.h"

#include "platform/AppPath.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kLightSize = 257;
const char* const kBitmapsOnly = " 256-color bitmaps only";

// The picture as palette indexes. A picture of at most 256 colours (a GIF) keeps
// its exact colours; a richer one gets the nearest 256.
QImage toIndexed(const QImage& picture)
{
    if (picture.format() == QImage::Format_Indexed8)
        return picture.copy();
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> table;
    for (int y = 0; y < rgb.height() && table.size() <= 256; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (!table.contains(line[x])) {
                table << line[x];
                if (table.size() > 256)
                    break;
            }
    }
    if (table.size() <= 256)
        return rgb.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
    return rgb.convertToFormat(QImage::Format_Indexed8);
}

} // namespace

ClsManip::ClsManip(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_idle) {
            m_timer.stop();
            return;
        }
        RippleFrame();
    });
}

ClsManip::~ClsManip()
{
    m_timer.stop();
}

int ClsManip::rnd(double v)
{
    return int(std::nearbyint(v));
}

int ClsManip::SourceColumn(int x, int w, int bytesPerRow)
{
    if (bytesPerRow <= 0)
        return 0;
    const int last = bytesPerRow - 1;
    int s = std::abs(x - w);
    if (s > last)
        s = 2 * last - s;  // mirrored at the right edge, as the left edge mirrors at 0
    return std::clamp(s, 0, last);
}

void ClsManip::IntCls(QWidget* frm1, QLabel* Pict1, QLabel* pict2)
{
    m_frm1 = frm1;
    m_Pict1 = Pict1;
    m_pict2Box = pict2;
}

void ClsManip::loadPictures(const QImage& picture)
{
    if (picture.isNull()) {
        m_pict1 = QImage();
        m_pict2 = QImage();
    } else {
        // The effect works on palette indexes: every picture becomes 256 colours.
        m_pict1 = toIndexed(picture);
        m_pict2 = m_pict1.copy();
    }
    repaint();
    if (m_pict2Box)
        m_pict2Box->setPixmap(m_pict2.isNull() ? QPixmap() : QPixmap::fromImage(m_pict2));
}

void ClsManip::IntRipple(const QString& fileName, float frequency)
{
    QImage picture;
    if (FileExists(fileName))
        picture.load(ResolvePath(fileName));
    else if (fileName.startsWith(u':'))
        picture.load(fileName);
    m_frq = frequency;
    loadPictures(picture);
    IntRippleImage(m_pict1, frequency);
}

void ClsManip::IntRippleImage(const QImage& picture, float frequency)
{
    m_frq = frequency;
    if (picture.cacheKey() != m_pict1.cacheKey())
        loadPictures(picture);
    const int width = m_pict1.width();
    const int height = m_pict1.height();
    m_halfH = height / 2 + 1;
    m_foldLimit = 2 * m_halfH;
    m_halfW = width / 2 + 1;
    m_waveMax = rnd(std::sqrt(double(m_halfH) * m_halfH + double(m_halfW) * m_halfW) + 2);

    // The table covers every distance the frame loop can ask for: the padding bytes
    // at the end of a row lie further from the centre than half the width.
    const int bytesPerRow = m_pict1.isNull() ? 0 : int(m_pict1.bytesPerLine());
    const int maxDx = std::max(m_halfW, bytesPerRow - 1 - m_halfW);
    const int maxDy = std::max(m_halfH, height - 1 - m_halfH);
    m_distCols = maxDx + 1;
    m_distRows = maxDy + 1;
    m_distTab.resize(m_distCols * m_distRows);
    int maxDist = 0;
    for (int dy = 0; dy < m_distRows; ++dy)
        for (int dx = 0; dx < m_distCols; ++dx) {
            const int d = rnd(std::sqrt(double(dx) * dx + double(dy) * dy));
            m_distTab[dy * m_distCols + dx] = d;
            maxDist = std::max(maxDist, d);
        }
    m_waveTab.fill(0, std::max(m_waveMax, maxDist) + 1);
    m_idle = true;
}

int ClsManip::DistTab(int dx, int dy) const
{
    if (dx < 0 || dy < 0 || dx >= m_distCols || dy >= m_distRows)
        return 0;
    return m_distTab[dy * m_distCols + dx];
}

bool ClsManip::eightBit() const
{
    return !m_pict1.isNull() && !m_pict2.isNull() && m_pict1.format() == QImage::Format_Indexed8
           && m_pict2.format() == QImage::Format_Indexed8 && m_pict1.size() == m_pict2.size();
}

void ClsManip::DoRipple(float frequency)
{
    m_frq = std::clamp(frequency, 0.01f, 1.0f);
    if (!m_idle) {
        // The frame in progress (if any) has finished: ticks never overlap.
        m_idle = true;
        m_timer.stop();
        return;
    }
    m_idle = false;
    if (RippleFrame())
        m_timer.start();
}

bool ClsManip::RippleFrame()
{
    // The counter wraps round instead of overflowing, so a long run never ends by itself.
    m_phase = m_phase == 32767 ? std::int16_t(-32768) : std::int16_t(m_phase + 1);
    for (int d = 0; d < m_waveTab.size(); ++d)
        m_waveTab[d] = rnd(std::sin(double(d - m_phase) * double(m_frq)) * 15.0);

    if (!eightBit()) {
        m_timer.stop();
        Dialogs::MsgBox(QString::fromLatin1(kBitmapsOnly), Dialogs::vbCritical);
        return false;
    }

    const int bytesPerRow = int(std::min(m_pict1.bytesPerLine(), m_pict2.bytesPerLine()));
    const int height = m_pict1.height();
    for (int y = 0; y < height; ++y) {
        const uchar* src = m_pict2.constScanLine(y);
        uchar* dst = m_pict1.scanLine(y);
        const int dy = std::abs(y - m_halfH);
        for (int x = 0; x < bytesPerRow; ++x) {
            const int d = DistTab(std::abs(x - m_halfW), dy);
            const int w = d < m_waveTab.size() ? m_waveTab[d] : 0;
            dst[x] = src[SourceColumn(x, w, bytesPerRow)];
        }
    }
    repaint();
    emit frameDrawn();
    return true;
}

void ClsManip::repaint()
{
    if (m_Pict1)
        m_Pict1->setPixmap(m_pict1.isNull() ? QPixmap() : QPixmap::fromImage(m_pict1));
}

void ClsManip::IntBump(const QString& fileName)
{
    QImage picture;
    if (FileExists(fileName))
        picture.load(ResolvePath(fileName));
    IntBumpImage(picture);
}

void ClsManip::IntBumpImage(const QImage& picture)
{
    loadPictures(picture);
    const int width = m_pict1.width();
    const int height = m_pict1.height();
    m_bumpHalfH = rnd(height / 2.0);
    m_bumpHalfW = rnd(width / 2.0);
    m_innerW = width - 2;
    m_innerH = height - 2;
    m_lightMap.fill(0, kLightSize * kLightSize);
    for (int i = 0; i <= 255; ++i)
        for (int j = 0; j <= 255; ++j) {
            const int v = rnd(255.0 - 1.8 * std::sqrt(double(i - 128) * (i - 128) + double(j - 128) * (j - 128)));
            m_lightMap[i * kLightSize + j] = std::uint8_t(std::max(0, v));
        }
}

void ClsManip::DoBump()
{
    if (!eightBit()) {
        Dialogs::MsgBox(QString::fromLatin1(kBitmapsOnly), Dialogs::vbCritical);
        return;
    }
    if (m_lightMap.size() != kLightSize * kLightSize)
        return;
    for (int x = 1; x <= m_innerW; ++x) {
        for (int y = 1; y <= m_innerH; ++y) {
            const uchar* above = m_pict2.constScanLine(y - 1);
            const uchar* row = m_pict2.constScanLine(y);
            const uchar* below = m_pict2.constScanLine(y + 1);
            const int h = int(row[x - 1]) - int(row[x + 1]) + x + 14 - m_lightX + m_bumpHalfW;
            const int v = int(above[x]) - int(below[x]) + y - 275 + m_lightY + m_bumpHalfH;
            uchar& out = m_pict1.scanLine(y)[x];
            out = (h < 0 || h > 255 || v < 0 || v > 255) ? 0 : m_lightMap[h * kLightSize + v];
        }
    }
}
