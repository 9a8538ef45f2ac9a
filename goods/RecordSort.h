#pragma once

#include <Qt>

class CColumnData;
class CColumnDataList;
class CStringArrayPtrArray;

namespace brelkin {

// Sorts a record cache by a column of its column list, stably: numeric
// columns by their value, others by the text they show (ordinal).
void SortRecordCache(CColumnDataList* list, CStringArrayPtrArray* records, int columnIndex,
                     bool ascending);

// How a list shows a column's values: numbers to the right.
Qt::Alignment ColumnAlignment(const CColumnData* column);

} // namespace brelkin
