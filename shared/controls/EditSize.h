#pragma once

#include <QRect>

class QFont;
class QWidget;

enum EditSizeFlags : int {
    EDITSIZE_WIDTH = 1,  // size the width for a number of characters
    EDITSIZE_HEIGHT = 2, // size the height for a number of lines
};

// The size of the text "0" drawn in the font on the widget (at the origin).
QRect GetEditOneCharRect(const QFont& font, const QWidget* widget);

// Resizes the widget to hold `characters` "X"s (EDITSIZE_WIDTH) and `lines`
// lines (EDITSIZE_HEIGHT) in the font, margins and frame included; a
// dimension whose flag is not set keeps its size, and the position stays.
void SetEditSize(const QFont& font, QWidget* widget, int lines, int characters, int flags);
