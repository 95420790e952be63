#pragma once

#include <QImage>

#include <algorithm>
#include <cstdlib>

// Pictures are compared by what a user sees, never bit for bit: a pixel counts as
// different only when a channel (alpha included) differs by more than the rounding
// of antialiased edges on any processor could make it.
namespace picturetest {

inline constexpr int kChannelMargin = 48;

// Pixels of two pictures of one size that clearly differ; -1 when the sizes differ.
inline int ClearlyDifferentPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            count += d > kChannelMargin;
        }
    return count;
}

} // namespace picturetest
