#pragma once

#include <QString>

namespace mervolt {

// The title of the program's message boxes.
void SetAppTitle(const QString& text);

} // namespace mervolt
