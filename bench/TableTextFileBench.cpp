// Export and re-import of 100,000 item rows through the table text files,
// against the sqlite3 shell doing the same (.mode tabs, .import).
#include "shared/textfiles/CTextFileExporter.h"
#include "shared/textfiles/CTextFileImporter.h"
#include "stroven/Stroven.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRows = 100000;

struct Fixture
{
    QTemporaryDir dir;
    QString db() const { return dir.path() + "/SETTING.DB"; }
    QString file() const { return dir.path() + "/CIA001.txt"; }
    QString shellFile() const { return dir.path() + "/CIA001_shell.txt"; }

    Fixture()
    {
        CSQliteDB conn;
        conn.OpenDB(db());
        CSQliteSQL sql(conn, "CIA001");
        sql.ExecSQL("CREATE TABLE CIA001 (PLUCODE VARCHAR(14) PRIMARY KEY, PLUNAME VARCHAR(40), "
                    "PLUSHORTNAME VARCHAR(20), DEPTCODE VARCHAR(4), GROUPCODE VARCHAR(4), "
                    "UNITPRICE NUMERIC(10), COSTPRICE NUMERIC(10), TAXTYPE NUMERIC(2), "
                    "ITEMPARAMCODE VARCHAR(4), UNUSABLE NUMERIC(1), CREATEDATETIME VARCHAR(14), "
                    "UPDATEDATETIME VARCHAR(14))");
        const QStringList values = {"PLUNAME",   "PLUSHORTNAME",   "DEPTCODE",      "GROUPCODE",
                                    "UNITPRICE", "COSTPRICE",      "TAXTYPE",       "ITEMPARAMCODE",
                                    "UNUSABLE",  "CREATEDATETIME", "UPDATEDATETIME"};
        sql.SetSQLForWrite({"PLUCODE"}, values, {});
        sql.StartTransaction();
        for (int i = 1; i <= kRows; ++i) {
            const QString code = QString("%1").arg(i, 14, 10, QChar('0'));
            sql.ExecWrite({code},
                          {QString("Item number %1 of the shop").arg(i), QString("Item %1").arg(i),
                           QString("%1").arg(i % 99 + 1, 4, 10, QChar('0')),
                           QString("%1").arg(i % 20 + 1, 4, 10, QChar('0')),
                           QString::number(i % 5000 * 10), QString::number(i % 3000 * 7),
                           QString::number(i % 3), "0001", "0", "20240101120000", "20240101120000"},
                          {}, SQLWRITE_INSERT);
        }
        sql.ExecCommit();
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void Shell(benchmark::State& state, const QString& script)
{
    const QString shell = QStandardPaths::findExecutable("sqlite3");
    if (shell.isEmpty()) {
        state.SkipWithError("the sqlite3 shell is not installed");
        return;
    }
    QProcess process;
    process.start(shell, {Data().db()});
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        state.SkipWithError("the sqlite3 shell failed");
}

void BM_ExportItems(benchmark::State& state)
{
    CSQliteDB db;
    db.OpenDB(Data().db());
    for (auto _ : state) {
        CTextFileExporter exporter(&db, "CIA001", {}, Data().file());
        if (!exporter.ExecuteExport())
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ImportItemsReplacing(benchmark::State& state)
{
    CSQliteDB db;
    db.OpenDB(Data().db());
    CTextFileExporter(&db, "CIA001", {}, Data().file()).ExecuteExport();
    for (auto _ : state) {
        CTextFileImporter importer(&db, "CIA001", "PLUCODE", Data().file(), 0);
        if (!importer.ExecuteImport())
            state.SkipWithError("import failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ShellExportItems(benchmark::State& state)
{
    const QString script =
        ".headers on\n.mode tabs\n.output " + Data().shellFile() + "\nSELECT * FROM CIA001;\n";
    for (auto _ : state)
        Shell(state, script);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ShellImportItemsReplacing(benchmark::State& state)
{
    Shell(state,
          ".headers on\n.mode tabs\n.output " + Data().shellFile() + "\nSELECT * FROM CIA001;\n");
    const QString script = "BEGIN;\nDELETE FROM CIA001;\n.mode tabs\n.import --skip 1 " +
                           Data().shellFile() + " CIA001\nCOMMIT;\n";
    for (auto _ : state)
        Shell(state, script);
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_ExportItems)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_ShellExportItems)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_ImportItemsReplacing)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_ShellImportItemsReplacing)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
