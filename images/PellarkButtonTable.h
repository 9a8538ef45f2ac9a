#pragma once

#include "goods/base/CButtonTable.h"

namespace pellark {

// The coloured buttons of the program's windows (list and editor).
const CButtonTable& PellarkButtonTable();

} // namespace pellark
