#pragma once

#include "goods/base/CButtonTable.h"

namespace mervolt {

// The coloured bottom buttons of this program's windows: help on the left,
// then the list window's insert, delete and update; OK and Cancel (or Back)
// from the right. Every button is narrow, in the lowest row, of four.
const CButtonTable& MonButtonTable();

} // namespace mervolt
