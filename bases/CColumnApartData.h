#pragma once

#include "shared/data/CColumnData.h"

namespace dunmarel {

// One value of a key/value settings table bound to one control: the row of
// its own table whose key column holds the key value.
class CColumnApartData : public CColumnData
{
public:
    CColumnApartData(const QString& table, const QString& column, const QString& keyColumn,
                     const QString& keyValue, uint ctrlId, uint labelCtrlId);
    CColumnApartData(const QString& table, const QString& column, const QString& keyColumn,
                     const QString& keyValue, uint ctrlId, uint labelCtrlId, int editWidth);
    CColumnApartData(const QString& table, const QString& column, const QString& keyColumn,
                     const QString& keyValue, uint ctrlId, uint labelCtrlId, int editWidth,
                     int size, int decimals);
    ~CColumnApartData() override;

    // A message edit shows line breaks as the user sees them and gives them
    // back as stored (CR LF); other controls as the base moves them.
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;

    // Binds any descriptor to the row (table, keyColumn = keyValue).
    static void BindOwnRow(CColumnData& column, const QString& table, const QString& keyColumn,
                           const QString& keyValue);

    int m_nEditWidth = 0; // characters; 0: the value's size
};

} // namespace dunmarel
