#pragma once

#include "bases/CColumnApartData.h"

namespace dunmarel {

// A number in an edit: digits, and "." where the value has decimals.
class CColumnApartNumData : public CColumnApartData
{
public:
    CColumnApartNumData(const QString& table, const QString& column, const QString& keyColumn,
                        const QString& keyValue, uint ctrlId, uint labelCtrlId, int editWidth,
                        int size, int decimals);
    ~CColumnApartNumData() override;

    bool CheckControlValue(QWidget* control) override;
};

} // namespace dunmarel
