#pragma once

#include "goods/base/CMainListCtrl.h"

namespace kesmond {

// The list of the program's list windows, with its header.
class CFcMainListCtrl : public CMainListCtrl
{
    Q_OBJECT

public:
    explicit CFcMainListCtrl(QWidget* parent = nullptr);
};

} // namespace kesmond
