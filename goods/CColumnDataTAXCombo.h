#pragma once

#include "shared/data/CColumnDataDBCombo.h"

namespace brelkin {

// A tax combo over the tax table: the fixed entry "00" (no tax) first, then
// the table's taxes up to "10".
class CColumnDataTAXCombo : public CColumnDataDBCombo
{
public:
    CColumnDataTAXCombo(const QString& column, const QString& labelKey, uint ctrlId,
                        uint labelCtrlId, const QString& table, const QString& codeColumn,
                        const QString& nameColumn, int addBlank);

    // Candidates in code order: "" (add blank only), "00", the table's rows.
    void ReadCandidate(QWidget* control) override;

private:
    bool ReadTaxRows();
};

} // namespace brelkin
