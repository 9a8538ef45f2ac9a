#include "shared/dialogs/CSelectItemModel.h"

CSelectItemModel::CSelectItemModel(const CStringArrayPtrList* rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows)
{
    m_rowCount = m_rows ? int(m_rows->GetCount()) : 0;
}

CSelectItemModel::~CSelectItemModel() = default;

void CSelectItemModel::SetHeaders(const QStringList& headers)
{
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

void CSelectItemModel::Reload()
{
    beginResetModel();
    m_rowCount = m_rows ? int(m_rows->GetCount()) : 0;
    endResetModel();
}

int CSelectItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int CSelectItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant CSelectItemModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const QStringList* row = m_rows->GetAt(index.row());
    return row ? row->value(index.column()) : QString();
}

QVariant CSelectItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_headers.size())
        return {};
    return m_headers.at(section);
}
