#include "goods/CRecordListModel.h"

#include "goods/NumericSortKey.h"
#include "goods/UnlistedLabelKey.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"

#include <algorithm>
#include <variant>
#include <vector>

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
        return QVariant::fromValue(
            Qt::Alignment(column->GetType() == SQLTYPE_NUMERIC ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
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
    if (role == Qt::DisplayRole)
        return GetLangString(column->m_strLabelKey);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::Alignment(column->GetType() == SQLTYPE_NUMERIC ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    return {};
}

void CRecordListModel::SortRecords(int columnIndex, bool ascending)
{
    m_nSortColumn = columnIndex;
    m_bSortAscending = ascending;
    if (!m_pRecords || !m_pList || columnIndex < 0 || columnIndex >= m_pList->m_nColumnCount)
        return;
    CColumnData* column = m_pList->m_ppColumnData[columnIndex];
    const bool numeric = column->GetType() == SQLTYPE_NUMERIC;
    // Each row's key is made once, not at every comparison.
    using Key = std::variant<NumericSortKey, QString>;
    std::vector<std::pair<Key, QStringList*>> rows;
    rows.reserve(size_t(m_pRecords->GetSize()));
    for (QStringList* row : *m_pRecords) {
        const QString value = row ? row->value(columnIndex) : QString();
        rows.emplace_back(
            numeric ? Key(MakeNumericSortKey(value)) : Key(column->GetDescript(value)), row);
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::stable_sort(rows.begin(), rows.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i)
        m_pRecords->SetAt(i, rows[size_t(i)].second);
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
