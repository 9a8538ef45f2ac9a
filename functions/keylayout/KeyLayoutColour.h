#pragma once

#include <QColor>
#include <QString>

namespace kesmond {

// Key-layout colours are signed 32-bit 0xAARRGGBB values. Drawing takes red,
// green and blue and drops the top byte, but -1 is white; the database keeps
// them as signed decimal text.
QColor ColourFromDb(int value);
QString ColourToDbText(int value);
// A colour column's text read leniently; the unsigned form of a value gives
// the same colour as its signed form.
int ColourFromText(const QString& text);

} // namespace kesmond
