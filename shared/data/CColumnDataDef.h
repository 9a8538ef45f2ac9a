#pragma once

#include "shared/data/CColumnData.h"

// A column whose new rows get a default value.
class CColumnDataDef : public CColumnData
{
public:
    CColumnDataDef() = default;
    CColumnDataDef(const QString& column, const QString& labelKey, uint ctrlId, uint labelCtrlId,
                   const QString& defaultValue)
        : CColumnData(column, labelKey, ctrlId, labelCtrlId)
    {
        m_strDefaultValue = defaultValue;
    }
};
