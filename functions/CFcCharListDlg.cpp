#include "functions/CFcCharListDlg.h"

#include "functions/CFcCharDetailDlg.h"
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMainListCtrl.h"
#include "functions/FcCharText.h"
#include "functions/FcDialogIds.h"

#include "goods/base/ListIndex.h"
#include "goods/base/ProgramMessage.h"

#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/dialogs/CSelectItemDlg.h"

#include <QHeaderView>

#include <algorithm>

namespace kesmond {

namespace {

int ColumnOf(const CColumnDataList* list, const char* name)
{
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_strColumnName == QLatin1String(name))
            return i;
    return -1;
}

} // namespace

CFcCharListDlg::CFcCharListDlg(CDataManager* dataManager, uint templateId, QWidget* parent,
                               int windowKind)
    : CFkListDlg(dataManager, templateId, parent, windowKind)
{
}

CFcCharListDlg::~CFcCharListDlg() = default;

bool CFcCharListDlg::ReadList(int& err)
{
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    // The base read orders by the key, the character-set code.
    if (!list->ReadRecords(err, QString()))
        return false;
    const int remarks = ColumnOf(list, "REMARKS");
    CStringArrayPtrArray& records = m_pDataManager->m_arrRecords;
    for (qsizetype i = records.GetSize() - 1; i >= 0; --i)
        if (const CRecord* row = records.GetAt(i); row && IsHiddenCharRow(row->value(remarks)))
            records.RemoveAt(i);
    return true;
}

void CFcCharListDlg::SetUpList()
{
    m_pModel->SetNumberColumns(CRecordListModel::NumberColumns::None);
    m_pList->setShowGrid(true);
    m_pList->verticalHeader()->setMinimumSectionSize(0);
    m_pList->verticalHeader()->setDefaultSectionSize(RowHeight(1));
    // A text of several lines shows whole: its row grows with its lines, once
    // the columns are built and after a change (a sort keeps rows' heights).
    connect(m_pModel, &QAbstractItemModel::modelReset, this, [this] { FitRowsToText(); });
    connect(m_pModel, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                FitRowsToText(topLeft.row(), bottomRight.row());
            });
    FitRowsToText();
}

int CFcCharListDlg::RowHeight(int lines) const
{
    return CSelectItemDlg::RowHeight(QFontMetrics(m_pList->font()), lines);
}

void CFcCharListDlg::FitRowsToText(int first, int last)
{
    last = last < 0 ? m_pModel->rowCount() - 1 : std::min(last, m_pModel->rowCount() - 1);
    for (int row = std::max(first, 0); row <= last; ++row) {
        qsizetype lines = 1;
        for (int column = 0; column < m_pModel->columnCount(); ++column)
            lines =
                std::max(lines, m_pModel->index(row, column).data().toString().count(u'\n') + 1);
        m_pList->setRowHeight(row, RowHeight(int(lines)));
    }
}

void CFcCharListDlg::OnOK()
{
    const QWidget* change = FindControlById(this, platform::IDOK);
    const int row = SelectedRow();
    if (!m_pModel || !change || !change->isEnabled() || row < 0)
        return;
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const int recordNo = GetRecordNo(row);
    const CRecord* record = list->CachedRecord(recordNo);
    if (!record)
        return;
    SelectRow(row);
    CColumnData* titleColumn = list->m_ppColumnData[m_pModel->ColumnIndex(0)];
    CFcCharDetailDlg dialog(m_pDataManager, recordNo, this, IDD_FC_SUBF_MULTILINETEXT);
    dialog.SetCaption(windowTitle());
    dialog.SetTitle(titleColumn->GetDescript(record->value(m_pModel->ColumnIndex(0))));
    dialog.SetText(record->value(ColumnOf(list, "CHARDATA")));
    emit textDialogOpening(&dialog);
    if (dialog.DoModal() == platform::IDOK)
        m_pModel->RowChanged(row);
}

} // namespace kesmond
