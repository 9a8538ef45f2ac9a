#pragma once

#include <QFont>

namespace dunmarel {

// The fixed-pitch face (GetFixPitchFontName) in a receipt cell size: the
// pixel height and, by stretching, the width of a half-width character. Each
// size is made once per run: the previews are redrawn on every keystroke.
const QFont& CanvasFont(int heightPx, int widthPx);

} // namespace dunmarel
