#pragma once

#include "shared/data/CStringArrayPtrList.h"

#include <QAbstractTableModel>
#include <QStringList>

// The rows of a chooser as a table: row r, column c is value c of the r-th
// row of the list (found by index, never by walking the list). The list
// belongs to the caller and must outlive the model; call Reload after
// changing it.
class CSelectItemModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CSelectItemModel(const CStringArrayPtrList* rows, QObject* parent = nullptr);
    ~CSelectItemModel() override;

    void SetHeaders(const QStringList& headers);
    void Reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const CStringArrayPtrList* m_rows;
    QStringList m_headers;
    int m_rowCount = 0;
};
