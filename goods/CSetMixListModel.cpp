#include "goods/CSetMixListModel.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"

namespace brelkin {

namespace {

const QString kSetPriceDiscount = QStringLiteral("2");

} // namespace

CSetMixListModel::CSetMixListModel(CColumnDataList* list, CStringArrayPtrArray* records,
                                   int discountTypeColumn, QObject* parent)
    : CRecordListModel(list, records, parent), m_nMMDiscountTypeColumn(discountTypeColumn)
{
}

int CSetMixListModel::FindColumnByLabelId(const CColumnDataList* list, unsigned labelId)
{
    for (int i = 0; list && i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_nLabelCtrlID == labelId)
            return i;
    return 0;
}

QString CSetMixListModel::CellText(const CRecord& record, int columnIndex) const
{
    if (List()->m_ppColumnData[columnIndex]->m_nLabelCtrlID == IDC_TARGETITEMTYPE_LABEL &&
        record.value(m_nMMDiscountTypeColumn) == kSetPriceDiscount)
        return QString();
    return CRecordListModel::CellText(record, columnIndex);
}

} // namespace brelkin
