// The base program end to end: its real binary on a work database made from
// the model template and the seed rows; keys under an X server of the
// test's own where focus matters.
#include "bases/tests/SeedRows.h"

#include "platform/FileTime.h"
#include "testsupport/ProgramTest.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using korvane::test::FocusWindow;
using korvane::test::PrivateXServer;
using korvane::test::SuiteProgram;

class DunmarelProgramTest : public korvane::test::ProgramTest
{
protected:
    DunmarelProgramTest() : ProgramTest("Dunmarel") {}

    void MakeWorkDatabase()
    {
        CopyModelTemplate();
        const QStringList inserts = BaseSeedInserts();
        ASSERT_FALSE(inserts.isEmpty());
        korvane::test::ExecSql(m_database, inserts);
    }

    // The easy receipt pages with the top stamp turned off by the arrow key
    // (its "print" has the focus) and "Hello" typed into the first message.
    QProcess& StartEasyReceiptAndType(const PrivateXServer& x)
    {
        UseX(x);
        QProcess& bases = m_program.start({QStringLiteral("/RM_EASY")});
        const QString window = x.waitForWindow(QStringLiteral("^Receipt Message Setting$"));
        EXPECT_FALSE(window.isEmpty());
        FocusWindow(x, window);
        x.xdotool({"key", "Right", "Tab"});
        x.xdotool({"type", "--delay", "20", "Hello"});
        return bases;
    }
};

TEST_F(DunmarelProgramTest, MessageTypedAndSavedByKeys)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    UseX(x);
    QProcess& bases = m_program.start({QStringLiteral("/RM")});
    const QString window = x.waitForWindow(QStringLiteral("^Receipt Message Setting$"));
    ASSERT_FALSE(window.isEmpty());
    FocusWindow(x, window);
    // The first message has the focus; past the other seven messages to OK.
    x.xdotool({"type", "--delay", "20", "Welcome"});
    x.xdotool({"key", "Return"});
    x.xdotool({"type", "--delay", "20", "back"});
    x.xdotool({"key", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Return"});
    EXPECT_EQ(SuiteProgram::waitForExit(bases), 1);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(korvane::test::Sqlite3(m_database,
                                     "SELECT hex(CHARDATA) FROM CSB007 WHERE CHARSETCODE = "
                                     "'MESSAGE.RECEIPT.TOP1.S'")
                  .trimmed(),
              QByteArray("Welcome\r\nbackTHANK YOU").toHex().toUpper());
}

TEST_F(DunmarelProgramTest, EasyReceiptPageSavesMessageAndStampByKeys)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    const QByteArray form80 = korvane::test::Sqlite3(
        m_database, "SELECT hex(PRTFORMDATA) FROM CSM012 WHERE PRTFORMCODE = 'RCT_GENERAL_80'");
    const QByteArray form58 = QByteArray::fromHex(korvane::test::Sqlite3(
        m_database, "SELECT hex(PRTFORMDATA) FROM CSM012 WHERE PRTFORMCODE = 'RCT_GENERAL_58'"));
    ASSERT_TRUE(form58.contains("<graphic_logo1 invalid=\"false\"/>"));
    QProcess& bases = StartEasyReceiptAndType(x);
    x.xdotool({"key", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Return"});
    EXPECT_EQ(SuiteProgram::waitForExit(bases), 1);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(korvane::test::Sqlite3(m_database, "SELECT CHARDATA FROM CSB007 WHERE CHARSETCODE = "
                                                 "'MESSAGE.RECEIPT.TOP1.S'")
                  .trimmed(),
              QByteArray("HelloTHANK YOU"));
    QByteArray changed = form58;
    changed.replace("<graphic_logo1 invalid=\"false\"/>", "<graphic_logo1 invalid=\"true\"/>");
    EXPECT_EQ(QByteArray::fromHex(korvane::test::Sqlite3(
                  m_database,
                  "SELECT hex(PRTFORMDATA) FROM CSM012 WHERE PRTFORMCODE = 'RCT_GENERAL_58'")),
              changed);
    EXPECT_EQ(
        korvane::test::Sqlite3(
            m_database, "SELECT hex(PRTFORMDATA) FROM CSM012 WHERE PRTFORMCODE = 'RCT_GENERAL_80'"),
        form80);
}

TEST_F(DunmarelProgramTest, EasyReceiptPageEscapeWritesNothing)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    const QByteArray before = korvane::test::Sqlite3(
        m_database, "SELECT CHARSETCODE, hex(CHARDATA), UPDATEDATETIME FROM CSB007; "
                    "SELECT PRTFORMCODE, hex(PRTFORMDATA), UPDATEDATETIME FROM CSM012");
    QProcess& bases = StartEasyReceiptAndType(x);
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(bases), 2);
    EXPECT_TRUE(m_program.messages().isEmpty());
    EXPECT_EQ(korvane::test::Sqlite3(
                  m_database, "SELECT CHARSETCODE, hex(CHARDATA), UPDATEDATETIME FROM CSB007; "
                              "SELECT PRTFORMCODE, hex(PRTFORMDATA), UPDATEDATETIME FROM CSM012"),
              before);
}

TEST_F(DunmarelProgramTest, PackageWordOpensGeneralFeaturesAndASecondStartEnds)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    UseX(x);
    QProcess& first = m_program.start({QStringLiteral("/AS_STD")});
    const QString window = x.waitForWindow(QStringLiteral("^General Features Setting$"));
    ASSERT_FALSE(window.isEmpty());
    QProcess& second = m_program.start({QStringLiteral("/RC")});
    EXPECT_EQ(SuiteProgram::waitForExit(second), 0);
    FocusWindow(x, window);
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(first), 2);
    EXPECT_TRUE(m_program.messages().isEmpty());
}

// The tax window on a database without tax rows: Escape leaves the file as
// it was, to its last-write time; OK keeps the ten rows made for it.
TEST_F(DunmarelProgramTest, TaxWindowCancelLeavesTheDatabaseAndOkKeepsTheRows)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    korvane::test::ExecSql(m_database, {QStringLiteral("DELETE FROM CSM001"),
                                        QStringLiteral("DELETE FROM CTS001"),
                                        QStringLiteral("DELETE FROM CTS002")});
    constexpr qint64 kOldTime = 1'600'000'000'123'456'789;
    ASSERT_TRUE(platform::setLastWriteTimeNs(m_database, kOldTime));
    UseX(x);
    auto count = [this](const char* table) {
        return korvane::test::Sqlite3(m_database,
                                      QStringLiteral("SELECT COUNT(*) FROM %1").arg(table))
            .trimmed();
    };

    QProcess& cancelled = m_program.start({QStringLiteral("/TX")});
    QString window = x.waitForWindow(QStringLiteral("^Tax Setting$"));
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(count("CSM001"), "8"); // made before the window opened
    FocusWindow(x, window);
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(cancelled), 2);
    for (const char* table : {"CSM001", "CTS001", "CTS002"})
        EXPECT_EQ(count(table), "0") << table;
    EXPECT_EQ(platform::lastWriteTimeNs(m_database).value_or(0), kOldTime);
    EXPECT_TRUE(m_program.messages().isEmpty());

    QProcess& confirmed = m_program.start({QStringLiteral("/TX")});
    window = x.waitForWindow(QStringLiteral("^Tax Setting$"));
    ASSERT_FALSE(window.isEmpty());
    FocusWindow(x, window);
    // Past the 24 controls of the current rates to OK.
    QStringList keys = {"key"};
    for (int i = 0; i < 24; ++i)
        keys << "Tab";
    x.xdotool(keys << "Return");
    EXPECT_EQ(SuiteProgram::waitForExit(confirmed), 1);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(count("CSM001"), "8");
    EXPECT_EQ(count("CTS001"), "1");
    EXPECT_EQ(count("CTS002"), "1");
    EXPECT_NE(platform::lastWriteTimeNs(m_database).value_or(0), kOldTime);
}

TEST_F(DunmarelProgramTest, DetailFormsOpenTheirWindow)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    UseX(x);
    for (const char* option : {"/AS_CL", "/AS_RES"}) {
        QProcess& bases = m_program.start({QLatin1String(option)});
        const QString window = x.waitForWindow(QStringLiteral("^General Features Setting$"));
        ASSERT_FALSE(window.isEmpty()) << option;
        FocusWindow(x, window);
        x.xdotool({"key", "Escape"});
        EXPECT_EQ(SuiteProgram::waitForExit(bases), 2) << option;
    }
    EXPECT_TRUE(m_program.messages().isEmpty());
}

TEST_F(DunmarelProgramTest, OptionNamingNoModeEndsAtOnce)
{
    MakeWorkDatabase();
    for (const char* option : {"/as", "/XX"}) {
        QProcess& bases = m_program.start({QLatin1String(option)});
        EXPECT_EQ(SuiteProgram::waitForExit(bases), 0) << option;
    }
    EXPECT_TRUE(m_program.messages().isEmpty());
}

TEST_F(DunmarelProgramTest, MissingWorkDatabaseIsReportedAndNotMade)
{
    QProcess& bases = m_program.start({QStringLiteral("/RM")});
    EXPECT_EQ(SuiteProgram::waitForExit(bases), 2);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    EXPECT_FALSE(QFile::exists(m_database));
}

TEST_F(DunmarelProgramTest, MissingLauncherIniEndsWithZero)
{
    QFile::remove(m_program.folder() + QStringLiteral("/Tovanel.ini"));
    QProcess& bases = m_program.start({QStringLiteral("/RM")});
    EXPECT_EQ(SuiteProgram::waitForExit(bases), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"});
}

} // namespace

TEST_F(DunmarelProgramTest, FormalReceiptFormChosenByKeysReachesEveryFormalReceiptKey)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    // The seeded key holds the tax breakdown form; a second key has no form.
    korvane::test::ExecSql(
        m_database,
        {QStringLiteral("UPDATE CSB003 SET VALUE = '2' WHERE FUNCSETCODE = 'JPRYOUSHUU.TYPE'"),
         QStringLiteral("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE) VALUES "
                        "('000099', 'RECEIPT 2', '000047')")});
    UseX(x);
    QProcess& bases = m_program.start({QStringLiteral("/RC_EASY")});
    const QString window = x.waitForWindow(QStringLiteral("^Formal Receipt Setting$"));
    ASSERT_FALSE(window.isEmpty());
    FocusWindow(x, window);
    // The type combo has the focus: one up to the vertical form, then past the
    // three radio pairs, the five edits and the paper width to OK.
    x.xdotool({"key", "Up"});
    x.xdotool(
        {"key", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Return"});
    EXPECT_EQ(SuiteProgram::waitForExit(bases), 1);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(korvane::test::Sqlite3(m_database,
                                     "SELECT b.FUNCKEYCODE || '=' || IFNULL(c.VALUE, '') FROM "
                                     "CSB002 b LEFT JOIN CSB003 c ON c.FUNCKEYCODE = b.FUNCKEYCODE "
                                     "AND c.FUNCSETCODE = 'JPRYOUSHUU.TYPE' WHERE b.FUNCTIONCODE = "
                                     "'000047' ORDER BY 1")
                  .trimmed(),
              QByteArray("000023=1\n000099=1"));
}
