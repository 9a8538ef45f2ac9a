#pragma once

#include "shared/data/CColumnDataUniqueRadio.h"

namespace dunmarel {

// A radio group whose checked button's index is stored in its own row.
class CColumnApartDataUniqueRadio : public CColumnDataUniqueRadio
{
public:
    CColumnApartDataUniqueRadio(const QString& table, const QString& column,
                                const QString& keyColumn, const QString& keyValue, uint ctrlId,
                                uint labelCtrlId, const char* const* labelKeys);
    ~CColumnApartDataUniqueRadio() override;

    // A value naming no button (none stored, or out of range) checks none.
    void SetControlValue(QWidget* control, const QString& value) override;
};

} // namespace dunmarel
