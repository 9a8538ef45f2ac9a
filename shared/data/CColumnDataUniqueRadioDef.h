#pragma once

#include "shared/data/CColumnDataUniqueRadio.h"

// A radio-group column whose new rows get a default value.
class CColumnDataUniqueRadioDef : public CColumnDataUniqueRadio
{
public:
    CColumnDataUniqueRadioDef() = default;
    CColumnDataUniqueRadioDef(const QString& column, const QString& labelKey, uint ctrlId,
                              uint labelCtrlId, const char* const* labelKeys,
                              const QString& defaultValue)
        : CColumnDataUniqueRadio(column, labelKey, ctrlId, labelCtrlId, labelKeys)
    {
        m_strDefaultValue = defaultValue;
    }
};
