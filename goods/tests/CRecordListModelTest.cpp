#include "goods/CGoodsColumnLists.h"
#include "goods/base/CRecordListModel.h"
#include "goods/HiddenColumns.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/NumericSortKey.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/data/CColumnData.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractItemModelTester>

using namespace brelkin;

namespace {

class CRecordListModelTest : public GoodsDbFixture
{
protected:
    // Opens a list of the work database as the list window does.
    CColumnDataList* Open(GoodsList which)
    {
        CColumnDataList* list = m_lists.Get(which);
        list->SetSQliteDB(m_db.get(), &m_cache);
        int err = 0;
        EXPECT_TRUE(list->ReadTableInfo(err));
        EXPECT_TRUE(list->ReadRecords(err, QString()));
        return list;
    }
    void TearDown() override
    {
        for (int i = 0; i < int(GoodsList::Count); ++i)
            if (m_lists.Get(GoodsList(i))->GetCSQliteDBPtr())
                m_lists.Get(GoodsList(i))->FreeRecords();
        GoodsDbFixture::TearDown();
    }

    QStringList Column(const CRecordListModel& model, int column)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.index(row, column).data().toString();
        return texts;
    }

    QStringList Headers(const CRecordListModel& model, const CColumnDataList& list)
    {
        QStringList names;
        for (int c = 0; c < model.columnCount(); ++c)
            names << list.m_ppColumnData[model.ColumnIndex(c)]->m_strColumnName;
        return names;
    }

    CGoodsColumnLists m_lists;
    CStringArrayPtrArray m_cache;
};

TEST_F(CRecordListModelTest, ListsTheItemColumnsAndSortsByValueOrText)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food')");
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, UNITPRICE, UNITQTY) VALUES "
         "('0001', '9', '000001', 10, 1.5), ('0002', '10', '000001', 9, 1.2), "
         "('0003', 'b', '000001', 3000000000, 0), ('0004', 'B', '000001', 2147483647, -1)");
    CColumnDataList* list = Open(GoodsList::Plu);
    CRecordListModel model(list, &m_cache);
    model.SetUnlistedLabelKeys(&IsUnlistedLabelKey);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.BuildColumns();
    // No price level, classification or unlabelled column.
    EXPECT_EQ(Headers(model, *list),
              (QStringList{"ITEMCODE", "SCANCODE1", "ITEMNAME", "ITEMNAME2", "ITEMDEPTCODE",
                           "ITEMPARMCODE", "SETITEMCODE", "UNITPRICE", "TAXCODE_1", "TAXCODE_2",
                           "TAXCODE_3", "UNITWEIGHT", "UNITQTY", "UNITPRICENAME", "UNUSABLEFLG"}));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(),
              GetLangString(QStringLiteral("CRDS_PR_CLMN_PLUNAME")));
    EXPECT_EQ(Column(model, 4), (QStringList{"Food", "Food", "Food", "Food"})); // shown as named
    const auto alignment = [&](int column) {
        return model.index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(7), Qt::AlignRight); // price
    EXPECT_EQ(alignment(2), Qt::AlignLeft);  // name

    // The first click on the code (the initial order) reverses it.
    model.ClickColumn(0);
    EXPECT_FALSE(model.SortAscending());
    EXPECT_EQ(Column(model, 0), (QStringList{"0004", "0003", "0002", "0001"}));
    // Another column sorts ascending; names as text, prices as numbers.
    model.ClickColumn(2);
    EXPECT_EQ(Column(model, 2), (QStringList{"10", "9", "B", "b"}));
    model.ClickColumn(7);
    EXPECT_TRUE(model.SortAscending());
    EXPECT_EQ(Column(model, 7), (QStringList{"9", "10", "2147483647", "3000000000"}));
    model.ClickColumn(7);
    EXPECT_EQ(Column(model, 7), (QStringList{"3000000000", "2147483647", "10", "9"}));
    model.ClickColumn(12);
    EXPECT_EQ(Column(model, 12), (QStringList{"-1", "0", "1.2", "1.5"}));
    // Record numbers follow the rows: the cache itself is sorted.
    EXPECT_EQ(list->CachedRecord(1)->value(12), "-1");
    EXPECT_EQ(model.FindRecordByKey(QStringLiteral("0003")), 2);
    EXPECT_EQ(model.FindRecordByKey(QStringLiteral("0005")), -1);
    EXPECT_EQ(Column(model, 0), (QStringList{"0001", "0002", "0003", "0004"}));
}

TEST(NumericSortKey, ValuesWithDecimalsAndBeyondThirtyTwoBits)
{
    const char* ascending[] = {
        "-3000000000", "-1.5", "-1.2", "-1", "",           "abc",        "0.05",
        "1.2",         "1.5",  "9",    "10", "2147483647", "3000000000", "99999999999999999999"};
    for (size_t i = 1; i < std::size(ascending); ++i)
        EXPECT_LE(MakeNumericSortKey(QLatin1String(ascending[i - 1])),
                  MakeNumericSortKey(QLatin1String(ascending[i])))
            << ascending[i - 1] << " " << ascending[i];
    EXPECT_EQ(MakeNumericSortKey("  12abc"), MakeNumericSortKey("12"));
    EXPECT_EQ(MakeNumericSortKey(""), MakeNumericSortKey("0"));
}

TEST(UnlistedLabelKey, PriceLevelsSetMenusFourToSixAndClassification)
{
    int unlisted = 0;
    for (int n = 0; n <= 11; ++n)
        for (const char* ending : {"", "_TAX1", "_TAX2", "_UQTY", "_NAME"})
            unlisted +=
                IsUnlistedLabelKey(QStringLiteral("CRDS_PR_CLMN_PRC%1%2").arg(n).arg(ending));
    EXPECT_EQ(unlisted, 45);
    EXPECT_TRUE(IsUnlistedLabelKey("CRDS_PR_CLMN_SETITEMNAME4"));
    EXPECT_TRUE(IsUnlistedLabelKey("CRDS_PR_CLMN_ITEMCLASSIFICATION"));
    EXPECT_FALSE(IsUnlistedLabelKey("CRDS_PR_CLMN_SETITEMNAME3"));
    EXPECT_FALSE(IsUnlistedLabelKey("crds_pr_clmn_prc2"));
    EXPECT_FALSE(IsUnlistedLabelKey("CRDS_PR_CLMN_PRICE"));
}

TEST_F(CRecordListModelTest, CleaningItemsHideWhatTheViewTableMarksGone)
{
    Exec("INSERT INTO CTT002 (TABLENAME, COLUMNNAME, REMARKS) VALUES "
         "('CIA001', 'ITEMCODE', 'view=gone'), ('CIA001', 'ITEMNAME', 'view=gone'), "
         "('CIA001', 'itemdeptcode', 'x view=gone'), ('CIA001', 'UNITPRICE', 'view=gone'), "
         "('CIA001', 'SCANCODE1', 'shown'), ('CIA002', 'ITEMPARMCODE', 'view=gone')");
    CColumnDataList* cleaning = Open(GoodsList::PluCleaning);
    int err = 0;
    ASSERT_TRUE(ReadHiddenColumns(*cleaning, 9, false, err));
    CRecordListModel model(cleaning, &m_cache);
    model.SetUnlistedLabelKeys(&IsUnlistedLabelKey);
    model.BuildColumns();
    EXPECT_EQ(Headers(model, *cleaning),
              (QStringList{"ITEMCODE", "SCANCODE1", "ITEMNAME", "ITEMDEPTCODE", "ITEMPARMCODE",
                           "SETITEMCODE", "TAXCODE_1", "TAXCODE_2", "UNITWEIGHT", "UNITQTY"}));
}

TEST_F(CRecordListModelTest, StandardItemsReadNoViewTable)
{
    Exec("DROP TABLE CTT002");
    CColumnDataList* list = Open(GoodsList::Plu);
    int err = 0;
    EXPECT_TRUE(ReadHiddenColumns(*list, 1, false, err));
    EXPECT_EQ(err, 0);
    // The cleaning clerks do read it, and report its failure.
    CColumnDataList* clerks = Open(GoodsList::ClerkCleaning);
    EXPECT_FALSE(ReadHiddenColumns(*clerks, 10, false, err));
    EXPECT_NE(err, 0);
}

TEST_F(CRecordListModelTest, CleaningClerksHideTheirKeyAndInterfaceCode)
{
    CColumnDataList* clerks = Open(GoodsList::ClerkCleaning);
    int err = 0;
    ASSERT_TRUE(ReadHiddenColumns(*clerks, 10, false, err));
    CRecordListModel model(clerks, &m_cache);
    model.SetUnlistedLabelKeys(&IsUnlistedLabelKey);
    model.BuildColumns();
    EXPECT_EQ(Headers(model, *clerks),
              (QStringList{"CLKCODE", "CLKNAME", "CLKGRPCODE", "UNUSABLE"}));
}

} // namespace
