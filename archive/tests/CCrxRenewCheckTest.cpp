// An import of chosen tables refuses, before anything is written, a chosen
// table that the archive carries without mainte="renew".

#include "archive/tests/CrxImportFixture.h"

#include "archive/CrxDetail.h"

#include <QFile>

namespace {

using korvane::test::readFile;

const QStringList kSchemaWithRows = {
    "CREATE TABLE CSB001(CODE VARCHAR(4) PRIMARY KEY, NAME VARCHAR(20))",
    "CREATE TABLE CSB002(CODE VARCHAR(4) PRIMARY KEY, NAME VARCHAR(20))",
    "INSERT INTO CSB001 VALUES('0009', 'old')",
    "INSERT INTO CSB002 VALUES('0008', 'kept'), ('0009', 'kept')",
};

QByteArray Section(const QByteArray& code)
{
    return "<recinfo><datarec><CODE>" + code + "</CODE><NAME>archive</NAME></datarec></recinfo>";
}

// The whole table first, then the section of the case.
QByteArray Datainfo(const QByteArray& second)
{
    return "<dbinfo dbname='SETTING'><tabinfo tabname='CSB001' mainte='renew'>" + Section("0001") +
           "</tabinfo>" + second + "</dbinfo>\n";
}

class CCrxRenewCheckTest : public crxtest::ImportFixture
{
protected:
    CrxResult Import(const QByteArray& second, const QStringList& tables)
    {
        const QString archive = MakeArchive(ArchiveXml(Datainfo(second)));
        EXPECT_EQ(Header(archive), CRX_OK);
        Exec(SettingDb(), kSchemaWithRows);
        m_before = readFile(SettingDb());
        return Contents(archive, 0, &tables);
    }

    QByteArray m_before;
};

TEST_F(CCrxRenewCheckTest, AChosenTableWithoutRenewIsRefusedBeforeAnythingIsWritten)
{
    const struct
    {
        const char* what;
        QByteArray section;
    } cases[] = {
        {"rows to add or update", "<tabinfo tabname='CSB002'>" + Section("0001") + "</tabinfo>"},
        {"a difference", "<tabinfo tabname='CSB002'>" + Section("0001") +
                             "<recinfo mainte='del'><baserec><CODE>0008</CODE></baserec>"
                             "</recinfo></tabinfo>"},
        {"only deleted keys", "<tabinfo tabname='CSB002'><recinfo mainte='del'><baserec>"
                              "<CODE>0008</CODE></baserec></recinfo></tabinfo>"},
        {"another mainte",
         "<tabinfo tabname='CSB002' mainte='Renew'>" + Section("0001") + "</tabinfo>"},
        {"a second section of a whole table",
         "<tabinfo tabname='CSB001'>" + Section("0002") + "</tabinfo>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Import(c.section, {"CSB001", "CSB002"}), CRX_E_PARTIAL_TABLE);
        // The table that comes first and is whole was not emptied either.
        EXPECT_EQ(readFile(SettingDb()), m_before);
        EXPECT_EQ(CrxLastDetail().table,
                  QString(c.section).contains("'CSB001'") ? "CSB001" : "CSB002");
        EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));
    }
}

TEST_F(CCrxRenewCheckTest, OnlyChosenTablesAreCheckedAndWholeOnesImport)
{
    const QByteArray partial = "<tabinfo tabname='CSB002'>" + Section("0001") + "</tabinfo>";
    ASSERT_EQ(Import(partial, {"CSB001"}), CRX_OK);
    EXPECT_EQ(Rows(SettingDb(), "CSB001"), QStringList{"0001|archive"});
    EXPECT_EQ(Rows(SettingDb(), "CSB002"), QStringList({"0008|kept", "0009|kept"}));

    // A table the archive does not carry is not refused and stays.
    ASSERT_EQ(Import(QByteArray(), {"CSB001", "CSB002"}), CRX_OK);
    EXPECT_EQ(Rows(SettingDb(), "CSB002"), QStringList({"0008|kept", "0009|kept"}));

    // Without a list every section is read as before, whole or not.
    const QString archive = MakeArchive(ArchiveXml(Datainfo(partial)));
    ASSERT_EQ(Header(archive), CRX_OK);
    Exec(SettingDb(), {kSchemaWithRows[0], kSchemaWithRows[1]});
    ASSERT_EQ(Contents(archive), CRX_OK);
    EXPECT_EQ(Rows(SettingDb(), "CSB002"), QStringList{"0001|archive"});
}

TEST_F(CCrxRenewCheckTest, ADamagedArchiveXmlIsRefusedBeforeAnythingIsWritten)
{
    const QString archive = MakeArchive(ArchiveXml(Datainfo("<tabinfo tabname='CSB002'")));
    ASSERT_EQ(Header(archive), CRX_OK);
    Exec(SettingDb(), kSchemaWithRows);
    const QByteArray before = readFile(SettingDb());
    const QStringList tables{"CSB001"};
    EXPECT_EQ(Contents(archive, 0, &tables), CRX_E_SAX_FATAL);
    EXPECT_EQ(readFile(SettingDb()), before);
}

} // namespace
