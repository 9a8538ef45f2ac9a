#pragma once

#include <QAbstractTableModel>
#include <QList>

class CColumnDataList;
class CStringArrayPtrArray;

namespace kesmond {

// The function keys of the record cache as a table: one row per cached
// record, one column per column with a label (the column map), texts as the
// columns describe their values; column 0, the running number, is numeric
// and right-aligned. Sorting reorders the cache itself, so the running
// numbers move with their rows. Free of widgets.
class CFcListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    CFcListModel(CColumnDataList* list, CStringArrayPtrArray* records, QObject* parent = nullptr);

    // The column map from the column facts (read before).
    void BuildColumns();
    int ColumnIndex(int modelColumn) const { return m_columnMap.value(modelColumn, -1); }
    // Width of a model column in characters.
    int ColumnChars(int modelColumn) const;
    bool IsNumericColumn(int columnIndex) const;
    // Off: no column is numeric, every column left-aligned and sorted by
    // its texts.
    void SetNumericColumns(bool numeric) { m_bNumericColumns = numeric; }
    void Reload();
    // Redraws one row after its record changed.
    void RowChanged(int row);

    // A header click: the same column again reverses, another sorts ascending.
    void ClickColumn(int modelColumn);
    void SortRecords(int columnIndex, bool ascending);
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    CColumnDataList* m_pList;
    CStringArrayPtrArray* m_pRecords;
    QList<int> m_columnMap;
    int m_nSortColumn = 0;
    bool m_bSortAscending = true;
    bool m_bNumericColumns = true;
};

} // namespace kesmond
