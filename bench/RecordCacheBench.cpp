// Reading a 70-column item table of 100,000 rows into a mode's record cache,
// against a bare sqlite3_step loop over the same rows (the floor). Argument 0
// is a table whose values recur in nearby rows; argument 1 one where no value
// recurs, the worst case for sharing repeated values within a read.
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

#include "ProcessMemory.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

namespace {

constexpr int kColumns = 70;
constexpr int kRows = 100000;

struct ItemTable
{
    explicit ItemTable(bool distinct)
    {
        path = dir.path() + "/SETTING.DB";
        CSQliteDB db;
        db.OpenDB(path);
        CSQliteSQL sql(db, "CIA001");
        QStringList columns{"PLUCODE VARCHAR(13) PRIMARY KEY"};
        for (int c = 1; c < kColumns; ++c)
            columns << QStringLiteral("C%1 VARCHAR(20)").arg(c);
        sql.ExecSQL("CREATE TABLE CIA001 (" + columns.join(", ") + ")");
        QStringList names;
        for (int c = 1; c < kColumns; ++c)
            names << QStringLiteral("C%1").arg(c);
        sql.SetSQLForWrite({"PLUCODE"}, names, {});
        sql.StartTransaction();
        for (int r = 0; r < kRows; ++r) {
            QStringList values;
            for (int c = 1; c < kColumns; ++c) {
                const int n = distinct ? r * kColumns + c : r * 7 + c;
                values << QStringLiteral("v%1").arg(n); // 2 to 8 characters
                textBytes += values.last().size();
            }
            const QString key = QStringLiteral("%1").arg(r + 1, 13, 10, QLatin1Char('0'));
            textBytes += key.size();
            sql.ExecWrite({key}, values, {}, SQLWRITE_INSERT);
        }
        sql.ExecCommit();
        db.CloseDB();
    }
    QTemporaryDir dir;
    QString path;
    qint64 textBytes = 0; // characters of every value, one byte each in UTF-8
};

ItemTable& table(int kind)
{
    static ItemTable recurring(false);
    static ItemTable distinct(true);
    return kind == 0 ? recurring : distinct;
}

void BM_BareStepFloor(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open(table(int(state.range(0))).path.toUtf8().constData(), &db);
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM CIA001 ORDER BY PLUCODE", -1, &stmt, nullptr);
        size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < kColumns; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                bytes += size_t(sqlite3_column_bytes(stmt, c));
            }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_BareStepFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadRecordsIntoCache(benchmark::State& state)
{
    std::vector<CColumnData*> columns{new CColumnData("PLUCODE", "", 0, 0)};
    for (int c = 1; c < kColumns; ++c)
        columns.push_back(new CColumnData(QStringLiteral("C%1").arg(c), "", 0, 0));
    columns.push_back(nullptr);
    CColumnDataList list("CIA001", columns.data());
    CStringArrayPtrArray cache;
    const ItemTable& items = table(int(state.range(0)));
    CSQliteDB db;
    db.OpenDB(items.path);
    list.SetSQliteDB(&db, &cache);
    int err = 0;
    // Memory of one read into an empty cache: what the heap holds after it
    // (of which SQLite's page cache, which the read's PRAGMA lets keep the
    // whole file) and the resident peak while reading (exact in a process
    // that runs this benchmark alone, see --benchmark_filter).
    const long heapBefore = HeapKiB();
    const long residentBefore = ResidentKiB();
    ResetPeakResident();
    list.ReadRecords(err, QString());
    const long peak = PeakResidentKiB() - residentBefore;
    const long memoryKiB = HeapKiB() - heapBefore;
    int pageCache = 0, highWater = 0;
    sqlite3_db_status(db.Handle(), SQLITE_DBSTATUS_CACHE_USED, &pageCache, &highWater, 0);
    // Each timed re-read puts the records back into the rows of the read
    // before it; the heap must not grow from one re-read to the next.
    for (auto _ : state) {
        cache.RemoveAll();
        list.ReadRecords(err, QString());
    }
    state.counters["heapGrowthKiB"] = double(HeapKiB() - heapBefore - memoryKiB);
    state.counters["rows"] = double(cache.GetSize());
    state.counters["cacheKiB"] = double(memoryKiB);
    state.counters["pageCacheKiB"] = double(pageCache / 1024);
    state.counters["peakKiB"] = double(peak);
    state.counters["textKiB"] = double(items.textBytes / 1024);
    list.FreeRecords();
}
BENCHMARK(BM_ReadRecordsIntoCache)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

namespace {

// The database layer's own read of the same rows, without the cache.
void BM_StrovenReadOnly(benchmark::State& state)
{
    CSQliteDB db;
    db.OpenDB(table(0).path);
    for (auto _ : state) {
        CSQliteSQL sql(db, "CIA001");
        sql.SetSQLForRead({}, QString(), "PLUCODE", 0);
        int status = 0;
        benchmark::DoNotOptimize(sql.ExecReadNext(status));
    }
}
BENCHMARK(BM_StrovenReadOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
