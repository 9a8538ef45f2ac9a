#include "launcher/CTovanelDialog.h"

#include "shared/lang/CProgramLang.h"

namespace tovanel {

void CTovanelDialog::SetLangTexts()
{
    SetDialogLangTexts(this);
}

} // namespace tovanel
