#include "CSQSchemaScript.h"

#include "StrovenTestDb.h"

#include <QFile>

#include <sqlite3.h>

using CSQSchemaScriptTest = StrovenTestDb;

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
