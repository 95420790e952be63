#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class StockStrip;

// The program's own pictures: the eleven gauge skins of the stock strip (a bar and a
// marker each), the four faces of the button bar and the strip's two arrows.
//
// They are drawn here and nowhere else; the program ships no picture files for them.
// Names are matched without regard to case.
namespace Skins {

struct SkinRow
{
    int picBar;              // the setting PicBar that picks it
    const char* name;        // SkinName: the gauge bar
    const char* backName;    // SkinBackName: the marker
    QSize gauge;             // pixels
    QSize marker;
};

// The eleven skins, PicBar 0 to 10.
const std::array<SkinRow, 11>& Table();

// The picture of a program bitmap by name: the 22 skin bitmaps, "B1" to "B4" and
// "ArrowUp" / "ArrowDn". Drawn on the first use and kept; every gauge, face and
// arrow takes its picture from here. A null image for a name the program does not
// have.
QImage Bitmap(const QString& name);
// Every name Bitmap knows, in the order of the table, then the faces and arrows.
QStringList Names();

// The button bar's background (the classic button face), on which the faces sit,
// and the stock strip's, on which the gauges and the arrows sit.
inline constexpr unsigned kButtonFace = 0xD4D0C8;  // RGB
inline constexpr unsigned kStripBack = 0x1F2530;   // RGB

// The 8 x 10 block of the marker that the gauges copy.
inline constexpr int kMarkerCopyWidth = 8;
inline constexpr int kMarkerCopyHeight = 10;

} // namespace Skins

// The skin in use, set by LoadSkin: the shell's state, one object reached through
// its accessors.
struct SkinState
{
    QString SkinName;      // the gauge bar's bitmap name; "" before the first LoadSkin
    QString SkinBackName;  // the marker's bitmap name
    std::int32_t SkinDC = 0;  // memory context holding the marker; 0 before the first LoadSkin
};
SkinState& skinState();
inline QString& SkinName() { return skinState().SkinName; }
inline QString& SkinBackName() { return skinState().SkinBackName; }
inline std::int32_t& SkinDC() { return skinState().SkinDC; }

// Memory contexts: each holds one picture in memory so that a gauge is drawn by one
// copy. Every context made is kept until DestroyHdcs releases them all at exit.
// Contexts are numbered from 1; 0 means none.
std::int32_t CreateMemHdc(std::int16_t width, std::int16_t height);
// Puts the named bitmap into the context in place of the blank one; a name that is
// not a program bitmap, or a context that does not exist, changes nothing (logged
// as "BitBlt_LoadBmpToHdc").
void LoadBmpToHdc(std::int32_t dc, const QString& name);
// Releases every context and the picture in it.
void DestroyHdcs();
// The picture held by a context (null when none, or once released).
QImage HdcImage(std::int32_t dc);
// Contexts made so far, and those not yet released.
int HdcCount();
int LiveHdcs();
// Forgets every context and the skin in use (tests and a fresh start).
void ResetSkinState();

// Reads PicBar and puts the skin's bar on the seven gauges of the strip and its
// marker into a new memory context SkinDC. A value that is not 0 to 10 keeps the
// skin loaded before ("GlassBlue" when there was none); a bitmap that cannot be had
// leaves the gauges' pictures as they were.
void LoadSkin(StockStrip& strip);
