#include "goods/CHourlyListModel.h"

#include "goods/CHourlyData.h"
#include "goods/base/RecordSort.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"

#include <algorithm>

namespace brelkin {

namespace {

const QString kMarked = QStringLiteral("1");
const QString kUnmarked = QStringLiteral("0");

} // namespace

CHourlyListModel::CHourlyListModel(CColumnDataList* departments, CStringArrayPtrArray* deptRecords,
                                   CColumnDataList* items, CStringArrayPtrArray* itemRecords,
                                   QObject* parent)
    : QAbstractTableModel(parent),
      m_departments{departments, deptRecords, false}, m_items{items, itemRecords, true}
{
}

void CHourlyListModel::MarkRecords(const CHourlyData& targets)
{
    beginResetModel();
    m_nMarked = 0;
    for (const Group* group : {&m_items, &m_departments}) {
        const QString kind = GetLangString(group->items ? QStringLiteral("CRDS_PR_CLMN_HOURLYPLU")
                                                        : QStringLiteral("CRDS_PR_CLMN_HOURLYSEC"));
        const int targetKind = group->items ? CHourlyData::KindItem : CHourlyData::KindDepartment;
        for (CRecord* record : *group->records) {
            if (!record)
                continue;
            QStringList values = record->toList();
            while (values.size() < 3)
                values.append(QString());
            values[1] = kind;
            const bool marked = targets.IsTarget(targetKind, values.at(2));
            values[0] = marked ? kMarked : kUnmarked;
            *record = CRecord(values);
            m_nMarked += marked ? 1 : 0;
        }
    }
    endResetModel();
    emit markedCountChanged(m_nMarked);
}

void CHourlyListModel::BuildColumns()
{
    beginResetModel();
    m_columnMap.clear();
    const int count = std::min(m_departments.list->m_nColumnCount, m_items.list->m_nColumnCount);
    for (int i = 0; i < count; ++i) {
        const CColumnData* column = m_departments.list->m_ppColumnData[i];
        if (column && column->m_nLabelWidth != 0)
            m_columnMap << i;
    }
    endResetModel();
}

int CHourlyListModel::ColumnChars(int listColumn) const
{
    const int index = ColumnIndex(listColumn);
    if (index < 0)
        return 0;
    int chars = 0;
    for (const Group* group : {&m_departments, &m_items}) {
        CColumnData* column = group->list->m_ppColumnData[index];
        chars = std::max({chars, column->GetDescriptWidth(), column->m_nLabelWidth});
    }
    return chars;
}

const CHourlyListModel::Group* CHourlyListModel::GroupOf(int row, int& recordIndex) const
{
    const qsizetype firstSize = First().records->GetSize();
    if (row < 0)
        return nullptr;
    if (row < firstSize) {
        recordIndex = row;
        return &First();
    }
    recordIndex = int(row - firstSize);
    return recordIndex < Second().records->GetSize() ? &Second() : nullptr;
}

CRecord* CHourlyListModel::Record(int row, bool* item) const
{
    int index = 0;
    const Group* group = GroupOf(row, index);
    if (!group)
        return nullptr;
    if (item)
        *item = group->items;
    return group->records->GetAt(index);
}

bool CHourlyListModel::IsMarked(int row) const
{
    const CRecord* record = Record(row);
    return record && record->value(0) != kUnmarked;
}

void CHourlyListModel::SetMark(int row, bool marked)
{
    CRecord* record = Record(row);
    if (!record || IsMarked(row) == marked)
        return;
    record->replace(0, marked ? kMarked : kUnmarked);
    m_nMarked += marked ? 1 : -1;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

bool CHourlyListModel::MarkRows(const QList<int>& rows)
{
    QList<int> unmarked;
    for (int row : rows)
        if (Record(row) && !IsMarked(row) && !unmarked.contains(row))
            unmarked << row;
    if (!CanMark(int(unmarked.size())))
        return false;
    for (int row : unmarked)
        SetMark(row, true);
    emit markedCountChanged(m_nMarked);
    return true;
}

void CHourlyListModel::ClearRows(const QList<int>& rows)
{
    for (int row : rows)
        SetMark(row, false);
    emit markedCountChanged(m_nMarked);
}

int CHourlyListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0
                            : int(m_departments.records->GetSize() + m_items.records->GetSize());
}

int CHourlyListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columnMap.size());
}

QVariant CHourlyListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    int recordIndex = 0;
    const Group* group = GroupOf(index.row(), recordIndex);
    if (!group)
        return {};
    const int columnIndex = m_columnMap[index.column()];
    CColumnData* column = group->list->m_ppColumnData[columnIndex];
    const CRecord* record = group->records->GetAt(recordIndex);
    switch (role) {
    case Qt::DisplayRole:
        return record ? column->GetDescript(record->value(columnIndex)) : QString();
    case Qt::CheckStateRole:
        if (index.column() != 0)
            return {};
        return record && record->value(0) != kUnmarked ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(column));
    default:
        return {};
    }
}

bool CHourlyListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const bool marked = value.toInt() != Qt::Unchecked;
    if (marked == IsMarked(index.row()))
        return true;
    if (marked && !CanMark(1))
        return false; // the limit: the box stays empty
    SetMark(index.row(), marked);
    emit markedCountChanged(m_nMarked);
    return true;
}

Qt::ItemFlags CHourlyListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CHourlyListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnMap.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const CColumnData* column = m_departments.list->m_ppColumnData[m_columnMap[section]];
    if (role == Qt::DisplayRole)
        return GetLangString(column->m_strLabelKey);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(column));
    return {};
}

void CHourlyListModel::ClickColumn(int listColumn)
{
    const int index = ColumnIndex(listColumn);
    if (index < 0)
        return;
    const bool ascending = index != m_nSortColumn || !m_bSortAscending;
    SortGroups(index, ascending);
}

void CHourlyListModel::SortGroups(int columnIndex, bool ascending)
{
    m_nSortColumn = columnIndex;
    m_bSortAscending = ascending;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    if (columnIndex == 1) {
        // The kind is the same in a whole group: the groups change places.
        m_bItemsFirst = !m_bItemsFirst;
    } else {
        SortRecordCache(m_departments.list, m_departments.records, columnIndex, ascending);
        SortRecordCache(m_items.list, m_items.records, columnIndex, ascending);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace brelkin
