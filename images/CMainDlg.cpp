#include "images/CMainDlg.h"

#include "images/PellarkButtonTable.h"

#include "shared/controls/FindControlById.h"

#include <QPushButton>

namespace pellark {

CMainDlg::CMainDlg(QWidget* parent, uint templateId) : ::CMainDlg(parent, templateId, 0)
{
    ::CMainDlg::SetButtonTable(PellarkButtonTable());
}

bool CMainDlg::OnInitDialog()
{
    ::CMainDlg::OnInitDialog();
    setFixedSize(size());
    // Return anywhere in the window is OK (Change in the list), as in any
    // dialog, while that button is enabled.
    if (auto* ok = qobject_cast<QPushButton*>(FindControlById(this, 1)))
        ok->setDefault(true);
    return true;
}

} // namespace pellark
