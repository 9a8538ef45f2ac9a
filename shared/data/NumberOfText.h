#pragma once

#include <QString>

// The leading decimal number of a text, as the C library reads it: blanks
// skipped, an optional sign, digits up to the first other character; 0 when
// there are none.
qint64 NumberOfText(const QString& text);
