#pragma once

#include "bases/ISettingDetailCells.h"

#include <QAbstractTableModel>

namespace dunmarel {

// The detail list's rows as a table: every cell is asked of the detail list,
// which answers from the manager's rows; the model keeps no text.
class CSettingDetailModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CSettingDetailModel(const ISettingDetailCells& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows were reordered or changed in place.
    void BeginReorder() { emit layoutAboutToBeChanged(); }
    void EndReorder() { emit layoutChanged(); }
    void RowChanged(int row);
    // The row count or the columns were set anew.
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const ISettingDetailCells& m_list;
};

} // namespace dunmarel
