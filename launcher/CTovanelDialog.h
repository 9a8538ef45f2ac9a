#pragma once

#include "shared/dialogs/CSarvikDialog.h"

namespace tovanel {

// The base of the launcher's dialogs: texts from module "Tovanel" only.
class CTovanelDialog : public CSarvikDialog
{
    Q_OBJECT
public:
    using CSarvikDialog::CSarvikDialog;

protected:
    void SetLangTexts() override;
};

} // namespace tovanel
