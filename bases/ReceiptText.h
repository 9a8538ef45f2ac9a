#pragma once

#include <QString>
#include <QStringView>

namespace dunmarel {

// The print columns of the register's receipts, as its Japanese printer font
// gives them. No font is measured: the fonts here may lack CJK glyphs or draw
// box drawing narrow.

// Whether a character takes two print columns: East Asian Width W or F, or A
// from U+0370 up and not a combining mark (box drawing, Greek, "※").
bool IsFullWidthChar(char32_t ch);

// Print columns of a text: 2 per full-width character, 1 per other.
int PrintColumnsOf(QStringView text);

// The line as printed in a canvas of the given columns (halved for a
// double-width line): alignment 0 (right) puts every spare column before
// it, 1 (centre) half of them, 2 (left) none. A line too long for the
// paper gets none and is left as it is.
QString AlignLine(const QString& text, int columns, int doubleWidth, int align);

// Pixels a character of a vertical canvas advances: 12 half width, 24 full
// width, twice that on a double-width line.
int CharAdvance(bool fullWidth, int doubleWidth);

} // namespace dunmarel
