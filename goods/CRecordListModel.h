#pragma once

#include <QAbstractTableModel>
#include <QList>

class CColumnData;
class CColumnDataList;
class CStringArrayPtrArray;

namespace brelkin {

// The rows of a mode's record cache as a table: one row per record, one
// column per listed column of the column list (the column map), texts as the
// columns describe their values. Sorting reorders the cache itself, so a
// row's record number stays its index + 1. Free of widgets.
class CRecordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    CRecordListModel(CColumnDataList* list, CStringArrayPtrArray* records,
                     QObject* parent = nullptr);

    // The column map from the column facts (read before): no unlisted key,
    // no empty label, no invisible column.
    void BuildColumns();
    // The column list index of a model column; -1 outside.
    int ColumnIndex(int modelColumn) const;
    // The descriptor of a model column, and a row's stored value in it;
    // nullptr and "" outside.
    CColumnData* ColumnData(int modelColumn) const;
    QString RecordValue(int row, int modelColumn) const;
    // Width of a model column in characters (its values' or its title's).
    int ColumnChars(int modelColumn) const;
    // After the cache changed (insert, delete, re-read).
    void Reload();

    // Sorts the cache by a column of the column list; numeric columns by
    // their value, others by the text they show.
    void SortRecords(int columnIndex, bool ascending);
    // A header click: another column sorts ascending, the same one again
    // reverses (so the first click on the code sorts descending).
    void ClickColumn(int modelColumn);
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }
    // Sorts by the code ascending and finds the code's row; -1 for none.
    int FindRecordByKey(const QString& code);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // The text of a record's value in a column of the column list.
    virtual QString CellText(const QStringList& record, int columnIndex) const;
    CColumnDataList* List() const { return m_pList; }

private:
    CColumnDataList* m_pList;
    CStringArrayPtrArray* m_pRecords;
    QList<int> m_columnMap;
    int m_nSortColumn = 0;
    bool m_bSortAscending = true;
};

} // namespace brelkin
