#pragma once

#include <Qt>

class CColumnData;
class CColumnDataList;
class CStringArrayPtrArray;

// Whether a column is numeric: its SQL type.
bool IsNumericType(const CColumnData* column);

// Sorts a record cache by a column of its column list, stably: a numeric
// column by its values, others by the text they show (ordinal).
void SortRecordCache(CColumnDataList* list, CStringArrayPtrArray* records, int columnIndex,
                     bool ascending, bool numeric);
// The same, numeric by the column's type.
void SortRecordCache(CColumnDataList* list, CStringArrayPtrArray* records, int columnIndex,
                     bool ascending);

// How a list shows a column's values: numbers to the right.
Qt::Alignment ColumnAlignment(bool numeric);
Qt::Alignment ColumnAlignment(const CColumnData* column);
