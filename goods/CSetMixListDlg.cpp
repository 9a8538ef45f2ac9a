#include "goods/CSetMixListDlg.h"

#include "goods/CSetMixListModel.h"
#include "goods/CSetMixPageDlg.h"
#include "goods/CSetMixTabDlg.h"
#include "goods/base/CMainListCtrl.h"

#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"

namespace brelkin {

CSetMixListDlg::CSetMixListDlg(CDataManager* dataManager, uint templateId, QWidget* parent,
                               int windowKind, bool winpos)
    : CListDlg(dataManager, templateId, parent, windowKind, winpos)
{
    // The record editor is the only way to change a record.
    SetInPlaceEditing(false);
    if (windowKind == 7 || windowKind == 11)
        m_nMMDiscountTypeColumn = CSetMixListModel::FindColumnByLabelId(
            dataManager->GetColumnDataList(), CSetMixListModel::IDC_MMDISCOUNTTYPE_LABEL);
}

CSetMixListDlg::~CSetMixListDlg() = default;

bool CSetMixListDlg::OnInitDialog()
{
    SetDialogLangTexts(this);
    const bool result = CListDlg::OnInitDialog();
    // One record at a time; single selection also leaves Ctrl+A nothing to select.
    List()->setSelectionMode(QAbstractItemView::SingleSelection);
    return result;
}

CRecordListModel* CSetMixListDlg::CreateListModel()
{
    return new CSetMixListModel(DataManager()->GetColumnDataList(), &DataManager()->m_arrRecords,
                                m_nMMDiscountTypeColumn, this);
}

CTabDlg* CSetMixListDlg::CreateTabDlg(int recordNo, bool newRecord)
{
    if (!DataManager())
        return nullptr;
    return new CSetMixTabDlg(DataManager(), recordNo, newRecord, this, DataManager()->m_nTabDlgID,
                             WindowKind());
}

bool CSetMixListDlg::DeleteChildRecords(const QString& code, int& err)
{
    err = 0;
    const bool setMenu = IsSetMenuKind(WindowKind());
    return CSqLiteUtility::DeleteRecord(
        *DataManager()->m_pSQliteDB, setMenu ? QStringLiteral("CIB002") : QStringLiteral("CSA006"),
        {setMenu ? QStringLiteral("SETITEMCODE") : QStringLiteral("MMCODE")}, {code}, err);
}

CPageDlg* CSetMixListDlg::CreatePageDlg()
{
    return new CSetMixPageDlg();
}

void CSetMixListDlg::ShowContextMenu(const QPoint&)
{
    // These lists have no context menu.
}

} // namespace brelkin
