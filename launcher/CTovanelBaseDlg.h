#pragma once

#include "shared/dialogs/CSarvikDialog.h"

namespace tovanel {

// The launcher's main window.
class CTovanelBaseDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    explicit CTovanelBaseDlg(QWidget* parent = nullptr);
    ~CTovanelBaseDlg() override;

protected:
    void SetLangTexts() override;
};

} // namespace tovanel
