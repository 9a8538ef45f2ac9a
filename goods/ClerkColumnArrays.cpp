// Clerk, set menu, mix & match and hourly-target columns.
#include "goods/CColumnDataDallasKey.h"
#include "goods/CColumnDataNum.h"
#include "goods/ColumnArray.h"
#include "goods/GoodsColumnArrays.h"
#include "goods/GoodsStaticItems.h"

#include "shared/data/CColumnDataDBComboDef.h"
#include "shared/data/CColumnDataDef.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataPriceEdit.h"
#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/data/CColumnDataStaticComboDef.h"
#include "shared/data/CColumnDataUniqueRadioDef.h"

namespace brelkin {

namespace {

CColumnData* NewTimeStamp(const char* column)
{
    return new CColumnData(QLatin1String(column), QString(), 0, 0);
}

// The restaurant form shows the bill-number range on its page.
CColumnData** NewClerks(bool restaurant)
{
    const uint fromCtrl = restaurant ? 23126 : 0;
    const uint toCtrl = restaurant ? 23128 : 0;
    return ToColumnArray({
        new CColumnData(QStringLiteral("CLKCODE"), QStringLiteral("CRDS_PR_CLMN_CLKCODE"), 23111,
                        0),
        new CColumnDataDef(QStringLiteral("CLKNAME"), QStringLiteral("CRDS_PR_CLMN_CLKNAME"), 23113,
                           23112, QString()),
        new CColumnData(QStringLiteral("PASSWORD"), QString(), 23115, 23114),
        new CColumnDataDBComboDef(QStringLiteral("CLKGRPCODE"),
                                  QStringLiteral("CRDS_PR_CLMN_CLKGRPCODE"), 23119, 23116,
                                  QStringLiteral("CSB005"), QStringLiteral("CLKGRPCODE"),
                                  QStringLiteral("CLKGRPNAME"), 0, QStringLiteral("000001")),
        new CColumnDataDef(QStringLiteral("DRAWERNUMBER"), QString(), 0, 0, QStringLiteral("0")),
        new CColumnDataDef(QStringLiteral("CLKINTCODE"), QStringLiteral("CRDS_PR_CLMN_CLKINTCODE"),
                           23124, 23123, QStringLiteral("000000")),
        new CColumnDataDef(QStringLiteral("NBCHKNUMFROM"),
                           restaurant ? QStringLiteral("CRDS_PR_CLMN_CLKINTCODE1") : QString(),
                           fromCtrl, restaurant ? 23125 : 0, QStringLiteral("000000")),
        new CColumnDataDef(QStringLiteral("NBCHKNUMTO"),
                           restaurant ? QStringLiteral("CRDS_PR_CLMN_CLKINTCODE2") : QString(),
                           toCtrl, restaurant ? 23127 : 0, QStringLiteral("999999")),
        // A second descriptor of the clerk code: its control edits the key id.
        new CColumnDataDallasKey(QStringLiteral("CLKCODE"),
                                 QStringLiteral("CRDS_PR_CLMN_DALLASKEYID"), 23118, 23117),
        new CColumnDataUniqueRadioDef(QStringLiteral("UNUSABLE"),
                                      QStringLiteral("CRDS_PR_CLMN_UNUSABLE"), 23121, 23120,
                                      kClerkUsableKeys, QStringLiteral("0")),
        NewTimeStamp("CREATEDATETIME"),
        NewTimeStamp("UPDATEDATETIME"),
    });
}

CColumnData** NewSetMenus(const tagCLMSTRITEM* setTypes, int count)
{
    return ToColumnArray({
        new CColumnData(QStringLiteral("SETITEMCODE"), QStringLiteral("CRDS_PR_CLMN_SETMENUCODE"),
                        23019, 0),
        new CColumnData(QStringLiteral("SETITEMNAME"), QStringLiteral("CRDS_PR_CLMN_SETMENUNAME"),
                        20007, 23030),
        new CColumnDataStaticComboDef(QStringLiteral("SETTYPE"),
                                      QStringLiteral("CRDS_PR_CLMN_SETMENUTYPE"), 23135, 23134,
                                      setTypes, count, 0, 1, QStringLiteral("0")),
        new CColumnDataNum(QStringLiteral("LISTMIN"), QStringLiteral("CRDS_PR_CLMN_SETMENULISTMIN"),
                           23137, 23136, 2, 2, 0),
        new CColumnDataNum(QStringLiteral("LISTMAX"), QStringLiteral("CRDS_PR_CLMN_SETMENULISTMAX"),
                           23140, 23139, 2, 2, 0),
        NewTimeStamp("CREATEDATETIME"),
        NewTimeStamp("UPDATEDATETIME"),
    });
}

// The key column three times (key, type title, code title), then the name.
CColumnData** NewHourly(const QString& codeColumn, const QString& nameColumn)
{
    return ToColumnArray({
        new CColumnData(codeColumn, QString(), 0, 0),
        new CColumnData(codeColumn, QStringLiteral("CRDS_PR_CLMN_HOURLYTYPE"), 0, 0),
        new CColumnData(codeColumn, QStringLiteral("CRDS_PR_CLMN_HOURLYCODE"), 0, 0),
        new CColumnData(nameColumn, QStringLiteral("CRDS_PR_CLMN_HOURLYNAME"), 0, 0),
    });
}

} // namespace

CColumnData** NewClerkColumns()
{
    return NewClerks(false);
}

CColumnData** NewClerkRestaurantColumns()
{
    return NewClerks(true);
}

CColumnData** NewSetMenuColumns()
{
    return NewSetMenus(kSetTypeItems3, 3);
}

CColumnData** NewSetMenuRestaurantColumns()
{
    return NewSetMenus(kSetTypeItems6, 6);
}

CColumnData** NewMixMatchColumns()
{
    return ToColumnArray({
        new CColumnData(QStringLiteral("MMCODE"), QStringLiteral("CRDS_PR_CLMN_MMCODE"), 23019, 0),
        new CColumnData(QStringLiteral("MMNAME"), QStringLiteral("CRDS_PR_CLMN_MMNAME"), 20007,
                        23030),
        new CColumnDataStaticCombo(QStringLiteral("MMDISCOUNTTYPE"),
                                   QStringLiteral("CRDS_PR_CLMN_MMDISCOUNTTYPE"), 23146, 23132,
                                   kMixMatchTypeItems, 3, 0, 1),
        new CColumnDataStaticComboDef(QStringLiteral("CONDITIONTYPE"),
                                      QStringLiteral("CRDS_PR_CLMN_CONDITIONTYPE"), 23148, 23147,
                                      kConditionItems, 10, 0, 1, QStringLiteral("0")),
        new CColumnDataStaticComboDef(QStringLiteral("DISCOUNTTYPE"),
                                      QStringLiteral("CRDS_PR_CLMN_DISCOUNTTYPE"), 23155, 23154,
                                      kDiscountTypeItems, 2, 0, 1, QStringLiteral("0")),
        new CColumnDataPriceEdit(QStringLiteral("DISCOUNTAMT"),
                                 QStringLiteral("CRDS_PR_CLMN_DISCOUNTAMT"), 20008, 23149),
        new CColumnDataNum(QStringLiteral("DISCOUNTRATE"),
                           QStringLiteral("CRDS_PR_CLMN_DISCOUNTRATE"), 23151, 23150, 7, 6, 2),
        new CColumnDataStaticCombo(QStringLiteral("TARGETITEMTYPE"),
                                   QStringLiteral("CRDS_PR_CLMN_TARGETITEMTYPE"), 23153, 23152,
                                   kTargetItemTypeItems, 4, 0, 1),
        new CColumnDataItemSelectBtn(QStringLiteral("TARGETITEMCODE"),
                                     QStringLiteral("CRDS_PR_CLMN_TARGETITEMCODE"), 23157, 23031,
                                     QStringLiteral("CIA001"), QStringLiteral("ITEMCODE"),
                                     QStringLiteral("ITEMNAME"), 1),
        NewTimeStamp("CREATEDATETIME"),
        NewTimeStamp("UPDATEDATETIME"),
    });
}

CColumnData** NewHourlyDeptColumns()
{
    return NewHourly(QStringLiteral("ITEMDEPTCODE"), QStringLiteral("ITEMDEPTNAME"));
}

CColumnData** NewHourlyPluColumns()
{
    return NewHourly(QStringLiteral("ITEMCODE"), QStringLiteral("ITEMNAME"));
}

} // namespace brelkin
