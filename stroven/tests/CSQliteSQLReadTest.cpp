#include "testsupport/WorkDbFixture.h"

namespace {

class CSQliteSQLRead : public korvane::test::WorkDbFixture
{
protected:
    void fill(int count)
    {
        Exec(QStringLiteral("CREATE TABLE CSB002 (CODE VARCHAR(4) PRIMARY KEY, NAME TEXT, "
                            "PRICE NUMERIC(8,2))"));
        for (int i = 1; i <= count; ++i)
            Exec(QStringLiteral("INSERT INTO CSB002 VALUES ('%1', 'N%2', %2)")
                     .arg(i, 4, 10, QLatin1Char('0'))
                     .arg(i));
    }
};

struct BatchCase
{
    int rows;
    quint32 maxRows;
    QList<int> sizes;
    QList<int> statuses;
};

void PrintTo(const BatchCase& c, std::ostream* os)
{
    *os << c.rows << " rows, at most " << c.maxRows << " a batch";
}

class CSQliteSQLBatches : public CSQliteSQLRead, public testing::WithParamInterface<BatchCase>
{
};

} // namespace

TEST_P(CSQliteSQLBatches, LastBatchSaysSo)
{
    const BatchCase c = GetParam();
    fill(c.rows);
    CSQliteSQL stmt(*m_db, QStringLiteral("CSB002"));
    ASSERT_EQ(stmt.SetSQLForRead({"CODE"}, {}, QStringLiteral("CODE"), c.maxRows), 0);
    QList<int> sizes, statuses;
    QList<const QStringList*> kept;
    for (int status = 0; status == 0 && sizes.size() < 10;) {
        CSQRowArray* batch = stmt.ExecReadNext(status);
        ASSERT_NE(batch, nullptr);
        sizes.append(int(batch->size()));
        statuses.append(status);
        for (const QStringList* row : std::as_const(*batch))
            kept.append(row);
    }
    EXPECT_EQ(sizes, c.sizes);
    EXPECT_EQ(statuses, c.statuses);
    // Rows of every batch are still alive and in order.
    ASSERT_EQ(kept.size(), c.rows);
    for (int i = 0; i < c.rows; ++i)
        EXPECT_EQ(*kept[i], QStringList{QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0'))});

    // After the end nothing is read again until the statement is rewound.
    int status = 0;
    CSQRowArray* after = stmt.ExecReadNext(status);
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(after->isEmpty());
    EXPECT_EQ(status, SQLREAD_END);
}

INSTANTIATE_TEST_SUITE_P(Reads, CSQliteSQLBatches,
                         testing::Values(BatchCase{5, 2, {2, 2, 1}, {0, 0, SQLREAD_END}},
                                         BatchCase{4, 2, {2, 2}, {0, SQLREAD_END}},
                                         BatchCase{5, 0, {5}, {SQLREAD_END}},
                                         BatchCase{0, 2, {0}, {SQLREAD_END}},
                                         BatchCase{0, 0, {0}, {SQLREAD_END}}),
                         [](const testing::TestParamInfo<BatchCase>& info) {
                             return "Rows" + std::to_string(info.param.rows) + "Max" +
                                    std::to_string(info.param.maxRows);
                         });

TEST_F(CSQliteSQLRead, ParametersBindAndRewind)
{
    fill(5);
    CSQliteSQL stmt(*m_db, QStringLiteral("CSB002"));
    ASSERT_EQ(stmt.SetSQLForRead({"CODE", "NAME"}, QStringLiteral("CODE >= ? AND NAME <> ?"),
                                 QStringLiteral("CODE DESC"), 0),
              0);
    int status = 0;
    ASSERT_EQ(stmt.SetParamsForRead({"0004", "x"}), 0);
    CSQRowArray* first = stmt.ExecReadNext(status);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(status, SQLREAD_END);
    ASSERT_EQ(first->size(), 2);
    EXPECT_EQ(*first->at(0), (QStringList{"0005", "N5"}));

    // A quote in a value is data, not SQL.
    ASSERT_EQ(stmt.SetParamsForRead({"0002", "N3' OR '1'='1"}), 0);
    CSQRowArray* second = stmt.ExecReadNext(status);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->size(), 4);
    EXPECT_EQ(*first->at(0), (QStringList{"0005", "N5"})); // earlier rows untouched

    EXPECT_EQ(stmt.SetParamsForRead({"0002"}), SQLERR_ARGUMENTS);
    CSQliteSQL unprepared(*m_db, QStringLiteral("CSB002"));
    EXPECT_EQ(unprepared.SetParamsForRead({}), SQLERR_NOT_PREPARED);
}

TEST_F(CSQliteSQLRead, ValuesAsTextNullAsEmptyExpressionsAndFromLists)
{
    fill(3);
    Exec(QStringLiteral("CREATE TABLE CSM018 (CODE VARCHAR(4), \"ORDER\" TEXT, NOTE TEXT)"));
    Exec(QStringLiteral("INSERT INTO CSM018 VALUES ('0002', 'o2', NULL)"));

    EXPECT_EQ(Rows(QStringLiteral("CSM018")), (QList<QStringList>{{"0002", "o2", ""}}));
    EXPECT_EQ(Rows(QStringLiteral("CSB002"), {"COUNT(*)", "MAX(CODE)", "SUM(PRICE)"}),
              (QList<QStringList>{{"3", "0003", "6"}}));
    EXPECT_EQ(Rows(QStringLiteral("CSB002, CSM018"), {"CSB002.NAME", "ORDER"},
                   QStringLiteral("CSB002.CODE = CSM018.CODE")),
              (QList<QStringList>{{"N2", "o2"}}));
}

TEST_F(CSQliteSQLRead, EveryKindOfValueReadsAsItsText)
{
    struct Case
    {
        const char* sql; // the stored value
        QString text;
    };
    const QList<Case> cases{
        {"NULL", QString()},
        {"''", QString("")},
        {"'0'", "0"},
        {"'00'", "00"},
        {"'12345678'", "12345678"},                    // the longest shared length
        {"'123456789'", "123456789"},                  // one longer
        {"'\xc3\xa9'", QString::fromUtf8("\xc3\xa9")}, // short, not ASCII
        {"'\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe5\x90\x8d'",
         QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe5\x90\x8d")},
        {"'\xf0\x9f\x98\x80'", QString::fromUtf8("\xf0\x9f\x98\x80")},
        {"42", "42"},
        {"0", "0"},
        {"-7", "-7"},
        {"9223372036854775807", "9223372036854775807"},
        {"-9223372036854775808", "-9223372036854775808"},
        {"-1.5", "-1.5"},
        {"1e300", "1.0e+300"},
        {"X''", QString("")},
        {"CAST(X'610062' AS TEXT)", QString::fromUtf8("a\0b", 3)}, // a NUL inside
    };
    Exec(QStringLiteral("CREATE TABLE V (N INTEGER, X)"));
    for (qsizetype i = 0; i < cases.size(); ++i)
        Exec(QStringLiteral("INSERT INTO V VALUES (%1, %2)").arg(i).arg(cases[i].sql));
    // Twice in one read, so that a shared value is read back as well.
    const QList<QStringList> read = Rows(QStringLiteral("V"), {"X", "X"}, {}, QStringLiteral("N"));
    ASSERT_EQ(read.size(), cases.size());
    for (qsizetype i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].sql);
        EXPECT_EQ(read[i], QStringList({cases[i].text, cases[i].text}));
        EXPECT_EQ(read[i][0].isNull(), cases[i].text.isNull());
    }
}

TEST_F(CSQliteSQLRead, ManyDistinctShortValuesReadBackExactly)
{
    // Far more short values than the shared table has places: a column that
    // repeats at first (so it stays shared) and then scatters, and a column
    // that never repeats (so it is no longer looked up).
    const auto scattered = [](int i) { return i < 300 ? i % 3 : i * 7919 % 100003; };
    Exec(QStringLiteral("CREATE TABLE V (CODE VARCHAR(8), S VARCHAR(8))"));
    Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                        "WHERE i < 9999) INSERT INTO V SELECT printf('%08d', i), "
                        "CASE WHEN i < 300 THEN i % 3 ELSE i * 7919 % 100003 END FROM n"));
    const QList<QStringList> read = Rows(QStringLiteral("V"), {}, {}, QStringLiteral("CODE"));
    ASSERT_EQ(read.size(), 10000);
    int wrong = 0;
    for (int i = 0; i < 10000; ++i)
        wrong += read[i] != QStringList({QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')),
                                         QString::number(scattered(i))});
    EXPECT_EQ(wrong, 0);
}

TEST_F(CSQliteSQLRead, BadSqlFailsEarly)
{
    fill(1);
    CSQliteSQL missing(*m_db, QStringLiteral("NOSUCH"));
    EXPECT_NE(missing.SetSQLForRead({}, {}, {}, 0), 0);
    int status = 0;
    EXPECT_EQ(missing.ExecReadNext(status), nullptr);
    EXPECT_NE(status, 0);

    CSQliteSQL stmt(*m_db, QStringLiteral("CSB002"));
    // A misspelt column is an error, not a text constant.
    EXPECT_NE(stmt.SetSQLForRead({"NAEM"}, {}, {}, 0), 0);
    // A second statement smuggled into a clause is refused.
    EXPECT_NE(stmt.SetSQLForRead({}, QStringLiteral("1 = 1; DELETE FROM CSB002"), {}, 0), 0);
    EXPECT_EQ(Rows(QStringLiteral("CSB002")).size(), 1);
}

TEST_F(CSQliteSQLRead, ReleasedBatchesDoNotDisturbTheRead)
{
    fill(7);
    CSQliteSQL stmt(*m_db, QStringLiteral("CSB002"));
    ASSERT_EQ(stmt.SetSQLForRead({"CODE"}, {}, QStringLiteral("CODE"), 3), 0);
    QStringList codes;
    int status = 0;
    do {
        stmt.ReleaseReadRows();
        CSQRowArray* batch = stmt.ExecReadNext(status);
        ASSERT_NE(batch, nullptr);
        for (const QStringList* row : *batch)
            codes << row->first();
    } while (status == 0);
    EXPECT_EQ(status, SQLREAD_END);
    EXPECT_EQ(codes, (QStringList{"0001", "0002", "0003", "0004", "0005", "0006", "0007"}));
}

// A strict read never passes text that is not UTF-8 on as replacement
// characters: the batch stops at the row that holds it, wherever that row
// falls (inside a batch, or first of the next one).
TEST_F(CSQliteSQLRead, StrictTextStopsAtTheRowWithInvalidUtf8)
{
    fill(5);
    Exec(QStringLiteral("UPDATE CSB002 SET NAME = CAST(x'83548393' AS TEXT) WHERE CODE = '0003'"));
    struct Case
    {
        quint32 maxRows;
        QList<int> sizes;
    };
    for (const Case& c : {Case{0, {3}}, Case{2, {2, 1}}, Case{3, {3}}, Case{10, {3}}}) {
        CSQliteSQL stmt(*m_db, QStringLiteral("CSB002"));
        stmt.SetStrictText(true);
        ASSERT_EQ(stmt.SetSQLForRead({"CODE", "NAME"}, {}, QStringLiteral("CODE"), c.maxRows), 0);
        QList<int> sizes;
        int status = 0;
        const CSQRowArray* batch = nullptr;
        while (status == 0) {
            batch = stmt.ExecReadNext(status);
            ASSERT_NE(batch, nullptr) << c.maxRows;
            sizes << int(batch->size());
        }
        EXPECT_EQ(status, SQLERR_NOT_UTF8) << c.maxRows;
        EXPECT_EQ(sizes, c.sizes) << c.maxRows;
        EXPECT_EQ(batch->last()->at(0), QStringLiteral("0003")) << c.maxRows;
        EXPECT_EQ(stmt.InvalidTextColumn(), 1);
    }
    // Not strict: the value reads as replacement characters, as before.
    const QList<QStringList> all = Rows(QStringLiteral("CSB002"), {"NAME"}, {}, "CODE");
    ASSERT_EQ(all.size(), 5);
    EXPECT_TRUE(all[2][0].contains(QChar::ReplacementCharacter));
}

// Only a read that walks the table itself gives its rows in row id order.
TEST_F(CSQliteSQLRead, ScansOfTheTableItselfAreKnown)
{
    fill(3);
    struct Case
    {
        QStringList columns;
        const char* where;
        const char* orderBy;
        bool scan;
    };
    const Case cases[] = {
        {{"CODE", "NAME", "PRICE"}, "", "", true},
        {{"NAME", "rowid"}, "", "", true},
        {{"CODE"}, "", "", false}, // the key's index holds it
        {{"CODE", "NAME"}, "", "PRICE", false},
        {{"CODE", "NAME"}, "CODE = '0001'", "", false},
    };
    for (const Case& c : cases) {
        CSQliteSQL stmt(*m_db, QStringLiteral("CSB002"));
        EXPECT_FALSE(stmt.ReadScansTable());
        ASSERT_EQ(stmt.SetSQLForRead(c.columns, c.where, c.orderBy, 0), 0);
        EXPECT_EQ(stmt.ReadScansTable(), c.scan) << c.columns.join(',').toStdString() << c.orderBy;
    }
    EXPECT_FALSE(m_db->IsWal());
    Exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    EXPECT_TRUE(m_db->IsWal());
}
