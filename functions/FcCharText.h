#pragma once

#include <QString>

namespace kesmond {

// True when one ";"-separated part of a character string's REMARKS reads
// "view=gone" once blanks are removed and letters lowered: such a row is not
// shown.
bool IsHiddenCharRow(const QString& remarks);

// The edit's text as stored: every line break (LF, CR or CR LF) becomes
// CR LF, as the register's multi-line edit writes them, so a stored CR LF
// text comes back byte for byte.
QString ToStoredLineBreaks(const QString& editText);

} // namespace kesmond
