// The image program end to end: its real binary on a copy of the model
// template, under an X server of the test's own where keys matter; the test
// plays the launcher that waits for its window to come back.
#include "shared/config/CBasePath.h"
#include "testsupport/PrivateXServer.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteProgram.h"
#include "testsupport/WaitingLauncher.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using korvane::test::SuiteProgram;

class PellarkProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_program.writeIni("[PRODUCT]\nPRODUCTKEY=TEST\nPRODUCTMODE=0\n");
        CBasePath::SetModuleFolder(m_program.folder());
        m_database = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    }
    void TearDown() override { CBasePath::SetModuleFolder(QString()); }

    SuiteProgram m_program{QStringLiteral(KORVANE_SUITE_DIR "/Pellark"),
                           QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml")};
    QString m_database;
};

TEST_F(PellarkProgramTest, ListMakesTheSixRowsAndEscapeBringsTheLauncherBack)
{
    korvane::test::PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    ASSERT_TRUE(QFile::copy(KORVANE_SUITE_DIR "/RESOURCE/Lumo500/SETTING.DB", m_database));
    QFile::setPermissions(m_database, QFile::ReadOwner | QFile::WriteOwner);

    korvane::test::WaitingLauncher launcher(m_program);
    ASSERT_TRUE(launcher.wait());

    m_program.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_program.setEnvironment(QStringLiteral("DISPLAY"), x.display());
    QProcess& images = m_program.start();
    const QString window = x.waitForWindow(QStringLiteral("^Logo Images$"));
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(
        korvane::test::JoinedRows(m_database, "CSB008", {"GRAPHICCODE", "FILENAME"}),
        QStringList({"000001| ", "000002| ", "000003| ", "000004| ", "000011| ", "000012| "}));

    // A second start meanwhile ends at once, silently.
    QProcess& second = m_program.start({QStringLiteral("/EASY")});
    EXPECT_EQ(SuiteProgram::waitForExit(second), 0);

    x.xdotool({"windowfocus", "--sync", window});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_TRUE(m_program.messages().isEmpty());
    QTest::qWait(100); // the bring-back arrives through the event loop
    EXPECT_TRUE(launcher.broughtBack());
}

TEST_F(PellarkProgramTest, MissingWorkDatabaseIsReportedAndNotMade)
{
    QProcess& images = m_program.start();
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_SETREAD2_FAILED"});
    EXPECT_FALSE(QFile::exists(m_database));
}

TEST_F(PellarkProgramTest, MissingLauncherIniEndsWithZero)
{
    QFile::remove(m_program.folder() + QStringLiteral("/Tovanel.ini"));
    QProcess& images = m_program.start();
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"});
}

} // namespace
