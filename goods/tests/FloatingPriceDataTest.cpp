// The floating departments, the floating price rows and the writes of a
// floating price cell.
#include "goods/CColumnDataFloatingPrice.h"
#include "goods/CPrColumnDataListFloatingDept.h"
#include "goods/CPrColumnDataListFloatingPrice.h"
#include "goods/FloatingPriceText.h"

#include "goods/base/ColumnArrays.h"
#include "goods/tests/GoodsDbFixture.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CStringArrayPtrArray.h"

#include <memory>

using namespace brelkin;

namespace {

class FloatingPriceDataTest : public GoodsDbFixture
{
protected:
    void TearDown() override
    {
        FreeColumnList(m_list, m_columns);
        GoodsDbFixture::TearDown();
    }

    void SetFloatingDept(int n, const QString& code)
    {
        Exec(QStringLiteral("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT%1', '%2')")
                 .arg(n, 2, 10, QLatin1Char('0'))
                 .arg(QString(code).replace(u'\'', QStringLiteral("''"))));
    }

    // Department 000005 holds the floating items 9001.. (item type "1").
    void SeedFloatingItems(int count)
    {
        Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMTYPE) VALUES ('000009', '1'), ('000001', '0')");
        for (int i = 1; i <= count; ++i)
            Exec(QStringLiteral("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, "
                                "ITEMPARMCODE, UNITPRICE, UNITPRICE3) VALUES "
                                "('%1', 'Topping %2', '000005', '000009', 150, 170)")
                     .arg(9000 + i, 16, 10, QLatin1Char('0'))
                     .arg(i));
        // An ordinary item of the same department is no floating item.
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, ITEMPARMCODE) VALUES "
             "('0000000000008000', 'Plain', '000005', '000001')");
    }

    template <class List> List& Make(const QString& table, CColumnData** columns)
    {
        FreeColumnList(m_list, m_columns);
        m_columns = columns;
        m_list = std::make_unique<List>(table, columns);
        m_records.RemoveAll();
        m_list->SetSQliteDB(m_db.get(), &m_records);
        int err = 0;
        EXPECT_TRUE(m_list->ReadTableInfo(err)) << err;
        return static_cast<List&>(*m_list);
    }

    QStringList Codes() const
    {
        QStringList codes;
        for (const CRecord* row : m_records)
            codes << row->value(0);
        return codes;
    }

    CColumnData** m_columns = nullptr;
    std::unique_ptr<CColumnDataList> m_list;
    CStringArrayPtrArray m_records;
};

TEST_F(FloatingPriceDataTest, FloatingDepartmentsAreTheSetOnesByCode)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'A'), ('000002', "
         "'B'), ('000003', 'C'), ('000004', 'D')");
    SetFloatingDept(3, "000001");
    SetFloatingDept(1, "000003");
    auto& list =
        Make<CPrColumnDataListFloatingDept>("CIA002", CPrColumnDataListFloatingDept::NewColumns());
    int err = 0;
    ASSERT_TRUE(list.ReadRecords(err)) << err;
    EXPECT_EQ(Codes(), (QStringList{"000001", "000003"}));
}

TEST_F(FloatingPriceDataTest, NoFloatingDepartmentIsStatusMinus99)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'A')");
    auto& list =
        Make<CPrColumnDataListFloatingDept>("CIA002", CPrColumnDataListFloatingDept::NewColumns());
    int err = 0;
    EXPECT_FALSE(list.ReadRecords(err));
    EXPECT_EQ(err, -99);
    EXPECT_EQ(m_records.GetSize(), 0);
}

TEST_F(FloatingPriceDataTest, QuotedCodeFindsNothingAndBreaksNothing)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'A'), ('000002', "
         "'B')");
    SetFloatingDept(1, "1' OR '1'='1");
    auto& depts =
        Make<CPrColumnDataListFloatingDept>("CIA002", CPrColumnDataListFloatingDept::NewColumns());
    int err = 0;
    ASSERT_TRUE(depts.ReadRecords(err)) << err;
    EXPECT_EQ(Codes(), QStringList());
    // The price rows leave out only that odd code: every department stays.
    auto& prices = Make<CPrColumnDataListFloatingPrice>(
        "CIA002", CPrColumnDataListFloatingPrice::NewColumns(false, {{"9", "Topping"}}));
    ASSERT_TRUE(prices.ReadRecords(err)) << err;
    EXPECT_EQ(Codes(), (QStringList{"000001", "000002"}));
    QList<QStringList> items;
    EXPECT_TRUE(
        CPrColumnDataListFloatingPrice::ReadFloatingItems(*m_db, "1' OR '1'='1", items, err));
    EXPECT_TRUE(items.isEmpty());
}

TEST_F(FloatingPriceDataTest, TwelveFloatingItemsGiveTenPriceColumns)
{
    SeedFloatingItems(12);
    QList<QStringList> items;
    int err = 0;
    ASSERT_TRUE(CPrColumnDataListFloatingPrice::ReadFloatingItems(*m_db, "000005", items, err));
    ASSERT_EQ(items.size(), 12);
    EXPECT_EQ(items[0], (QStringList{"0000000000009001", "Topping 1"}));
    auto& list = Make<CPrColumnDataListFloatingPrice>(
        "CIA001", CPrColumnDataListFloatingPrice::NewColumns(true, items));
    ASSERT_EQ(list.m_nColumnCount, 14);
    auto* last = dynamic_cast<CColumnDataFloatingPrice*>(list.m_ppColumnData[11]);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->m_strFloatingItemCode, "0000000000009010");
    EXPECT_EQ(last->m_strLabelKey, "Topping 10");
    EXPECT_EQ(last->m_strCtrlType, "01");
}

TEST_F(FloatingPriceDataTest, ItemRowsLeaveOutFloatingDepartmentsAndNamelessFreeItems)
{
    SeedFloatingItems(1);
    SetFloatingDept(1, "000005");
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, UNITPRICE) VALUES "
         "('0000000000000001', 'Tea', '000001', 0), ('0000000000000002', '', '000001', 0), "
         "('0000000000000003', '', '000001', 80)");
    auto& list = Make<CPrColumnDataListFloatingPrice>(
        "CIA001", CPrColumnDataListFloatingPrice::NewColumns(true, {{"0000000000009001", "T"}}));
    int err = 0;
    ASSERT_TRUE(list.ReadRecords(err)) << err;
    EXPECT_EQ(Codes(), (QStringList{"0000000000000001", "0000000000000003"}));
}

TEST_F(FloatingPriceDataTest, CellShowsFallbackAndStoresWhatIsTyped)
{
    SeedFloatingItems(1);
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE) VALUES "
         "('0000000000000001', 'Tea', '000001')");
    auto& list = Make<CPrColumnDataListFloatingPrice>(
        "CIA001",
        CPrColumnDataListFloatingPrice::NewColumns(true, {{"0000000000009001", "Topping 1"}}));
    auto& column = *dynamic_cast<CColumnDataFloatingPrice*>(list.m_ppColumnData[2]);
    const QString tea = "0000000000000001";
    EXPECT_EQ(column.GetDescript(tea), "*150");
    EXPECT_EQ(column.m_nUnitPriceFallback, 1);
    const auto stored = [&] {
        return Rows("CSA007", {"ITEMCODE", "CTRLTYPE", "CTRLCODE", "PRICECODE", "FLOATINGPRICE"});
    };
    const struct
    {
        const char* text;
        const char* preEdit;
        const char* price; // "" = no row
    } cases[] = {
        {"120", "*150", "120"}, {"0", "120", "-0"},  {"00", "-0", "-0"},  {"-00", "-0", "-0"},
        {"-", "-0", "-0"},      {"007", "-0", "7"},  {"-05", "7", "-5"},  {"", "-5", ""},
        {"*150", "*150", ""},   {"150", "*150", ""}, {"1*5", "*150", ""},
    };
    int err = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(StoreFloatingPrice(*m_db, column, tea, c.text, c.preEdit, false, err)) << err;
        const QString price = QString::fromLatin1(c.price);
        if (price.isEmpty()) {
            EXPECT_TRUE(stored().isEmpty());
            EXPECT_EQ(column.GetDescript(tea), "*150"); // the grey fallback is back
            EXPECT_EQ(column.m_nUnitPriceFallback, 1);
        } else {
            EXPECT_EQ(stored(), (QList<QStringList>{{"0000000000009001", "01", tea, "01", price}}));
            EXPECT_EQ(column.GetDescript(tea), price);
            EXPECT_EQ(column.m_nUnitPriceFallback, 0);
        }
    }
    // Level 3 reads and writes against UNITPRICE3.
    list.SetPriceColumn("UNITPRICE3");
    EXPECT_EQ(column.GetDescript(tea), "*170");
    EXPECT_TRUE(StoreFloatingPrice(*m_db, column, tea, "99", "*170", true, err));
    EXPECT_EQ(stored(), (QList<QStringList>{{"0000000000009001", "01", tea, "03", "99"}}));
}

TEST_F(FloatingPriceDataTest, FailedWriteGivesItsStatus)
{
    SeedFloatingItems(1);
    auto& list = Make<CPrColumnDataListFloatingPrice>(
        "CIA002", CPrColumnDataListFloatingPrice::NewColumns(false, {{"0000000000009001", "T"}}));
    auto& column = *dynamic_cast<CColumnDataFloatingPrice*>(list.m_ppColumnData[2]);
    Exec("CREATE TRIGGER refuse BEFORE INSERT ON CSA007 BEGIN SELECT RAISE(ABORT, 'no'); END");
    int err = 0;
    EXPECT_FALSE(StoreFloatingPrice(*m_db, column, "000001", "10", "", false, err));
    EXPECT_NE(err, 0);
    EXPECT_TRUE(Rows("CSA007").isEmpty());
}

} // namespace
