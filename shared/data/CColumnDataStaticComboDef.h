#pragma once

#include "shared/data/CColumnDataStaticCombo.h"

// A static combo whose column has a default for new rows.
class CColumnDataStaticComboDef : public CColumnDataStaticCombo
{
public:
    CColumnDataStaticComboDef(const QString& column, const QString& labelKey, uint ctrlId,
                              uint labelCtrlId, const tagCLMSTRITEM* items, int count, int addBlank,
                              int zeroPad, const QString& defaultValue)
        : CColumnDataStaticCombo(column, labelKey, ctrlId, labelCtrlId, items, count, addBlank,
                                 zeroPad)
    {
        m_strDefaultValue = defaultValue;
    }
};
