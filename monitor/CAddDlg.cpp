#include "monitor/CAddDlg.h"

#include "monitor/CItemImageSlots.h"

#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"

#include <QLabel>

namespace mervolt {

CAddDlg::CAddDlg(CDataManager* dataManager, const QString& labelKey, QWidget* parent)
    : ::CAddDlg(dataManager, labelKey, parent)
{
    setWindowTitle(QStringLiteral("CRDD_MO_ADD_CODE"));
    if (auto* label = qobject_cast<QLabel*>(FindControlById(this, IDC_LABEL)))
        label->setText(QStringLiteral("CRDC_MO_LABEL_CODENAME"));
}

CAddDlg::~CAddDlg() = default;

int CAddDlg::CodeWidth() const
{
    int width = 0;
    CItemImageSlots::ReadCodeWidth(GetLangString(QStringLiteral("CRDS_MO_COLUNWIDTH_1")), width);
    return width;
}

QString CAddDlg::ProposeNewCode() const
{
    const int width = CodeWidth();
    return width > 0 ? QStringLiteral("1").rightJustified(width, u'0') : QString();
}

bool CAddDlg::AcceptNewCode(const QString&)
{
    return true;
}

} // namespace mervolt
