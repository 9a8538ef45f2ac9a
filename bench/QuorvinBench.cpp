// Open and full save of archives with many items, each measured against its
// floor on the same data in the same run:
// - open: CrxImportHeader + CrxImportInitSettingDB + CrxImportContents
//   against "tar -xjf" plus a bulk insert of the same rows in one
//   transaction (prepared once, bound per row, through the database layer);
// - save: CrxExport (full) against "tar -cjf" of the same unpack folder.
// Item counts: QUORVIN_BENCH_ITEMS (comma-separated, default "10000"); every
// column of the item table is filled; 1,000 printer graphics carry a blob.
// The counter peak_MB is the process's peak resident size after the run.

#include "archive/tests/CrxTableFill.h"
#include "bench/support/OpenArchive.h"
#include "bench/support/PeakMemory.h"
#include "archive/QuorvinExport.h"
#include "archive/QuorvinImport.h"
#include "stroven/Stroven.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <map>
#include <memory>

namespace {

const QString kResource = QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE");
const QString kModel = QStringLiteral("Lumo500");
constexpr int kBlobs = 1000;

// CPU seconds of this process and of the children it waited for (the floors
// run tar and bzip2 as children): on a loaded machine a fairer measure than
// wall time.
double CpuSeconds()
{
    double seconds = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        seconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return seconds;
}

bool Run(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

CrxResult Save(const QString& base, const QString& archive)
{
    return CrxExport(base, archive, nullptr, 1, QString(), nullptr, nullptr, nullptr, "LUMO500",
                     "1.00", QString(), "STD", QString(), 0, 0, 1, 1, 1, 1, 1, 0);
}

// One data set per item count, made once: the base folder, its archive,
// the archive unpacked (the save's floor packs it) and the rows for the
// open's floor.
struct DataSet
{
    QTemporaryDir dir;
    QString base;
    QString archive;
    QString unpacked;
    bool ok = false;

    explicit DataSet(int items)
    {
        base = dir.path() + "/base";
        archive = dir.path() + "/data.crx";
        unpacked = dir.path() + "/unpacked";
        QDir().mkpath(base);
        QDir().mkpath(unpacked);
        // The suite's archives carry the schema text, so an open builds the
        // work database from the blank template and that text.
        if (!QFile::copy(kResource + "/" + kModel + "/SETTING.DB", base + "/SETTING.DB") ||
            !QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt"),
                         base + "/Schema.txt"))
            return;
        CSQliteDB db;
        if (db.OpenDB(base + "/SETTING.DB") != 0 || crxtest::FillTable(db, "CIA001", items) != 0 ||
            crxtest::FillTable(db, "CSB008", kBlobs, 1) != 0)
            return;
        db.CloseDB();
        ok = Save(base, archive) == CRX_OK && Run("tar", {"-xjf", archive, "-C", unpacked});
    }
};

DataSet& Data(int items)
{
    static std::map<int, std::unique_ptr<DataSet>> sets;
    auto& set = sets[items];
    if (!set)
        set = std::make_unique<DataSet>(items);
    return *set;
}

void Finish(benchmark::State& state, double cpuBefore)
{
    state.counters["peak_MB"] = korvane::bench::PeakMegabytes();
    state.counters["cpu_all_s"] = CpuSeconds() - cpuBefore;
}

void BM_Open(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const QString base = data.dir.path() + "/open";
    const double cpu = CpuSeconds();
    for (auto _ : state) {
        const CrxResult rc = korvane::bench::OpenArchive(data.archive, base, kResource, kModel);
        if (rc != CRX_OK)
            return state.SkipWithError(
                QStringLiteral("open failed: %1").arg(rc, 0, 16).toStdString().c_str());
    }
    Finish(state, cpu);
}

// Reads a table's rows (columns in table order) and its column names.
struct TableRows
{
    QStringList keys, values, blobs;
    QList<QStringList> keyRows, valueRows, blobRows;
};

TableRows ReadRows(const QString& dbPath, const QString& table, const QString& blobFolder)
{
    TableRows rows;
    CSQliteDB db;
    db.OpenDB(dbPath);
    CSQliteSQL sql(db, table);
    int err = 0;
    for (const CSQTableInfo& column : *sql.GetTableInfo(err)) {
        if (column.m_nPrimaryKey)
            rows.keys << column.m_strName;
        else if (column.m_nType == SQLTYPE_BLOB)
            rows.blobs << column.m_strName;
        else
            rows.values << column.m_strName;
    }
    sql.SetSQLForRead(rows.keys + rows.values, QString(), QString(), 0);
    int status = 0;
    int blobIndex = 0;
    if (CSQRowArray* batch = sql.ExecReadNext(status)) {
        for (const QStringList* row : *batch) {
            rows.keyRows << row->mid(0, rows.keys.size());
            rows.valueRows << row->mid(rows.keys.size());
            QStringList files;
            for (int i = 0; i < rows.blobs.size(); ++i)
                files << QStringLiteral("%1/%2_%3.blob").arg(blobFolder, table).arg(blobIndex++);
            rows.blobRows << files;
        }
    }
    db.CloseDB();
    return rows;
}

void BM_OpenFloor(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const QString folder = data.dir.path() + "/floor";
    const QString blobFolder = folder + "/blob";
    const TableRows items = ReadRows(data.base + "/SETTING.DB", "CIA001", blobFolder);
    const TableRows graphics = ReadRows(data.base + "/SETTING.DB", "CSB008", blobFolder);
    const double cpu = CpuSeconds();
    for (auto _ : state) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile::remove(folder + ".db");
        QFile::copy(kResource + "/" + kModel + "/SETTING.DB", folder + ".db");
        if (!Run("tar", {"-xjf", data.archive, "-C", folder}))
            return state.SkipWithError("tar -xjf");
        CSQliteDB db;
        db.OpenDB(folder + ".db");
        {
            CSQliteSQL sql(db, "CIA001");
            sql.StartTransaction();
            for (const TableRows* table : {&items, &graphics}) {
                CSQliteSQL insert(db, table == &items ? "CIA001" : "CSB008");
                insert.SetSQLForWrite(table->keys, table->values, table->blobs);
                for (qsizetype i = 0; i < table->keyRows.size(); ++i)
                    insert.ExecWrite(table->keyRows[i], table->valueRows[i], table->blobRows[i],
                                     SQLWRITE_INSERT);
            }
            sql.ExecCommit();
        }
        db.CloseDB();
    }
    Finish(state, cpu);
}

void BM_Save(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const double cpu = CpuSeconds();
    for (auto _ : state) {
        if (Save(data.base, data.dir.path() + "/save.crx") != CRX_OK)
            return state.SkipWithError("save failed");
    }
    Finish(state, cpu);
}

void BM_SaveFloor(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const QStringList members = QDir(data.unpacked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const double cpu = CpuSeconds();
    for (auto _ : state) {
        if (!Run("tar", QStringList{"-cjf", data.dir.path() + "/floor.crx"} + members,
                 data.unpacked))
            return state.SkipWithError("tar -cjf");
    }
    Finish(state, cpu);
}

void ItemCounts(benchmark::internal::Benchmark* benchmark)
{
    QString sizes = qEnvironmentVariable("QUORVIN_BENCH_ITEMS", "10000");
    for (const QString& size : sizes.split(',', Qt::SkipEmptyParts))
        benchmark->Arg(size.trimmed().toInt());
    benchmark->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(2)->ReportAggregatesOnly(false);
}

// The library's runs come first, so that their peak is not the floors' (the
// open's floor holds its rows in memory).
BENCHMARK(BM_Open)->Apply(ItemCounts);
BENCHMARK(BM_Save)->Apply(ItemCounts);
BENCHMARK(BM_OpenFloor)->Apply(ItemCounts);
BENCHMARK(BM_SaveFloor)->Apply(ItemCounts);

} // namespace
