#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

// The text of a stamp: wrapped, drawn into the stamp picture, and kept in
// the profile on one line.
namespace pellark {

// The longest line a stamp text keeps before it is cut.
constexpr int kStampLineLength = 40;

// Lines are separated by CR LF. A line shorter than maximum stays as it is;
// a longer one is cut into pieces of maximum characters joined by CR LF (a
// line followed by others keeps its CR LF after its last piece).
QString WrapStampText(const QString& text, int maximum);

// CR as "\r", LF as "\n", a backslash doubled; UnescapeText undoes it and
// leaves a backslash before any other character as it is.
QString EscapeText(const QString& text);
QString UnescapeText(const QString& text);

// Line alignment of a stamp text.
enum EStampAlign { StampAlignLeft = 0, StampAlignCenter = 1, StampAlignRight = 2 };

// Draws the wrapped text in black, without smoothing (a pixel is a
// printer dot), as a block centred on area (the whole image when area is
// empty) and moved by (dx, dy). False when some of its dots fall outside
// room (the image when empty): the printed stamp loses them.
bool DrawStampText(QImage& image, const QFont& font, int alignment, const QString& text,
                   int maximum, int dx, int dy, const QRect& area, const QRect& room = QRect());
// The size of the block DrawStampText draws.
QSize StampTextSize(const QFont& font, int alignment, const QString& text, int maximum);
// Where a stamp's text of size block goes, within page, beside a template
// drawn at placed on the stamp: in the template's free area (the box
// around its centre that its dots close on all four sides) when the block
// fits there without touching a dot, else below the template.
QRect StampTextArea(const QImage& stamp, const QRect& placed, const QRect& page,
                    const QSize& block);

// The font of a stamp from its profile values: height as a LOGFONT height
// (negative: character height in pixels; 0: 20 points at the screen's
// resolution), weight 0 for normal.
QFont StampFont(const QString& face, int height, int weight, bool italic);
// The LOGFONT height of a font (a negative pixel height).
int StampFontHeight(const QFont& font);

} // namespace pellark
