// Open and full save of archives with many items, each measured against its
// floors on the same data in the same run:
// - open: CrxImportHeader + CrxImportInitSettingDB + CrxImportContents
//   against "tar -xjf" (and "tar -I lbzip2 -xf") plus a bulk insert of the
//   same rows in one transaction (prepared once, bound per row, through the
//   database layer);
// - save: CrxExport (full) against "tar -cjf" (and "tar -I lbzip2 -cf") of
//   the same unpack folder;
// - unpack and pack: the archiver alone, the container's share of both;
// - parse: the archive XML through the reader alone, without rows.
// Every benchmark runs on 1 core, 2 cores and all cores (the process's own
// affinity, which the tar and lbzip2 children inherit).
// Item counts: QUORVIN_BENCH_ITEMS (comma-separated, default
// "10000,100000"); every column of the item table is filled; 1,000 printer
// graphics carry a blob. Repetitions and their order come from the command
// line: --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true
// interleaves the library's runs with the floors'.
// Counters: peak_MB, the peak resident size of the whole operation (for the
// library this process plus its lbzip2 child, child_MB, which runs beside
// it; the larger of this process and the tar child, with its own child, for
// a floor); rise_MB, that peak less the size the process had before (the
// data sets); cpu_all_s, CPU seconds of the
// process and its children; the open's steps; parallel, whether the
// archiver ran lbzip2 (1) or bzip2 in-process (0).

#include "archive/tests/CrxTableFill.h"
#include "archive/CCrxArchiver.h"
#include "archive/CCrxBzip2Process.h"
#include "archive/CCrxElementStack.h"
#include "archive/CCrxNode.h"
#include "archive/CrxParse.h"
#include "archive/ICrxDocument.h"
#include "archive/QuorvinExport.h"
#include "archive/QuorvinImport.h"
#include "stroven/Stroven.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

const QString kResource = QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE");
const QString kModel = QStringLiteral("Lumo500");
constexpr int kBlobs = 1000;

// Floors: GNU tar with its own bzip2, or with lbzip2.
enum Floor { kBzip2 = 0, kLbzip2 = 1 };

// The resident size when the peak was reset: what the operation found.
double g_baseMb = 0;

double StatusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::char_traits<char>::length(field))) / 1024.0;
    return 0;
}

// Starts this operation's peak resident size afresh (Linux: "5" resets
// VmHWM to the present size), after handing freed heap back, so that the
// data set made before counts as little as it can.
void ResetPeak()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    CCrxBzip2Process::ResetPeakChildKb();
    g_baseMb = StatusMegabytes("VmRSS:");
}

double PeakMegabytes()
{
    return StatusMegabytes("VmHWM:");
}

// CPU seconds of this process and of the children it waited for (the floors
// run tar, the archiver lbzip2): on a loaded machine a fairer measure than
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

// Runs a program to its end in folder; its peak resident size in MB
// (with the children it waited for) through peakMb.
bool Run(const QStringList& command, const QString& folder, double* peakMb = nullptr)
{
    std::vector<QByteArray> args;
    for (const QString& arg : command)
        args.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, QFile::encodeName(folder).constData());
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    if (peakMb)
        *peakMb = double(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

CrxResult Save(const QString& base, const QString& archive)
{
    return CrxExport(base, archive, nullptr, 1, QString(), nullptr, nullptr, nullptr, "LUMO500",
                     "1.00", QString(), "STD", QString(), 0, 0, 1, 1, 1, 1, 1, 0);
}

// Runs the benchmark on the first cores cores (0: all), restored after.
class Cores
{
public:
    explicit Cores(int cores)
    {
        sched_getaffinity(0, sizeof m_all, &m_all);
        if (cores <= 0)
            return;
        cpu_set_t set;
        CPU_ZERO(&set);
        for (int cpu = 0, taken = 0; cpu < CPU_SETSIZE && taken < cores; ++cpu)
            if (CPU_ISSET(cpu, &m_all)) {
                CPU_SET(cpu, &set);
                ++taken;
            }
        sched_setaffinity(0, sizeof set, &set);
    }
    ~Cores() { sched_setaffinity(0, sizeof m_all, &m_all); }
    Cores(const Cores&) = delete;
    Cores& operator=(const Cores&) = delete;

private:
    cpu_set_t m_all;
};

// One data set per item count, made once: the base folder, its archive,
// the archive unpacked (the save's floor packs it) and the rows for the
// open's floor.
struct DataSet
{
    QTemporaryDir dir;
    QString base;
    QString archive;
    QString unpacked;
    QStringList members;
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
        ok = Save(base, archive) == CRX_OK && Run({"tar", "-xjf", archive}, unpacked);
        members = QDir(unpacked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
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

double ChildMegabytes()
{
    return double(CCrxBzip2Process::PeakChildKb()) / 1024.0;
}

void Finish(benchmark::State& state, double cpuBefore, double peak)
{
    const double child = ChildMegabytes();
    peak += child;
    state.counters["child_MB"] = child;
    state.counters["peak_MB"] = peak;
    state.counters["rise_MB"] = peak - g_baseMb;
    state.counters["cpu_all_s"] = CpuSeconds() - cpuBefore;
    state.counters["parallel"] = CCrxArchiver().UsesParallel() ? 1 : 0;
}

void BM_Open(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const QString base = data.dir.path() + "/open";
    const double cpu = CpuSeconds();
    double header = 0, schema = 0, contents = 0, headerChild = 0;
    ResetPeak();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        CrxFileInfo info;
        CrxResult rc = CrxImportHeader(data.archive, base, nullptr, &info.machineType,
                                       &info.crxVersion, &info.regVersion, &info.system,
                                       &info.package, &info.regVersionFlags, &info.packageFlags);
        header += timer.restart() / 1000.0;
        headerChild = std::max(headerChild, ChildMegabytes());
        if (rc == CRX_OK)
            rc = CrxImportInitSettingDB(data.archive, base, kResource, kModel);
        schema += timer.restart() / 1000.0;
        if (rc == CRX_OK)
            rc = CrxImportContents(data.archive, base, nullptr, 0, kResource, &info.machineType,
                                   &info.crxVersion, &info.regVersion, &info.system, &info.package,
                                   &info.regVersionFlags, &info.packageFlags, nullptr);
        contents += timer.restart() / 1000.0;
        if (rc != CRX_OK)
            return state.SkipWithError(
                QStringLiteral("open failed: %1").arg(rc, 0, 16).toStdString().c_str());
    }
    const double runs = double(state.iterations());
    state.counters["header_s"] = header / runs;
    state.counters["schema_s"] = schema / runs;
    state.counters["contents_s"] = contents / runs;
    state.counters["header_child_MB"] = headerChild;
    Finish(state, cpu, PeakMegabytes());
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

QStringList TarCommand(int floor, const char* mode, const QString& archive)
{
    if (floor == kLbzip2)
        return {"tar", "-I", "lbzip2", QStringLiteral("-%1f").arg(mode), archive};
    return {"tar", QStringLiteral("-%1jf").arg(mode), archive};
}

void BM_OpenFloor(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const int floor = int(state.range(2));
    const QString folder = data.dir.path() + "/floor";
    const QString blobFolder = folder + "/blob";
    const TableRows items = ReadRows(data.base + "/SETTING.DB", "CIA001", blobFolder);
    const TableRows graphics = ReadRows(data.base + "/SETTING.DB", "CSB008", blobFolder);
    const double cpu = CpuSeconds();
    double tarPeak = 0;
    ResetPeak();
    for (auto _ : state) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile::remove(folder + ".db");
        QFile::copy(kResource + "/" + kModel + "/SETTING.DB", folder + ".db");
        if (!Run(TarCommand(floor, "x", data.archive), folder, &tarPeak))
            return state.SkipWithError("tar -x");
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
    // The rows held in memory for the insert are the floor's input, made
    // before the peak was reset.
    Finish(state, cpu, std::max(PeakMegabytes(), tarPeak));
}

void BM_Save(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const double cpu = CpuSeconds();
    ResetPeak();
    for (auto _ : state) {
        if (Save(data.base, data.dir.path() + "/save.crx") != CRX_OK)
            return state.SkipWithError("save failed");
    }
    Finish(state, cpu, PeakMegabytes());
}

void BM_SaveFloor(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const int floor = int(state.range(2));
    const double cpu = CpuSeconds();
    double tarPeak = 0;
    ResetPeak();
    for (auto _ : state) {
        if (!Run(TarCommand(floor, "c", data.dir.path() + "/floor.crx") + data.members,
                 data.unpacked, &tarPeak))
            return state.SkipWithError("tar -c");
    }
    Finish(state, cpu, std::max(PeakMegabytes(), tarPeak));
}

// The container alone: the archiver's unpack and pack of the same archive.
void BM_Unpack(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const QString folder = data.dir.path() + "/unpack";
    const double cpu = CpuSeconds();
    ResetPeak();
    for (auto _ : state) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        if (CCrxArchiver().Unpack(data.archive, folder) != CRX_OK)
            return state.SkipWithError("unpack failed");
    }
    Finish(state, cpu, PeakMegabytes());
}

void BM_Pack(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const double cpu = CpuSeconds();
    ResetPeak();
    for (auto _ : state) {
        if (CCrxArchiver().Pack(data.unpacked, data.dir.path() + "/pack.crx") != CRX_OK)
            return state.SkipWithError("pack failed");
    }
    Finish(state, cpu, PeakMegabytes());
}

// The tokenising alone: the archive XML through the reader into a grammar
// of the root alone, which drops every element (no rows, no inserts).
class ParseOnlyDocument : public ICrxDocument
{
public:
    ParseOnlyDocument() { m_stack.Push(&m_root); }
    CCrxElementStack& GetElementStack() override { return m_stack; }
    const CrxAbortFlag* GetCancelFlag() const override { return nullptr; }
    CCrxDb* GetSettingDb() override { return nullptr; }
    CCrxDb* GetCustomerDb() override { return nullptr; }
    int GetImportMode() const override { return 0; }
    int GetAllTablesFlag() const override { return 1; }
    const QStringList* GetTableSelection() const override { return nullptr; }
    void SetLastError(CrxResult code) override { m_nError = code; }
    CrxResult GetLastError() const override { return m_nError; }

private:
    CCrxElementStack m_stack;
    CCrxNode m_root;
    CrxResult m_nError = CRX_OK;
};

void BM_Parse(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.ok)
        return state.SkipWithError("data set");
    const Cores cores(int(state.range(1)));
    const double cpu = CpuSeconds();
    ResetPeak();
    for (auto _ : state) {
        ParseOnlyDocument document;
        if (CrxParseFile(document, data.unpacked + "/Korvane_REG_DATA.xml") != CRX_OK)
            return state.SkipWithError("parse failed");
    }
    Finish(state, cpu, PeakMegabytes());
}

QList<int> ListFromEnvironment(const char* name, const QString& fallback)
{
    QList<int> values;
    for (const QString& value : qEnvironmentVariable(name, fallback).split(',', Qt::SkipEmptyParts))
        values << (value.trimmed() == "all" ? 0 : value.trimmed().toInt());
    return values;
}

// Per item count and core count: the library's run, then its floors, so
// that interleaved repetitions compare like with like.
const bool kRegistered = [] {
    const QList<int> items = ListFromEnvironment("QUORVIN_BENCH_ITEMS", "10000,100000");
    const QList<int> cores = ListFromEnvironment("QUORVIN_BENCH_CORES", "1,2,all");
    auto add = [](const char* name, auto function, std::vector<int64_t> args) {
        std::vector<std::string> names{"items", "cores", "floor"};
        names.resize(args.size());
        benchmark::RegisterBenchmark(name, function)
            ->Args(args)
            ->ArgNames(names)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->UseRealTime();
    };
    for (int count : items)
        for (int core : cores) {
            add("Open", BM_Open, {count, core});
            add("OpenFloor", BM_OpenFloor, {count, core, kBzip2});
            add("OpenFloor", BM_OpenFloor, {count, core, kLbzip2});
            add("Save", BM_Save, {count, core});
            add("SaveFloor", BM_SaveFloor, {count, core, kBzip2});
            add("SaveFloor", BM_SaveFloor, {count, core, kLbzip2});
            add("Unpack", BM_Unpack, {count, core});
            add("Pack", BM_Pack, {count, core});
            add("Parse", BM_Parse, {count, core});
        }
    return true;
}();

} // namespace
