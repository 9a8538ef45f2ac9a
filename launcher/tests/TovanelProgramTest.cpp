// The launcher program end to end: its real binary, started as a user would.
#include "platform/FileTime.h"
#include "testsupport/PrivateXServer.h"
#include "testsupport/SuiteProgram.h"

#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using korvane::test::PrivateXServer;
using korvane::test::readFile;
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

// A launcher killed by a signal leaves its socket behind; the next start
// removes it (once it is older than one a starting program may be making).
TEST(TovanelProgram, AStartRemovesTheSocketOfAKilledLauncher)
{
    SuiteProgram launcher = MakeLauncher();
    launcher.writeIni(kIni);
    const QString folder = launcher.runtimeFolder() + QStringLiteral("/korvane");
    const QString tokenFile = folder + QStringLiteral("/instance-Tovanel.token");
    QProcess& killed = launcher.start();
    ASSERT_TRUE(SuiteProgram::waitForFile(tokenFile));
    const QByteArray token = readFile(tokenFile).trimmed();
    const QString socket = folder + QStringLiteral("/front-") + QString::fromLatin1(token);
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo(socket).exists());
    ASSERT_TRUE(platform::setLastWriteTimeNs(socket, qint64(1'600'000'000) * 1'000'000'000));

    QProcess& next = launcher.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return readFile(tokenFile).trimmed() != token; }, 30000));
    EXPECT_FALSE(QFileInfo(socket).exists());
    EXPECT_EQ(next.state(), QProcess::Running);
}

TEST(TovanelProgram, MissingLauncherIniShowsItsMessageAndEnds)
{
    SuiteProgram launcher = MakeLauncher();
    QProcess& process = launcher.start();
    EXPECT_EQ(SuiteProgram::waitForExit(process), 1);
    EXPECT_EQ(launcher.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_NOTFOUNDINI")});
}

// Bytes that are no INI give no product key: the launcher says which file
// is wrong instead of starting.
TEST(TovanelProgram, LauncherIniOfNoiseShowsItsMessageAndEnds)
{
    SuiteProgram launcher = MakeLauncher();
    QByteArray noise(4096, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 131 + 7) % 256);
    launcher.writeIni(noise);
    QProcess& process = launcher.start();
    EXPECT_EQ(SuiteProgram::waitForExit(process), 1);
    EXPECT_EQ(launcher.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_BADINI")});
}

// Under an X server of its own, where keys reach the focused window: the
// chooser of the Open run at start takes Escape as Cancel; then F1 shows
// that keys reach the window (the help manual is missing, so its message
// comes), Escape and Return leave the window open.
TEST(TovanelProgram, EscapeAndReturnLeaveTheWindowOpen)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing";
    SuiteProgram launcher = MakeLauncher();
    launcher.writeIni(kIni);
    launcher.setEnvironment(QStringLiteral("DISPLAY"), x.display());
    launcher.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess& process = launcher.start();
    const QString window = x.waitForWindow(QStringLiteral("Korvane"));
    ASSERT_FALSE(window.isEmpty());
    // Started without an archive, it asks for one at once; Escape cancels.
    const QString chooser = x.waitForWindow(QStringLiteral("^Open"));
    ASSERT_FALSE(chooser.isEmpty());
    x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), chooser});
    x.xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return x
                .xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                          QStringLiteral("--name"), QStringLiteral("^Open")})
                .isEmpty();
        },
        30000));
    x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    x.xdotool({QStringLiteral("key"), QStringLiteral("F1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !launcher.messages().isEmpty(); }, 30000));
    EXPECT_EQ(launcher.messages(), QStringList{QStringLiteral("CRDS_CMN_ERROR_RUN_HELP")});
    x.xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    x.xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    // Long enough for a loaded machine to handle both keys.
    EXPECT_FALSE(process.waitForFinished(3000));
    EXPECT_EQ(process.state(), QProcess::Running);
}

} // namespace
