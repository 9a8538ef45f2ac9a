#include "goods/UsePriceTypeTable.h"

#include "shared/lang/CProgramLang.h"

namespace brelkin {

UsePriceType UsePriceTypeTable[kUsePriceTypeCount] = {
    {"00", "CRDC_PR_LABEL_USEPRICETP00", {}}, {"20", "CRDC_PR_LABEL_USEPRICETP20", {}},
    {"01", "CRDC_PR_LABEL_USEPRICETP01", {}}, {"02", "CRDC_PR_LABEL_USEPRICETP02", {}},
    {"03", "CRDC_PR_LABEL_USEPRICETP03", {}}, {"04", "CRDC_PR_LABEL_USEPRICETP04", {}},
    {"05", "CRDC_PR_LABEL_USEPRICETP05", {}}, {"06", "CRDC_PR_LABEL_USEPRICETP06", {}},
    {"07", "CRDC_PR_LABEL_USEPRICETP07", {}}, {"08", "CRDC_PR_LABEL_USEPRICETP08", {}},
    {"09", "CRDC_PR_LABEL_USEPRICETP09", {}}, {"10", "CRDC_PR_LABEL_USEPRICETP10", {}},
};

void LoadUsePriceTexts()
{
    for (UsePriceType& entry : UsePriceTypeTable)
        entry.text = GetLangString(QLatin1String(entry.labelKey));
}

QString GetUsePriceText(const QString& value)
{
    for (const UsePriceType& entry : UsePriceTypeTable)
        if (value == QLatin1String(entry.value))
            return entry.text;
    return QString();
}

} // namespace brelkin
