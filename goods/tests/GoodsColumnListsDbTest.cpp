// The goods column lists on a work database made from the default schema:
// every column is there, rows are read and written, new rows get exactly
// their defaults.
#include "goods/CGoodsColumnLists.h"

#include "goods/tests/GoodsDbFixture.h"
#include "goods/tests/GoodsListPrinter.h"
#include "testsupport/FixedClock.h"
#include "shared/data/CColumnData.h"
#include "testsupport/QtPrinters.h"

#include <QMap>

using namespace brelkin;

namespace {

struct DefaultsCase
{
    GoodsList list;
    QMap<QString, QString> defaults; // besides the two time stamps
};

void PrintTo(const DefaultsCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.list);
}

const QString kZeros80(80, u'0');
const QMap<QString, QString> kClerkDefaults = {
    {"CLKNAME", ""},          {"CLKGRPCODE", "000001"},   {"DRAWERNUMBER", "0"},
    {"CLKINTCODE", "000000"}, {"NBCHKNUMFROM", "000000"}, {"NBCHKNUMTO", "999999"},
    {"UNUSABLE", "0"}};

const DefaultsCase kDefaultCases[] = {
    {GoodsList::Plu, {}},
    {GoodsList::PluCleaning, {}},
    {GoodsList::PluRestaurant, {}},
    {GoodsList::PluEasy, {}},
    {GoodsList::SetPrice, {}},
    {GoodsList::Dept, {}},
    {GoodsList::Group, {}},
    {GoodsList::ItemParm, {{"PROPERTY", kZeros80}, {"TARELINK", "00"}}},
    {GoodsList::ItemParmCleaning, {{"PROPERTY", kZeros80}}},
    {GoodsList::Clerk, kClerkDefaults},
    {GoodsList::ClerkCleaning, kClerkDefaults},
    {GoodsList::ClerkRestaurant, kClerkDefaults},
    {GoodsList::SetMenu, {{"SETTYPE", "0"}}},
    {GoodsList::SetMenuRestaurant, {{"SETTYPE", "0"}}},
    {GoodsList::MixMatch, {{"CONDITIONTYPE", "0"}, {"DISCOUNTTYPE", "0"}}},
    {GoodsList::MixMatchCleaning, {{"CONDITIONTYPE", "0"}, {"DISCOUNTTYPE", "0"}}},
    {GoodsList::HourlyDept, {}},
    {GoodsList::HourlyPlu, {}},
};

class GoodsColumnListsDbTest : public GoodsDbFixture,
                               public testing::WithParamInterface<DefaultsCase>
{
};

TEST_P(GoodsColumnListsDbTest, NewRowGetsTheDefaultsAndSavesBack)
{
    const DefaultsCase& c = GetParam();
    CGoodsColumnLists lists;
    CColumnDataList* list = lists.Get(c.list);
    CStringArrayPtrArray cache;
    list->SetSQliteDB(m_db.get(), &cache);
    int err = 0;
    ASSERT_TRUE(list->ReadTableInfo(err)) << err;
    EXPECT_TRUE(m_suite.messages().isEmpty()); // no missing column
    ASSERT_TRUE(list->ReadRecords(err, QString())) << err;
    EXPECT_EQ(cache.GetSize(), 0);

    korvane::test::FixedClock clock(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    QStringList row(list->m_nColumnCount);
    row[0] = QStringLiteral("000123");
    ASSERT_TRUE(list->InsertRecord(row, err)) << err;
    ASSERT_EQ(cache.GetSize(), 1);

    // Exactly the defaults and the time stamps have values.
    const QString table = list->m_strTableName;
    const QString where = list->KeyColumn()->m_strColumnName + QStringLiteral(" = '000123'");
    CSQliteSQL info(*m_db, table);
    const CSQTableInfoArray* columns = info.GetTableInfo(err);
    ASSERT_EQ(err, 0);
    // The hourly lists carry no time stamps and so write none.
    bool stamped = false;
    for (int i = 0; i < list->m_nColumnCount; ++i)
        stamped |= list->m_ppColumnData[i]->m_strColumnName == u"CREATEDATETIME";
    const QString created = Value(table, "CREATEDATETIME", where);
    EXPECT_EQ(created, stamped ? QStringLiteral("20260102030405") : QStringLiteral("<null>"));
    for (const CSQTableInfo& column : *columns) {
        SCOPED_TRACE(column.m_strName.toStdString());
        const QString value = Value(table, column.m_strName, where);
        if (column.m_strName == list->KeyColumn()->m_strColumnName)
            EXPECT_EQ(value, "000123");
        else if (column.m_strName.endsWith(QLatin1String("DATETIME")))
            EXPECT_EQ(value, created);
        else
            EXPECT_EQ(value, c.defaults.value(column.m_strName, QStringLiteral("<null>")));
    }

    // The cached row goes back with a changed value in the first column
    // after the key that the table keeps.
    QStringList cached = cache.GetAt(0)->toList();
    int changed = -1;
    for (int i = 1; i < list->m_nColumnCount && changed < 0; ++i)
        if (!list->m_ppColumnData[i]->m_bNotSave &&
            list->m_ppColumnData[i]->m_strColumnName != list->KeyColumn()->m_strColumnName)
            changed = i;
    ASSERT_GE(changed, 1);
    cached[changed] = QStringLiteral("1");
    ASSERT_TRUE(list->SaveRecord(1, cached, err)) << err;
    EXPECT_EQ(Value(table, list->m_ppColumnData[changed]->m_strColumnName, where), "1");
    list->FreeRecords();
}

INSTANTIATE_TEST_SUITE_P(EveryList, GoodsColumnListsDbTest, testing::ValuesIn(kDefaultCases));

} // namespace
