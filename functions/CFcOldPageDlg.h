#pragma once

#include "functions/CFcBasePageDlg.h"

namespace kesmond {

// The basic function-key page: code, function and name (3002), with the
// amount (3014) or the rate (3015) of the key. Choosing a function of
// another page kind asks the tab dialog for that page.
class CFcOldPageDlg : public CFcBasePageDlg
{
    Q_OBJECT

public:
    bool SaveData() override;

protected:
    void OnInitPage() override;

private:
    void OnFunctionChanged();
};

} // namespace kesmond
