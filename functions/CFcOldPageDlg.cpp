#include "functions/CFcOldPageDlg.h"

#include "functions/CFcColumnDataList.h"
#include "functions/FcDialogIds.h"
#include "functions/FcPageTemplate.h"
#include "functions/IFcPageHost.h"

#include "shared/controls/FindControlById.h"

#include <QComboBox>

namespace kesmond {

void CFcOldPageDlg::OnInitPage()
{
    if (auto* combo = qobject_cast<QComboBox*>(FindControlById(this, IDC_FC_FUNCTION)))
        connect(combo, &QComboBox::activated, this, &CFcOldPageDlg::OnFunctionChanged);
}

void CFcOldPageDlg::OnFunctionChanged()
{
    const QString code = CurrentFunctionCode();
    const unsigned page = PageTemplateOfFunction(code);
    if (page == m_nTemplateId || !m_pTabDlg)
        return;
    m_pTabDlg->SetFunctionOverride(code);
    m_pTabDlg->PostChangePage(page);
}

// The key's row, the removal of its settings and its new value row
// together: a failure leaves the key as it was.
bool CFcOldPageDlg::SaveData()
{
    return SaveInTransaction([this](int& err) {
        QStringList row;
        return BuildRow(row, true, err) && SaveRow(row, err);
    });
}

} // namespace kesmond
