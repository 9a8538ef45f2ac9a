#include "bases/CSettingDetailModel.h"

namespace dunmarel {

CSettingDetailModel::CSettingDetailModel(const ISettingDetailCells& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list)
{
}

int CSettingDetailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.RowCount();
}

int CSettingDetailModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.ColumnCount();
}

QVariant CSettingDetailModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole)
        return m_list.GetCellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_list.ColumnAlignment(index.column()) | Qt::AlignVCenter);
    return {};
}

QVariant CSettingDetailModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_list.ColumnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_list.ColumnTitle(section);
    return {};
}

void CSettingDetailModel::RowChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole});
}

} // namespace dunmarel
