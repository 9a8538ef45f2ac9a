#pragma once

#include "shared/data/CColumnData.h"

// A price column shown in a CPriceEdit. Programs recognise price columns
// (and their subclasses) by dynamic_cast to this class.
class CColumnDataPriceEdit : public CColumnData
{
public:
    CColumnDataPriceEdit() = default;
    CColumnDataPriceEdit(const QString& column, const QString& labelKey, uint ctrlId,
                         uint labelCtrlId)
        : CColumnData(column, labelKey, ctrlId, labelCtrlId)
    {
    }

    // Sets the edit's digit count to the column size, then its text.
    void SetControlValue(QWidget* control, const QString& value) override;
};
