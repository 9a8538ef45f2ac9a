#pragma once

#include "shared/data/CColumnData.h"

namespace brelkin {

// A number typed into a plain edit: digits, and a decimal point where the
// column has decimals, within a fixed count of integer and decimal digits.
class CColumnDataNum : public CColumnData
{
public:
    // Size and decimals from the table.
    CColumnDataNum(const QString& column, const QString& labelKey, uint ctrlId, uint labelCtrlId);
    // editLimit: characters the edit takes; size and decimals replace the
    // table's (size counts integer and decimal digits).
    CColumnDataNum(const QString& column, const QString& labelKey, uint ctrlId, uint labelCtrlId,
                   int editLimit, int size, int decimals);

    // Whether the text is such a number ("" passes).
    bool CheckNumberText(const QString& text) const;
};

} // namespace brelkin
