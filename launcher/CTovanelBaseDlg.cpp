#include "launcher/CTovanelBaseDlg.h"

#include "shared/lang/CProgramLang.h"

namespace tovanel {

CTovanelBaseDlg::CTovanelBaseDlg(QWidget* parent) : CSarvikDialog(parent) {}

CTovanelBaseDlg::~CTovanelBaseDlg() = default;

void CTovanelBaseDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

} // namespace tovanel
