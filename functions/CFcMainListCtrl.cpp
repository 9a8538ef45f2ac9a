#include "functions/CFcMainListCtrl.h"

#include "functions/CFcMainListHeaderCtrl.h"

namespace kesmond {

CFcMainListCtrl::CFcMainListCtrl(QWidget* parent) : CMainListCtrl(parent)
{
    setHorizontalHeader(new CFcMainListHeaderCtrl(this));
    // One key at a time is changed.
    setSelectionMode(QAbstractItemView::SingleSelection);
}

} // namespace kesmond
