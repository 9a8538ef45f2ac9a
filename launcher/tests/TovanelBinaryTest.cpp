// The launcher binary started on an archive, as a user starts it.
#include "shared/config/CBasePath.h"
#include "platform/Registry.h"
#include "stroven/Stroven.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteProgram.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using korvane::test::readFile;
using korvane::test::SuiteProgram;

int RowCount(const QString& db, const QString& table)
{
    CSQliteDB connection;
    if (connection.OpenDB(db) != 0)
        return -1;
    int count = -1;
    {
        CSQliteSQL sql(connection, table);
        int status = 0;
        if (sql.SetSQLForRead({}, QString(), QString(), 0) == 0)
            if (CSQRowArray* rows = sql.ExecReadNext(status))
                count = int(rows->size());
    }
    connection.CloseDB();
    return count;
}

TEST(TovanelBinary, StartedOnAnArchiveItOpensItIntoTheWorkDatabase)
{
    SuiteProgram launcher(QStringLiteral(KORVANE_SUITE_DIR "/Tovanel"),
                          QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    launcher.writeIni(readFile(QStringLiteral(KORVANE_SOURCE_DIR "/resources/Tovanel.ini")));
    // The suite's resources (the model templates) stay where the build made them.
    CBasePath::SetModuleFolder(launcher.folder());
    ASSERT_TRUE(platform::Registry::writeText(
        platform::RegistryHive::LocalMachine, CBasePath::GetRegistryRootKey(),
        QStringLiteral("InstallPath"), QStringLiteral(KORVANE_SUITE_DIR)));
    const QString data = CBasePath::GetLocalTemporaryPath();
    CBasePath::SetModuleFolder(QString());
    const QString archive = launcher.folders().scratch() + QStringLiteral("/sample.crx");
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/resources/samples/sample.crx"), archive));

    QProcess& process = launcher.start({archive});
    bool opened = false;
    QElapsedTimer clock;
    clock.start();
    while (!opened && clock.elapsed() < 20000 && process.state() == QProcess::Running) {
        QThread::msleep(100);
        // The diff base is stored once the read has succeeded.
        opened = readFile(data + QStringLiteral("/DIFFBASEFILE.CRX")) == readFile(archive);
    }
    const bool running = process.state() == QProcess::Running;
    if (running)
        ::kill(pid_t(process.processId()), SIGTERM);
    SuiteProgram::waitForExit(process, 5000);
    EXPECT_TRUE(running);
    ASSERT_TRUE(opened);
    EXPECT_EQ(RowCount(data + QStringLiteral("/SETTING.DB"), QStringLiteral("CIA001")), 4);
    EXPECT_EQ(RowCount(data + QStringLiteral("/SETTING.DB"), QStringLiteral("CIA002")), 3);
    EXPECT_EQ(RowCount(data + QStringLiteral("/SETTING.DB"), QStringLiteral("CSB004")), 2);
    EXPECT_TRUE(launcher.messages().isEmpty());
}

} // namespace
