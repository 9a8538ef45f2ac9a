#pragma once

#include <QString>

namespace dunmarel {

// What the detail model asks of the detail list for each cell, so that the
// model needs nothing else of the list.
class ISettingDetailCells
{
public:
    virtual ~ISettingDetailCells() = default;

    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    virtual QString ColumnTitle(int column) const = 0;
    virtual Qt::Alignment ColumnAlignment(int column) const = 0;
    virtual QString GetCellText(int row, int column) const = 0;
};

} // namespace dunmarel
