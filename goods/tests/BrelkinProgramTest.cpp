// The goods program end to end: its real binary on a work database made from
// the model template, driven by keys under an X server of the test's own; the
// test plays the launcher that waits for its window to come back.
#include "shared/config/CBasePath.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteProgram.h"
#include "testsupport/WaitingLauncher.h"
#include "testsupport/WorkDbFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using korvane::test::SuiteProgram;

const QByteArray kIni = "[PRODUCT]\nPRODUCTKEY=TEST\nPRODUCTMODE=0\n";

// An X server of the test's own, on the first free display from 90.
class PrivateXServer
{
public:
    PrivateXServer()
    {
        for (int display = 90; display < 190 && m_display.isEmpty(); ++display) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)))
                continue;
            m_server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(display), "-screen",
                                                    "0", "1280x1024x24", "-nolisten", "tcp"});
            m_server.waitForStarted(5000);
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
            QElapsedTimer timer;
            timer.start();
            while (!QFile::exists(socket) && m_server.state() == QProcess::Running &&
                   timer.elapsed() < 10000)
                QTest::qWait(20);
            if (QFile::exists(socket) && m_server.state() == QProcess::Running)
                m_display = QStringLiteral(":%1").arg(display);
            else {
                m_server.kill();
                m_server.waitForFinished();
            }
        }
    }
    ~PrivateXServer()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    QString display() const { return m_display; }

    // Runs xdotool on this display; its output, trimmed.
    QString xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(15000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }
    // The ids of the visible windows with the title, waiting until there are count.
    QStringList windows(const QString& title, int count) const
    {
        QStringList ids;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 15000) {
            ids = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"})
                      .split(u'\n', Qt::SkipEmptyParts);
            if (ids.size() == count)
                break;
            QTest::qWait(50);
        }
        return ids;
    }

private:
    QProcess m_server;
    QString m_display;
};

class BrelkinProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_program.writeIni(kIni);
        CBasePath::SetModuleFolder(m_program.folder());
        m_database = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    }
    void TearDown() override { CBasePath::SetModuleFolder(QString()); }

    void MakeWorkDatabase()
    {
        ASSERT_TRUE(QFile::copy(KORVANE_SUITE_DIR "/RESOURCE/Lumo500/SETTING.DB", m_database));
        QFile::setPermissions(m_database, QFile::ReadOwner | QFile::WriteOwner);
        korvane::test::ExecSql(
            m_database,
            {"INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME, CREATEDATETIME, UPDATEDATETIME) "
             "VALUES ('000001', 'Food', '20000101000000', '20000101000000'), "
             "('000002', 'Drinks', '20000101000000', '20000101000000'), "
             "('000003', 'Other', '20000101000000', '20000101000000')"});
    }

    SuiteProgram m_program{QStringLiteral(KORVANE_SUITE_DIR "/Brelkin"),
                           QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml")};
    QString m_database;
};

TEST_F(BrelkinProgramTest, DepartmentRenamedByKeysAndTheLauncherBroughtBack)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    PrivateXServer x;
    ASSERT_FALSE(x.display().isEmpty());

    // The launcher: its socket's token in "MAINWH".
    korvane::test::WaitingLauncher launcher(m_program);
    ASSERT_TRUE(launcher.wait());

    m_program.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_program.setEnvironment(QStringLiteral("DISPLAY"), x.display());
    QProcess& goods = m_program.start({QStringLiteral("/S")});
    const QStringList list = x.windows(QStringLiteral("Department Settings"), 1);
    ASSERT_EQ(list.size(), 1);

    // A second start meanwhile ends at once.
    QProcess& second = m_program.start({QStringLiteral("/S")});
    EXPECT_EQ(SuiteProgram::waitForExit(second), 0);

    // Enter opens the first department in the editor.
    x.xdotool({"windowfocus", "--sync", list[0]});
    x.xdotool({"key", "Return"});
    QStringList both = x.windows(QStringLiteral("Department Settings"), 2);
    ASSERT_EQ(both.size(), 2);
    both.removeAll(list[0]);
    x.xdotool({"windowfocus", "--sync", both[0]});
    // The name, then Tab past the group to OK; the confirmation answers OK.
    x.xdotool({"key", "ctrl+a"});
    x.xdotool({"type", "--delay", "20", "Fresh"});
    x.xdotool({"key", "Tab", "Tab", "Return"});
    ASSERT_EQ(x.windows(QStringLiteral("Department Settings"), 1).size(), 1);
    QTest::qWait(200);
    x.xdotool({"windowfocus", "--sync", list[0]});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(goods), 2);

    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    const QString row =
        QString::fromUtf8(korvane::test::Sqlite3(m_database,
                                                 "SELECT ITEMDEPTNAME, CREATEDATETIME, "
                                                 "UPDATEDATETIME > '20000101000000' FROM CIA002 "
                                                 "WHERE ITEMDEPTCODE = '000001'"))
            .trimmed();
    EXPECT_EQ(row, "Fresh|20000101000000|1");
    QTest::qWait(100); // the bring-back arrives through the event loop
    EXPECT_TRUE(launcher.broughtBack());
}

TEST_F(BrelkinProgramTest, MissingWorkDatabaseIsReportedAndNotMade)
{
    QProcess& goods = m_program.start({QStringLiteral("/S")});
    EXPECT_EQ(SuiteProgram::waitForExit(goods), 2);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    EXPECT_FALSE(QFile::exists(m_database));
}

TEST_F(BrelkinProgramTest, MissingLauncherIniEndsWithZero)
{
    QFile::remove(m_program.folder() + QStringLiteral("/Tovanel.ini"));
    QProcess& goods = m_program.start({QStringLiteral("/P")});
    EXPECT_EQ(SuiteProgram::waitForExit(goods), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"});
}

} // namespace
