// Every column list of the goods program, column by column, as the tables
// of the goods data describe them.
#include "goods/CGoodsColumnLists.h"

#include "goods/tests/ColumnDescription.h"
#include "goods/tests/GoodsListPrinter.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using namespace brelkin;

namespace {

struct Col
{
    QString column;
    QString kind;
    QString key;
    uint ctrl = 0;
    uint label = 0;
};

const QString kTax = QStringLiteral("Tax CSM001(TAXCODE,TAXAMTNAME)");
const QString kSetItem = QStringLiteral("DBCombo CIB001(SETITEMCODE,SETITEMNAME) blank");
const QList<Col> kTimeStamps = {{"CREATEDATETIME", "Data", ""}, {"UPDATEDATETIME", "Data", ""}};

QList<Col> PriceLevels(bool withNames)
{
    QList<Col> cols;
    for (int n = 2; n <= 10; ++n) {
        const QString key = QStringLiteral("CRDS_PR_CLMN_PRC%1").arg(n);
        cols << Col{QStringLiteral("UNITPRICE%1").arg(n), "Price", key}
             << Col{QStringLiteral("TAXCODE%1_1").arg(n), kTax + " blank", key + "_TAX1"}
             << Col{QStringLiteral("TAXCODE%1_2").arg(n), kTax + " blank", key + "_TAX2"}
             << Col{QStringLiteral("UNITQTY%1").arg(n), "Num(7,6,2)", key + "_UQTY"};
        if (withNames)
            cols << Col{QStringLiteral("UNITPRICENAME%1").arg(n), "Data", key + "_NAME"};
    }
    return cols;
}

QList<Col> PluHead()
{
    return {
        {"ITEMCODE", "Data", "CRDS_PR_CLMN_PLUCODE", 23019, 0},
        {"SCANCODE1", "ScanCode CIA001", "CRDS_PR_CLMN_SCANCODE", 20008, 23041},
        {"ITEMNAME", "Data", "CRDS_PR_CLMN_PLUNAME", 20007, 23030},
        {"ITEMNAME2", "Data", "CRDS_PR_CLMN_PLUNAME2", 20009, 23037},
        {"ITEMDEPTCODE", "DBCombo CIA002(ITEMDEPTCODE,ITEMDEPTNAME)", "CRDS_PR_CLMN_SECTIONNAME",
         23017, 23038},
        {"ITEMPARMCODE", "DBCombo CSA001(ITEMPARMCODE,ITEMPARMNAME)", "CRDS_PR_CLMN_ITEMPARMNAME",
         23103, 23104},
        {"SETITEMCODE", kSetItem, "CRDS_PR_CLMN_SETITEMNAME", 23020, 23042},
        {"UNITPRICE", "Price", "CRDS_PR_CLMN_PRICE", 23003, 23031},
        {"TAXCODE_1", kTax, "CRDS_PR_CLMN_TAX1", 23021, 23032},
        {"TAXCODE_2", kTax + " blank", "CRDS_PR_CLMN_TAX2", 23022, 23033},
        {"TAXCODE_3", kTax + " blank", "CRDS_PR_CLMN_TAX3", 23023, 23039},
        {"UNITWEIGHT", "Num(6,5,3)", "CRDS_PR_CLMN_UNITWEIGHT", 23004, 23034},
        {"UNITQTY", "Num(7,6,2)", "CRDS_PR_CLMN_UNITQTY", 23005, 23035},
        {"UNITPRICENAME", "Data", "CRDC_PR_CLMN_PRICENAME", 20010, 23040},
        {"UNUSABLEFLG", "Static usable/1", "CRDC_PR_CLMN_UNUSABLEFLG", 23024, 23043},
    };
}

QList<Col> PluStandard()
{
    return PluHead() + PriceLevels(true) + kTimeStamps;
}

QList<Col> PluCleaning()
{
    QList<Col> cols = PluHead() + PriceLevels(false) + kTimeStamps;
    const QStringList dropped{"ITEMNAME2", "TAXCODE_3", "UNITPRICENAME", "UNUSABLEFLG"};
    cols.removeIf([&](const Col& c) { return dropped.contains(c.column); });
    return cols;
}

QList<Col> PluRestaurant()
{
    QList<Col> cols = PluHead() + PriceLevels(true);
    const QList<Col> setItems{
        {"SETITEMCODE2", kSetItem, "CRDS_PR_CLMN_SETITEMNAME2", 23025, 23044},
        {"SETITEMCODE3", kSetItem, "CRDS_PR_CLMN_SETITEMNAME3", 23026, 23045},
        {"SETMAINFLG", "Static setmain/1", "CRDS_PR_CLMN_SETMAINITEM_FLAG", 23027, 23046}};
    cols = cols.mid(0, 7) + setItems + cols.mid(7);
    cols << Col{"SETITEMCODE4", kSetItem, "CRDS_PR_CLMN_SETITEMNAME4"}
         << Col{"SETITEMCODE5", kSetItem, "CRDS_PR_CLMN_SETITEMNAME5"}
         << Col{"SETITEMCODE6", kSetItem, "CRDS_PR_CLMN_SETITEMNAME6"}
         << Col{"PROPERTY", "Num", "CRDS_PR_CLMN_ITEMCLASSIFICATION"};
    return cols + kTimeStamps + QList<Col>{{"ITEMCODE", "Data", "", 23197, 0}};
}

QList<Col> PluEasy()
{
    const QList<Col> standard = PluStandard();
    const QStringList order{"ITEMCODE",    "SCANCODE1",    "ITEMNAME",     "UNITPRICE",
                            "TAXCODE_1",   "ITEMDEPTCODE", "ITEMPARMCODE", "SETITEMCODE",
                            "UNUSABLEFLG", "UNITWEIGHT",   "UNITQTY",      "UNITPRICENAME",
                            "ITEMNAME2",   "TAXCODE_2",    "TAXCODE_3"};
    QList<Col> cols;
    for (const QString& name : order)
        for (const Col& c : standard)
            if (c.column == name)
                cols << c;
    return cols + PriceLevels(true) + kTimeStamps;
}

QList<Col> SetPrice()
{
    return {{"ITEMCODE", "Data", ""},
            {"SETPRICE1", "Price", "", 23198, 23199},
            {"ALTITEMCODE1", "ItemBtn CIA001(ITEMCODE,ITEMNAME) blank", "", 23203, 23200},
            kTimeStamps[0],
            kTimeStamps[1]};
}

QList<Col> Dept()
{
    return QList<Col>{
               {"ITEMDEPTCODE", "Data", "CRDS_PR_CLMN_SECTIONCODE", 23019, 0},
               {"ITEMDEPTNAME", "Data", "CRDS_PR_CLMN_SECTIONNAME", 20007, 23030},
               {"ITEMGRPCODE", "DBCombo CIA003(ITEMGRPCODE,ITEMGRPNAME)", "CRDS_PR_CLMN_GROUPNAME",
                23018, 23039},
           } +
           kTimeStamps;
}

QList<Col> Group()
{
    return QList<Col>{
               {"ITEMGRPCODE", "Data", "CRDS_PR_CLMN_GROUPCODE", 23019, 0},
               {"ITEMGRPNAME", "Data", "CRDS_PR_CLMN_GROUPNNAME", 20007, 23030},
           } +
           kTimeStamps;
}

QList<Col> Commissions()
{
    return {{"COMMISSION1", "Static no0/1", "CRDS_PR_CLMN_COMMISSION1", 23165, 23164},
            {"COMMISSION2", "Static no0/1", "CRDS_PR_CLMN_COMMISSION2", 23167, 23167}};
}

// Selective items from..to: "no" = 0, control and label 23169, 23171, ...
QList<Col> Selective(int from, int to)
{
    QList<Col> cols;
    for (int n = from; n <= to; ++n)
        cols << Col{QStringLiteral("SELECTIVEITEM%1").arg(n), "Static no0/1",
                    QStringLiteral("CRDS_PR_CLMN_SELECTIVEITEM%1").arg(n), 23167u + 2u * n,
                    23167u + 2u * n};
    return cols;
}

const Col kProperty{"PROPERTY", "Def =" + QString(80, u'0'), "", 23189, 0};

QList<Col> ItemParm()
{
    return QList<Col>{
               {"ITEMPARMCODE", "Data", "CRDS_PR_CLMN_ITEMPARMCODE", 23019, 0},
               {"ITEMPARMNAME", "Data", "CRDS_PR_CLMN_ITEMPARMNAME", 23099, 23100},
               {"ITEMTYPE", "Static itemtype/1", "CRDS_PR_CLMN_ITEMTYPE", 23115, 23098},
               {"ITEMCLASSCODE", "Num", "CRDS_PR_CLMN_ITEMCLASSIFICATION", 23114, 23113},
               {"ORDER1", "Static order/2", "CRDS_PR_CLMN_ORDER1", 23101, 23098},
               {"ORDER2", "Static order/2", "CRDS_PR_CLMN_ORDER2", 23103, 23102},
               {"ORDER3", "Static order/2", "CRDS_PR_CLMN_ORDER3", 23107, 23104},
               {"ORDER4", "Static order/2", "CRDS_PR_CLMN_ORDER4", 23108, 23105},
               {"ORDER5", "Static order/2", "CRDS_PR_CLMN_ORDER5", 23109, 23106},
               {"BONNUMS", "Num", "CRDS_PR_CLMN_BONNUMS", 23110, 23111},
               {"HASHITEMFLG", "YesNo 1", "CRDS_PR_CLMN_HASHITEMFLG", 23022, 23097},
               {"NONSRVCHARGEFLG", "YesNo 0", "CRDS_PR_CLMN_NONSRVCHARGFLG", 14096, 14042},
               {"OPENPLUFLG", "Static openplu/1", "CRDS_PR_CLMN_OPENPLUFLG", 23112, 23033},
               {"NONPOINTFLG", "Static yes0/1", "CRDS_PR_CLMN_NONPOINTFLG", 23159, 23158},
               {"SCALABLE", "Static scale/1", "CRDS_PR_CLMN_SCALABLE", 23161, 23160},
               {"TARELINK", "DBComboDef CSB015(TARECODE,TARENAME) blank =00",
                "CRDS_PR_CLMN_TARELINK", 23163, 23162},
           } +
           Commissions() + Selective(1, 5) + QList<Col>{kProperty} + kTimeStamps;
}

QList<Col> ItemParmCleaning()
{
    return QList<Col>{
               {"ITEMPARMCODE", "Data", "CRDS_PR_CLMN_ITEMPARMCODE", 23019, 0},
               {"ITEMPARMNAME", "Data", "CRDS_PR_CLMN_ITEMPARMNAME", 23099, 23100},
               {"ITEMTYPE", "Radio itemtype", "CRDS_PR_CLMN_ITEMTYPE", 14057, 14023},
               {"ITEMCLASSCODE", "Num", "CRDS_PR_CLMN_ITEMCLASSIFICATION", 23114, 23113},
               {"HASHITEMFLG", "YesNo 1", "CRDS_PR_CLMN_HASHITEMFLG", 23022, 23097},
               {"OPENPLUFLG", "Static openplu/1", "CRDS_PR_CLMN_OPENPLUFLG", 23112, 23033},
               {"NONPOINTFLG", "Static yes0/1", "CRDS_PR_CLMN_NONPOINTFLG", 23159, 23158},
           } +
           Commissions() + Selective(1, 8) +
           QList<Col>{{"SELECTIVEITEM9", "Static selcl/1", "CRDS_PR_CLMN_SELECTIVEITEM9_CL", 23185,
                       23185}} +
           Selective(10, 10) + QList<Col>{kProperty} + kTimeStamps;
}

QList<Col> Clerk(bool restaurant)
{
    return QList<Col>{
               {"CLKCODE", "Data", "CRDS_PR_CLMN_CLKCODE", 23111, 0},
               {"CLKNAME", "Def =", "CRDS_PR_CLMN_CLKNAME", 23113, 23112},
               {"PASSWORD", "Data", "", 23115, 23114},
               {"CLKGRPCODE", "DBComboDef CSB005(CLKGRPCODE,CLKGRPNAME) =000001",
                "CRDS_PR_CLMN_CLKGRPCODE", 23119, 23116},
               {"DRAWERNUMBER", "Def =0", ""},
               {"CLKINTCODE", "Def =000000", "CRDS_PR_CLMN_CLKINTCODE", 23124, 23123},
               restaurant
                   ? Col{"NBCHKNUMFROM", "Def =000000", "CRDS_PR_CLMN_CLKINTCODE1", 23126, 23125}
                   : Col{"NBCHKNUMFROM", "Def =000000", ""},
               restaurant
                   ? Col{"NBCHKNUMTO", "Def =999999", "CRDS_PR_CLMN_CLKINTCODE2", 23128, 23127}
                   : Col{"NBCHKNUMTO", "Def =999999", ""},
               {"CLKCODE", "DallasKey", "CRDS_PR_CLMN_DALLASKEYID", 23118, 23117},
               {"UNUSABLE", "RadioDef clerk =0", "CRDS_PR_CLMN_UNUSABLE", 23121, 23120},
           } +
           kTimeStamps;
}

QList<Col> SetMenu(const QString& setTypes)
{
    return QList<Col>{
               {"SETITEMCODE", "Data", "CRDS_PR_CLMN_SETMENUCODE", 23019, 0},
               {"SETITEMNAME", "Data", "CRDS_PR_CLMN_SETMENUNAME", 20007, 23030},
               {"SETTYPE", "StaticDef " + setTypes + "/1 =0", "CRDS_PR_CLMN_SETMENUTYPE", 23135,
                23134},
               {"LISTMIN", "Num(2,2,0)", "CRDS_PR_CLMN_SETMENULISTMIN", 23137, 23136},
               {"LISTMAX", "Num(2,2,0)", "CRDS_PR_CLMN_SETMENULISTMAX", 23140, 23139},
           } +
           kTimeStamps;
}

QList<Col> MixMatch()
{
    return QList<Col>{
               {"MMCODE", "Data", "CRDS_PR_CLMN_MMCODE", 23019, 0},
               {"MMNAME", "Data", "CRDS_PR_CLMN_MMNAME", 20007, 23030},
               {"MMDISCOUNTTYPE", "Static mmtype/1", "CRDS_PR_CLMN_MMDISCOUNTTYPE", 23146, 23132},
               {"CONDITIONTYPE", "StaticDef condition/1 =0", "CRDS_PR_CLMN_CONDITIONTYPE", 23148,
                23147},
               {"DISCOUNTTYPE", "StaticDef discount/1 =0", "CRDS_PR_CLMN_DISCOUNTTYPE", 23155,
                23154},
               {"DISCOUNTAMT", "Price", "CRDS_PR_CLMN_DISCOUNTAMT", 20008, 23149},
               {"DISCOUNTRATE", "Num(7,6,2)", "CRDS_PR_CLMN_DISCOUNTRATE", 23151, 23150},
               {"TARGETITEMTYPE", "Static target/1", "CRDS_PR_CLMN_TARGETITEMTYPE", 23153, 23152},
               {"TARGETITEMCODE", "ItemBtn CIA001(ITEMCODE,ITEMNAME) blank",
                "CRDS_PR_CLMN_TARGETITEMCODE", 23157, 23031},
           } +
           kTimeStamps;
}

QList<Col> Hourly(const QString& code, const QString& name)
{
    return {{code, "Data", ""},
            {code, "Data", "CRDS_PR_CLMN_HOURLYTYPE"},
            {code, "Data", "CRDS_PR_CLMN_HOURLYCODE"},
            {name, "Data", "CRDS_PR_CLMN_HOURLYNAME"}};
}

struct ListCase
{
    GoodsList list;
    const char* table;
    int count;
    QList<Col> (*columns)();
};

void PrintTo(const ListCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.list) << " on " << c.table;
}

const ListCase kListCases[] = {
    {GoodsList::Plu, "CIA001", 62, PluStandard},
    {GoodsList::PluCleaning, "CIA001", 49, PluCleaning},
    {GoodsList::PluRestaurant, "CIA001", 70, PluRestaurant},
    {GoodsList::PluEasy, "CIA001", 62, PluEasy},
    {GoodsList::SetPrice, "CIB003", 5, SetPrice},
    {GoodsList::Dept, "CIA002", 5, Dept},
    {GoodsList::Group, "CIA003", 4, Group},
    {GoodsList::ItemParm, "CSA001", 26, ItemParm},
    {GoodsList::ItemParmCleaning, "CSA001", 22, ItemParmCleaning},
    {GoodsList::Clerk, "CSB004", 12, [] { return Clerk(false); }},
    {GoodsList::ClerkCleaning, "CSB004", 12, [] { return Clerk(false); }},
    {GoodsList::ClerkRestaurant, "CSB004", 12, [] { return Clerk(true); }},
    {GoodsList::SetMenu, "CIB001", 7, [] { return SetMenu("settype3"); }},
    {GoodsList::SetMenuRestaurant, "CIB001", 7, [] { return SetMenu("settype6"); }},
    {GoodsList::MixMatch, "CSA004", 11, MixMatch},
    {GoodsList::MixMatchCleaning, "CSA004", 11, MixMatch},
    {GoodsList::HourlyDept, "CIA002", 4, [] { return Hourly("ITEMDEPTCODE", "ITEMDEPTNAME"); }},
    {GoodsList::HourlyPlu, "CIA001", 4, [] { return Hourly("ITEMCODE", "ITEMNAME"); }},
};

class GoodsColumnListsTest : public testing::TestWithParam<ListCase>
{
};

TEST_P(GoodsColumnListsTest, ColumnsAreThoseOfTheTable)
{
    const ListCase& c = GetParam();
    CGoodsColumnLists lists;
    CColumnDataList* list = lists.Get(c.list);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->m_strTableName, QLatin1String(c.table));
    EXPECT_EQ(list->m_nKeyIndex, 0);
    const QList<Col> expected = c.columns();
    ASSERT_EQ(expected.size(), c.count);
    ASSERT_EQ(list->m_nColumnCount, c.count);
    EXPECT_EQ(list->m_ppColumnData[c.count], nullptr);
    for (int i = 0; i < c.count; ++i) {
        SCOPED_TRACE(testing::Message() << "column " << i + 1);
        CColumnData* column = list->m_ppColumnData[i];
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(column->m_strColumnName, expected[i].column);
        EXPECT_EQ(Describe(column), expected[i].kind);
        EXPECT_EQ(column->m_strLabelKey, expected[i].key);
        EXPECT_EQ(column->m_nCtrlID, expected[i].ctrl);
        EXPECT_EQ(column->m_nLabelCtrlID, expected[i].label);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryList, GoodsColumnListsTest, testing::ValuesIn(kListCases));

// The columns of the pages' shown forms never reach controls their page lacks.
TEST(GoodsColumnLists, CleaningItemPageUsesNoControlOfTheMissingColumns)
{
    CGoodsColumnLists lists;
    const CColumnDataList* list = lists.Get(GoodsList::PluCleaning);
    for (int i = 0; i < list->m_nColumnCount; ++i)
        for (uint id : {20009u, 20010u, 23023u, 23024u})
            EXPECT_NE(list->m_ppColumnData[i]->m_nCtrlID, id);
}

TEST(GoodsColumnLists, ClerkKeyColumnIsNeverSavedToTheClerkTable)
{
    CGoodsColumnLists lists;
    for (GoodsList g : {GoodsList::Clerk, GoodsList::ClerkCleaning, GoodsList::ClerkRestaurant}) {
        const CColumnDataList* list = lists.Get(g);
        auto* key = dynamic_cast<CColumnDataDallasKey*>(list->m_ppColumnData[8]);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->m_bNotSave);
        EXPECT_EQ(key->m_nOverrideSize, 12);
    }
}

} // namespace
