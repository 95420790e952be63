#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <QVector>

// The tree's image list: 29 pictures of 16 x 16 pixels, numbered from 1 as the
// nodes' Image property counts them. They are drawn here and nowhere else; the
// program ships no picture files for them.
namespace TreeImages {

inline constexpr int Count = 29;
inline constexpr int Size = 16;

// The picture of image n (1 to 29), drawn; a null image outside that range.
QImage draw(int n);
// The list-image key of image n ("book", "openbook", ... "doc" for 1 to 11), else "".
QString key(int n);

} // namespace TreeImages

// The 29 pictures as icons, image n at position n - 1, as draw gives them. Made
// once, on first use; the tree takes its pictures from here alone.
const QVector<QIcon>& ImageList1();
