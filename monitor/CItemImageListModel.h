#pragma once

#include <QAbstractTableModel>
#include <QList>

class CRecord;
class CStringArrayPtrArray;

namespace mervolt {

class CColumnDataListMoLocal;

// The rows of the item-image list (the record cache) as a table of every
// column of the list in order: code, scan code, name, department and the
// image mark. Registered rows show their values as the columns describe
// them; rows of a display archive show them as stored. Sorting reorders the
// cache itself. Free of widgets.
class CItemImageListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum : int {
        CodeColumn = 0,
        ScanCodeColumn = 1,
        NameColumn = 2,
        DeptColumn = 3,
        MarkColumn = 4
    };

    CItemImageListModel(CColumnDataListMoLocal* list, CStringArrayPtrArray* records,
                        bool registered, QObject* parent = nullptr);

    // After the cache was read: every column of the list.
    void BuildColumns();
    // Width of a model column in characters: its values' or its title's,
    // else the language file's "CRDS_MO_COLUNWIDTH_<n>".
    int ColumnChars(int modelColumn) const;
    // After the cache changed.
    void Reload();

    // Numeric columns by their value, others by the text they show.
    void SortRecords(int columnIndex, bool ascending);
    // A header click: another column sorts ascending, the same one again
    // reverses. A display archive has no scan codes or departments to sort
    // by: false, nothing done.
    bool ClickColumn(int modelColumn);
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }
    // Sorts by the code ascending (unless it is) and finds the first row of
    // the code by halving; -1 for none.
    int FindRowByCode(const QString& code);
    // The first row of the code in the present order; -1 for none.
    int FirstRowOf(const QString& code) const;

    QString Value(int row, int columnIndex) const;
    QString Code(int row) const { return Value(row, CodeColumn); }
    bool HasMark(int row) const { return !Value(row, MarkColumn).isEmpty(); }
    // The mark text or "" into the row's mark column (never written back).
    void SetMark(int row, bool on);
    void SetValue(int row, int columnIndex, const QString& value);
    // A display archive's new code: {code, "-", "", "-", ""} at the end.
    void AppendCode(const QString& code);
    void RemoveRecord(int row);
    bool Registered() const { return m_bRegistered; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString CellText(const CRecord& record, int columnIndex) const;
    Qt::Alignment ColumnAlignment(int columnIndex) const;

    CColumnDataListMoLocal* m_pList;
    CStringArrayPtrArray* m_pRecords;
    bool m_bRegistered;
    QList<int> m_columnMap;
    int m_nSortColumn = 0;
    bool m_bSortAscending = true;
    bool m_bSortedByCode = false;
};

} // namespace mervolt
