#include "goods/PageControlKind.h"

#include "goods/GoodsDialogIds.h"
#include "goods/PageLayouts.h"

#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"

namespace brelkin {

PageControlKind PageControlKindOf(const CColumnData* column, unsigned pageId, bool mainList)
{
    const uint id = column ? column->m_nCtrlID : 0;
    // The set price page shows the item code of the main list only; the
    // others all of it but that.
    if (id == 0 || id == 23189 || (mainList && (pageId == IDD_PAGE_SETPRICE) != (id == 23197)))
        return PageControlKind::None;
    if (id == 23019 || id == 23111 || id == 23197)
        return PageControlKind::CodeDisplay;
    if (dynamic_cast<const CColumnDataYesNoRadio*>(column) ||
        dynamic_cast<const CColumnDataUniqueRadio*>(column))
        return PageControlKind::Radio;
    if (dynamic_cast<const CColumnDataItemSelectBtn*>(column))
        return PageControlKind::ItemButton;
    if (dynamic_cast<const CColumnDataDBCombo*>(column))
        return PageControlKind::Combo;
    if (id == 23003 || id == 23140 || id == 23198)
        return PageControlKind::MinusPrice;
    if (id == 23004 || id == 23005)
        return PageControlKind::Percent;
    if (id == 23114)
        return PageControlKind::NumZero;
    return PageControlKind::Edit;
}

QString PageRadioKey(const CColumnData* column, unsigned pageId, int r)
{
    QString key = PageControlKey(pageId, column->m_nCtrlID + uint(r));
    auto* radio = dynamic_cast<const CColumnDataUniqueRadio*>(column);
    if (key.isEmpty() && radio && radio->m_ppLabelKeys && r < radio->m_nRadioCount)
        key = QLatin1String(radio->m_ppLabelKeys[r]);
    return key;
}

int PercentIntegerDigits(uint ctrlId)
{
    return ctrlId == 23004 ? 2 : 4;
}

int PercentDecimalDigits(uint ctrlId)
{
    return ctrlId == 23004 ? 3 : 2;
}

} // namespace brelkin
