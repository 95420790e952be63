#pragma once

#include <QImage>
#include <QSize>

class QWidget;

// The dimmed main window behind the quit question: a copy of the window's image in
// which every other pixel, in a one-pixel checkerboard, is black, laid over the
// window until ResetScreen. The window's own controls stay underneath and repaint
// normally once the veil is gone.

// The checkerboard: the pixel at (0, 0) stays, (1, 0) and (0, 1) turn black.
QImage DimImage(const QImage& image);
// Twips to pixels the way the copy is sized (whole pixels, 15 twips each).
QSize DimSize(int widthTwips, int heightTwips);

// Dims the main window (whatever form names, it is set to the main window). Does
// nothing when there is no main window. A second call replaces the first veil.
void DimForm(QWidget*& form);
// Takes the veil away; harmless when nothing is dimmed.
void ResetScreen();
bool IsDimmed();
// The dimmed copy being shown (a null image when nothing is dimmed).
QImage DimmedImage();
