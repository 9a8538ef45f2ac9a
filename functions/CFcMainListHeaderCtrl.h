#pragma once

#include "goods/base/CMainListHeaderCtrl.h"

namespace kesmond {

// The header of the program's lists: one line of its font plus 4 pixels.
class CFcMainListHeaderCtrl : public CMainListHeaderCtrl
{
    Q_OBJECT

public:
    explicit CFcMainListHeaderCtrl(QWidget* parent = nullptr);
};

} // namespace kesmond
