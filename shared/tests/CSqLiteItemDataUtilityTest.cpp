#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"

#include "testsupport/QtPrinters.h"
#include "shared/tests/WorkDbFixture.h"
#include "testsupport/FixedClock.h"

namespace {

class ItemData : public WorkDbFixture
{
protected:
    void SetUp() override
    {
        CreateTables({"CIA001", "CIA002", "CIB001", "CIB002", "CSA007", "CSB001", "CSB002",
                      "CSB003", "CSM018", "CMP002", "CMB001"});
        Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000002','Bread'),"
             "('000001','Fruit')");
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE) VALUES "
             "('0000000000000003','Pear','000001'),('0000000000000001','Apple','000001'),"
             "('0000000000000002','Rye','000002'),('0000000000000004','O''Hara','x'' OR "
             "''1''=''1')");
        Exec("INSERT INTO CSM018 (FUNCTIONCODE, FUNCTIONTYPE) VALUES "
             "('000020','10000000000000000000'),('000010','10000000000000000000'),"
             "('000030','01000000000000000000')");
        Exec(
            "INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE) VALUES "
            "('000001','Discount','000020'),('000002','Cash','000010'),('000003','Void','000030')");
    }
    QList<QStringList> List(int (*alloc)(CSQliteDB*, CStringArrayPtrList&), int expected)
    {
        CStringArrayPtrList rows;
        EXPECT_EQ(alloc(m_db.get(), rows), expected);
        QList<QStringList> result;
        for (const QStringList* row : rows)
            result << *row;
        CSqLiteItemDataUtility::FreeListData(rows);
        return result;
    }
    QList<QStringList> Items(const QString& dept)
    {
        CStringArrayPtrList rows;
        CSqLiteItemDataUtility::AllocItemList(m_db.get(), rows, dept);
        QList<QStringList> result;
        for (const QStringList* row : rows)
            result << *row;
        CSqLiteItemDataUtility::FreeListData(rows);
        return result;
    }
};

TEST_F(ItemData, ListsAreOrderedByCodeAndItemsFilteredByDepartment)
{
    EXPECT_EQ(List(&CSqLiteItemDataUtility::AllocDeptList, 2),
              (QList<QStringList>{{"000001", "Fruit"}, {"000002", "Bread"}}));
    EXPECT_EQ(Items("000001"),
              (QList<QStringList>{{"0000000000000001", "Apple"}, {"0000000000000003", "Pear"}}));
    EXPECT_EQ(Items("").size(), 4);
    EXPECT_TRUE(Items("000009").isEmpty());
    // A quote in the code is a value, never SQL.
    EXPECT_EQ(Items("x' OR '1'='1"), (QList<QStringList>{{"0000000000000004", "O'Hara"}}));
    // Only function keys of the selectable type, by function code.
    EXPECT_EQ(List(&CSqLiteItemDataUtility::AllocFuncList, 2),
              (QList<QStringList>{{"000002", "Cash", "000010"}, {"000001", "Discount", "000020"}}));
    EXPECT_EQ(List(&CSqLiteItemDataUtility::AllocSetMenuList, 0), QList<QStringList>{});

    CStringArrayPtrList rows;
    EXPECT_EQ(CSqLiteItemDataUtility::AllocDeptList(nullptr, rows), 0);
    Exec("DROP TABLE CIB001");
    EXPECT_EQ(CSqLiteItemDataUtility::AllocSetMenuList(m_db.get(), rows), -1);
}

TEST_F(ItemData, SingleValuesAndAPriceColumnOnlyOfTheItemTable)
{
    Exec("UPDATE CIA001 SET UNITPRICE='120' WHERE ITEMCODE='0000000000000001'");
    EXPECT_EQ(CSqLiteItemDataUtility::GetUnitPrice(m_db.get(), "0000000000000001", "UNITPRICE"),
              "120");
    EXPECT_EQ(CSqLiteItemDataUtility::GetUnitPrice(m_db.get(), "0000000000000009", "UNITPRICE"),
              "");
    // A column name that is no column of the table is never put into SQL.
    EXPECT_EQ(CSqLiteItemDataUtility::GetUnitPrice(m_db.get(), "0000000000000001",
                                                   "ITEMNAME FROM CIA002 --"),
              "");
    EXPECT_EQ(CSqLiteItemDataUtility::GetFuncKeyName(m_db.get(), "000001"), "Discount");
    EXPECT_EQ(CSqLiteItemDataUtility::GetFunctionCode(m_db.get(), "000002"), "000010");
    EXPECT_EQ(CSqLiteItemDataUtility::GetFuncKeyName(m_db.get(), "' OR ''='"), "");
}

TEST_F(ItemData, OptionsOfFunctionKeyRangeAndFloatingDepartments)
{
    QString start = "x", end = "y";
    EXPECT_TRUE(CSqLiteItemDataUtility::GetFuncKeyRange(m_db.get(), start, end));
    EXPECT_EQ(start, "");
    EXPECT_EQ(end, "");
    Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES "
         "('SALES.REG.NUMBERING.FUNCKEYCODE.START','000100'),"
         "('SALES.REG.NUMBERING.FUNCKEYCODE.END','000199'),"
         "('FLOATINGDEPT05','000005'),('FLOATINGDEPT02','000002'),('FLOATINGDEPT11','000011')");
    EXPECT_TRUE(CSqLiteItemDataUtility::GetFuncKeyRange(m_db.get(), start, end));
    EXPECT_EQ(start, "000100");
    EXPECT_EQ(end, "000199");
    QStringList floating;
    EXPECT_TRUE(CSqLiteItemDataUtility::GetFloatingDept(m_db.get(), floating));
    EXPECT_EQ(floating, (QStringList{"000002", "000005"}));

    Exec("DROP TABLE CSB001");
    EXPECT_FALSE(CSqLiteItemDataUtility::GetFuncKeyRange(m_db.get(), start, end));
}

TEST_F(ItemData, SavesInsertThenUpdateKeepingTheCreationTimeButFloatingPrices)
{
    korvane::test::FixedClock clock(QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
    int err = 0;
    const QString old = "20000101000000";
    Exec("INSERT INTO CSA007 (ITEMCODE, CTRLTYPE, CTRLCODE, PRICECODE, FLOATINGPRICE, "
         "CREATEDATETIME, UPDATEDATETIME) VALUES ('1','01','2','01','100','" +
         old + "','" + old + "')");
    Exec("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, CREATEDATETIME) VALUES ('000009','Old','" +
         old + "')");
    Exec("INSERT INTO CMB001 (SETKEY, SETVALUE, CREATEDATETIME) VALUES ('K','v','" + old + "')");

    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCSA007(*m_db, "1", "01", "2", "01", "250", err));
    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCSA007(*m_db, "1", "01", "3", "01", "300", err));
    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCSB002(*m_db, "000009", "New", "000010", err));
    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCMB001(*m_db, "K", "w", err));
    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCSB003(*m_db, "000001", "ST.TARGET", "5", err));
    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCSB003(*m_db, "000001", "ST.TARGET", "6", err));
    EXPECT_TRUE(CSqLiteItemDataUtility::SaveRecordCMP002(*m_db, "000001", "CAMPAIGN.DISCOUNT", "02",
                                                         "7", err));
    EXPECT_EQ(err, 0);

    const auto csa = Rows(
        "CSA007", {"CTRLCODE", "FLOATINGPRICE", "CREATEDATETIME", "UPDATEDATETIME"}, "CTRLCODE");
    ASSERT_EQ(csa.size(), 2);
    // A floating price gets both time stamps on an update too.
    EXPECT_EQ(csa[0], (QStringList{"2", "250", "20250102030405", "20250102030405"}));
    EXPECT_EQ(csa[1][2], "20250102030405");
    EXPECT_EQ(csa[1][2], csa[1][3]);
    EXPECT_EQ(Rows("CSB002", {"FUNCKEYNAME", "CREATEDATETIME"}, "FUNCKEYCODE").last(),
              (QStringList{"New", old}));
    EXPECT_EQ(Rows("CMB001", {"SETVALUE", "CREATEDATETIME"}).first(), (QStringList{"w", old}));
    EXPECT_EQ(CSqLiteItemDataUtility::GetDiscountTarget(m_db.get(), "000001"), "6");
    EXPECT_EQ(CSqLiteItemDataUtility::GetCustGroupSubCode(m_db.get(), "000001"), "02");
    EXPECT_EQ(CSqLiteItemDataUtility::GetCustGroupValue(m_db.get(), "000001"), "7");

    EXPECT_TRUE(CSqLiteItemDataUtility::DeleteRecordCSA007(*m_db, "1", "01", "3", "01", err));
    EXPECT_TRUE(
        CSqLiteItemDataUtility::DeleteRecordCMP002(*m_db, "000001", "CAMPAIGN.DISCOUNT", err));
    EXPECT_EQ(Rows("CSA007", {"CTRLCODE"}).size(), 1);
    EXPECT_TRUE(Rows("CMP002", {"VALUE"}).isEmpty());
}

TEST_F(ItemData, ASaveThatDeletesChildrenFirstWorksForARecordWithoutChildren)
{
    const QString set = "0000000000000100";
    Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES ('" + set + "','Lunch')");
    int err = -99;
    CSQliteSQL tx(*m_db, CBasePath::GetStrDummyName());
    ASSERT_EQ(tx.StartTransaction(), 0);
    EXPECT_TRUE(CSqLiteUtility::UpdateOneRecord(*m_db, "CIB001", {"SETITEMCODE"}, {"SETITEMNAME"},
                                                {set}, {"Lunch set"}, err));
    EXPECT_TRUE(CSqLiteUtility::DeleteRecord(*m_db, "CIB002", {"SETITEMCODE"}, {set}, err));
    EXPECT_EQ(err, 0);
    for (const QString& list : {QStringLiteral("01"), QStringLiteral("02")})
        EXPECT_TRUE(CSqLiteUtility::InsertOneRecord(*m_db, "CIB002", {"SETITEMCODE", "LISTNUMBER"},
                                                    {"ITEMCODE"}, {set, list}, {"0000000000000001"},
                                                    err));
    ASSERT_EQ(tx.ExecCommit(), 0);
    EXPECT_EQ(Rows("CIB001", {"SETITEMNAME"}), (QList<QStringList>{{"Lunch set"}}));
    EXPECT_EQ(Rows("CIB002", {"LISTNUMBER"}, "LISTNUMBER"), (QList<QStringList>{{"01"}, {"02"}}));

    // The other deletes of the library take an empty set as done, too.
    err = -99;
    EXPECT_TRUE(CSqLiteItemDataUtility::DeleteRecordCSA007(*m_db, "9", "01", "9", "01", err));
    EXPECT_EQ(err, 0);
    err = -99;
    EXPECT_TRUE(
        CSqLiteItemDataUtility::DeleteRecordCMP002(*m_db, "000009", "CAMPAIGN.DISCOUNT", err));
    EXPECT_EQ(err, 0);
}

TEST_F(ItemData, AFailedExistenceTestFailsTheSave)
{
    Exec("DROP TABLE CMB001");
    int err = 0;
    EXPECT_FALSE(CSqLiteItemDataUtility::SaveRecordCMB001(*m_db, "K", "w", err));
    EXPECT_NE(err, 0);
    Exec("CREATE TABLE CMB001 (SETKEY VARCHAR(64) PRIMARY KEY, SETVALUE VARCHAR(256), "
         "CREATEDATETIME VARCHAR(14), UPDATEDATETIME VARCHAR(14))");
    Exec("CREATE TRIGGER no_insert BEFORE INSERT ON CMB001 BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(CSqLiteItemDataUtility::SaveRecordCMB001(*m_db, "K", "w", err));
    EXPECT_NE(err, 0);
}

} // namespace
