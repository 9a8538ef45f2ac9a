#include "launcher/CTableSelectModel.h"

#include "shared/data/CSqLiteUtility.h"
#include "stroven/Stroven.h"

#include <QItemSelectionModel>

#include <algorithm>

namespace tovanel {

namespace {

const QString kDisplayTable = QStringLiteral("CTT001");

} // namespace

CTableSelectModel::CTableSelectModel(const Columns& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns)
{
}

std::vector<CTableSelectModel::Table> CTableSelectModel::ReadTables(CSQliteDB& db,
                                                                    const QStringList& allowed)
{
    int err = 0;
    QStringList codes = *db.GetTableList(err);
    std::stable_sort(codes.begin(), codes.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    std::vector<Table> tables;
    CSQliteSQL names(db, kDisplayTable);
    for (const QString& code : std::as_const(codes)) {
        if (code == QLatin1String("Dummy") || code == QLatin1String("android_metadata"))
            continue;
        if (!allowed.isEmpty() && !allowed.contains(code))
            continue;
        QString name;
        int readErr = 0;
        if (const CSQRowArray* rows = CSqLiteUtility::ReadRows(names, {QStringLiteral("DISPNAME")},
                                                               QStringLiteral("TABLENAME = ?"),
                                                               {code}, QString(), 1, readErr);
            rows && !rows->isEmpty() && !rows->first()->isEmpty())
            name = rows->first()->first();
        names.ReleaseReadRows();
        tables.push_back({code, name});
    }
    return tables;
}

void CTableSelectModel::SetTables(const std::vector<Table>& tables)
{
    beginResetModel();
    m_tables = tables;
    m_values.assign(m_tables.size(), 0);
    endResetModel();
}

void CTableSelectModel::SetGroups(const std::vector<QStringList>& groups)
{
    m_groups = groups;
    if (!m_tables.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void CTableSelectModel::SetSelectionModel(QItemSelectionModel* selection)
{
    m_pSelection = selection;
}

bool CTableSelectModel::IsMarked(int row, int group) const
{
    return group >= 0 && size_t(group) < m_groups.size() &&
           m_groups[size_t(group)].contains(m_tables.at(size_t(row)).code);
}

QStringList CTableSelectModel::CodesWithValue(int value) const
{
    QStringList codes;
    for (size_t row = 0; row < m_tables.size(); ++row)
        if (m_values[row] == value)
            codes << m_tables[row].code;
    return codes;
}

QList<int> CTableSelectModel::SelectedRows() const
{
    QList<int> rows;
    if (!m_pSelection)
        return rows;
    for (const QModelIndex& index : m_pSelection->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> CTableSelectModel::AllRows() const
{
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row)
        rows << row;
    return rows;
}

QList<int> CTableSelectModel::GroupRows(int group) const
{
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row)
        if (IsMarked(row, group))
            rows << row;
    return rows;
}

void CTableSelectModel::SelectRows(const QList<int>& rows)
{
    if (!m_pSelection)
        return;
    QItemSelection selection;
    for (const int row : rows)
        selection.select(index(row, 0), index(row, columnCount() - 1));
    m_pSelection->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CTableSelectModel::SetValue(int row, int value)
{
    if (m_values.at(size_t(row)) == value)
        return;
    m_values[size_t(row)] = value;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void CTableSelectModel::SetTicked(int row, bool ticked)
{
    QList<int> rows = SelectedRows();
    if (!rows.contains(row))
        rows = {row};
    if (ticked)
        TickRows(rows, m_nTickValue, false);
    else
        UntickRows(rows);
}

void CTableSelectModel::TickRows(const QList<int>& rows, int value, bool keepTicked)
{
    for (const int row : rows)
        if (!(keepTicked && Value(row) != 0))
            SetValue(row, value);
}

void CTableSelectModel::UntickRows(const QList<int>& rows)
{
    for (const int row : rows)
        SetValue(row, 0);
}

int CTableSelectModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_tables.size());
}

int CTableSelectModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstGroupColumn() + int(m_columns.groups.size());
}

QVariant CTableSelectModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == 0)
        return Value(row) != 0 ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && column >= FirstGroupColumn())
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (column == 0)
        return m_tables[size_t(row)].code;
    if (column == 1)
        return m_tables[size_t(row)].name;
    if (column < FirstGroupColumn())
        return m_columns.valueTexts.value(Value(row));
    return IsMarked(row, column - FirstGroupColumn()) ? m_columns.mark : QString();
}

bool CTableSelectModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        role != Qt::CheckStateRole || index.column() != 0)
        return false;
    SetTicked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags CTableSelectModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CTableSelectModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    if (section == 0)
        return m_columns.code;
    if (section == 1)
        return m_columns.name;
    if (section < FirstGroupColumn())
        return m_columns.value;
    return m_columns.groups.value(section - FirstGroupColumn());
}

} // namespace tovanel
