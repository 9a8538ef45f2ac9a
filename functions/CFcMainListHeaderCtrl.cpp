#include "functions/CFcMainListHeaderCtrl.h"

namespace kesmond {

CFcMainListHeaderCtrl::CFcMainListHeaderCtrl(QWidget* parent)
    : CMainListHeaderCtrl(Qt::Horizontal, parent)
{
}

} // namespace kesmond
