#pragma once

#include "goods/base/CMainDlg.h"

namespace kesmond {

// The base of the program's top-level windows: the goods program's dialog
// base with the program's button table, at a fixed client size.
class CFcMainDlg : public CMainDlg
{
    Q_OBJECT

public:
    CFcMainDlg(QWidget* parent, uint templateId, int windowKind);
    ~CFcMainDlg() override;

protected:
    bool OnInitDialog() override;
};

} // namespace kesmond
