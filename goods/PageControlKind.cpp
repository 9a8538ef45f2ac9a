#include "goods/PageControlKind.h"

#include "goods/GoodsDialogIds.h"
#include "goods/PageLayouts.h"

#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"
#include "shared/dialogs/SubItemValueCheck.h"

#include <QRegularExpression>

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

int SubItemKindOf(const QString& labelKey)
{
    static const QRegularExpression price(QStringLiteral("^CRDS_PR_CLMN_PRC([2-9]|10)(_.*)?$"));
    const QRegularExpressionMatch match = price.match(labelKey);
    if (match.hasMatch()) {
        const QString ending = match.captured(2);
        if (ending.isEmpty())
            return SubItemDlgType::DLGTYPE_MINUSPRICE;
        if (ending == QLatin1String("_TAX1") || ending == QLatin1String("_TAX2"))
            return SubItemDlgType::DLGTYPE_COMBO;
        if (ending == QLatin1String("_UQTY"))
            return SubItemDlgType::DLGTYPE_PERCENT;
        return SubItemDlgType::DLGTYPE_EDIT;
    }
    if (labelKey.startsWith(QLatin1String("CRDS_PR_CLMN_SETITEMNAME")) &&
        (labelKey.endsWith(QLatin1Char('4')) || labelKey.endsWith(QLatin1Char('5')) ||
         labelKey.endsWith(QLatin1Char('6'))) &&
        labelKey.size() == int(qstrlen("CRDS_PR_CLMN_SETITEMNAME")) + 1)
        return SubItemDlgType::DLGTYPE_COMBO;
    if (labelKey == QLatin1String("CRDS_PR_CLMN_ITEMCLASSIFICATION"))
        return SubItemDlgType::DLGTYPE_PERCENT;
    return SubItemDlgType::DLGTYPE_EDIT;
}

} // namespace brelkin
