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

// The launcher INI of the suite and "InstallPath" naming the built suite;
// the local data folder the launcher will use and, when asked, its registry
// key.
QString PrepareLauncher(SuiteProgram& launcher, QString* registryKey = nullptr)
{
    launcher.writeIni(readFile(QStringLiteral(KORVANE_SOURCE_DIR "/resources/Tovanel.ini")));
    // The suite's resources (the model templates) stay where the build made them.
    CBasePath::SetModuleFolder(launcher.folder());
    EXPECT_TRUE(platform::Registry::writeText(
        platform::RegistryHive::LocalMachine, CBasePath::GetRegistryRootKey(),
        QStringLiteral("InstallPath"), QStringLiteral(KORVANE_SUITE_DIR)));
    const QString data = CBasePath::GetLocalTemporaryPath();
    if (registryKey)
        *registryKey = CBasePath::GetRegistryRootKey();
    CBasePath::SetModuleFolder(QString());
    return data;
}

QString CopySample(SuiteProgram& launcher)
{
    const QString archive = launcher.folders().scratch() + QStringLiteral("/sample.crx");
    EXPECT_TRUE(
        QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/resources/samples/sample.crx"), archive));
    return archive;
}

// Waits until the diff base equals the given archive (it is stored once the
// read has succeeded), then ends the launcher by its process id. False when
// it did not get there while running.
bool WaitForDiffBaseThenEnd(QProcess& process, const QString& data, const QString& base)
{
    bool opened = false;
    QElapsedTimer clock;
    clock.start();
    while (!opened && clock.elapsed() < 20000 && process.state() == QProcess::Running) {
        QThread::msleep(100);
        opened = readFile(data + QStringLiteral("/DIFFBASEFILE.CRX")) == readFile(base);
    }
    const bool running = process.state() == QProcess::Running;
    if (running)
        ::kill(pid_t(process.processId()), SIGTERM);
    SuiteProgram::waitForExit(process, 5000);
    EXPECT_TRUE(running);
    return opened;
}

void ExpectSampleRows(const QString& data)
{
    EXPECT_EQ(RowCount(data + QStringLiteral("/SETTING.DB"), QStringLiteral("CIA001")), 4);
    EXPECT_EQ(RowCount(data + QStringLiteral("/SETTING.DB"), QStringLiteral("CIA002")), 3);
    EXPECT_EQ(RowCount(data + QStringLiteral("/SETTING.DB"), QStringLiteral("CSB004")), 2);
}

TEST(TovanelBinary, StartedOnAnArchiveItOpensItIntoTheWorkDatabase)
{
    SuiteProgram launcher(QStringLiteral(KORVANE_SUITE_DIR "/Tovanel"),
                          QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    const QString data = PrepareLauncher(launcher);
    const QString archive = CopySample(launcher);

    QProcess& process = launcher.start({archive});
    ASSERT_TRUE(WaitForDiffBaseThenEnd(process, data, archive))
        << launcher.messages().join(u',').toStdString();
    ExpectSampleRows(data);
    EXPECT_TRUE(launcher.messages().isEmpty());
}

TEST(TovanelBinary, StartedByTheOrderSystemItOpensItsArchiveOnTheModelsDiffBase)
{
    SuiteProgram launcher(QStringLiteral(KORVANE_SUITE_DIR "/Tovanel"),
                          QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    QString registryKey;
    const QString data = PrepareLauncher(launcher, &registryKey);
    const QString archive = CopySample(launcher);
    // No take-over offered at start.
    ASSERT_TRUE(platform::Registry::writeNumber(platform::RegistryHive::CurrentUser, registryKey,
                                                QStringLiteral("DISPSTURTUPIMP"), 0));

    QProcess& process = launcher.start(
        {QStringLiteral("OES"), archive, launcher.folders().scratch() + QStringLiteral("/oes")});
    ASSERT_TRUE(WaitForDiffBaseThenEnd(
        process, data, QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE/Lumo500/SETTING.CRX")))
        << launcher.messages().join(u',').toStdString();
    ExpectSampleRows(data);
    EXPECT_TRUE(launcher.messages().isEmpty());
}

TEST(TovanelBinary, AnOrderSystemArchiveThatCannotBeReadEndsIt)
{
    SuiteProgram launcher(QStringLiteral(KORVANE_SUITE_DIR "/Tovanel"),
                          QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    PrepareLauncher(launcher);
    const QString archive = launcher.folders().scratch() + QStringLiteral("/text.crx");
    ASSERT_TRUE(korvane::test::writeFile(archive, "no archive\n"));

    QProcess& process = launcher.start({QStringLiteral("OES"), archive});
    EXPECT_EQ(SuiteProgram::waitForExit(process, 20000), 0);
    EXPECT_EQ(launcher.messages(), QStringList{QStringLiteral("CRDS_MSG_E_OPENCRP")});
}

} // namespace
