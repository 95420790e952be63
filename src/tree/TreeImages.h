#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <QVector>

// The tree's image list: 29 pictures of 16 x 16 pixels, numbered from 1 as the
// nodes' Image property counts them. The program ships them as PNG files in its
// resources (":/tree/NN.png"); the same pictures are drawn here, so a build
// without the resource file (the test programs) shows them too.
namespace TreeImages {

inline constexpr int Count = 29;
inline constexpr int Size = 16;

// The picture of image n (1 to 29), drawn; a null image outside that range.
QImage draw(int n);
// The list-image key of image n ("book", "openbook", ... "doc" for 1 to 11), else "".
QString key(int n);
// The resource path of image n: ":/tree/01.png" ... ":/tree/29.png".
QString resourcePath(int n);

} // namespace TreeImages

// The 29 pictures as icons, image n at position n - 1: from the resources when
// they are there, drawn otherwise. Made once, on first use.
const QVector<QIcon>& ImageList1();
