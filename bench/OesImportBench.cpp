// An OES clerk master file of 500,000 rows (KORVANE_BENCH_OES_ROWS), names in
// the legacy code page, taken over into CSB004, against its floor in the same
// run: iconv from CP932 piped into the sqlite3 shell's .import of the same
// rows into a table of the file's fields.
#include "shared/textfiles/COesCSVFileImporter.h"

#include "platform/LegacyCodePage.h"
#include "stroven/Stroven.h"

#include "BenchSuiteFolder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

qint64 Rows()
{
    bool ok = false;
    const qint64 rows = qEnvironmentVariable("KORVANE_BENCH_OES_ROWS").toLongLong(&ok);
    return ok && rows > 0 ? rows : 500000;
}

struct Fixture
{
    QTemporaryDir dir;
    qint64 rows = Rows();
    QString db() const { return dir.path() + "/SETTING.DB"; }
    QString file() const { return dir.path() + "/FILE007P.csv"; }

    Fixture()
    {
        // The import makes its temporary file under the private data folder.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + "/data"));
        benchsuite::UseSuiteFolder(dir.path() + "/suite");
        CSQliteDB conn;
        conn.OpenDB(db());
        CSQliteSQL sql(conn, "CSB004");
        sql.ExecSQL("CREATE TABLE CSB004 (CLKCODE VARCHAR(10) NOT NULL PRIMARY KEY, "
                    "CLKNAME VARCHAR(40), PASSWORD VARCHAR(16), CLKGRPCODE VARCHAR(6), "
                    "DRAWERNUMBER VARCHAR(1), CLKINTCODE VARCHAR(6), NBCHKNUMFROM VARCHAR(6), "
                    "NBCHKNUMTO VARCHAR(6), UNUSABLE VARCHAR(1), CREATEDATETIME VARCHAR(14), "
                    "UPDATEDATETIME VARCHAR(14))");
        sql.ExecSQL("CREATE TABLE OESCLERK (CODE, NAME, SHIFT, FLAGS, GRP, STAMP)");
        conn.CloseDB();

        QFile out(file());
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write("\"C00001P0007\",\"20240101\"\r\n\"H2\"\r\nH3\r\n");
        const QByteArray shift = platform::LegacyCodePage::encode(QString::fromUtf8("担当者"));
        const QByteArray early = platform::LegacyCodePage::encode(QString::fromUtf8(" 早番"));
        QByteArray block;
        for (qint64 i = 1; i <= rows; ++i) {
            block += QByteArray::number(i) + ",\"" + shift + QByteArray::number(i) + early + "\"," +
                     QByteArray::number(i % 3 + 1) + ",00000000," + QByteArray::number(i % 20 + 1) +
                     ",20240101\r\n";
            if (block.size() >= (1 << 20) || i == rows) {
                out.write(block);
                block.clear();
            }
        }
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void BM_OesClerkImport(benchmark::State& state)
{
    CSQliteDB db;
    db.OpenDB(Data().db());
    for (auto _ : state) {
        COesCSVFileImporter importer(&db, "CSB004", "CLKCODE", Data().file(), 0);
        if (!importer.ExecuteImport())
            state.SkipWithError(importer.GetErrMsgId().toUtf8().constData());
    }
    state.counters["fileMiB"] = double(QFile(Data().file()).size()) / (1 << 20);
    state.SetItemsProcessed(state.iterations() * Data().rows);
}

void BM_IconvShellImportFloor(benchmark::State& state)
{
    const QString shell = QStandardPaths::findExecutable("sqlite3");
    const QString iconv = QStandardPaths::findExecutable("iconv");
    if (shell.isEmpty() || iconv.isEmpty()) {
        state.SkipWithError("the sqlite3 shell or iconv is not installed");
        return;
    }
    const QString db = Data().db();
    for (auto _ : state) {
        QProcess decode;
        QProcess import;
        decode.setStandardOutputProcess(&import);
        decode.start(iconv, {"-f", "CP932", "-t", "UTF-8", Data().file()});
        import.start(shell, {db, "BEGIN", "DELETE FROM OESCLERK", ".mode csv",
                             ".import --skip 3 /dev/stdin OESCLERK", "COMMIT"});
        if (!decode.waitForFinished(600000) || !import.waitForFinished(600000) ||
            decode.exitCode() != 0 || import.exitCode() != 0)
            state.SkipWithError("iconv or the sqlite3 shell failed");
    }
    state.SetItemsProcessed(state.iterations() * Data().rows);
}

} // namespace

BENCHMARK(BM_OesClerkImport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_IconvShellImportFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
