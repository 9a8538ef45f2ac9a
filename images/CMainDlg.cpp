#include "images/CMainDlg.h"

#include "images/PellarkButtonTable.h"

namespace pellark {

CMainDlg::CMainDlg(QWidget* parent, uint templateId) : ::CMainDlg(parent, templateId, 0)
{
    ::CMainDlg::SetButtonTable(PellarkButtonTable());
}

bool CMainDlg::OnInitDialog()
{
    ::CMainDlg::OnInitDialog();
    setFixedSize(size());
    return true;
}

} // namespace pellark
