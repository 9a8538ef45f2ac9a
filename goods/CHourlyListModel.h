#pragma once

#include <QAbstractTableModel>
#include <QList>

class CColumnDataList;
class CRecord;
class CStringArrayPtrArray;

namespace brelkin {

class CHourlyData;

// The hourly-report window's rows: every department and every item, the
// departments first unless the groups were swapped. Column 0 of a record is
// its mark ("1" a target), column 1 its kind text, column 2 its code; the
// first list column carries the mark as its check state. At most 300 rows
// are marked. Free of widgets.
class CHourlyListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kLimit = 300;

    CHourlyListModel(CColumnDataList* departments, CStringArrayPtrArray* deptRecords,
                     CColumnDataList* items, CStringArrayPtrArray* itemRecords,
                     QObject* parent = nullptr);

    // Marks and kind texts from the stored targets; counts the marks.
    void MarkRecords(const CHourlyData& targets);
    // The columns both tables list (by the departments' column facts).
    void BuildColumns();
    int ColumnIndex(int listColumn) const { return m_columnMap.value(listColumn, -1); }
    // Width of a list column in characters, the larger of both tables.
    int ColumnChars(int listColumn) const;

    int MarkedCount() const { return m_nMarked; }
    // Room for n more marks.
    bool CanMark(int n) const { return m_nMarked + n <= kLimit; }
    // Marks every unmarked row of rows, all or none: false (nothing marked)
    // when they would pass the limit.
    bool MarkRows(const QList<int>& rows);
    void ClearRows(const QList<int>& rows);
    bool IsMarked(int row) const;
    // The record of a row and whether it is an item.
    CRecord* Record(int row, bool* item = nullptr) const;

    // A header click on a list column: the kind column swaps the groups,
    // any other sorts each group by itself (the same column again reverses).
    void ClickColumn(int listColumn);
    void SortGroups(int columnIndex, bool ascending);
    bool ItemsFirst() const { return m_bItemsFirst; }
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void markedCountChanged(int count);

private:
    struct Group
    {
        CColumnDataList* list;
        CStringArrayPtrArray* records;
        bool items;
    };
    const Group& First() const { return m_bItemsFirst ? m_items : m_departments; }
    const Group& Second() const { return m_bItemsFirst ? m_departments : m_items; }
    const Group* GroupOf(int row, int& recordIndex) const;
    void SetMark(int row, bool marked);

    Group m_departments;
    Group m_items;
    QList<int> m_columnMap;
    int m_nMarked = 0;
    int m_nSortColumn = 0;
    bool m_bSortAscending = true;
    bool m_bItemsFirst = false;
};

} // namespace brelkin
