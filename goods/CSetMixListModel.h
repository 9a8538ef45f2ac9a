#pragma once

#include "goods/base/CRecordListModel.h"

namespace brelkin {

// The records of a mix & match list: an offer of the set-price discount
// kind has no target item type, so that cell shows empty whatever it holds.
class CSetMixListModel : public CRecordListModel
{
    Q_OBJECT

public:
    enum : unsigned { IDC_MMDISCOUNTTYPE_LABEL = 23132, IDC_TARGETITEMTYPE_LABEL = 23152 };

    // discountTypeColumn: the column list index of the discount kind; 0
    // where the list has none (the rule then never applies).
    CSetMixListModel(CColumnDataList* list, CStringArrayPtrArray* records, int discountTypeColumn,
                     QObject* parent = nullptr);

    // The column list index of the first column with that label id; 0 for none.
    static int FindColumnByLabelId(const CColumnDataList* list, unsigned labelId);

protected:
    QString CellText(const CRecord& record, int columnIndex) const override;

private:
    int m_nMMDiscountTypeColumn;
};

} // namespace brelkin
