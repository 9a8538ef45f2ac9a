#pragma once

#include <QString>

namespace kesmond {

// True when one ";"-separated part of a character string's REMARKS reads
// "view=gone" once blanks are removed and letters lowered: such a row is not
// shown.
bool IsHiddenCharRow(const QString& remarks);

} // namespace kesmond
