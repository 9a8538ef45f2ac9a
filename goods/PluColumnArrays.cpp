// Item (PLU) columns in their four forms and the restaurant set prices.
#include "goods/CColumnDataNum.h"
#include "goods/CColumnDataTAXCombo.h"
#include "goods/ColumnArray.h"
#include "goods/GoodsColumnArrays.h"
#include "goods/GoodsStaticItems.h"

#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataPriceEdit.h"
#include "shared/data/CColumnDataScanCode.h"
#include "shared/data/CColumnDataStaticCombo.h"

#include <QRegularExpression>
#include <QStringList>

namespace brelkin {

namespace {

CColumnData* NewTaxCombo(const QString& column, const QString& labelKey, uint ctrlId,
                         uint labelCtrlId, int addBlank)
{
    return new CColumnDataTAXCombo(column, labelKey, ctrlId, labelCtrlId, QStringLiteral("CSM001"),
                                   QStringLiteral("TAXCODE"), QStringLiteral("TAXAMTNAME"),
                                   addBlank);
}

CColumnData* NewSetItemCombo(const QString& column, const QString& labelKey, uint ctrlId,
                             uint labelCtrlId)
{
    return new CColumnDataDBCombo(column, labelKey, ctrlId, labelCtrlId, QStringLiteral("CIB001"),
                                  QStringLiteral("SETITEMCODE"), QStringLiteral("SETITEMNAME"), 1);
}

// The five columns of price level n (2 to 10); nullptr for another name.
CColumnData* NewPriceLevelColumn(const QString& column)
{
    static const QRegularExpression level(
        QStringLiteral("^(UNITPRICE|TAXCODE|UNITQTY|UNITPRICENAME)(\\d+)(_1|_2)?$"));
    const QRegularExpressionMatch m = level.match(column);
    if (!m.hasMatch())
        return nullptr;
    const QString kind = m.captured(1) + m.captured(3);
    // Composed keys: "CRDS_PR_CLMN_PRC2" .. "CRDS_PR_CLMN_PRC10_NAME".
    const QString key = QStringLiteral("CRDS_PR_CLMN_PRC%1").arg(m.captured(2));
    if (kind == u"UNITPRICE")
        return new CColumnDataPriceEdit(column, key, 0, 0);
    if (kind == u"TAXCODE_1")
        return NewTaxCombo(column, key + QStringLiteral("_TAX1"), 0, 0, 1);
    if (kind == u"TAXCODE_2")
        return NewTaxCombo(column, key + QStringLiteral("_TAX2"), 0, 0, 1);
    if (kind == u"UNITQTY")
        return new CColumnDataNum(column, key + QStringLiteral("_UQTY"), 0, 0, 7, 6, 2);
    if (kind == u"UNITPRICENAME")
        return new CColumnData(column, key + QStringLiteral("_NAME"), 0, 0);
    return nullptr;
}

// One column of the item table as every form but the restaurant extras
// makes it; the forms differ only in which columns they list, and in order.
CColumnData* NewPluColumn(const QString& column)
{
    if (column == u"ITEMCODE")
        return new CColumnData(column, QStringLiteral("CRDS_PR_CLMN_PLUCODE"), 23019, 0);
    if (column == u"SCANCODE1")
        return new CColumnDataScanCode(column, QStringLiteral("CRDS_PR_CLMN_SCANCODE"), 20008,
                                       23041, QStringLiteral("CIA001"));
    if (column == u"ITEMNAME")
        return new CColumnData(column, QStringLiteral("CRDS_PR_CLMN_PLUNAME"), 20007, 23030);
    if (column == u"ITEMNAME2")
        return new CColumnData(column, QStringLiteral("CRDS_PR_CLMN_PLUNAME2"), 20009, 23037);
    if (column == u"ITEMDEPTCODE")
        return new CColumnDataDBCombo(column, QStringLiteral("CRDS_PR_CLMN_SECTIONNAME"), 23017,
                                      23038, QStringLiteral("CIA002"),
                                      QStringLiteral("ITEMDEPTCODE"),
                                      QStringLiteral("ITEMDEPTNAME"), 0);
    if (column == u"ITEMPARMCODE")
        return new CColumnDataDBCombo(column, QStringLiteral("CRDS_PR_CLMN_ITEMPARMNAME"), 23103,
                                      23104, QStringLiteral("CSA001"),
                                      QStringLiteral("ITEMPARMCODE"),
                                      QStringLiteral("ITEMPARMNAME"), 0);
    if (column == u"SETITEMCODE")
        return NewSetItemCombo(column, QStringLiteral("CRDS_PR_CLMN_SETITEMNAME"), 23020, 23042);
    if (column == u"UNITPRICE")
        return new CColumnDataPriceEdit(column, QStringLiteral("CRDS_PR_CLMN_PRICE"), 23003, 23031);
    if (column == u"TAXCODE_1")
        return NewTaxCombo(column, QStringLiteral("CRDS_PR_CLMN_TAX1"), 23021, 23032, 0);
    if (column == u"TAXCODE_2")
        return NewTaxCombo(column, QStringLiteral("CRDS_PR_CLMN_TAX2"), 23022, 23033, 1);
    if (column == u"TAXCODE_3")
        return NewTaxCombo(column, QStringLiteral("CRDS_PR_CLMN_TAX3"), 23023, 23039, 1);
    if (column == u"UNITWEIGHT")
        return new CColumnDataNum(column, QStringLiteral("CRDS_PR_CLMN_UNITWEIGHT"), 23004, 23034,
                                  6, 5, 3);
    if (column == u"UNITQTY")
        return new CColumnDataNum(column, QStringLiteral("CRDS_PR_CLMN_UNITQTY"), 23005, 23035, 7,
                                  6, 2);
    if (column == u"UNITPRICENAME")
        return new CColumnData(column, QStringLiteral("CRDC_PR_CLMN_PRICENAME"), 20010, 23040);
    if (column == u"UNUSABLEFLG")
        return new CColumnDataStaticCombo(column, QStringLiteral("CRDC_PR_CLMN_UNUSABLEFLG"), 23024,
                                          23043, kUsableFlagItems, 2, 0, 1);
    if (column == u"CREATEDATETIME" || column == u"UPDATEDATETIME")
        return new CColumnData(column, QString(), 0, 0);
    return NewPriceLevelColumn(column);
}

std::vector<CColumnData*> NewPluColumnsNamed(const QStringList& names)
{
    std::vector<CColumnData*> columns;
    for (const QString& name : names)
        columns.push_back(NewPluColumn(name));
    return columns;
}

QStringList PriceLevelNames(bool withNames)
{
    QStringList names;
    for (int n = 2; n <= 10; ++n) {
        const QString level = QString::number(n);
        names << QStringLiteral("UNITPRICE") + level << QStringLiteral("TAXCODE%1_1").arg(level)
              << QStringLiteral("TAXCODE%1_2").arg(level) << QStringLiteral("UNITQTY") + level;
        if (withNames)
            names << QStringLiteral("UNITPRICENAME") + level;
    }
    return names;
}

const QStringList kTimeStamps = {QStringLiteral("CREATEDATETIME"),
                                 QStringLiteral("UPDATEDATETIME")};

QStringList StandardNames()
{
    return QStringList{"ITEMCODE",     "SCANCODE1",   "ITEMNAME",  "ITEMNAME2",     "ITEMDEPTCODE",
                       "ITEMPARMCODE", "SETITEMCODE", "UNITPRICE", "TAXCODE_1",     "TAXCODE_2",
                       "TAXCODE_3",    "UNITWEIGHT",  "UNITQTY",   "UNITPRICENAME", "UNUSABLEFLG"} +
           PriceLevelNames(true) + kTimeStamps;
}

} // namespace

CColumnData** NewPluColumns()
{
    return ToColumnArray(NewPluColumnsNamed(StandardNames()));
}

CColumnData** NewPluCleaningColumns()
{
    return ToColumnArray(NewPluColumnsNamed(
        QStringList{"ITEMCODE", "SCANCODE1", "ITEMNAME", "ITEMDEPTCODE", "ITEMPARMCODE",
                    "SETITEMCODE", "UNITPRICE", "TAXCODE_1", "TAXCODE_2", "UNITWEIGHT", "UNITQTY"} +
        PriceLevelNames(false) + kTimeStamps));
}

CColumnData** NewPluRestaurantColumns()
{
    QStringList names = StandardNames();
    names.remove(names.size() - kTimeStamps.size(), kTimeStamps.size());
    std::vector<CColumnData*> columns = NewPluColumnsNamed(names);
    const auto afterSetItem = columns.begin() + names.indexOf(QStringLiteral("SETITEMCODE")) + 1;
    columns.insert(afterSetItem,
                   {NewSetItemCombo(QStringLiteral("SETITEMCODE2"),
                                    QStringLiteral("CRDS_PR_CLMN_SETITEMNAME2"), 23025, 23044),
                    NewSetItemCombo(QStringLiteral("SETITEMCODE3"),
                                    QStringLiteral("CRDS_PR_CLMN_SETITEMNAME3"), 23026, 23045),
                    new CColumnDataStaticCombo(QStringLiteral("SETMAINFLG"),
                                               QStringLiteral("CRDS_PR_CLMN_SETMAINITEM_FLAG"),
                                               23027, 23046, kSetMainItemItems, 2, 0, 1)});
    columns.push_back(NewSetItemCombo(QStringLiteral("SETITEMCODE4"),
                                      QStringLiteral("CRDS_PR_CLMN_SETITEMNAME4"), 0, 0));
    columns.push_back(NewSetItemCombo(QStringLiteral("SETITEMCODE5"),
                                      QStringLiteral("CRDS_PR_CLMN_SETITEMNAME5"), 0, 0));
    columns.push_back(NewSetItemCombo(QStringLiteral("SETITEMCODE6"),
                                      QStringLiteral("CRDS_PR_CLMN_SETITEMNAME6"), 0, 0));
    columns.push_back(new CColumnDataNum(QStringLiteral("PROPERTY"),
                                         QStringLiteral("CRDS_PR_CLMN_ITEMCLASSIFICATION"), 0, 0));
    for (const QString& name : kTimeStamps)
        columns.push_back(NewPluColumn(name));
    // The item code once more, shown above the set prices; not the key.
    columns.push_back(new CColumnData(QStringLiteral("ITEMCODE"), QString(), 23197, 0));
    return ToColumnArray(columns);
}

CColumnData** NewPluEasyColumns()
{
    return ToColumnArray(NewPluColumnsNamed(
        QStringList{"ITEMCODE", "SCANCODE1", "ITEMNAME", "UNITPRICE", "TAXCODE_1", "ITEMDEPTCODE",
                    "ITEMPARMCODE", "SETITEMCODE", "UNUSABLEFLG", "UNITWEIGHT", "UNITQTY",
                    "UNITPRICENAME", "ITEMNAME2", "TAXCODE_2", "TAXCODE_3"} +
        PriceLevelNames(true) + kTimeStamps));
}

CColumnData** NewSetPriceColumns()
{
    return ToColumnArray({
        new CColumnData(QStringLiteral("ITEMCODE"), QString(), 0, 0),
        new CColumnDataPriceEdit(QStringLiteral("SETPRICE1"), QString(), 23198, 23199),
        new CColumnDataItemSelectBtn(QStringLiteral("ALTITEMCODE1"), QString(), 23203, 23200,
                                     QStringLiteral("CIA001"), QStringLiteral("ITEMCODE"),
                                     QStringLiteral("ITEMNAME"), 1),
        new CColumnData(QStringLiteral("CREATEDATETIME"), QString(), 0, 0),
        new CColumnData(QStringLiteral("UPDATEDATETIME"), QString(), 0, 0),
    });
}

} // namespace brelkin
