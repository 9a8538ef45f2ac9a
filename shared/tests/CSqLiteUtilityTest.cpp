#include "shared/data/CSqLiteUtility.h"

#include "testsupport/WorkDbFixture.h"

#include <gtest/gtest.h>

namespace {

class CSqLiteUtilityTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        Exec("CREATE TABLE CODES (CODE VARCHAR(18) PRIMARY KEY, NAME VARCHAR(20))");
    }

    void fillCodes(int first, int last, int width)
    {
        Exec("BEGIN");
        for (int i = first; i <= last; ++i)
            Exec(QStringLiteral("INSERT INTO CODES VALUES ('%1', 'n')")
                     .arg(CSqLiteUtility::FormatCode(i, width, 0)));
        Exec("COMMIT");
    }

    // The search as the suite always did it: one query per candidate.
    QString probe(const QString& column, int width, int noPad, qint64 from, qint64 to)
    {
        for (qint64 code = from; code <= to; ++code) {
            const QString text = CSqLiteUtility::FormatCode(code, width, noPad);
            if (text.size() > width)
                return QString();
            int err = 0;
            if (!CSqLiteUtility::IsExistDataValue(*m_db, "CODES", column, text, err))
                return text;
        }
        return QString();
    }

    int err = -99;
};

TEST_F(CSqLiteUtilityTest, FindUniqueRecordFillsTheLowestGapWithinTheWidth)
{
    fillCodes(1, 98, 2);
    EXPECT_EQ(CSqLiteUtility::FindUniqueRecord(*m_db, "CODES", "CODE", 2, 0, err), "99");
    EXPECT_EQ(err, 0);
    fillCodes(99, 99, 2);
    EXPECT_EQ(CSqLiteUtility::FindUniqueRecord(*m_db, "CODES", "CODE", 2, 0, err), "");
    Exec("DELETE FROM CODES WHERE CODE = '05'");
    EXPECT_EQ(CSqLiteUtility::FindUniqueRecord(*m_db, "CODES", "CODE", 2, 0, err), "05");
}

TEST_F(CSqLiteUtilityTest, FindUniqueRecordRangeAnswersAsProbingCodeByCodeDoes)
{
    // Unpadded, padded, odd and non-numeric texts side by side.
    for (const char* code :
         {"1", "2", "3", "0004", "005", "06", "7", "", "abc", "10", "011", "12", "13"})
        Exec(QStringLiteral("INSERT INTO CODES VALUES ('%1', 'n')").arg(code));
    struct Case
    {
        int width;
        int noPad;
        qint64 from;
        qint64 to;
    };
    for (const Case& c : {Case{2, 0, 1, 99}, Case{2, 1, 1, 99}, Case{4, 0, 4, 20}, Case{1, 1, 1, 9},
                          Case{3, 0, 5, 5}, Case{2, 1, 10, 13}, Case{2, 0, 20, 10},
                          Case{1, 0, 8, 30}, Case{2, 1, -3, 2}}) {
        SCOPED_TRACE(testing::Message()
                     << c.width << "/" << c.noPad << " " << c.from << ".." << c.to);
        EXPECT_EQ(CSqLiteUtility::FindUniqueRecordRange(*m_db, "CODES", "CODE", c.width, c.noPad,
                                                        c.from, c.to, err),
                  probe("CODE", c.width, c.noPad, c.from, c.to));
        EXPECT_EQ(err, 0);
    }
}

TEST_F(CSqLiteUtilityTest, CodeSearchesHandleEighteenDigits)
{
    fillCodes(1, 3, 18);
    EXPECT_EQ(CSqLiteUtility::FindUniqueRecord(*m_db, "CODES", "CODE", 18, 0, err),
              "000000000000000004");
    Exec("INSERT INTO CODES VALUES ('999999999999999998', 'n')");
    EXPECT_EQ(CSqLiteUtility::FindUniqueRecordRange(
                  *m_db, "CODES", "CODE", 18, 0, 999999999999999998LL, 999999999999999999LL, err),
              "999999999999999999");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 18, 0, "", err),
              "999999999999999999");
    Exec("INSERT INTO CODES VALUES ('999999999999999999', 'n')");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 18, 0, "", err), "");
}

TEST_F(CSqLiteUtilityTest, FindBigestRecordProposesAnUnusedCode)
{
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 6, 0, "", err), "000001");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 6, 1, "", err), "1");
    Exec("INSERT INTO CODES VALUES ('999999', 'n')");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 6, 0, "", err), "");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 6, 0, "NAME = 'x'", err),
              "000001");
    EXPECT_EQ(err, 0);

    // Texts of other widths and '' must not hide the highest number.
    Exec("DELETE FROM CODES");
    Exec("INSERT INTO CODES VALUES ('9', 'n'), ('10', 'n'), ('', 'n')");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "CODES", "CODE", 6, 0, "", err), "000011");

    // A column without text affinity keeps numbers as numbers, and '' sorts
    // above every number there.
    Exec("CREATE TABLE NUMS (CODE NUMERIC(6))");
    Exec("INSERT INTO NUMS VALUES (5), ('')");
    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "NUMS", "CODE", 6, 0, "", err), "000006");

    EXPECT_EQ(CSqLiteUtility::FindBigestRecord(*m_db, "MISSING", "CODE", 6, 0, "", err), "");
    EXPECT_NE(err, 0);
}

TEST_F(CSqLiteUtilityTest, ExistenceTestsTakeValuesAsValues)
{
    EXPECT_FALSE(CSqLiteUtility::IsExistDataOfTable(*m_db, "CODES", err));
    EXPECT_EQ(err, 0);
    Exec("INSERT INTO CODES VALUES ('01', 'O''Brien'), ('02', 'plain')");
    EXPECT_TRUE(CSqLiteUtility::IsExistDataOfTable(*m_db, "CODES", err));
    EXPECT_TRUE(CSqLiteUtility::IsExistDataValue(*m_db, "CODES", "NAME", "O'Brien", err));
    EXPECT_FALSE(CSqLiteUtility::IsExistDataValue(*m_db, "CODES", "NAME", "x' OR '1'='1", err));
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(
        CSqLiteUtility::IsExistDataValue2(*m_db, "CODES", "CODE", "01", "NAME", "O'Brien", err));
    EXPECT_FALSE(
        CSqLiteUtility::IsExistDataValue2(*m_db, "CODES", "CODE", "02", "NAME", "O'Brien", err));
    EXPECT_TRUE(CSqLiteUtility::IsExistDataValue4(*m_db, "CODES", "CODE", "02", "NAME", "plain",
                                                  "CODE", "02", "NAME", "plain", err));
    EXPECT_FALSE(CSqLiteUtility::IsExistDataOfTable(*m_db, "MISSING", err));
    EXPECT_NE(err, 0);
}

TEST_F(CSqLiteUtilityTest, EscapeSQLValueDoublesEveryQuote)
{
    EXPECT_EQ(CSqLiteUtility::EscapeSQLValue("O'Brien"), "O''Brien");
    EXPECT_EQ(CSqLiteUtility::EscapeSQLValue("''"), "''''");
    EXPECT_EQ(CSqLiteUtility::EscapeSQLValue("plain"), "plain");
    EXPECT_EQ(CSqLiteUtility::QuoteSQLName("CSB002.FUNCKEYCODE"), "\"CSB002\".\"FUNCKEYCODE\"");
}

TEST_F(CSqLiteUtilityTest, BulkPragmasEnlargeTheConnectionsCache)
{
    CSQliteSQL stmt(*m_db, QString());
    CSqLiteUtility::RunBulkPragmas(stmt);
    EXPECT_EQ(Rows("pragma_cache_size"), (QList<QStringList>{{"100000"}}));
}

TEST_F(CSqLiteUtilityTest, RowListsCopyTheRowsRead)
{
    Exec("INSERT INTO CODES VALUES ('02', 'b'), ('01', 'a')");
    CStringArrayPtrList rows;
    EXPECT_EQ(CSqLiteUtility::AllocStringArrayListPtr(*m_db, "CODES", {"CODE", "NAME"}, "", "CODE",
                                                      rows, err),
              2);
    ASSERT_EQ(rows.GetCount(), 2);
    EXPECT_EQ(*rows.begin()[0], QStringList({"01", "a"}));
    EXPECT_EQ(CSqLiteUtility::AllocStringArrayListPtr(*m_db, "CODES", {"CODE"}, "CODE = 'zz'", "",
                                                      rows, err),
              0);
    EXPECT_EQ(rows.GetCount(), 2);
    EXPECT_EQ(
        CSqLiteUtility::AllocStringArrayListPtr(*m_db, "MISSING", {"CODE"}, "", "", rows, err), -1);
    CSqLiteUtility::FreeStringArrayListPtr(rows);
    EXPECT_EQ(rows.GetCount(), 0);

    QStringList one;
    EXPECT_EQ(CSqLiteUtility::GetStringArray(*m_db, "CODES", {"NAME"}, "CODE = '02'", "", one, err),
              1);
    EXPECT_EQ(one, QStringList{"b"});
    EXPECT_EQ(CSqLiteUtility::GetStringArray(*m_db, "CODES", {"NAME"}, "CODE = '09'", "", one, err),
              0);
    EXPECT_EQ(CSqLiteUtility::GetStringArray(*m_db, "MISSING", {"NAME"}, "", "", one, err), -1);
}

TEST_F(CSqLiteUtilityTest, OneRowWritesReportTheirResult)
{
    EXPECT_TRUE(
        CSqLiteUtility::InsertOneRecord(*m_db, "CODES", {"CODE"}, {"NAME"}, {"01"}, {"a"}, err));
    EXPECT_FALSE(
        CSqLiteUtility::InsertOneRecord(*m_db, "CODES", {"CODE"}, {"NAME"}, {"01"}, {"b"}, err));
    EXPECT_NE(err, 0);
    EXPECT_TRUE(
        CSqLiteUtility::UpdateOneRecord(*m_db, "CODES", {"CODE"}, {"NAME"}, {"01"}, {"c"}, err));
    EXPECT_EQ(Rows("CODES"), QList<QStringList>({{"01", "c"}}));
    EXPECT_TRUE(CSqLiteUtility::DeleteRecord(*m_db, "CODES", {"CODE"}, {"01"}, err));
    EXPECT_TRUE(Rows("CODES").isEmpty());
    // Nothing left to delete is still a delete done; only an update of no row fails.
    err = -99;
    EXPECT_TRUE(CSqLiteUtility::DeleteRecord(*m_db, "CODES", {"CODE"}, {"01"}, err));
    EXPECT_EQ(err, 0);
    EXPECT_FALSE(
        CSqLiteUtility::UpdateOneRecord(*m_db, "CODES", {"CODE"}, {"NAME"}, {"01"}, {"c"}, err));
}

} // namespace
