#include "testsupport/WorkDbFixture.h"

using CSQliteSQLSchema = korvane::test::WorkDbFixture;

TEST_F(CSQliteSQLSchema, TableInfoMapsDeclaredTypes)
{
    Exec(QStringLiteral("CREATE TABLE CSB010 ("
                        "CODE VARCHAR(20) NOT NULL, "
                        "SUB INTEGER NOT NULL, "
                        "PRICE NUMERIC(8,2), "
                        "RATE NUMERIC(8.2), "
                        "QTY numeric ( 6 ), "
                        "COUNTER INT, "
                        "NOTE TEXT, "
                        "KIND CHAR(1), "
                        "DATA BLOB, "
                        "ANY, "
                        "RATIO REAL, "
                        "PRIMARY KEY (CODE, SUB))"));
    struct Expected
    {
        const char* name;
        int type, size, scale, key, notNull;
    };
    const QList<Expected> expected{
        {"CODE", SQLTYPE_VARCHAR, 20, 0, 1, 1}, {"SUB", SQLTYPE_NUMERIC, 0, 0, 1, 1},
        {"PRICE", SQLTYPE_NUMERIC, 8, 2, 0, 0}, {"RATE", SQLTYPE_NUMERIC, 8, 2, 0, 0},
        {"QTY", SQLTYPE_NUMERIC, 6, 0, 0, 0},   {"COUNTER", SQLTYPE_NUMERIC, 0, 0, 0, 0},
        {"NOTE", SQLTYPE_VARCHAR, 0, 0, 0, 0},  {"KIND", SQLTYPE_VARCHAR, 1, 0, 0, 0},
        {"DATA", SQLTYPE_BLOB, 0, 0, 0, 0},     {"ANY", SQLTYPE_BLOB, 0, 0, 0, 0},
        {"RATIO", SQLTYPE_NUMERIC, 0, 0, 0, 0},
    };
    CSQliteSQL stmt(*m_db, QStringLiteral("CSB010"));
    int err = -1;
    const CSQTableInfoArray* info = stmt.GetTableInfo(err);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(err, 0);
    ASSERT_EQ(info->size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const CSQTableInfo& c = info->at(i);
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(c.m_strName, QLatin1String(e.name));
        EXPECT_EQ(c.m_nType, e.type);
        EXPECT_EQ(c.m_nSize, e.size);
        EXPECT_EQ(c.m_nScale, e.scale);
        EXPECT_EQ(c.m_nPrimaryKey, e.key);
        EXPECT_EQ(c.m_nNotNull, e.notNull);
    }

    CSQliteSQL missing(*m_db, QStringLiteral("NOSUCH"));
    info = missing.GetTableInfo(err);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isEmpty());
    EXPECT_EQ(err, SQLERR_NO_TABLE);
}

TEST_F(CSQliteSQLSchema, ExecSqlRunsOneStatement)
{
    CSQliteSQL stmt(*m_db, QString());
    EXPECT_EQ(stmt.ExecSQL(QStringLiteral("CREATE TABLE T (A TEXT);")), 0);
    EXPECT_EQ(stmt.ExecSQL(QStringLiteral("INSERT INTO T VALUES ('1'); -- done\n")), 0);
    EXPECT_NE(stmt.ExecSQL(QStringLiteral("INSERT INTO T VALUES ('2'); DROP TABLE T;")), 0);
    EXPECT_NE(stmt.ExecSQL(QStringLiteral("INSERT INTO NOSUCH VALUES (1)")), 0);
    EXPECT_NE(stmt.ExecSQL(QStringLiteral("INSERT INTO T (\"B\") VALUES ('x')")), 0);
    EXPECT_EQ(Rows(QStringLiteral("T")), (QList<QStringList>{{"1"}}));
}

TEST_F(CSQliteSQLSchema, SystemPragmasRunAndKeepSynchronous)
{
    const auto synchronous = [&] { return Rows(QStringLiteral("pragma_synchronous")); };
    const QList<QStringList> before = synchronous();
    CSQliteSQL stmt(*m_db, QString());
    for (const char* pragma : {"PRAGMA cache_size = 100000;", "PRAGMA default_synchronous = OFF;",
                               "PRAGMA default_temp_store = MEMORY;"})
        EXPECT_EQ(stmt.ExecSQL(QLatin1String(pragma)), 0) << pragma;
    EXPECT_EQ(synchronous(), before);
    EXPECT_NE(before, (QList<QStringList>{{"0"}}));
    EXPECT_EQ(Rows(QStringLiteral("pragma_cache_size")), (QList<QStringList>{{"100000"}}));
}

TEST_F(CSQliteSQLSchema, RollbackUndoesEveryStatementOfTheConnection)
{
    Exec(QStringLiteral("CREATE TABLE A (K VARCHAR(2) PRIMARY KEY, V TEXT)"));
    Exec(QStringLiteral("CREATE TABLE B (K VARCHAR(2) PRIMARY KEY)"));
    Exec(QStringLiteral("INSERT INTO A VALUES ('01', 'old')"));

    CSQliteSQL a(*m_db, QStringLiteral("A"));
    CSQliteSQL b(*m_db, QStringLiteral("B"));
    ASSERT_EQ(a.SetSQLForWrite({"K"}, {"V"}, {}), 0);
    ASSERT_EQ(b.SetSQLForWrite({"K"}, {}, {}), 0);

    ASSERT_EQ(a.StartTransaction(), 0);
    EXPECT_TRUE(m_db->InTransaction());
    EXPECT_NE(b.StartTransaction(), 0); // no nesting
    EXPECT_EQ(a.ExecWrite({"02"}, {"new"}, {}, SQLWRITE_INSERT), 0);
    EXPECT_EQ(a.ExecWrite({"01"}, {"changed"}, {}, SQLWRITE_UPDATE), 0);
    EXPECT_EQ(b.ExecWrite({"01"}, {}, {}, SQLWRITE_INSERT), 0);
    EXPECT_EQ(b.ExecSQL(QStringLiteral("DELETE FROM A WHERE K = '01'")), 0);
    EXPECT_EQ(b.ExecRollback(), 0); // another statement of the same connection
    EXPECT_FALSE(m_db->InTransaction());

    EXPECT_EQ(Rows(QStringLiteral("A")), (QList<QStringList>{{"01", "old"}}));
    EXPECT_TRUE(Rows(QStringLiteral("B")).isEmpty());

    EXPECT_EQ(a.ExecCommit(), SQLERR_NO_TRANSACTION);
    EXPECT_EQ(a.ExecRollback(), SQLERR_NO_TRANSACTION);

    // A commit is seen by another connection.
    ASSERT_EQ(a.StartTransaction(), 0);
    EXPECT_EQ(a.ExecWrite({"03"}, {"kept"}, {}, SQLWRITE_INSERT), 0);
    EXPECT_EQ(b.ExecCommit(), 0);
    CSQliteDB other;
    ASSERT_EQ(other.OpenDB(DbPath()), 0);
    CSQliteSQL read(other, QStringLiteral("A"));
    ASSERT_EQ(read.SetSQLForRead({"V"}, QStringLiteral("K = ?"), {}, 0), 0);
    ASSERT_EQ(read.SetParamsForRead({"03"}), 0);
    int status = 0;
    CSQRowArray* batch = read.ExecReadNext(status);
    ASSERT_NE(batch, nullptr);
    ASSERT_EQ(batch->size(), 1);
    EXPECT_EQ(*batch->at(0), QStringList{"kept"});
}
