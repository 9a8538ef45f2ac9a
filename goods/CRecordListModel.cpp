#include "goods/CRecordListModel.h"

#include "goods/RecordSort.h"
#include "goods/UnlistedLabelKey.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"

namespace brelkin {

CRecordListModel::CRecordListModel(CColumnDataList* list, CStringArrayPtrArray* records,
                                   QObject* parent)
    : QAbstractTableModel(parent), m_pList(list), m_pRecords(records)
{
}

void CRecordListModel::BuildColumns()
{
    beginResetModel();
    m_columnMap.clear();
    for (int i = 0; m_pList && i < m_pList->m_nColumnCount; ++i) {
        const CColumnData* column = m_pList->m_ppColumnData[i];
        if (!column || IsUnlistedLabelKey(column->m_strLabelKey))
            continue;
        if (column->m_nLabelWidth != 0 && column->m_bVisible)
            m_columnMap << i;
    }
    endResetModel();
}

int CRecordListModel::ColumnIndex(int modelColumn) const
{
    return m_columnMap.value(modelColumn, -1);
}

CColumnData* CRecordListModel::ColumnData(int modelColumn) const
{
    const int index = ColumnIndex(modelColumn);
    return index < 0 ? nullptr : m_pList->m_ppColumnData[index];
}

QString CRecordListModel::RecordValue(int row, int modelColumn) const
{
    const int index = ColumnIndex(modelColumn);
    const QStringList* record = m_pRecords ? m_pRecords->GetAt(row) : nullptr;
    return index < 0 || !record ? QString() : record->value(index);
}

int CRecordListModel::ColumnChars(int modelColumn) const
{
    const int index = ColumnIndex(modelColumn);
    if (index < 0)
        return 0;
    CColumnData* column = m_pList->m_ppColumnData[index];
    return std::max(column->GetDescriptWidth(), column->m_nLabelWidth);
}

void CRecordListModel::Reload()
{
    beginResetModel();
    endResetModel();
}

int CRecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pRecords ? 0 : int(m_pRecords->GetSize());
}

int CRecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columnMap.size());
}

QVariant CRecordListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    CColumnData* column = m_pList->m_ppColumnData[m_columnMap[index.column()]];
    if (role == Qt::DisplayRole) {
        const QStringList* row = m_pRecords->GetAt(index.row());
        return row ? CellText(*row, m_columnMap[index.column()]) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(column));
    return {};
}

QString CRecordListModel::CellText(const QStringList& record, int columnIndex) const
{
    return m_pList->m_ppColumnData[columnIndex]->GetDescript(record.value(columnIndex));
}

QVariant CRecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnMap.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const CColumnData* column = m_pList->m_ppColumnData[m_columnMap[section]];
    if (role == Qt::DisplayRole) {
        // A key without text shows itself (a floating item's name).
        const QString text = GetLangString(column->m_strLabelKey);
        return text.isEmpty() ? column->m_strLabelKey : text;
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(column));
    return {};
}

void CRecordListModel::SortRecords(int columnIndex, bool ascending)
{
    m_nSortColumn = columnIndex;
    m_bSortAscending = ascending;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    SortRecordCache(m_pList, m_pRecords, columnIndex, ascending);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CRecordListModel::ClickColumn(int modelColumn)
{
    const int index = ColumnIndex(modelColumn);
    if (index < 0)
        return;
    const bool ascending = index != m_nSortColumn || !m_bSortAscending;
    SortRecords(index, ascending);
}

int CRecordListModel::FindRecordByKey(const QString& code)
{
    SortRecords(0, true);
    if (!m_pRecords)
        return -1;
    qsizetype low = 0;
    qsizetype high = m_pRecords->GetSize() - 1;
    while (low <= high) {
        const qsizetype middle = low + (high - low) / 2;
        const int order = m_pRecords->GetAt(middle)->value(0).compare(code);
        if (order == 0)
            return int(middle);
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

} // namespace brelkin
