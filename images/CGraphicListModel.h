#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class CColumnDataList;
class CRecord;
class CStringArrayPtrArray;

namespace pellark {

// The graphic list's rows as a table: one list column per column of the
// column table that has a label (GRAPHICCODE and FILENAME), each cell the
// column's description of the stored value.
class CGraphicListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CGraphicListModel(CColumnDataList& columns, QObject* parent = nullptr);

    // Builds the column map from the columns' label widths (after the
    // table information has been read).
    void BuildColumns();
    // Takes the rows read into the array (key order); the array keeps them.
    void SetRows(const CStringArrayPtrArray& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // A click on a list column: ascending for a new column, else the other
    // direction; numeric columns by value, others by description text.
    void SortByListColumn(int listColumn);
    int SortColumn() const { return m_nSortColumn; }
    int SortDirection() const { return m_nSortDirection; }

    // The table column of a list column; -1 outside.
    int ColumnOf(int listColumn) const { return m_columnMap.value(listColumn, -1); }
    const CRecord* Row(int row) const { return m_rows.value(row, nullptr); }
    // The width of a list column in characters.
    int ColumnChars(int listColumn) const;

private:
    bool Before(const CRecord* a, const CRecord* b) const;
    QString Description(int column, const CRecord* row) const;

    CColumnDataList& m_columns;
    QList<int> m_columnMap;
    QList<CRecord*> m_rows;
    int m_nSortColumn = 0;
    int m_nSortDirection = 1;
};

} // namespace pellark
