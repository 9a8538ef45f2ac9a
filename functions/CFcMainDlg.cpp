#include "functions/CFcMainDlg.h"

#include "functions/FcButtonTable.h"

namespace kesmond {

CFcMainDlg::CFcMainDlg(QWidget* parent, uint templateId, int windowKind)
    : CMainDlg(parent, templateId, windowKind)
{
    SetButtonTable(FcButtonTable());
}

CFcMainDlg::~CFcMainDlg() = default;

bool CFcMainDlg::OnInitDialog()
{
    // The template's size, unless the layout needs more.
    const QSize templateSize = size();
    CMainDlg::OnInitDialog();
    resize(size().expandedTo(templateSize));
    ColorDialogButtons();
    // The windows keep the size they start with.
    setFixedSize(size());
    return true;
}

} // namespace kesmond
