#pragma once

#include <QList>

class QTableView;

namespace tovanel {

// The list of a table choice (selective save, table import): whole rows
// selected, several at once, no editing, a header that does not sort.
void SetUpTableSelectList(QTableView* list);

// Column widths in pixels as made for a list baseWidth pixels wide; a wider
// list widens them in proportion.
void SetTableSelectColumnWidths(QTableView* list, int baseWidth, const QList<int>& widths);

} // namespace tovanel
