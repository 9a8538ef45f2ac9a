#pragma once

class QTreeView;

namespace brelkin {

// Gives the rows of a list the height of the selection lists' rows: the text
// with two pixels and a line clear above and below. The row height.
int SetListRowHeight(QTreeView* list);

} // namespace brelkin
