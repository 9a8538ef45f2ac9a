#include "goods/base/CRecordListModel.h"

#include "goods/base/RecordSort.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"

#include <QHash>

#include <algorithm>

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
        if (!column || (m_unlistedLabelKey && m_unlistedLabelKey(column->m_strLabelKey)))
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
    const CRecord* record = m_pRecords ? m_pRecords->GetAt(row) : nullptr;
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

bool CRecordListModel::IsNumericColumn(int columnIndex) const
{
    if (m_numbers == NumberColumns::None)
        return false;
    if (m_numbers == NumberColumns::FirstAndByType && columnIndex == 0)
        return true;
    return m_pList && columnIndex >= 0 && columnIndex < m_pList->m_nColumnCount &&
           IsNumericType(m_pList->m_ppColumnData[columnIndex]);
}

void CRecordListModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void CRecordListModel::RowChanged(int row)
{
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
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
    const int columnIndex = m_columnMap[index.column()];
    if (role == Qt::DisplayRole) {
        const CRecord* row = m_pRecords->GetAt(index.row());
        return row ? CellText(*row, columnIndex) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(IsNumericColumn(columnIndex)));
    return {};
}

QString CRecordListModel::CellText(const CRecord& record, int columnIndex) const
{
    return m_pList->m_ppColumnData[columnIndex]->GetDescript(record.value(columnIndex));
}

QVariant CRecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnMap.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const int columnIndex = m_columnMap[section];
    const CColumnData* column = m_pList->m_ppColumnData[columnIndex];
    if (role == Qt::DisplayRole) {
        // A key without text shows itself (a floating item's name).
        const QString text = GetLangString(column->m_strLabelKey);
        return text.isEmpty() ? column->m_strLabelKey : text;
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(IsNumericColumn(columnIndex)));
    return {};
}

void CRecordListModel::SortRecords(int columnIndex, bool ascending)
{
    m_nSortColumn = columnIndex;
    m_bSortAscending = ascending;
    if (!m_pRecords || !m_pList || columnIndex < 0 || columnIndex >= m_pList->m_nColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<const CRecord*> records;
    records.reserve(before.size());
    for (const QModelIndex& index : before)
        records << m_pRecords->GetAt(index.row());
    SortRecordCache(m_pList, m_pRecords, columnIndex, ascending, IsNumericColumn(columnIndex));
    // The selection and the current row follow their records.
    if (!before.isEmpty()) {
        QHash<const CRecord*, int> rowOf;
        rowOf.reserve(m_pRecords->GetSize());
        for (qsizetype row = 0; row < m_pRecords->GetSize(); ++row)
            rowOf.insert(m_pRecords->GetAt(row), int(row));
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after << index(rowOf.value(records[i], -1), before[i].column());
        changePersistentIndexList(before, after);
    }
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
