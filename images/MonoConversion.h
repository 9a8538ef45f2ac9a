#pragma once

#include <QImage>
#include <QRect>

// The conversions of a picture into the printer's black and white. Each
// takes the picture (24-bit, see CImgCanvas), the rectangle of it to show
// and the destination rectangle in target coordinates, and gives a work
// image that covers the target from (0, 0) to the destination's right and
// bottom edge (its width and height alone when it starts left of or above
// 0); only Visible() of it is copied to the target.
namespace pellark {

// The work image's size for a destination rectangle.
QSize WorkSize(const QRect& dest);
// The part of the destination the work image gives (clipped at 0).
QRect Visible(const QRect& dest);

// A 1-bit source: scaled so that a black pixel survives shrinking (the
// colours of the pixels a target pixel covers are combined with AND);
// never dithered.
QImage ConvertOneBit(const QImage& picture, const QRect& source, const QRect& dest);

// Nearest colour: area average, then white exactly when r + g + b >= 383.
// Pixels outside shown (when given: the target's area) are left unconverted.
QImage ConvertMono(const QImage& picture, const QRect& source, const QRect& dest,
                   const QRect& shown = QRect());

// Error diffusion: smooth scale onto a grey (128, 128, 128) work image,
// then ErrorDiffuse over all of it, so a grey margin left of the picture
// feeds its errors into the picture.
QImage ConvertGrey(const QImage& picture, const QRect& source, const QRect& dest);

// Floyd-Steinberg over the whole image, rows from the bottom up, with the
// divisor 755 (white ends slightly above 1.0, so it never turns black).
void ErrorDiffuse(QImage& image);

} // namespace pellark
