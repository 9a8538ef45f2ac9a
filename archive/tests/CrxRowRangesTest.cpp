#include "archive/CrxRowRanges.h"

#include "archive/CCrxBzip2Process.h"
#include "archive/CCrxDb.h"
#include "archive/CCrxRecord_baserec.h"
#include "archive/CCrxcnvXmlWriter.h"
#include "archive/CrxDetail.h"
#include "archive/CrxExportWalk.h"
#include "archive/tests/CrxScratchFixture.h"
#include "archive/tests/CrxTestSupport.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// What one section of table T left.
struct Section
{
    QByteArray xml;
    CrxResult rc = CRX_OK;
    bool taken = false;
    CrxDetail detail;
};

class CrxRowRangesTest : public crxtest::ScratchFixture
{
protected:
    QString Db() const { return Path("SETTING.DB"); }

    void Fill(const QStringList& statements)
    {
        QFile::remove(Db());
        korvane::test::ExecSql(Db(), statements);
    }

    // T's rows as the export writes them: in ranges, or (ranges false) by one
    // read on this thread. keys: the key columns alone.
    Section Write(bool ranges, bool keys = false, const CrxAbortFlag* abort = nullptr)
    {
        CCrxDb db;
        EXPECT_EQ(db.Open(Db(), Path("u"), Path("u/blob")), CRX_OK);
        std::unique_ptr<CCrxRecord_datarec> record =
            keys ? std::make_unique<CCrxRecord_baserec>() : std::make_unique<CCrxRecord_datarec>();
        record->SourceTable() = "T";
        CCrxcnvXmlWriter writer{QString()};
        writer.OpenInMemory(4);
        CrxExportContext context;
        context.db = &db;
        context.writer = &writer;
        context.abort = abort;
        CrxResetDetail();
        Section out;
        out.rc = record->BeginExport(context);
        int counter = 0;
        if (out.rc == CRX_OK)
            out.rc = ranges ? CrxRowRanges::WriteRows(*record, keys, context, out.taken)
                            : CrxExportWalk::WriteRows(*record, keys, counter, context);
        out.xml = writer.TakeOutput();
        out.detail = CrxLastDetail();
        EXPECT_EQ(db.Close(), CRX_OK);
        return out;
    }
};

// count rows 1..count of T (CODE, NAME, PRICE), row id rowIdSql of i.
QString Rows(int count, const char* rowIdSql = "i")
{
    return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                          "i < %1) INSERT INTO T (rowid, CODE, NAME, PRICE) SELECT %2, "
                          "printf('%06d', i), 'name ' || i || ' <&> ' || char(0x54c1), "
                          "i * 0.25 FROM n")
        .arg(count)
        .arg(QLatin1String(rowIdSql));
}

const QString kTable = "CREATE TABLE T (CODE VARCHAR(6) NOT NULL, NAME VARCHAR(40), "
                       "PRICE NUMERIC(8,2), PRIMARY KEY (CODE))";

// Whatever the row ids and the table's shape, the ranges write the bytes of
// one read, or leave the section to it.
TEST_F(CrxRowRangesTest, RangesWriteTheBytesOfOneReadOrLeaveTheSectionToIt)
{
    if (CCrxBzip2Process::Cores() < 2)
        GTEST_SKIP() << "one core";
    struct Case
    {
        const char* name;
        QStringList sql;
        bool taken;
        bool keys = false;
    };
    const Case cases[] = {
        {"dense row ids", {kTable, Rows(6000)}, true},
        {"the key columns alone, in their index's order", {kTable, Rows(6000)}, false, true},
        {"every third row deleted",
         {kTable, Rows(6000), "DELETE FROM T WHERE rowid % 3 = 0"},
         true},
        {"row ids below zero", {kTable, Rows(6000, "i - 3000")}, true},
        {"a column takes the name rowid",
         {"CREATE TABLE T (CODE VARCHAR(6), NAME VARCHAR(40), PRICE NUMERIC(8,2), rowid "
          "VARCHAR(4))",
          Rows(6000).replace("INSERT INTO T (rowid,", "INSERT INTO T (_rowid_,")},
         true},
        {"row ids far apart", {kTable, Rows(6000, "i * 10")}, false},
        {"too few rows", {kTable, Rows(int(CrxRowRanges::kMinRows) - 1)}, false},
        {"no row id",
         {"CREATE TABLE T (CODE VARCHAR(6) PRIMARY KEY, NAME VARCHAR(40), PRICE NUMERIC(8,2)) "
          "WITHOUT ROWID",
          Rows(6000).replace("(rowid, ", "(").replace("SELECT i, ", "SELECT ")},
         false},
        {"a blob column",
         {"CREATE TABLE T (CODE VARCHAR(6), NAME VARCHAR(40), PRICE NUMERIC(8,2), PIC BLOB)",
          Rows(6000)},
         false},
    };
    for (const Case& c : cases) {
        Fill(c.sql);
        const Section one = Write(false, c.keys);
        const Section ranges = Write(true, c.keys);
        EXPECT_EQ(one.rc, CRX_OK) << c.name;
        EXPECT_EQ(ranges.rc, CRX_OK) << c.name;
        EXPECT_EQ(ranges.taken, c.taken) << c.name;
        EXPECT_EQ(ranges.xml, c.taken ? one.xml : QByteArray()) << c.name;
    }
    // An index that holds every column may give the order of one read (the
    // planner's choice): the ranges are taken only where row id order is it.
    Fill({"CREATE TABLE T (CODE VARCHAR(6), NAME VARCHAR(40), PRICE NUMERIC(8,2))",
          "CREATE INDEX T_ORDER ON T (NAME, PRICE, CODE)", Rows(6000, "7000 - i")});
    const Section one = Write(false);
    const Section ranges = Write(true);
    EXPECT_EQ(ranges.taken, one.xml.startsWith("\t\t\t\t<datarec>\n\t\t\t\t\t<CODE>006000</CODE>"));
    EXPECT_EQ(ranges.xml, ranges.taken ? one.xml : QByteArray());
}

TEST_F(CrxRowRangesTest, OneCoreLeavesTheSectionToOneRead)
{
    Fill({kTable, Rows(6000)});
    crxtest::ScopedOneCore oneCore;
    ASSERT_TRUE(oneCore.Held());
    const Section ranges = Write(true);
    EXPECT_EQ(ranges.rc, CRX_OK);
    EXPECT_FALSE(ranges.taken);
    EXPECT_TRUE(ranges.xml.isEmpty());
}

// The first failing row in row order decides the code and the detail, as in
// one read, though later ranges may fail first.
TEST_F(CrxRowRangesTest, TheFirstBadRowInRowOrderNamesTheFailure)
{
    if (CCrxBzip2Process::Cores() < 2)
        GTEST_SKIP() << "one core";
    struct Case
    {
        const char* name;
        QString sql;
        QString key;
        QString column;
    };
    const Case cases[] = {
        {"a character XML cannot carry",
         "UPDATE T SET NAME = 'a' || char(1) WHERE CODE IN ('004321', '005900')", "004321", "NAME"},
        {"text that is no UTF-8",
         "UPDATE T SET NAME = CASE CODE WHEN '002600' THEN CAST(x'FF' AS TEXT) ELSE char(2) END "
         "WHERE CODE IN ('002600', '005990')",
         "002600", "NAME"},
    };
    for (const Case& c : cases) {
        Fill({kTable, Rows(6000), c.sql});
        const Section one = Write(false);
        const Section ranges = Write(true);
        EXPECT_TRUE(ranges.taken) << c.name;
        EXPECT_EQ(ranges.rc, CRX_E_XML_UTF8) << c.name;
        EXPECT_EQ(ranges.rc, one.rc) << c.name;
        EXPECT_EQ(ranges.detail.table, "T") << c.name;
        EXPECT_EQ(ranges.detail.key, c.key) << c.name;
        EXPECT_EQ(ranges.detail.column, c.column) << c.name;
        EXPECT_EQ(ranges.detail.key, one.detail.key) << c.name;
    }
    // An abort stops the threads too.
    Fill({kTable, Rows(6000)});
    const CrxAbortFlag abort{1};
    const Section aborted = Write(true, false, &abort);
    EXPECT_TRUE(aborted.taken);
    EXPECT_EQ(aborted.rc, CRX_E_CANCELLED);
}

} // namespace
