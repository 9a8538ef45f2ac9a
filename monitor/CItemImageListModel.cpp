#include "monitor/CItemImageListModel.h"

#include "monitor/CColumnDataListMoLocal.h"

#include "shared/controls/TextColumns.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/data/NumberOfText.h"
#include "shared/lang/CProgramLang.h"

#include <algorithm>
#include <vector>

namespace mervolt {

CItemImageListModel::CItemImageListModel(CColumnDataListMoLocal* list,
                                         CStringArrayPtrArray* records, bool registered,
                                         QObject* parent)
    : QAbstractTableModel(parent), m_pList(list), m_pRecords(records), m_bRegistered(registered)
{
}

void CItemImageListModel::BuildColumns()
{
    beginResetModel();
    m_columnMap.clear();
    for (int i = 0; m_pList && i < m_pList->m_nColumnCount; ++i)
        m_columnMap << i;
    endResetModel();
}

int CItemImageListModel::ColumnChars(int modelColumn) const
{
    const int index = m_columnMap.value(modelColumn, -1);
    if (index < 0)
        return 0;
    CColumnData* column = m_pList->m_ppColumnData[index];
    const int chars = std::max(column->GetDescriptWidth(),
                               GetColumnCountOfUnicode(GetLangString(column->m_strLabelKey)));
    if (chars != 0)
        return chars;
    return int(NumberOfText(GetLangString(QStringLiteral("CRDS_MO_COLUNWIDTH_%1").arg(index + 1))));
}

void CItemImageListModel::Reload()
{
    m_bSortedByCode = false;
    beginResetModel();
    endResetModel();
}

QString CItemImageListModel::Value(int row, int columnIndex) const
{
    const CRecord* record = m_pRecords ? m_pRecords->GetAt(row) : nullptr;
    return record ? record->value(columnIndex) : QString();
}

void CItemImageListModel::SetValue(int row, int columnIndex, const QString& value)
{
    CRecord* record = m_pRecords ? m_pRecords->GetAt(row) : nullptr;
    if (!record || columnIndex < 0 || columnIndex >= record->size())
        return;
    record->replace(columnIndex, value);
    const int modelColumn = int(m_columnMap.indexOf(columnIndex));
    if (modelColumn >= 0)
        emit dataChanged(index(row, modelColumn), index(row, modelColumn));
}

void CItemImageListModel::SetMark(int row, bool on)
{
    SetValue(row, MarkColumn, on ? GetLangString(QStringLiteral("CRDS_MO_SELPMARK")) : QString());
}

void CItemImageListModel::AppendCode(const QString& code)
{
    if (!m_pList)
        return;
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_pList->AppendCodeRow(code);
    m_bSortedByCode = false;
    endInsertRows();
}

void CItemImageListModel::RemoveRecord(int row)
{
    if (!m_pRecords || row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_pRecords->RemoveAt(row); // the list keeps the row alive until it frees them
    endRemoveRows();
}

int CItemImageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pRecords ? 0 : int(m_pRecords->GetSize());
}

int CItemImageListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columnMap.size());
}

Qt::Alignment CItemImageListModel::ColumnAlignment(int columnIndex) const
{
    const CColumnData* column = m_pList->m_ppColumnData[columnIndex];
    return (column->GetType() == SQLTYPE_NUMERIC ? Qt::AlignRight : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

QVariant CItemImageListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int columnIndex = m_columnMap[index.column()];
    if (role == Qt::DisplayRole) {
        const CRecord* record = m_pRecords->GetAt(index.row());
        return record ? CellText(*record, columnIndex) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(columnIndex));
    return {};
}

QString CItemImageListModel::CellText(const CRecord& record, int columnIndex) const
{
    const QString value = record.value(columnIndex);
    // A display archive's rows hold no codes to describe.
    return m_bRegistered ? m_pList->m_ppColumnData[columnIndex]->GetDescript(value) : value;
}

QVariant CItemImageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnMap.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const int columnIndex = m_columnMap[section];
    if (role == Qt::DisplayRole)
        return GetLangString(m_pList->m_ppColumnData[columnIndex]->m_strLabelKey);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(columnIndex));
    return {};
}

void CItemImageListModel::SortRecords(int columnIndex, bool ascending)
{
    m_nSortColumn = columnIndex;
    m_bSortAscending = ascending;
    m_bSortedByCode = columnIndex == CodeColumn && ascending;
    if (!m_pRecords || !m_pList || columnIndex < 0 || columnIndex >= m_pList->m_nColumnCount)
        return;
    const bool numeric = m_pList->m_ppColumnData[columnIndex]->GetType() == SQLTYPE_NUMERIC;
    // Each row's key is made once, not at every comparison.
    // A numeric column sorts by number, any other by text (the other part stays empty).
    struct Key
    {
        qint64 number = 0;
        QString text;
        bool operator<(const Key& other) const
        {
            return number != other.number ? number < other.number : text < other.text;
        }
    };
    std::vector<std::pair<Key, CRecord*>> rows;
    rows.reserve(size_t(m_pRecords->GetSize()));
    for (CRecord* row : *m_pRecords) {
        Key key;
        if (numeric)
            key.number = NumberOfText(row ? row->value(columnIndex) : QString());
        else if (row)
            key.text = CellText(*row, columnIndex);
        rows.emplace_back(std::move(key), row);
    }
    const auto less = [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    };
    // Rows read in key order are often in order already.
    if (std::is_sorted(rows.begin(), rows.end(), less))
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<CRecord*> oldOrder(m_pRecords->begin(), m_pRecords->end());
    std::stable_sort(rows.begin(), rows.end(), less);
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i)
        m_pRecords->SetAt(i, rows[size_t(i)].second);
    // Selections follow their rows.
    if (!before.isEmpty()) {
        QHash<const CRecord*, int> newRow;
        for (qsizetype i = 0; i < qsizetype(rows.size()); ++i)
            newRow.insert(rows[size_t(i)].second, int(i));
        QModelIndexList after;
        for (const QModelIndex& old : before)
            after << index(newRow.value(oldOrder[size_t(old.row())], old.row()), old.column());
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool CItemImageListModel::ClickColumn(int modelColumn)
{
    const int index = m_columnMap.value(modelColumn, -1);
    if (index < 0)
        return false;
    if (!m_bRegistered && (index == ScanCodeColumn || index == DeptColumn))
        return false;
    const bool ascending = index != m_nSortColumn || !m_bSortAscending;
    SortRecords(index, ascending);
    return true;
}

int CItemImageListModel::FindRowByCode(const QString& code)
{
    if (!m_bSortedByCode)
        SortRecords(CodeColumn, true);
    qsizetype low = 0;
    qsizetype high = rowCount() - 1;
    while (low <= high) {
        const qsizetype middle = low + (high - low) / 2;
        const int order = Value(int(middle), CodeColumn).compare(code);
        if (order == 0) {
            qsizetype first = middle;
            while (first > 0 && Value(int(first - 1), CodeColumn) == code)
                --first;
            return int(first);
        }
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

int CItemImageListModel::FirstRowOf(const QString& code) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (Code(row) == code)
            return row;
    }
    return -1;
}

} // namespace mervolt
