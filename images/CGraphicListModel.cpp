#include "images/CGraphicListModel.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"

#include "stroven/Stroven.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pellark {

CGraphicListModel::CGraphicListModel(CColumnDataList& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns)
{
}

void CGraphicListModel::BuildColumns()
{
    beginResetModel();
    m_columnMap.clear();
    for (int i = 0; i < m_columns.m_nColumnCount; ++i)
        if (m_columns.m_ppColumnData[i] && m_columns.m_ppColumnData[i]->m_nLabelWidth != 0)
            m_columnMap << i;
    endResetModel();
}

void CGraphicListModel::SetRows(const CStringArrayPtrArray& rows)
{
    beginResetModel();
    m_rows.clear();
    for (qsizetype i = 0; i < rows.GetSize(); ++i)
        if (CRecord* row = rows.GetAt(i))
            m_rows << row;
    endResetModel();
}

int CGraphicListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CGraphicListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columnMap.size());
}

QString CGraphicListModel::Description(int column, const CRecord* row) const
{
    CColumnData* data = m_columns.m_ppColumnData[column];
    return data->GetDescript(row->value(column));
}

QVariant CGraphicListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const int column = ColumnOf(index.column());
    if (role == Qt::DisplayRole)
        return Description(column, m_rows.at(index.row()));
    if (role == Qt::TextAlignmentRole)
        return m_columns.m_ppColumnData[column]->GetType() == SQLTYPE_NUMERIC
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

QVariant CGraphicListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnMap.size())
        return QVariant();
    CColumnData* data = m_columns.m_ppColumnData[m_columnMap.at(section)];
    if (role == Qt::DisplayRole)
        return GetLangString(data->m_strLabelKey);
    if (role == Qt::TextAlignmentRole)
        return data->GetType() == SQLTYPE_NUMERIC ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                  : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

int CGraphicListModel::ColumnChars(int listColumn) const
{
    const int column = ColumnOf(listColumn);
    if (column < 0)
        return 0;
    CColumnData* data = m_columns.m_ppColumnData[column];
    return std::max(data->GetDescriptWidth(), data->m_nLabelWidth) + 2;
}

bool CGraphicListModel::Before(const CRecord* a, const CRecord* b) const
{
    const int column = m_nSortColumn;
    int order;
    if (m_columns.m_ppColumnData[column]->GetType() == SQLTYPE_NUMERIC) {
        const qint64 x = a->value(column).trimmed().toLongLong();
        const qint64 y = b->value(column).trimmed().toLongLong();
        order = x < y ? -1 : (x > y ? 1 : 0);
    } else {
        order = Description(column, a).compare(Description(column, b), Qt::CaseSensitive);
    }
    return m_nSortDirection > 0 ? order < 0 : order > 0;
}

void CGraphicListModel::SortByListColumn(int listColumn)
{
    const int column = ColumnOf(listColumn);
    if (column < 0)
        return;
    m_nSortDirection = column != m_nSortColumn ? 1 : -m_nSortDirection;
    m_nSortColumn = column;
    beginResetModel();
    // Iterative quicksort, Hoare partition around the middle row.
    std::vector<std::pair<int, int>> ranges{{0, int(m_rows.size()) - 1}};
    while (!ranges.empty()) {
        auto [low, high] = ranges.back();
        ranges.pop_back();
        if (low >= high)
            continue;
        const CRecord* pivot = m_rows.at(low + (high - low) / 2);
        int i = low, j = high;
        while (i <= j) {
            while (Before(m_rows.at(i), pivot))
                ++i;
            while (Before(pivot, m_rows.at(j)))
                --j;
            if (i <= j)
                m_rows.swapItemsAt(i++, j--);
        }
        ranges.push_back({low, j});
        ranges.push_back({i, high});
    }
    endResetModel();
}

} // namespace pellark
