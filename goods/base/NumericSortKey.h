#pragma once

#include <QString>

#include <utility>

// The value of a numeric column's text as it sorts: the whole part in 64
// bits (saturating) and the decimals scaled to 18 digits, both carrying the
// sign. Leading blanks are skipped; the number ends at the first other
// character, and a text without one counts as 0.
using NumericSortKey = std::pair<qint64, qint64>;
NumericSortKey MakeNumericSortKey(const QString& text);
