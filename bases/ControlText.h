#pragma once

#include <QString>

class QWidget;

namespace dunmarel {

// The text a page control holds (line edit, message edit, combo text); "" for
// other controls.
QString ControlText(const QWidget* control);

// Whether every character is a digit ("" is).
bool IsAllDigits(const QString& text);

} // namespace dunmarel
