#pragma once

#include <QFont>
#include <QStaticText>

namespace dunmarel {

// The fixed-pitch face (GetFixPitchFontName) in a receipt cell size: the
// pixel height and, by stretching, the width of a half-width character. Each
// size is made once per run: the previews are redrawn on every keystroke.
const QFont& CanvasFont(int heightPx, int widthPx);

// One character in that font, laid out once per run: the canvases are
// redrawn on every keystroke and texts repeat their characters. Drawn with
// the painter's font set to CanvasFont of the same size, its top left at the
// cell's.
const QStaticText& CanvasGlyph(int heightPx, int widthPx, char32_t ch);

} // namespace dunmarel
