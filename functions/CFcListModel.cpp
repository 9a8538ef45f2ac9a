#include "functions/CFcListModel.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"

#include <algorithm>
#include <vector>

namespace kesmond {

CFcListModel::CFcListModel(CColumnDataList* list, CStringArrayPtrArray* records, QObject* parent)
    : QAbstractTableModel(parent), m_pList(list), m_pRecords(records)
{
}

void CFcListModel::BuildColumns()
{
    beginResetModel();
    m_columnMap.clear();
    for (int i = 0; m_pList && i < m_pList->m_nColumnCount; ++i)
        if (m_pList->m_ppColumnData[i] && m_pList->m_ppColumnData[i]->m_nLabelWidth != 0)
            m_columnMap << i;
    endResetModel();
}

bool CFcListModel::IsNumericColumn(int columnIndex) const
{
    // The running number counts as a number whatever its column holds.
    if (!m_bNumericColumns)
        return false;
    return columnIndex == 0 ||
           (m_pList && columnIndex > 0 && columnIndex < m_pList->m_nColumnCount &&
            m_pList->m_ppColumnData[columnIndex]->GetType() == SQLTYPE_NUMERIC);
}

int CFcListModel::ColumnChars(int modelColumn) const
{
    const int index = ColumnIndex(modelColumn);
    if (index < 0)
        return 0;
    CColumnData* column = m_pList->m_ppColumnData[index];
    const int size = column->m_nSize + (column->m_nDecimals != 0 ? 1 : 0);
    return std::max({size, column->m_nLabelWidth, column->GetDescriptWidth()});
}

void CFcListModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void CFcListModel::RowChanged(int row)
{
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int CFcListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pRecords ? 0 : int(m_pRecords->GetSize());
}

int CFcListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columnMap.size());
}

QVariant CFcListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int columnIndex = m_columnMap[index.column()];
    if (role == Qt::DisplayRole) {
        const QStringList* row = m_pRecords->GetAt(index.row());
        return row ? m_pList->m_ppColumnData[columnIndex]->GetDescript(row->value(columnIndex))
                   : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::Alignment(IsNumericColumn(columnIndex) ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    return {};
}

QVariant CFcListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnMap.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const int columnIndex = m_columnMap[section];
    if (role == Qt::DisplayRole)
        return GetLangString(m_pList->m_ppColumnData[columnIndex]->m_strLabelKey);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::Alignment(IsNumericColumn(columnIndex) ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    return {};
}

void CFcListModel::ClickColumn(int modelColumn)
{
    const int index = ColumnIndex(modelColumn);
    if (index < 0)
        return;
    SortRecords(index, index != m_nSortColumn || !m_bSortAscending);
}

void CFcListModel::SortRecords(int columnIndex, bool ascending)
{
    m_nSortColumn = columnIndex;
    m_bSortAscending = ascending;
    if (!m_pRecords || !m_pList || columnIndex < 0 || columnIndex >= m_pList->m_nColumnCount)
        return;
    CColumnData* column = m_pList->m_ppColumnData[columnIndex];
    const bool numeric = IsNumericColumn(columnIndex);
    // Each row's key is made once, not at every comparison.
    struct Keyed
    {
        int number;
        QString text;
        QStringList* row;
    };
    std::vector<Keyed> rows;
    rows.reserve(size_t(m_pRecords->GetSize()));
    for (QStringList* row : *m_pRecords) {
        const QString value = row ? row->value(columnIndex) : QString();
        if (numeric)
            rows.push_back({value.toInt(), QString(), row});
        else
            rows.push_back({0, column->GetDescript(value), row});
    }
    const auto less = [numeric](const Keyed& a, const Keyed& b) {
        return numeric ? a.number < b.number : a.text.compare(b.text, Qt::CaseSensitive) < 0;
    };
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<QStringList*> beforeRows;
    for (const QModelIndex& index : before)
        beforeRows << m_pRecords->GetAt(index.row());
    std::stable_sort(rows.begin(), rows.end(), [&](const Keyed& a, const Keyed& b) {
        return ascending ? less(a, b) : less(b, a);
    });
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i)
        m_pRecords->SetAt(i, rows[size_t(i)].row);
    // Selections and the current row follow their records.
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        qsizetype at = 0;
        while (at < qsizetype(rows.size()) && rows[size_t(at)].row != beforeRows[i])
            ++at;
        after << index(int(at), before[i].column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace kesmond
