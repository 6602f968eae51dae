#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

namespace bw {

// The windows are laid out in the layout's own units. Where the main window, at its largest,
// would not fit the available area of its screen at the user's own scale, every unit is shown
// smaller, all alike: at the largest scale at which it fits. Qt's own scale factor can not do
// this, as Qt never draws with fewer than one device pixel to its unit.

// Chooses the scale once at start, before any window is made: 1 where a window of outer size
// `outer` (in the layout's units) fits `area` (in Qt's units), smaller otherwise.
void FitLayout(QSize area, QSize outer);
double LayoutScale();

// Places and sizes of the layout as shown.
int Scaled(int units);
QPoint Scaled(QPoint units);
QSize Scaled(QSize units);
QRect Scaled(const QRect& units);

// A font `pixels` units high.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// The program's PNG picture `file`, or, where it has fewer pixels than the screen shows at
// `units` size (by default its own) and the art has one, its drawing twice as fine ("@2x"
// before the suffix).
QImage ArtImage(const QString& file, QSize units = {});

// `picture` as shown at `units` size (by default its own, in the layout's units), made from its own pixels for as
// many device pixels as it covers, so that it is not drawn as an upscale where its pixels
// allow; its deviceIndependentSize is the size it takes in the window.
QImage ShownImage(const QImage& picture, QSize units);
QImage ShownImage(const QImage& picture);

}  // namespace bw
