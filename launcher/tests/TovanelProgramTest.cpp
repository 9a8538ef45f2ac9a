// The launcher program end to end: its real binary, started as a user would.
#include "testsupport/SuiteProgram.h"

#include <gtest/gtest.h>

namespace {

using korvane::test::SuiteProgram;

SuiteProgram MakeLauncher()
{
    return SuiteProgram(QStringLiteral(KORVANE_SUITE_DIR "/Tovanel"),
                        QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
}

const QByteArray kIni = "[PRODUCT]\nPRODUCTKEY=TEST\nPRODUCTMODE=0\n";

TEST(TovanelProgram, SecondStartEndsAtOnceWhileTheFirstRunsOn)
{
    SuiteProgram launcher = MakeLauncher();
    launcher.writeIni(kIni);
    QProcess& first = launcher.start();
    ASSERT_TRUE(SuiteProgram::waitForFile(launcher.runtimeFolder() +
                                          QStringLiteral("/korvane/instance-Tovanel.lock")));
    QProcess& second = launcher.start();
    EXPECT_EQ(SuiteProgram::waitForExit(second, 5000), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(launcher.messages().isEmpty());
}

TEST(TovanelProgram, MissingLauncherIniShowsItsMessageAndEnds)
{
    SuiteProgram launcher = MakeLauncher();
    QProcess& process = launcher.start();
    EXPECT_EQ(SuiteProgram::waitForExit(process), 1);
    EXPECT_EQ(launcher.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_NOTFOUNDINI")});
}

} // namespace
