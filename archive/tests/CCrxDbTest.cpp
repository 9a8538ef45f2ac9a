#include "archive/CCrxDb.h"

#include "archive/tests/CrxScratchFixture.h"
#include "stroven/Stroven.h"

#include <gtest/gtest.h>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

class CCrxDbTest : public crxtest::ScratchFixture
{
protected:
    QString dbPath = dir + "/SETTING.DB";
    CCrxDb db;

    void Exec(const QString& sql)
    {
        CSQliteSQL stmt(*db.Connection(), QString());
        ASSERT_EQ(stmt.ExecSQL(sql), 0) << sql.toStdString();
    }
    // Rows as another connection sees them: only what was committed.
    qint64 CommittedRows(const QString& table)
    {
        CCrxDb other;
        EXPECT_EQ(other.Open(dbPath, QString(), QString()), CRX_OK);
        qint64 count = -1;
        EXPECT_EQ(other.CountRecords(table, count), CRX_OK);
        return count;
    }
    void PrepareWriter(const QString& table, const QStringList& keys, const QStringList& values,
                       const QStringList& blobs = {})
    {
        ASSERT_EQ(db.AttachWriter(table), CRX_OK);
        db.Writer().m_keyColumns = keys;
        db.Writer().m_valueColumns = values;
        db.Writer().m_blobColumns = blobs;
        ASSERT_EQ(db.Writer().PrepareWrite(), CRX_OK);
    }
    CrxResult Insert(const QStringList& keys, const QStringList& values,
                     const QStringList& blobs = {})
    {
        db.Writer().m_keyValues = keys;
        db.Writer().m_values = values;
        db.Writer().m_blobFiles = blobs;
        return db.Writer().InsertRow();
    }
};

TEST_F(CCrxDbTest, TableListIsSortedWithoutRegardToCaseAndStable)
{
    QString name;
    EXPECT_EQ(db.GetTableName(0, name), CRX_E_NO_DB);
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    EXPECT_EQ(db.GetTableName(0, name), CRX_E_NO_TABLES);
    Exec("CREATE TABLE b (X)");
    Exec("CREATE TABLE A (X)");
    Exec("CREATE TABLE \"a \"\"quoted\"\"\" (X)");
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK); // a fresh list

    QStringList names;
    for (int i = 0; db.GetTableName(i, name) == CRX_OK; ++i)
        names << name;
    EXPECT_EQ(names, (QStringList{"A", "a \"quoted\"", "b"}));
    EXPECT_EQ(db.GetTableName(3, name), CRX_E_TABLE_INDEX);
    EXPECT_EQ(db.GetTableName(-1, name), CRX_E_TABLE_INDEX);

    EXPECT_EQ(db.TableExists("A"), 1);
    EXPECT_EQ(db.TableExists("B"), 0); // case counts
    EXPECT_EQ(db.TableExists(""), 0);

    CSortStringArray sorted;
    sorted << "b"
           << "A"
           << "a";
    sorted.Sort();
    EXPECT_EQ(sorted, (QStringList{"A", "a", "b"}));
    sorted = CSortStringArray();
    sorted << "b"
           << "a"
           << "A";
    sorted.Sort();
    EXPECT_EQ(sorted, (QStringList{"a", "A", "b"}));
}

TEST_F(CCrxDbTest, CountsAndEmptiesTablesWithAnyName)
{
    qint64 count = -1;
    EXPECT_EQ(db.CountRecords("T", count), CRX_E_DB_OPEN);
    EXPECT_EQ(db.DeleteAll("T"), CRX_E_DB_OPEN);
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    Exec("CREATE TABLE \"my \"\"T\"\"\" (X)");
    Exec("CREATE TABLE EMPTY (X)");
    Exec("INSERT INTO \"my \"\"T\"\"\" VALUES (1), (2), (3)");

    ASSERT_EQ(db.CountRecords("my \"T\"", count), CRX_OK);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(db.CountRecords("EMPTY", count), CRX_OK);
    EXPECT_EQ(count, 0);
    const CrxResult missing = db.CountRecords("NOPE", count);
    EXPECT_TRUE(missing == CRX_E_PREPARE_READ || missing == CRX_E_READ_ROWS) << std::hex << missing;

    ASSERT_EQ(db.DeleteAll("my \"T\""), CRX_OK);
    ASSERT_EQ(db.CountRecords("my \"T\"", count), CRX_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(db.DeleteAll("NOPE"), CRX_E_DELETE_ROWS);
    EXPECT_EQ(db.Close(), CRX_OK);
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(CCrxDbTest, QueuedRowsKeepTheirOrderAndStopAtTheFirstFailure)
{
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    Exec("CREATE TABLE T (K VARCHAR(4) PRIMARY KEY, V VARCHAR(10))");
    Exec("CREATE TABLE U (K VARCHAR(4))");
    PrepareWriter("T", {"K"}, {"V"});
    // Far more rows than one batch; the key of row 600 is taken.
    for (int i = 0; i < 1000; ++i) {
        db.Rows().BeginRow();
        db.Rows().AddText(QByteArray::number(i == 600 ? 5 : i));
        db.Rows().AddText(i == 0 ? QByteArrayView() : QByteArrayView("v"));
        const CrxResult rc = db.Rows().EndRow();
        ASSERT_TRUE(rc == CRX_OK || (i > 600 && rc == CRX_E_WRITE_ROW)) << i;
    }
    EXPECT_EQ(db.FlushRows(), CRX_E_WRITE_ROW);
    // Whatever comes next on the connection reports it and does nothing.
    EXPECT_EQ(db.AttachWriter("U"), CRX_E_WRITE_ROW);
    EXPECT_EQ(db.DeleteAll("T"), CRX_E_WRITE_ROW);
    EXPECT_EQ(db.Close(), CRX_E_WRITE_ROW);

    // The rows before the failed one are there, in order; none after it.
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    CSQliteSQL read(*db.Connection(), "T");
    read.SetSQLForRead({"K", "V", "typeof(V)"}, QString(), "rowid", 0);
    int status = 0;
    const CSQRowArray* rows = read.ExecReadNext(status);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 600);
    EXPECT_EQ(*rows->first(), QStringList({"0", "", "text"}));
    EXPECT_EQ(*rows->last(), QStringList({"599", "v", "text"}));
}

TEST_F(CCrxDbTest, InsertsCommitWhenATransactionFillsAndOnRelease)
{
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    Exec("CREATE TABLE T (K VARCHAR(4) PRIMARY KEY, V VARCHAR(10))");
    Exec("CREATE TABLE U (K VARCHAR(4))");
    EXPECT_EQ(CCrxSql::kRowsPerTransaction, 1'000'000);
    PrepareWriter("T", {"K"}, {"V"});
    db.Writer().m_nRowsPerTransaction = 3;

    for (int i = 0; i < 7; ++i) {
        ASSERT_EQ(Insert({QString::number(i)}, {"v"}), CRX_OK);
        // The row that fills a transaction commits it.
        EXPECT_EQ(CommittedRows("T"), (i + 1) / 3 * 3) << i;
    }
    EXPECT_EQ(db.Writer().m_nRowsTotal, 7);
    EXPECT_EQ(db.Writer().m_nRowsSinceCommit, 1);
    // An existing key fails the row; the others stay.
    EXPECT_EQ(Insert({"0"}, {"dup"}), CRX_E_WRITE_ROW);

    // Moving on to the next table commits the last one.
    ASSERT_EQ(db.AttachWriter("U"), CRX_OK);
    EXPECT_EQ(CommittedRows("T"), 7);
    EXPECT_EQ(db.Writer().InsertRow(), CRX_E_NO_STATEMENT);
    EXPECT_EQ(db.Writer().BeginTransaction(), CRX_E_NO_WRITE_STMT);

    // And so does closing.
    PrepareWriter("U", {}, {"K"});
    ASSERT_EQ(Insert({}, {"x"}), CRX_OK);
    EXPECT_EQ(db.Close(), CRX_OK);
    EXPECT_EQ(CommittedRows("U"), 1);
}

TEST_F(CCrxDbTest, ReadsInBatchesOfAThousand)
{
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    Exec("CREATE TABLE T (K INTEGER)");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2001) "
         "INSERT INTO T SELECT i FROM n");

    CCrxSqlReader& reader = db.Reader();
    ASSERT_EQ(reader.Attach(db.Connection(), "T"), CRX_OK);
    CrxResult error = CRX_OK;
    bool end = false;
    EXPECT_EQ(reader.ReadNext(error, end), nullptr); // no columns: nothing to read
    EXPECT_TRUE(end);
    reader.m_columns = QStringList{"K"};
    EXPECT_EQ(reader.ReadNext(error, end), nullptr);
    EXPECT_EQ(error, CRX_E_NO_STATEMENT);
    ASSERT_EQ(reader.PrepareRead(), CRX_OK);

    std::vector<qsizetype> batches;
    do {
        CSQRowArray* rows = reader.ReadNext(error, end);
        ASSERT_EQ(error, CRX_OK);
        ASSERT_NE(rows, nullptr);
        batches.push_back(rows->size());
    } while (!end);
    EXPECT_EQ(batches, (std::vector<qsizetype>{1000, 1000, 1}));

    reader.m_columns = QStringList{"NOCOLUMN"};
    EXPECT_EQ(reader.PrepareRead(), CRX_E_PREPARE_READ);
    EXPECT_TRUE(reader.m_columns.isEmpty());
}

TEST_F(CCrxDbTest, BlobsGoFromFilesToTheTableAndOutUnchanged)
{
    ASSERT_EQ(db.Open(dbPath, dir, dir + "/blob"), CRX_OK);
    Exec("CREATE TABLE G (K VARCHAR(2) PRIMARY KEY, IMG BLOB)");
    const QByteArray bytes("\x42\x4d\0\0\xff\n\r", 7);
    ASSERT_TRUE(writeFile(dir + "/in.bmp", bytes));
    PrepareWriter("G", {"K"}, {}, {"IMG"});
    ASSERT_EQ(Insert({"01"}, {}, {dir + "/in.bmp"}), CRX_OK);
    ASSERT_EQ(db.AttachWriter("G"), CRX_OK);

    ASSERT_EQ(db.AttachBlobReader("G"), CRX_OK);
    CCrxBlobReader& blobs = db.BlobReader();
    QByteArray read;
    const auto sink = [&read](int, const char* data, qint64 size) {
        read = QByteArray(data, size);
        return true;
    };
    EXPECT_EQ(blobs.ReadBlobs(sink), CRX_E_NO_STATEMENT);
    blobs.m_blobColumns = QStringList{"IMG"};
    blobs.m_strWhere = "K = ?";
    ASSERT_EQ(blobs.PrepareBlobRead(), CRX_OK);
    blobs.m_keyValues = QStringList{"01"};
    ASSERT_EQ(blobs.ReadBlobs(sink), CRX_OK);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(blobs.ReadBlobs([](int, const char*, qint64) { return false; }), CRX_E_READ_BLOB);

    blobs.m_blobColumns = QStringList{"NOCOLUMN"};
    EXPECT_EQ(blobs.PrepareBlobRead(), CRX_E_PREPARE_BLOB);
    EXPECT_TRUE(blobs.m_blobColumns.isEmpty());
}

} // namespace
