// Department, group and item-parameter columns.
#include "goods/CColumnDataNum.h"
#include "goods/ColumnArray.h"
#include "goods/GoodsColumnArrays.h"
#include "goods/GoodsStaticItems.h"

#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataDBComboDef.h"
#include "shared/data/CColumnDataDef.h"
#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"

namespace brelkin {

namespace {

CColumnData* NewTimeStamp(const char* column)
{
    return new CColumnData(QLatin1String(column), QString(), 0, 0);
}

// One-digit static combo without blank entry.
CColumnData* NewChoice(const char* column, const char* labelKey, uint ctrlId, uint labelCtrlId,
                       const tagCLMSTRITEM* items, int count)
{
    return new CColumnDataStaticCombo(QLatin1String(column), QLatin1String(labelKey), ctrlId,
                                      labelCtrlId, items, count, 0, 1);
}

CColumnData* NewOrder(const char* column, const char* labelKey, uint ctrlId, uint labelCtrlId)
{
    return new CColumnDataStaticCombo(QLatin1String(column), QLatin1String(labelKey), ctrlId,
                                      labelCtrlId, kOrderNameItems, 16, 0, 2);
}

void AddCommissions(std::vector<CColumnData*>& columns)
{
    columns.push_back(
        NewChoice("COMMISSION1", "CRDS_PR_CLMN_COMMISSION1", 23165, 23164, kYesNoItemsNoZero, 2));
    // The page labels of COMMISSION2 and the selective items are hidden by
    // their own ids, so their label id is the control id.
    columns.push_back(
        NewChoice("COMMISSION2", "CRDS_PR_CLMN_COMMISSION2", 23167, 23167, kYesNoItemsNoZero, 2));
}

// SELECTIVEITEMn for n = from..to, "no" = 0, controls 23169, 23171, ...
void AddSelectiveItems(std::vector<CColumnData*>& columns, int from, int to)
{
    for (int n = from; n <= to; ++n) {
        const uint ctrlId = 23169 + 2 * uint(n - 1);
        columns.push_back(
            new CColumnDataStaticCombo(QStringLiteral("SELECTIVEITEM%1").arg(n),
                                       QStringLiteral("CRDS_PR_CLMN_SELECTIVEITEM%1").arg(n),
                                       ctrlId, ctrlId, kYesNoItemsNoZero, 2, 0, 1));
    }
}

void AddPropertyAndTimeStamps(std::vector<CColumnData*>& columns)
{
    // One "0" per property flag of the item-parameter page.
    columns.push_back(
        new CColumnDataDef(QStringLiteral("PROPERTY"), QString(), 23189, 0, QString(80, u'0')));
    columns.push_back(NewTimeStamp("CREATEDATETIME"));
    columns.push_back(NewTimeStamp("UPDATEDATETIME"));
}

void NewItemParmHead(std::vector<CColumnData*>& columns)
{
    columns.push_back(new CColumnData(QStringLiteral("ITEMPARMCODE"),
                                      QStringLiteral("CRDS_PR_CLMN_ITEMPARMCODE"), 23019, 0));
    columns.push_back(new CColumnData(QStringLiteral("ITEMPARMNAME"),
                                      QStringLiteral("CRDS_PR_CLMN_ITEMPARMNAME"), 23099, 23100));
}

CColumnData* NewHashItem()
{
    return new CColumnDataYesNoRadio(QStringLiteral("HASHITEMFLG"),
                                     QStringLiteral("CRDS_PR_CLMN_HASHITEMFLG"), 23022, 23097, 1);
}

CColumnData* NewItemClass()
{
    return new CColumnDataNum(QStringLiteral("ITEMCLASSCODE"),
                              QStringLiteral("CRDS_PR_CLMN_ITEMCLASSIFICATION"), 23114, 23113);
}

} // namespace

CColumnData** NewDeptColumns()
{
    return ToColumnArray({
        new CColumnData(QStringLiteral("ITEMDEPTCODE"), QStringLiteral("CRDS_PR_CLMN_SECTIONCODE"),
                        23019, 0),
        new CColumnData(QStringLiteral("ITEMDEPTNAME"), QStringLiteral("CRDS_PR_CLMN_SECTIONNAME"),
                        20007, 23030),
        new CColumnDataDBCombo(QStringLiteral("ITEMGRPCODE"),
                               QStringLiteral("CRDS_PR_CLMN_GROUPNAME"), 23018, 23039,
                               QStringLiteral("CIA003"), QStringLiteral("ITEMGRPCODE"),
                               QStringLiteral("ITEMGRPNAME"), 0),
        NewTimeStamp("CREATEDATETIME"),
        NewTimeStamp("UPDATEDATETIME"),
    });
}

CColumnData** NewGroupColumns()
{
    return ToColumnArray({
        new CColumnData(QStringLiteral("ITEMGRPCODE"), QStringLiteral("CRDS_PR_CLMN_GROUPCODE"),
                        23019, 0),
        new CColumnData(QStringLiteral("ITEMGRPNAME"), QStringLiteral("CRDS_PR_CLMN_GROUPNNAME"),
                        20007, 23030),
        NewTimeStamp("CREATEDATETIME"),
        NewTimeStamp("UPDATEDATETIME"),
    });
}

CColumnData** NewItemParmColumns()
{
    std::vector<CColumnData*> columns;
    NewItemParmHead(columns);
    // The type's label id is that of ORDER1's label, as the page was built.
    columns.push_back(
        NewChoice("ITEMTYPE", "CRDS_PR_CLMN_ITEMTYPE", 23115, 23098, kItemTypeItems, 4));
    columns.push_back(NewItemClass());
    columns.push_back(NewOrder("ORDER1", "CRDS_PR_CLMN_ORDER1", 23101, 23098));
    columns.push_back(NewOrder("ORDER2", "CRDS_PR_CLMN_ORDER2", 23103, 23102));
    columns.push_back(NewOrder("ORDER3", "CRDS_PR_CLMN_ORDER3", 23107, 23104));
    columns.push_back(NewOrder("ORDER4", "CRDS_PR_CLMN_ORDER4", 23108, 23105));
    columns.push_back(NewOrder("ORDER5", "CRDS_PR_CLMN_ORDER5", 23109, 23106));
    columns.push_back(new CColumnDataNum(QStringLiteral("BONNUMS"),
                                         QStringLiteral("CRDS_PR_CLMN_BONNUMS"), 23110, 23111));
    columns.push_back(NewHashItem());
    columns.push_back(new CColumnDataYesNoRadio(QStringLiteral("NONSRVCHARGEFLG"),
                                                QStringLiteral("CRDS_PR_CLMN_NONSRVCHARGFLG"),
                                                14096, 14042, 0));
    columns.push_back(
        NewChoice("OPENPLUFLG", "CRDS_PR_CLMN_OPENPLUFLG", 23112, 23033, kOpenPluItems, 5));
    columns.push_back(
        NewChoice("NONPOINTFLG", "CRDS_PR_CLMN_NONPOINTFLG", 23159, 23158, kYesNoItemsYesZero, 2));
    columns.push_back(NewChoice("SCALABLE", "CRDS_PR_CLMN_SCALABLE", 23161, 23160, kScaleItems, 3));
    columns.push_back(new CColumnDataDBComboDef(
        QStringLiteral("TARELINK"), QStringLiteral("CRDS_PR_CLMN_TARELINK"), 23163, 23162,
        QStringLiteral("CSB015"), QStringLiteral("TARECODE"), QStringLiteral("TARENAME"), 1,
        QStringLiteral("00")));
    AddCommissions(columns);
    AddSelectiveItems(columns, 1, 5);
    AddPropertyAndTimeStamps(columns);
    return ToColumnArray(columns);
}

CColumnData** NewItemParmCleaningColumns()
{
    std::vector<CColumnData*> columns;
    NewItemParmHead(columns);
    // Three radios; the stored value is the index of the checked one.
    columns.push_back(new CColumnDataUniqueRadio(QStringLiteral("ITEMTYPE"),
                                                 QStringLiteral("CRDS_PR_CLMN_ITEMTYPE"), 14057,
                                                 14023, kItemTypeRadioKeys));
    columns.push_back(NewItemClass());
    columns.push_back(NewHashItem());
    columns.push_back(
        NewChoice("OPENPLUFLG", "CRDS_PR_CLMN_OPENPLUFLG", 23112, 23033, kOpenPluItems, 5));
    columns.push_back(
        NewChoice("NONPOINTFLG", "CRDS_PR_CLMN_NONPOINTFLG", 23159, 23158, kYesNoItemsYesZero, 2));
    AddCommissions(columns);
    AddSelectiveItems(columns, 1, 8);
    // The ninth is the cleaning type.
    columns.push_back(NewChoice("SELECTIVEITEM9", "CRDS_PR_CLMN_SELECTIVEITEM9_CL", 23185, 23185,
                                kSelectiveItemsCleaning, 5));
    AddSelectiveItems(columns, 10, 10);
    AddPropertyAndTimeStamps(columns);
    return ToColumnArray(columns);
}

} // namespace brelkin
