// Reading a 70-column item table of 100,000 rows into a mode's record cache,
// against a bare sqlite3_step loop over the same rows (the floor).
#include "CColumnData.h"
#include "CColumnDataList.h"
#include "CStringArrayPtrArray.h"

#include <Stroven.h>

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
    ItemTable()
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
                values << QStringLiteral("v%1").arg(r * 7 + c); // 2 to 8 characters
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

ItemTable& table()
{
    static ItemTable t;
    return t;
}

long residentKiB()
{
    QFile f("/proc/self/statm");
    f.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toLong() * 4;
}

void BM_BareStepFloor(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open(table().path.toUtf8().constData(), &db);
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
BENCHMARK(BM_BareStepFloor)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadRecordsIntoCache(benchmark::State& state)
{
    std::vector<CColumnData*> columns{new CColumnData("PLUCODE", "", 0, 0)};
    for (int c = 1; c < kColumns; ++c)
        columns.push_back(new CColumnData(QStringLiteral("C%1").arg(c), "", 0, 0));
    columns.push_back(nullptr);
    CColumnDataList list("CIA001", columns.data());
    CStringArrayPtrArray cache;
    CSQliteDB db;
    db.OpenDB(table().path);
    list.SetSQliteDB(&db, &cache);
    int err = 0;
    // Memory of one read into an empty cache.
    const long before = residentKiB();
    list.ReadRecords(err, QString());
    const long memoryKiB = residentKiB() - before;
    // Each timed re-read also frees the rows of the read before it.
    for (auto _ : state) {
        cache.RemoveAll();
        list.ReadRecords(err, QString());
    }
    state.counters["rows"] = double(cache.GetSize());
    state.counters["cacheKiB"] = double(memoryKiB);
    state.counters["textKiB"] = double(table().textBytes / 1024);
    list.FreeRecords();
}
BENCHMARK(BM_ReadRecordsIntoCache)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

namespace {

// The database layer's own read of the same rows, without the cache.
void BM_StrovenReadOnly(benchmark::State& state)
{
    CSQliteDB db;
    db.OpenDB(table().path);
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
