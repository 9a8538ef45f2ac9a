#pragma once

#include <QAbstractTableModel>
#include <QList>

class CColumnData;
class CColumnDataList;
class CRecord;
class CStringArrayPtrArray;

// The rows of a record cache as a table: one row per record, one column per
// listed column of the column list (the column map), texts as the columns
// describe their values. Sorting reorders the cache itself, so a row's record
// number stays its index + 1, and the selection and the current row follow
// their records. The lists of every program show their records through it.
// Free of widgets.
class CRecordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Which columns show to the right and sort by value.
    enum class NumberColumns {
        ByType,         // the numeric columns
        FirstAndByType, // also column 0, a running number whatever its type
        None,           // none: every column by its text
    };

    CRecordListModel(CColumnDataList* list, CStringArrayPtrArray* records,
                     QObject* parent = nullptr);

    void SetNumberColumns(NumberColumns numbers) { m_numbers = numbers; }
    // Label keys that never get a list column (nullptr: every key may).
    void SetUnlistedLabelKeys(bool (*unlisted)(const QString& labelKey))
    {
        m_unlistedLabelKey = unlisted;
    }
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
    bool IsNumericColumn(int columnIndex) const;
    // After the cache changed (insert, delete, re-read).
    void Reload();
    // Redraws one row after its record changed.
    void RowChanged(int row);

    // Sorts the cache by a column of the column list; numeric columns by
    // their value, others by the text they show.
    void SortRecords(int columnIndex, bool ascending);
    // A header click: another column sorts ascending, the same one again
    // reverses (so the first click on column 0 sorts descending).
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
    virtual QString CellText(const CRecord& record, int columnIndex) const;
    CColumnDataList* List() const { return m_pList; }

private:
    CColumnDataList* m_pList;
    CStringArrayPtrArray* m_pRecords;
    QList<int> m_columnMap;
    int m_nSortColumn = 0;
    bool m_bSortAscending = true;
    NumberColumns m_numbers = NumberColumns::ByType;
    bool (*m_unlistedLabelKey)(const QString&) = nullptr;
};
