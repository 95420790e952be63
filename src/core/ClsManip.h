#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVector>

#include <cstdint>

class QLabel;
class QWidget;

// Picture effects on a 256-colour picture (one byte, a palette index, per pixel):
// concentric water ripples, and a bump-mapping pass the program offers but does
// not use. The class works on two copies of the same picture: Pict1, shown and
// rewritten every frame, and pict2, the untouched source. Bytes are addressed as
// columns 0 .. bytes per row - 1 (rows padded to a multiple of 4) and rows 0 ..
// height - 1, in the pictures' own memory.
//
// A running ripple is a timer that draws one frame per tick; a second DoRipple
// stops it after the frame in progress (ticks never overlap).
class ClsManip : public QObject
{
    Q_OBJECT

public:
    explicit ClsManip(QObject* parent = nullptr);
    ~ClsManip() override;

    // Keeps the window and the two picture boxes; the boxes show the pictures.
    void IntCls(QWidget* frm1, QLabel* Pict1, QLabel* pict2);
    // Loads the picture (any picture is turned into 256 colours; a missing file
    // leaves both pictures empty) and builds the distance table.
    void IntRipple(const QString& fileName, float frequency);
    void IntRippleImage(const QImage& picture, float frequency);
    // Starts the ripple, or stops a running one. The frequency is held to 0.01 .. 1.
    void DoRipple(float frequency);
    void IntBump(const QString& fileName);
    void IntBumpImage(const QImage& picture);
    void DoBump();

    // "True" while no ripple runs.
    QString IsPlay() const { return m_idle ? QStringLiteral("True") : QStringLiteral("False"); }
    bool idle() const { return m_idle; }
    float Frq() const { return m_frq; }

    // One frame of the ripple: the phase moves on, the wave heights are computed
    // and every byte of Pict1 is taken from its row of pict2. False (after the
    // message " 256-color bitmaps only") when the pictures are not 8-bit.
    bool RippleFrame();

    // The source column for column x moved by wave height w: |x - w|, folded back
    // at the right edge, always inside 0 .. bytesPerRow - 1.
    static int SourceColumn(int x, int w, int bytesPerRow);
    // Rounds to the nearest whole number, halves to the even neighbour.
    static int rnd(double v);

    const QImage& picture() const { return m_pict1; }
    const QImage& source() const { return m_pict2; }
    std::int16_t Phase() const { return m_phase; }
    void setPhase(std::int16_t phase) { m_phase = phase; }
    int HalfW() const { return m_halfW; }
    int HalfH() const { return m_halfH; }
    int WaveMax() const { return m_waveMax; }
    int DistTab(int dx, int dy) const;
    const QVector<int>& WaveTab() const { return m_waveTab; }
    // Milliseconds between two frames (default 40).
    void setFrameInterval(int milliseconds) { m_timer.setInterval(milliseconds); }
    bool running() const { return m_timer.isActive(); }

signals:
    void frameDrawn();

private:
    void loadPictures(const QImage& picture);
    void repaint();
    bool eightBit() const;

    QPointer<QWidget> m_frm1;
    QPointer<QLabel> m_Pict1;
    QPointer<QLabel> m_pict2Box;
    QImage m_pict1;
    QImage m_pict2;

    bool m_idle = false;
    int m_halfW = 0;
    int m_halfH = 0;
    int m_foldLimit = 0;
    int m_waveMax = 0;
    int m_distCols = 0;       // DistTab columns 0 .. m_distCols - 1
    int m_distRows = 0;
    QVector<int> m_distTab;
    QVector<int> m_waveTab;
    std::int16_t m_phase = 0;
    float m_frq = 0;

    // The bump effect.
    int m_bumpHalfH = 0;
    int m_bumpHalfW = 0;
    int m_innerW = 0;
    int m_innerH = 0;
    int m_lightX = 0;
    int m_lightY = 0;
    QVector<std::uint8_t> m_lightMap;  // 257 x 257

    QTimer m_timer;
};
