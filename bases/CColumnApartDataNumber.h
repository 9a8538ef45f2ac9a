#pragma once

#include "bases/CColumnApartData.h"

namespace dunmarel {

// One end of the scanning-PLU number range (controls 1091 start, 1092 end):
// digits, start at least 1, end at most 99999, start not after end.
class CColumnApartDataNumber : public CColumnApartData
{
public:
    enum : uint { IDC_RANGE_START = 1091, IDC_RANGE_END = 1092 };

    CColumnApartDataNumber(const QString& table, const QString& column, const QString& keyColumn,
                           const QString& keyValue, uint ctrlId, uint labelCtrlId, int editWidth,
                           int size);
    ~CColumnApartDataNumber() override;

    bool CheckControlValue(QWidget* control) override;
};

} // namespace dunmarel
