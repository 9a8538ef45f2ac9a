// The launcher binary started on an archive, as a user starts it.
#include "launcher/tests/LauncherFixture.h"

#include "shared/tests/QStringPrinter.h"

#include <QElapsedTimer>
#include <QThread>

#include <csignal>

namespace tovanel::test {

namespace {

class TovanelBinaryTest : public LauncherFixture
{
};

TEST_F(TovanelBinaryTest, StartedOnAnArchiveItOpensItIntoTheWorkDatabase)
{
    // The binary runs from a suite folder of the test's own, beside its own
    // launcher INI; "InstallPath" names the built suite and its resources.
    const QString built = QStringLiteral(KORVANE_SUITE_DIR "/Tovanel");
    if (!QFileInfo(built).isExecutable())
        GTEST_SKIP() << "the launcher binary is not built";
    const QString binary = m_strProgramFolder + "/Tovanel";
    ASSERT_TRUE(QFile::copy(built, binary));
    const QString archive = CopySample("sample.crx");
    const QString diffBase = LocalDataFolder() + "/DIFFBASEFILE.CRX";

    QProcess launcher;
    launcher.setProcessChannelMode(QProcess::ForwardedChannels);
    launcher.start(binary, {archive});
    ASSERT_TRUE(launcher.waitForStarted(10000));

    bool opened = false;
    QElapsedTimer clock;
    clock.start();
    while (!opened && clock.elapsed() < 20000 && launcher.state() == QProcess::Running) {
        QThread::msleep(100);
        // The diff base is stored once the read has succeeded.
        opened = korvane::test::readFile(diffBase) == korvane::test::readFile(archive);
    }
    const bool running = launcher.state() == QProcess::Running;
    if (running) {
        ::kill(pid_t(launcher.processId()), SIGTERM);
        if (!launcher.waitForFinished(5000)) {
            launcher.kill();
            launcher.waitForFinished(5000);
        }
    }
    EXPECT_TRUE(running);
    ASSERT_TRUE(opened);
    EXPECT_EQ(Rows(WorkDb(), "CIA001").size(), 4);
    EXPECT_EQ(Rows(WorkDb(), "CIA002").size(), 3);
    EXPECT_EQ(Rows(WorkDb(), "CSB004").size(), 2);
    EXPECT_EQ(RegType(), "LUMO500");
}

} // namespace

} // namespace tovanel::test
