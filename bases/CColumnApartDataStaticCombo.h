#pragma once

#include "shared/data/CColumnDataStaticCombo.h"

namespace dunmarel {

// A numbered choice of a static table, stored as "%d" in its own row.
class CColumnApartDataStaticCombo : public CColumnDataStaticCombo
{
public:
    CColumnApartDataStaticCombo(const QString& table, const QString& column,
                                const QString& keyColumn, const QString& keyValue, uint ctrlId,
                                uint labelCtrlId, const tagCLMSTRITEM* items, int count,
                                int addBlank, int zeroPad);
    ~CColumnApartDataStaticCombo() override;

    void ReadCandidate(QWidget* control) override;
    // Every value is looked at: a combo must show one of its choices.
    bool CheckControlValue(QWidget* control) override;
};

} // namespace dunmarel
