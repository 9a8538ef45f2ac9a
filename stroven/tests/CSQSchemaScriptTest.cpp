// Splitting schema and seed texts into the statements that are run.

#include "stroven/CSQSchemaScript.h"

#include "testsupport/WorkDbFixture.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

TEST(CSQSchemaScriptSplit, CutsWhereSQLiteSeesAStatementEnd)
{
    struct Case
    {
        const char* name;
        QString text;
        QStringList statements;
        QString rest;
    };
    const Case cases[] = {
        {"two on one line",
         "CREATE TABLE A (X);CREATE TABLE B (Y);\n",
         {"CREATE TABLE A (X);", "CREATE TABLE B (Y);"},
         "\n"},
        {"CR LF becomes LF",
         "CREATE TABLE A (\r\nX VARCHAR(2)\r\n);\r\n",
         {"CREATE TABLE A (\nX VARCHAR(2)\n);"},
         "\n"},
        {"leading comments stay, their semicolons do not cut",
         "-- a; b\n/* c; */ CREATE TABLE A (X);\n",
         {"-- a; b\n/* c; */ CREATE TABLE A (X);"},
         "\n"},
        {"semicolon in a literal does not cut",
         "INSERT INTO A VALUES ('x;y');",
         {"INSERT INTO A VALUES ('x;y');"},
         ""},
        {"text after the last statement is left",
         "CREATE TABLE A (X);\nCREATE TABLE B (Y)",
         {"CREATE TABLE A (X);"},
         "\nCREATE TABLE B (Y)"},
        {"only a comment", "-- nothing here\n", {}, "-- nothing here\n"},
    };
    for (const Case& c : cases) {
        QString rest = "unset";
        EXPECT_EQ(CSQSchemaScript::Split(c.text, &rest), c.statements) << c.name;
        EXPECT_EQ(rest, c.rest) << c.name;
    }
}

using CSQSchemaScriptTest = korvane::test::WorkDbFixture;

// A NUL stops SQLite's reader without moving on; the runner once looped on
// it for ever (found by fuzzing: the fixture is the fuzzer's input).
TEST_F(CSQSchemaScriptTest, ANulFailsTheTextInsteadOfHanging)
{
    QFile fixture(QStringLiteral(KORVANE_SOURCE_DIR "/stroven/tests/fixtures/schema-nul-hang.txt"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QString found = QString::fromUtf8(fixture.readAll());
    ASSERT_TRUE(found.contains(QChar(0)));
    EXPECT_EQ(CSQSchemaScript::ExecCreateOnly(*m_db, found), SQLITE_ERROR);

    // After a complete statement the NUL still fails the text; what ran
    // before it stays for the caller's transaction to undo.
    const QString afterStatement =
        QStringLiteral("CREATE TABLE A (X);") + QChar(0) + QStringLiteral("CREATE TABLE B (X);");
    EXPECT_EQ(CSQSchemaScript::ExecCreateOnly(*m_db, afterStatement), SQLITE_ERROR);
    int err = 0;
    EXPECT_EQ(*m_db->GetTableList(err), QStringList{"A"});
}

// Passed over means never run: a flag PRAGMA acts while it is prepared, so
// it is stopped before, and the connection keeps its settings.
TEST_F(CSQSchemaScriptTest, PragmasAndTransactionControlArePassedOverUnrun)
{
    const auto pragma = [this](const char* name) {
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(m_db->Handle(), name, -1, &stmt, nullptr), SQLITE_OK);
        EXPECT_EQ(sqlite3_step(stmt), SQLITE_ROW);
        const int value = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
        return value;
    };
    ASSERT_EQ(pragma("PRAGMA writable_schema"), 0);
    EXPECT_EQ(CSQSchemaScript::ExecCreateOnly(*m_db, "PRAGMA writable_schema = 1;\n"
                                                     "BEGIN; CREATE TABLE A (X); COMMIT;\n"
                                                     "PRAGMA case_sensitive_like = 1"),
              0);
    EXPECT_EQ(pragma("PRAGMA writable_schema"), 0);
    EXPECT_FALSE(m_db->InTransaction());
    int err = 0;
    EXPECT_EQ(*m_db->GetTableList(err), QStringList{"A"});
    // ROLLBACK is no harmless statement: it is refused.
    EXPECT_EQ(CSQSchemaScript::ExecCreateOnly(*m_db, "ROLLBACK;"), SQLITE_AUTH);
}
