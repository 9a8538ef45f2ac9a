// The clerk's Dallas key through the clerk column list, as the clerk page
// and the list window drive it; CSB010 is read back directly.
#include "goods/CColumnDataDallasKey.h"
#include "goods/CGoodsColumnLists.h"

#include "goods/tests/GoodsDbFixture.h"
#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"

#include <QLineEdit>

using namespace brelkin;

namespace {

constexpr int kKeyColumn = 8;

class CColumnDataDallasKeyTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        Exec("INSERT INTO CSB004 (CLKCODE, CLKNAME) VALUES ('0001', 'Ann'), ('0002', 'Bob')");
        Exec("INSERT INTO CSB010 VALUES ('B2', '0002', '20200101000000', '20200101000000')");
        m_list = m_lists.Get(GoodsList::Clerk);
        m_list->SetSQliteDB(m_db.get(), &m_cache);
        int err = 0;
        ASSERT_TRUE(m_list->ReadTableInfo(err));
        ASSERT_TRUE(m_list->ReadRecords(err, QString()));
        ASSERT_EQ(m_cache.GetSize(), 2);
        m_key = dynamic_cast<CColumnDataDallasKey*>(m_list->m_ppColumnData[kKeyColumn]);
        ASSERT_NE(m_key, nullptr);
    }
    void TearDown() override
    {
        m_list->FreeRecords();
        GoodsDbFixture::TearDown();
    }

    // Shows clerk recordNo on the page, types a key id, presses OK: the
    // check, then the values read from the controls, then the row save.
    bool Edit(int recordNo, const QString& keyID, bool expectValid = true)
    {
        QStringList row = m_list->CachedRecord(recordNo)->toList();
        m_key->SetControlValue(&m_edit, row[kKeyColumn]);
        m_edit.setText(keyID);
        const bool valid = m_key->CheckKeyID(m_edit.text());
        EXPECT_EQ(valid, expectValid) << keyID.toStdString();
        if (!valid)
            return false;
        m_key->GetControlValue(&m_edit, row[kKeyColumn]);
        EXPECT_EQ(row[kKeyColumn], row[0]); // the value stays the clerk code
        int err = 0;
        EXPECT_TRUE(m_list->SaveRecord(recordNo, row, err)) << err;
        return m_key->GetLastWriteStatus() == 0;
    }

    QList<QStringList> Keys() { return Rows("CSB010", {}, {}, "DALLASKEYID"); }

    CGoodsColumnLists m_lists;
    CColumnDataList* m_list = nullptr;
    CStringArrayPtrArray m_cache;
    CColumnDataDallasKey* m_key = nullptr;
    QLineEdit m_edit;
};

TEST_F(CColumnDataDallasKeyTest, KeyOfAClerkIsShownSetChangedAndCleared)
{
    EXPECT_EQ(m_key->GetDescript("0001"), "");
    EXPECT_EQ(m_key->GetDescript("0002"), "B2");

    // No key: nothing written.
    EXPECT_TRUE(Edit(1, ""));
    EXPECT_EQ(Keys().size(), 1);

    // A new key: one row, created when updated.
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    EXPECT_TRUE(Edit(1, "A1"));
    QList<QStringList> keys = Keys();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys[0], (QStringList{"A1", "0001", "20260304050607", "20260304050607"}));
    EXPECT_EQ(m_key->GetDescript("0001"), "A1");

    // The same key again writes nothing; the clerk row keeps its code.
    clock.Set(QDateTime(QDate(2026, 3, 5), QTime(0, 0, 1)));
    EXPECT_TRUE(Edit(1, "A1"));
    EXPECT_EQ(Keys(), keys);

    // A changed key replaces the old row.
    EXPECT_TRUE(Edit(1, "a9Z"));
    keys = Keys();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys[0].mid(0, 2), (QStringList{"B2", "0002"}));
    EXPECT_EQ(keys[1], (QStringList{"a9Z", "0001", "20260305000001", "20260305000001"}));

    // A cleared key deletes it.
    EXPECT_TRUE(Edit(1, ""));
    keys = Keys();
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(keys[0][0], "B2");
    EXPECT_EQ(Value("CSB004", "CLKNAME", "CLKCODE = '0001'"), "Ann");
}

TEST_F(CColumnDataDallasKeyTest, AnotherClerksKeyOrAStrayCharacterIsRefused)
{
    EXPECT_FALSE(Edit(1, "B2", false));
    EXPECT_FALSE(Edit(1, "A-1", false));
    EXPECT_FALSE(Edit(1, "A 1", false));
    EXPECT_TRUE(m_key->m_strErrMsg.isEmpty()); // the page shows its general error
    EXPECT_EQ(Keys().size(), 1);
    // The clerk keeps his own key.
    EXPECT_TRUE(Edit(2, "B2"));
    EXPECT_EQ(Keys().size(), 1);
}

TEST_F(CColumnDataDallasKeyTest, KeyIsNeverSetThroughTheList)
{
    int err = 0;
    int failed = -1;
    QString message;
    EXPECT_FALSE(m_list->UpdateOneColumnDatas(kKeyColumn, {1, 2}, QStringLiteral("C3"), err, failed,
                                              message));
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(message, GetLangString(QStringLiteral("CRDS_CMN_ERR_EXIST_FAILED")));
    EXPECT_EQ(Keys().size(), 1);
}

TEST_F(CColumnDataDallasKeyTest, DeletingAClerkRemovesHisKeyRowOnly)
{
    ASSERT_TRUE(Edit(1, "A1"));
    ASSERT_EQ(Keys().size(), 2);
    QStringList row = m_list->CachedRecord(1)->toList();
    m_key->SetDeletedClerkCode(row[0]);
    int err = 0;
    ASSERT_TRUE(m_list->DeleteRecord(row, err)) << err;
    EXPECT_EQ(m_key->GetLastWriteStatus(), 0);
    const QList<QStringList> keys = Keys();
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(keys[0][0], "B2");

    // A delete the column was not told about touches no key.
    row = m_list->CachedRecord(1)->toList();
    ASSERT_EQ(row[0], "0002");
    ASSERT_TRUE(m_list->DeleteRecord(row, err));
    EXPECT_EQ(Keys().size(), 1);
}

TEST_F(CColumnDataDallasKeyTest, FailedKeyWriteIsReportedAndLeavesTheOldKey)
{
    ASSERT_TRUE(Edit(1, "A1"));
    Exec("CREATE TRIGGER refuse BEFORE INSERT ON CSB010 BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_FALSE(Edit(1, "A2"));
    EXPECT_NE(m_key->GetLastWriteStatus(), 0);
    // The old key was not deleted on its own: never half-changed.
    const QList<QStringList> keys = Keys();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys[0][0], "A1");
}

TEST_F(CColumnDataDallasKeyTest, RetryAfterARolledBackSaveChangesTheKeyOnce)
{
    ASSERT_TRUE(Edit(1, "A1"));
    // The editor's transaction covers the key change and is rolled back.
    QStringList row = m_list->CachedRecord(1)->toList();
    m_key->SetControlValue(&m_edit, row[kKeyColumn]);
    m_edit.setText(QStringLiteral("A2"));
    Exec("BEGIN");
    ASSERT_TRUE(m_key->CheckKeyID(m_edit.text()));
    m_key->GetControlValue(&m_edit, row[kKeyColumn]);
    int err = 0;
    ASSERT_TRUE(m_list->SaveRecord(1, row, err));
    Exec("ROLLBACK");
    m_key->RestoreAfterRollback();
    // OK again on the same page.
    ASSERT_TRUE(m_key->CheckKeyID(m_edit.text()));
    m_key->GetControlValue(&m_edit, row[kKeyColumn]);
    ASSERT_TRUE(m_list->SaveRecord(1, row, err));
    EXPECT_EQ(m_key->GetLastWriteStatus(), 0);
    EXPECT_EQ(Rows("CSB010", {"DALLASKEYID"}, "CLKCODE = '0001'"), (QList<QStringList>{{"A2"}}));
}

} // namespace
