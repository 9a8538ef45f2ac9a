#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataDef.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/config/CBasePath.h"

#include "testsupport/WorkDbFixture.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/FixedClock.h"

#include <gtest/gtest.h>

namespace {

// Refuses one key, as a uniqueness check of a program would.
class RefusingColumn : public CColumnData
{
public:
    using CColumnData::CColumnData;
    bool CheckItemValue(QString, QString keyValue, QString) override
    {
        m_strErrMsg = QStringLiteral("TEST_REFUSED");
        return keyValue != refusedKey;
    }
    QString refusedKey;
};

class CColumnDataListTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        Exec("CREATE TABLE ITEMS (CODE VARCHAR(6) PRIMARY KEY, NAME VARCHAR(20), "
             "PRICE NUMERIC(8,2), NOTE VARCHAR(10), CREATEDATETIME VARCHAR(14), "
             "UPDATEDATETIME VARCHAR(14))");
        Exec("INSERT INTO ITEMS VALUES ('000002', 'b', 20, 'nb', 'c2', 'u2'), "
             "('000001', 'a', 10, 'na', 'c1', 'u1'), ('000003', 'c', 30, 'nc', 'c3', 'u3')");
        m_columns = {new CColumnData("CODE", "K_CODE", 0, 0),
                     new CColumnDataDef("NAME", "K_NAME", 0, 0, ""),
                     m_price = new RefusingColumn("PRICE", "K_PRICE", 0, 0),
                     m_note = new CColumnData("NOTE", "K_NOTE", 0, 0),
                     new CColumnData("CREATEDATETIME", "", 0, 0),
                     new CColumnData("UPDATEDATETIME", "", 0, 0),
                     nullptr};
        m_list = std::make_unique<CColumnDataList>("ITEMS", m_columns.data());
        m_list->SetSQliteDB(m_db.get(), &m_cache);
        int err = 0;
        ASSERT_TRUE(m_list->ReadTableInfo(err));
        ASSERT_TRUE(m_list->ReadRecords(err, ""));
    }
    void TearDown() override { m_list->FreeRecords(); }

    QList<QStringList> cache() const
    {
        QList<QStringList> rows;
        for (qsizetype i = 0; i < m_cache.GetSize(); ++i)
            rows << m_cache.GetAt(i)->toList();
        return rows;
    }
    QList<QStringList> table() { return Rows("ITEMS", {}, "", "CODE"); }

    std::vector<CColumnData*> m_columns;
    RefusingColumn* m_price = nullptr;
    CColumnData* m_note = nullptr;
    CStringArrayPtrArray m_cache;
    std::unique_ptr<CColumnDataList> m_list;
    int err = -99;
};

TEST_F(CColumnDataListTest, ReadsEveryRowInKeyOrderAndRereadsWithoutGrowing)
{
    ASSERT_EQ(m_cache.GetSize(), 3);
    EXPECT_EQ(cache()[0], QStringList({"000001", "a", "10", "na", "c1", "u1"}));
    EXPECT_EQ(cache()[2][0], "000003");
    for (int i = 0; i < 3; ++i) {
        m_cache.RemoveAll();
        ASSERT_TRUE(m_list->ReadRecords(err, "NAME DESC"));
    }
    EXPECT_EQ(cache()[0][0], "000003");
    EXPECT_EQ(m_list->OwnedRowCount(), 3); // rows dropped from the cache are freed

    Exec("DELETE FROM ITEMS");
    m_cache.RemoveAll();
    EXPECT_TRUE(m_list->ReadRecords(err, ""));
    EXPECT_EQ(m_cache.GetSize(), 0);
    EXPECT_EQ(err, 0);
}

TEST_F(CColumnDataListTest, RowsHoldingTheSameValueChangeAlone)
{
    // A read shares one text among the rows that hold the same short value.
    Exec("UPDATE ITEMS SET NOTE = 'n'");
    m_cache.RemoveAll();
    ASSERT_TRUE(m_list->ReadRecords(err, ""));
    ASSERT_TRUE(m_list->UpdateOneColumnData(3, 1, "m", err));
    CRecord* edited = m_list->CachedRecord(2); // a caller editing its row in place
    edited->replace(3, edited->at(3) + u'x');
    EXPECT_EQ(cache()[0][3], "m");
    EXPECT_EQ(cache()[1][3], "nx");
    EXPECT_EQ(cache()[2][3], "n");
    EXPECT_EQ(table()[2][3], "n");
}

TEST_F(CColumnDataListTest, InsertWritesDefaultsAndTimeStampsOnly)
{
    korvane::test::FixedClock clock(QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
    QStringList row{"000009", "ignored", "1", "ignored", "", ""};
    ASSERT_TRUE(m_list->InsertRecord(row, err));
    const QStringList inserted = Rows("ITEMS",
                                      {"CODE", "NAME", "IFNULL(PRICE, 'null')",
                                       "IFNULL(NOTE, 'null')", "CREATEDATETIME", "UPDATEDATETIME"},
                                      "CODE = '000009'")
                                     .value(0);
    EXPECT_EQ(inserted.mid(0, 4), QStringList({"000009", "", "null", "null"}));
    EXPECT_EQ(inserted[4], "20250102030405");
    EXPECT_EQ(inserted[4], inserted[5]);
    EXPECT_EQ(m_cache.GetSize(), 4);
    EXPECT_FALSE(m_list->InsertRecord(row, err)); // the key exists
    EXPECT_NE(err, 0);
}

TEST_F(CColumnDataListTest, SaveLeavesNotSavedColumnsButCachesThem)
{
    m_note->m_bNotSave = true;
    QStringList row{"000002", "B", "25", "changed", "c2", "u9"};
    ASSERT_TRUE(m_list->SaveRecord(2, row, err));
    EXPECT_EQ(table()[1], QStringList({"000002", "B", "25", "nb", "c2", "u9"}));
    EXPECT_EQ(cache()[1], row);
}

TEST_F(CColumnDataListTest, PartialSaveWritesTheListedColumnsWithTheirOwnValues)
{
    m_note->m_bNotSave = true;
    // NOTE is listed but never saved: the values after it keep their places.
    ASSERT_TRUE(m_list->SaveRecordOfPartItem(1, {"K_CODE", "K_NOTE", "K_PRICE"},
                                             {"000001", "x", "99"}, err));
    EXPECT_EQ(table()[0], QStringList({"000001", "a", "99", "na", "c1", "u1"}));
    EXPECT_EQ(cache()[0], table()[0]);

    Exec("CREATE TRIGGER NOPRICE BEFORE UPDATE ON ITEMS BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(m_list->SaveRecordOfPartItem(1, {"K_CODE", "K_PRICE"}, {"000001", "5"}, err));
    EXPECT_NE(err, 0);
    EXPECT_FALSE(m_db->InTransaction());
    EXPECT_EQ(table()[0][2], "99");
    EXPECT_EQ(cache()[0][2], "99");
}

TEST_F(CColumnDataListTest, BulkUpdateIsAllOrNothing)
{
    const QList<QStringList> before = table();
    m_price->refusedKey = "000003";
    int failed = -1;
    QString message;
    EXPECT_FALSE(m_list->UpdateOneColumnDatas(2, {1, 2, 3}, "77", err, failed, message));
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(message, "TEST_REFUSED");
    EXPECT_EQ(table(), before);
    EXPECT_EQ(cache(), before);
    EXPECT_FALSE(m_db->InTransaction());

    // A failed write rolls back the same way.
    m_price->refusedKey.clear();
    Exec("CREATE TRIGGER NOTHREE BEFORE UPDATE ON ITEMS WHEN OLD.CODE = '000003' "
         "BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(m_list->UpdateOneColumnDatas(2, {1, 2, 3}, "77", err, failed, message));
    EXPECT_NE(err, 0);
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(cache(), before);

    // A record given twice gets its own value back, not the one written first.
    m_price->refusedKey = "000003";
    EXPECT_FALSE(m_list->UpdateOneColumnDatas(2, {1, 2, 1, 3}, "77", err, failed, message));
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(cache(), before);
    m_price->refusedKey.clear();

    Exec("DROP TRIGGER NOTHREE");
    EXPECT_TRUE(m_list->UpdateOneColumnDatas(2, {1, 3}, "77", err, failed, message));
    EXPECT_EQ(table()[0][2], "77");
    EXPECT_EQ(table()[1][2], "20");
    EXPECT_EQ(cache()[2][2], "77");
}

TEST_F(CColumnDataListTest, SingleColumnUpdateKeepsTheCacheTrueOnFailure)
{
    ASSERT_TRUE(m_list->UpdateOneColumnData(1, 2, "bee", err));
    EXPECT_EQ(table()[1][1], "bee");
    EXPECT_EQ(cache()[1][1], "bee");
    Exec("CREATE TRIGGER NOUPDATE BEFORE UPDATE ON ITEMS BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(m_list->UpdateOneColumnData(1, 2, "bzz", err));
    EXPECT_EQ(cache()[1][1], "bee");
}

TEST_F(CColumnDataListTest, KeysAreValuesNotSql)
{
    Exec("INSERT INTO ITEMS (CODE) VALUES ('a''b')");
    EXPECT_TRUE(m_list->IsExistKey("a'b", err));
    EXPECT_TRUE(m_list->IsExistKey("000001", err));
    EXPECT_FALSE(m_list->IsExistKey("x' OR '1'='1", err));
    EXPECT_EQ(err, 0);
}

TEST_F(CColumnDataListTest, DeleteRemovesTheRowAndRereads)
{
    QStringList row = cache()[1];
    ASSERT_TRUE(m_list->DeleteRecord(row, err));
    EXPECT_EQ(table().size(), 2);
    EXPECT_EQ(m_cache.GetSize(), 2);
    EXPECT_EQ(cache()[1][0], "000003");
}

TEST_F(CColumnDataListTest, DeletingAKeyTheTableLacksSucceeds)
{
    QStringList row{"000009", "", "", "", "", ""};
    EXPECT_TRUE(m_list->DeleteRecord(row, err));
    EXPECT_EQ(err, 0);
    EXPECT_EQ(m_cache.GetSize(), 3);
}

TEST_F(CColumnDataListTest, RowsLiveUntilFreeRecordsAndRereadsAllocateNone)
{
    // A caller holds rows across writes that empty the cache and read again.
    CRecord* second = m_list->CachedRecord(2);
    CRecord* third = m_list->CachedRecord(3);
    const QStringList thirdValues = third->toList();
    QStringList added{"000009", "", "", "", "", ""};
    ASSERT_TRUE(m_list->InsertRecord(added, err));
    EXPECT_EQ(second->value(0), "000002");
    QStringList gone = third->toList();
    ASSERT_TRUE(m_list->DeleteRecord(gone, err));
    EXPECT_EQ(*third, thirdValues); // out of the cache, still alive
    EXPECT_EQ(second->value(1), "b");
    EXPECT_EQ(m_list->CachedRecord(2), second); // the same record, the same row

    const QList<const CRecord*> rowsBefore(m_cache.begin(), m_cache.end());
    const qsizetype owned = m_list->OwnedRowCount();
    for (int i = 0; i < 100; ++i) {
        m_cache.RemoveAll();
        ASSERT_TRUE(m_list->ReadRecords(err, QString()));
    }
    EXPECT_EQ(m_list->OwnedRowCount(), owned);
    EXPECT_EQ(QList<const CRecord*>(m_cache.begin(), m_cache.end()), rowsBefore);

    // A key that comes back takes the row it had.
    QStringList again{"000003", "", "", "", "", ""};
    ASSERT_TRUE(m_list->InsertRecord(again, err));
    EXPECT_EQ(m_list->CachedRecord(3), third);
    EXPECT_EQ(third->value(1), "");
    EXPECT_EQ(m_list->OwnedRowCount(), owned);
}

TEST_F(CColumnDataListTest, FreeRecordsLeavesNoRowOfTheListInTheCache)
{
    CRecord foreign{"mine"};
    m_cache.Add(&foreign);
    m_list->FreeRecords();
    ASSERT_EQ(m_cache.GetSize(), 1);
    EXPECT_EQ(m_cache.GetAt(0), &foreign);
    EXPECT_EQ(m_columns[0], nullptr);
}

TEST_F(CColumnDataListTest, AMissingColumnStopsTheListFromOpening)
{
    CColumnData* columns[] = {new CColumnData("CODE", "", 0, 0),
                              new CColumnData("NOSUCH", "", 0, 0), nullptr};
    CColumnDataList list("ITEMS", columns);
    CStringArrayPtrArray cache;
    list.SetSQliteDB(m_db.get(), &cache);
    SuiteFixture suite;
    EXPECT_FALSE(list.ReadTableInfo(err));
    EXPECT_EQ(suite.messages(), QStringList{"CRDS_CMN_ERR_READTABLEINFO_FAILED"});
    list.FreeRecords();
}

// Settings kept as single rows of key/value tables.
class OwnTableListTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        for (const char* table : {"SETA", "SETB"})
            Exec(QStringLiteral("CREATE TABLE %1 (KEYNAME VARCHAR(10) PRIMARY KEY, "
                                "VAL VARCHAR(10), CREATEDATETIME VARCHAR(14), "
                                "UPDATEDATETIME VARCHAR(14))")
                     .arg(table));
        m_columns = {own("SETA", "K1"), own("SETA", "K2"), own("SETB", "K3"), nullptr};
        m_list = std::make_unique<CColumnDataList>("", m_columns.data());
        m_list->SetSQliteDB(m_db.get(), &m_cache);
        ASSERT_TRUE(m_list->ReadTableInfo(err));
    }
    void TearDown() override { m_list->FreeRecords(); }

    static CColumnData* own(const char* table, const char* key)
    {
        auto column = new CColumnData("VAL", "", 0, 0);
        column->m_strOwnTable = table;
        column->m_strOwnKeyColumn = "KEYNAME";
        column->m_strOwnKeyValue = key;
        column->m_bOwnTable = true;
        return column;
    }
    bool reread()
    {
        m_cache.RemoveAll();
        return m_list->ReadRecords(err, "");
    }

    std::vector<CColumnData*> m_columns;
    CStringArrayPtrArray m_cache;
    std::unique_ptr<CColumnDataList> m_list;
    int err = -99;
};

TEST_F(OwnTableListTest, SavingTwiceKeepsTheCreationTime)
{
    ASSERT_TRUE(reread());
    EXPECT_EQ(*m_cache.GetAt(0), QStringList({"", "", ""}));
    QStringList row{"a", "b", "c"};
    ASSERT_TRUE(m_list->SaveRecord(1, row, err));
    const QStringList first =
        Rows("SETA", {"VAL", "CREATEDATETIME", "UPDATEDATETIME"}, "KEYNAME = 'K1'").value(0);
    EXPECT_EQ(first[0], "a");
    EXPECT_EQ(first[1], first[2]);

    Exec("UPDATE SETA SET CREATEDATETIME = '20000101000000'");
    ASSERT_TRUE(reread());
    row = {"x", "y", "z"};
    ASSERT_TRUE(m_list->SaveRecord(1, row, err));
    EXPECT_EQ(Rows("SETA", {"KEYNAME", "VAL", "CREATEDATETIME"}, "", "KEYNAME"),
              QList<QStringList>({{"K1", "x", "20000101000000"}, {"K2", "y", "20000101000000"}}));
    EXPECT_EQ(Rows("SETB", {"VAL"}), QList<QStringList>({{"z"}}));
    EXPECT_EQ(*m_cache.GetAt(0), row);
}

TEST_F(OwnTableListTest, AFailedSaveWritesNothingAndCanBeRepeated)
{
    ASSERT_TRUE(reread());
    Exec("CREATE TRIGGER NOB BEFORE INSERT ON SETB BEGIN SELECT RAISE(ABORT, 'no'); END");
    QStringList row{"a", "b", "c"};
    EXPECT_FALSE(m_list->SaveRecord(1, row, err));
    EXPECT_NE(err, 0);
    EXPECT_TRUE(Rows("SETA").isEmpty());
    EXPECT_EQ(*m_cache.GetAt(0), QStringList({"", "", ""}));

    Exec("DROP TRIGGER NOB");
    ASSERT_TRUE(m_list->SaveRecord(1, row, err)); // inserts again, not updates of nothing
    EXPECT_EQ(Rows("SETA").size(), 2);
    EXPECT_EQ(Rows("SETB").size(), 1);
}

TEST(CDataManagerTest, OpensTheWorkDatabaseOnceAndClosesCleanly)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=Test\n");
    CColumnData* columns[] = {new CColumnData("CODE", "", 0, 0), nullptr};
    CColumnDataList list("ITEMS", columns);
    const uint pages[] = {10, 11};
    CDataManager manager("P", 1, 2, 0, "TEST_TITLE", pages, 2, &list);
    ASSERT_TRUE(manager.CreateSQLiteDB(QString()));
    CSQliteDB* first = manager.m_pSQliteDB;
    EXPECT_FALSE(manager.CreateSQLiteDB(QString()));
    EXPECT_EQ(manager.m_pSQliteDB, first);
    EXPECT_EQ(list.GetCSQliteDBPtr(), first);
    EXPECT_EQ(list.m_pRecords, &manager.m_arrRecords);
    EXPECT_EQ(columns[0]->m_pSQliteDB, first);

    int err = -99;
    // A new work database has no table: the column facts are refused.
    EXPECT_FALSE(manager.OpenSQLiteDB("\\SETTING.DB", err));
    EXPECT_EQ(suite.messages(), QStringList{"CRDS_CMN_ERR_READTABLEINFO_FAILED"});
    EXPECT_NE(manager.m_pSQliteDB, nullptr);
    EXPECT_TRUE(manager.CloseSQLiteDB());
    EXPECT_EQ(manager.m_pSQliteDB, nullptr);
    EXPECT_EQ(columns[0], nullptr);
}

TEST(CDataManagerTest, ReadsTheTableOfTheLocalDataFolder)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=Test\n");
    CColumnData* columns[] = {new CColumnData("CODE", "", 0, 0), nullptr};
    CColumnDataList list("ITEMS", columns);
    CDataManager manager("P", 1, 2, 0, "", nullptr, 0, &list);
    {
        CSQliteDB db;
        ASSERT_EQ(db.OpenDB(CBasePath::GetLocalDataBasePath() + "/SETTING.DB"), 0);
        CSQliteSQL sql(db, "ITEMS");
        ASSERT_EQ(sql.ExecSQL("CREATE TABLE ITEMS (CODE VARCHAR(4) PRIMARY KEY)"), 0);
        ASSERT_EQ(sql.ExecSQL("INSERT INTO ITEMS VALUES ('0001')"), 0);
        db.CloseDB();
    }
    int err = -99;
    ASSERT_TRUE(manager.CreateSQLiteDB(CBasePath::GetLocalDataBasePath()));
    ASSERT_TRUE(manager.OpenSQLiteDB("\\SETTING.DB", err));
    EXPECT_EQ(columns[0]->m_nSize, 4);
    ASSERT_TRUE(list.ReadRecords(err, ""));
    EXPECT_EQ(*manager.m_arrRecords.GetAt(0), QStringList{"0001"});
}

TEST(CDataManagerTest, ANeverOpenedManagerOnlyFreesItsMembers)
{
    CColumnData* columns[] = {new CColumnData("CODE", "", 0, 0), nullptr};
    CColumnDataList list("ITEMS", columns);
    {
        CDataManager manager("P", 1, 2, 0, "", nullptr, 0, &list);
    }
    EXPECT_EQ(columns[0], nullptr);
}

} // namespace
