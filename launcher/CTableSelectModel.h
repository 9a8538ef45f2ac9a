#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

#include <vector>

class CSQliteDB;
class QItemSelectionModel;

namespace tovanel {

// The table list of the selective save and of the table import, without
// widgets: one row per table of the work database with its code, display
// name, a value (the change type 0 to 3 of a save, the import mark 0 or 1 of
// an import; 0 = not ticked) and a mark per table group. Column 0 carries the
// tick. Ticking or unticking a row that is selected does the same to every
// selected row.
class CTableSelectModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Table
    {
        QString code;
        QString name;
    };

    // The header texts: code, name, the value column ("" = none) and one
    // column per group; the mark shown in a group column for its tables; the
    // text of each value in the value column (by value, "" for 0).
    struct Columns
    {
        QString code;
        QString name;
        QString value;
        QStringList groups;
        QString mark;
        QStringList valueTexts;
    };

    explicit CTableSelectModel(const Columns& columns, QObject* parent = nullptr);

    // The work database's tables, sorted without regard to case, without
    // "Dummy" and "android_metadata", only those in allowed (empty: every
    // table), each with the "DISPNAME" of its CTT001 row ("" when none).
    static std::vector<Table> ReadTables(CSQliteDB& db, const QStringList& allowed);

    void SetTables(const std::vector<Table>& tables);
    // One list of table codes per group column; a row is marked when its
    // code is in the list.
    void SetGroups(const std::vector<QStringList>& groups);
    // The view's selection: ticks of selected rows go to all of them, and
    // the group commands select their rows.
    void SetSelectionModel(QItemSelectionModel* selection);
    // The value a tick gives (the combo's change type; 1 for an import).
    void SetTickValue(int value) { m_nTickValue = value; }
    int TickValue() const { return m_nTickValue; }

    int Value(int row) const { return m_values.at(size_t(row)); }
    QString Code(int row) const { return m_tables.at(size_t(row)).code; }
    bool IsMarked(int row, int group) const;
    // Codes of the rows with that value, in row order.
    QStringList CodesWithValue(int value) const;
    QList<int> SelectedRows() const;

    // Ticks (with the tick value) or unticks the row, or every selected row
    // when it is selected.
    void SetTicked(int row, bool ticked);
    // Ticks rows: a ticked row keeps its value when keepTicked.
    void TickRows(const QList<int>& rows, int value, bool keepTicked);
    void UntickRows(const QList<int>& rows);
    QList<int> AllRows() const;
    QList<int> GroupRows(int group) const;
    // Makes exactly these rows the selected ones.
    void SelectRows(const QList<int>& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    int FirstGroupColumn() const { return m_columns.value.isEmpty() ? 2 : 3; }
    void SetValue(int row, int value);

    Columns m_columns;
    std::vector<Table> m_tables;
    std::vector<int> m_values;
    std::vector<QStringList> m_groups;
    QPointer<QItemSelectionModel> m_pSelection;
    int m_nTickValue = 1;
};

} // namespace tovanel
