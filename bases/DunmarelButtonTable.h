#pragma once

#include "goods/base/CButtonTable.h"

namespace dunmarel {

// The buttons of the tab dialog: Help on the left, OK and Cancel on the right.
const CButtonTable& DunmarelButtonTable();

} // namespace dunmarel
