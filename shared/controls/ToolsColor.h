#pragma once

#include <QColor>

// The fixed colours of the tools' windows, by kind.
enum EnumColorNameTag : int {
    TOOLCOLOR_BTNFACE = 0, // the system's button face
    TOOLCOLOR_LIGHTBLUE = 1,
    TOOLCOLOR_LIGHTRED = 2,
    TOOLCOLOR_LIGHTVIOLET = 3,
    TOOLCOLOR_LIGHTGREEN = 4,
    TOOLCOLOR_LIGHTORANGE = 5,
    TOOLCOLOR_PINK = 6,
    TOOLCOLOR_PALEBLUE = 7,
    TOOLCOLOR_PALEGREEN = 8,
    TOOLCOLOR_LIGHTYELLOW = 9,
    TOOLCOLOR_PALERED = 10,
    TOOLCOLOR_ORANGE = 11,
    TOOLCOLOR_TABSELECTED = 12,
    TOOLCOLOR_TABNORMAL = 13,
};

// The components of a kind (white for a kind outside the table); nothing is
// written when any pointer is null.
void GetToolsColor(EnumColorNameTag kind, int* red, int* green, int* blue);
QColor GetToolsColorRGB(EnumColorNameTag kind);
