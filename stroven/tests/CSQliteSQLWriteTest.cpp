#include "testsupport/WorkDbFixture.h"

#include <QFile>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

class CSQliteSQLWrite : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        // Names that are SQL words show that generated SQL quotes them.
        Exec(QStringLiteral("CREATE TABLE \"GROUP\" (\"KEY\" VARCHAR(4) NOT NULL, "
                            "SUB VARCHAR(2) NOT NULL, \"VALUE\" TEXT, DATA BLOB, "
                            "PRIMARY KEY (\"KEY\", SUB))"));
        stmt = std::make_unique<CSQliteSQL>(*m_db, QStringLiteral("GROUP"));
        ASSERT_EQ(stmt->SetSQLForWrite({"KEY", "SUB"}, {"VALUE"}, {}), 0);
    }

    QList<QStringList> all()
    {
        return Rows(QStringLiteral("GROUP"), {"KEY", "SUB", "VALUE"}, {}, "KEY, SUB");
    }

    std::unique_ptr<CSQliteSQL> stmt;
};

} // namespace

TEST_F(CSQliteSQLWrite, KeyedWritesReportWhatHappened)
{
    struct Step
    {
        QStringList keys;
        QString value;
        int mode;
        bool ok;
    };
    const QList<Step> steps{
        {{"0001", "01"}, "a", SQLWRITE_INSERT, true},
        {{"0001", "02"}, "b", SQLWRITE_INSERT, true}, // second key column differs
        {{"0001", "01"}, "again", SQLWRITE_INSERT, false},
        {{"0001", "01"}, "O'Neil; DROP TABLE x", SQLWRITE_UPDATE, true},
        {{"0009", "01"}, "none", SQLWRITE_UPDATE, false},
        {{"1", "01"}, "not 0001", SQLWRITE_UPDATE, false},  // codes are text: no numeric match
        {{"0009", "01"}, QString(), SQLWRITE_DELETE, true}, // nothing to delete is done
        {{"0001", "02"}, QString(), SQLWRITE_DELETE, true},
    };
    for (const Step& s : steps) {
        const QStringList values = s.mode == SQLWRITE_DELETE ? QStringList() : QStringList{s.value};
        const int rc = stmt->ExecWrite(s.keys, values, {}, s.mode);
        EXPECT_EQ(rc == 0, s.ok) << s.keys.join(',').toStdString() << " mode " << s.mode << " rc "
                                 << rc;
    }
    EXPECT_EQ(stmt->ExecWrite({"0009", "01"}, {"x"}, {}, SQLWRITE_UPDATE), SQLERR_NO_ROW);
    EXPECT_EQ(all(), (QList<QStringList>{{"0001", "01", "O'Neil; DROP TABLE x"}}));
}

TEST_F(CSQliteSQLWrite, ArgumentsThatDoNotFitAreRefused)
{
    EXPECT_EQ(stmt->ExecWrite({"0001"}, {"a"}, {}, SQLWRITE_INSERT), SQLERR_ARGUMENTS);
    EXPECT_EQ(stmt->ExecWrite({"0001", "01"}, {}, {}, SQLWRITE_INSERT), SQLERR_ARGUMENTS);
    EXPECT_EQ(stmt->ExecWrite({"0001", "01"}, {"a"}, {}, 3), SQLERR_ARGUMENTS);
    EXPECT_EQ(stmt->SetSQLForWrite({}, {}, {}), SQLERR_ARGUMENTS);
    EXPECT_EQ(stmt->SetSQLForWrite({"KEY", ""}, {}, {}), SQLERR_ARGUMENTS);
    EXPECT_NE(stmt->SetSQLForWrite({"KEY"}, {"NOSUCH"}, {}), 0);

    // Without key columns an update or delete would touch every row.
    ASSERT_EQ(stmt->SetSQLForWrite({}, {"KEY", "SUB", "VALUE"}, {}), 0);
    EXPECT_EQ(stmt->ExecWrite({}, {"0001", "01", "a"}, {}, SQLWRITE_INSERT), 0);
    EXPECT_EQ(stmt->ExecWrite({}, {"0001", "01", "b"}, {}, SQLWRITE_UPDATE), SQLERR_NOT_PREPARED);
    EXPECT_EQ(stmt->ExecWrite({}, {}, {}, SQLWRITE_DELETE), SQLERR_NOT_PREPARED);
    EXPECT_EQ(all(), (QList<QStringList>{{"0001", "01", "a"}}));
}

TEST_F(CSQliteSQLWrite, Utf8InsertsBindTheBytesAsTheyAre)
{
    const QByteArray name = QStringLiteral("Caf\u00e9 \u6771\u4eac").toUtf8();
    const QByteArrayView row[] = {"0001", "01", name};
    ASSERT_EQ(stmt->ExecInsertUtf8(row, 3, {}), 0);
    // An empty value is empty text, never NULL.
    const QByteArrayView empty[] = {"0002", "01", QByteArrayView()};
    ASSERT_EQ(stmt->ExecInsertUtf8(empty, 3, {}), 0);
    EXPECT_NE(stmt->ExecInsertUtf8(row, 3, {}), 0); // the key exists
    EXPECT_EQ(stmt->ExecInsertUtf8(row, 2, {}), SQLERR_ARGUMENTS);
    EXPECT_EQ(stmt->ExecInsertUtf8(row, 3, {"a.blob"}), SQLERR_ARGUMENTS);
    EXPECT_EQ(
        Rows(QStringLiteral("GROUP"), {"KEY", "\"VALUE\"", "typeof(\"VALUE\")"}, {}, "KEY"),
        (QList<QStringList>{{"0001", QString::fromUtf8(name), "text"}, {"0002", "", "text"}}));
}

TEST_F(CSQliteSQLWrite, BlobsSurviveByteForByte)
{
    QByteArray bytes("\x00\xff\x00\x01\xfe\xff", 6);
    bytes += QByteArray(70000, '\0') + QByteArray(3, '\xff');
    const QString folder = m_folders.scratch();
    ASSERT_TRUE(writeFile(folder + "/IN.BIN", bytes));
    ASSERT_TRUE(writeFile(folder + "/EMPTY.BIN", QByteArray()));

    ASSERT_EQ(stmt->SetSQLForWrite({"KEY", "SUB"}, {"VALUE"}, {"DATA"}), 0);
    EXPECT_EQ(stmt->ExecWrite({"0001", "01"}, {"v"}, {"IN.BIN"}, SQLWRITE_INSERT),
              0); // in the folder
    EXPECT_EQ(stmt->ExecWrite({"0002", "01"}, {"v"}, {folder + "/EMPTY.BIN"}, SQLWRITE_INSERT), 0);
    EXPECT_EQ(stmt->ExecWrite({"0003", "01"}, {"v"}, {""}, SQLWRITE_INSERT), 0);
    EXPECT_EQ(stmt->ExecWrite({"0004", "01"}, {"v"}, {"MISSING.BIN"}, SQLWRITE_INSERT),
              SQLERR_FILE);
    EXPECT_EQ(Rows(QStringLiteral("GROUP"), {"KEY", "typeof(DATA)", "length(DATA)"}, {}, "KEY"),
              (QList<QStringList>{
                  {"0001", "blob", "70009"}, {"0002", "blob", "0"}, {"0003", "null", ""}}));

    CSQliteSQL reader(*m_db, QStringLiteral("GROUP"));
    ASSERT_EQ(reader.SetSQLForBlobRead({"DATA"}, QStringLiteral("\"KEY\" = ? AND SUB = ?")), 0);
    EXPECT_EQ(reader.ExecBlobRead({"0001", "01"}, {"OUT.BIN"}), 0);
    EXPECT_EQ(readFile(folder + "/OUT.BIN"), bytes);
    EXPECT_EQ(reader.ExecBlobRead({"0002", "01"}, {"sub/OUT2.BIN"}), 0);
    EXPECT_TRUE(QFile::exists(folder + "/sub/OUT2.BIN"));
    EXPECT_EQ(readFile(folder + "/sub/OUT2.BIN"), QByteArray());
    // A NULL blob leaves no file, not even an old one.
    EXPECT_EQ(reader.ExecBlobRead({"0003", "01"}, {"OUT.BIN"}), 0);
    EXPECT_FALSE(QFile::exists(folder + "/OUT.BIN"));
    EXPECT_EQ(reader.ExecBlobRead({"0009", "01"}, {"OUT.BIN"}), SQLERR_NO_ROW);
    EXPECT_EQ(reader.ExecBlobRead({"0001"}, {"OUT.BIN"}), SQLERR_ARGUMENTS);

    // An update replaces the blob; "" clears it.
    ASSERT_TRUE(writeFile(folder + "/NEW.BIN", QByteArray("\xff\x00z", 3)));
    EXPECT_EQ(stmt->ExecWrite({"0001", "01"}, {"w"}, {"NEW.BIN"}, SQLWRITE_UPDATE), 0);
    EXPECT_EQ(reader.ExecBlobRead({"0001", "01"}, {"OUT.BIN"}), 0);
    EXPECT_EQ(readFile(folder + "/OUT.BIN"), QByteArray("\xff\x00z", 3));
    EXPECT_EQ(stmt->ExecWrite({"0001", "01"}, {"w"}, {""}, SQLWRITE_UPDATE), 0);
    EXPECT_EQ(Rows(QStringLiteral("GROUP"), {"DATA"}, "\"KEY\" = '0001'"),
              (QList<QStringList>{{""}}));
}

TEST_F(CSQliteSQLWrite, SavepointUndoesOnlyItsPartOfTheTransaction)
{
    ASSERT_EQ(stmt->StartTransaction(), 0);
    for (const char* key : {"0001", "0002", "0003"}) {
        ASSERT_EQ(stmt->SetSavepoint(), 0);
        ASSERT_EQ(stmt->ExecWrite({key, "01"}, {"v"}, {}, SQLWRITE_INSERT), 0);
        // The second part is undone; the savepoint then serves the next one.
        EXPECT_EQ(QString::fromLatin1(key) == "0002" ? stmt->RollbackToSavepoint()
                                                     : stmt->ReleaseSavepoint(),
                  0);
    }
    EXPECT_TRUE(m_db->InTransaction());
    ASSERT_EQ(stmt->ExecCommit(), 0);
    EXPECT_EQ(all(), (QList<QStringList>{{"0001", "01", "v"}, {"0003", "01", "v"}}));
    EXPECT_NE(stmt->ReleaseSavepoint(), 0); // none is open
}
