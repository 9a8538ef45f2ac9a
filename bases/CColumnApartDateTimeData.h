#pragma once

#include "bases/CColumnApartData.h"

namespace dunmarel {

// A date ("yyyyMMdd") or a time ("HHmm") in a picker (QDateEdit, QTimeEdit).
class CColumnApartDateTimeData : public CColumnApartData
{
public:
    CColumnApartDateTimeData(const QString& table, const QString& column, const QString& keyColumn,
                             const QString& keyValue, uint ctrlId, uint labelCtrlId, int dateFlag);
    ~CColumnApartDateTimeData() override;

    // A value that gives no valid date or time leaves the picker as it was.
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;

    int m_nDateFlag; // 1 date, 0 time
};

} // namespace dunmarel
