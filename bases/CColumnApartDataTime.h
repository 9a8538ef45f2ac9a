#pragma once

#include "bases/CColumnApartData.h"

namespace dunmarel {

// A time of day typed as four digits "HHmm" (at most 2359), or "0".
class CColumnApartDataTime : public CColumnApartData
{
public:
    CColumnApartDataTime(const QString& table, const QString& column, const QString& keyColumn,
                         const QString& keyValue, uint ctrlId, uint labelCtrlId, int editWidth,
                         int size);
    ~CColumnApartDataTime() override;

    bool CheckControlValue(QWidget* control) override;
};

} // namespace dunmarel
