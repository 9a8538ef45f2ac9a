#pragma once

#include "goods/base/CMainDlg.h"

namespace pellark {

// The base of the program's windows: the goods program's dialog base (texts,
// coloured buttons, Enter, F1 and help) with a client size fixed at the size
// it has when it starts.
class CMainDlg : public ::CMainDlg
{
    Q_OBJECT

public:
    CMainDlg(QWidget* parent, uint templateId);

protected:
    bool OnInitDialog() override;
};

} // namespace pellark
