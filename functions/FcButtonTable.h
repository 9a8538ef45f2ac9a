#pragma once

#include "goods/base/CButtonTable.h"

namespace kesmond {

// The ten coloured buttons of the program's windows, with the key-layout
// editor's second placement of Help, OK and Cancel.
const CButtonTable& FcButtonTable();

// A COLORREF (0x00BBGGRR) as a colour.
QColor FromColorRef(unsigned colorRef);

} // namespace kesmond
