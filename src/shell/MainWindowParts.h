#pragma once

#include "platform/FlexGrid.h"
#include "shell/PaneLayout.h"

#include <QColor>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdint>

// What the window files of frmMain share (frmMain.cpp, MainWindowWidgets.cpp,
// MainWindowMenus.cpp, MainWindowMouse.cpp): twips to pixels, the BGR colours of
// the controls, and the kinds of control the window's event filter tells apart.
namespace mainwindow {

inline constexpr int kTwips = FlexGrid::TwipsPerPixel;

inline int px(std::int32_t twips)
{
    return int(std::lround(double(twips) / kTwips));
}

inline QRect pxRect(const TwipRect& r)
{
    return QRect(px(r.Left), px(r.Top), std::max(0, px(r.Width)), std::max(0, px(r.Height)));
}

inline QColor bgr(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The event kinds the window's filter tells apart.
enum Kind {
    KForm,
    KPicCont,
    KButtonFrame,
    KStatusBar,
    KSplit2,
    KSplitter,
    KImgUp,
    KImgDn,
    KLblSbl,
    KImg,
    KPicture1,
    KPanel1,
    KInert,  // a control without mouse handlers of its own (captions, legend)
};

inline constexpr char kKindProperty[] = "twKind";
inline constexpr char kIndexProperty[] = "twIndex";

} // namespace mainwindow
