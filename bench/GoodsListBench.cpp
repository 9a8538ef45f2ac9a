// The standard item list on 100,000 items: opening it (the record cache,
// the column facts and the list model), fetching every listed cell's text,
// and sorting by name and by price. The floor is the column list's own
// ReadRecords of the same table in the same run.
#include "goods/CGoodsColumnLists.h"
#include "goods/CRecordListModel.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "TimedOnFresh.h"

#include <algorithm>
#include <memory>

namespace {

// GOODS_BENCH_ROWS sets another size, within 1 to 1,000,000 rows so the
// data set stays a few hundred megabytes at most.
const int kRows = std::clamp(qEnvironmentVariableIsSet("GOODS_BENCH_ROWS")
                                 ? qEnvironmentVariableIntValue("GOODS_BENCH_ROWS")
                                 : 100000,
                             1, 1000000);

// The data set's folders are named with this; a run that was killed leaves
// its folder, which the next run removes once its lock has no live owner.
const QString kFolderPattern = QStringLiteral("GoodsListBench-");

// The template of a new folder, once the folders of ended runs are gone.
QString NewFolderTemplate()
{
    const QDir temp(QDir::tempPath());
    for (const QString& name : temp.entryList({kFolderPattern + u'*'}, QDir::Dirs)) {
        QLockFile lock(temp.filePath(name) + QStringLiteral("/run.lock"));
        if (lock.tryLock(0)) {
            lock.unlock();
            QDir(temp.filePath(name)).removeRecursively();
        }
    }
    return temp.filePath(kFolderPattern + QStringLiteral("XXXXXX"));
}

struct ItemTable
{
    ItemTable()
    {
        lock.lock();
        path = dir.path() + "/SETTING.DB";
        CSQliteDB db;
        db.OpenDB(path);
        QFile schema(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
        schema.open(QIODevice::ReadOnly);
        const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
        CSQliteSQL sql(db, "CIA001");
        for (const char* table : {"CIA001", "CIA002", "CSA001", "CIB001", "CSM001"}) {
            const QRegularExpression create(QStringLiteral("CREATE TABLE %1 \\(").arg(table));
            for (const QString& statement : statements)
                if (statement.contains(create))
                    sql.ExecSQL(statement.mid(statement.indexOf(create)));
        }
        sql.StartTransaction();
        for (int d = 1; d <= 20; ++d)
            sql.ExecSQL(QStringLiteral("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES "
                                       "('%1', 'Department %2')")
                            .arg(d, 6, 10, QLatin1Char('0'))
                            .arg(d));
        sql.ExecSQL("INSERT INTO CSM001 (TAXCODE, TAXAMTNAME) VALUES ('01', 'Tax 1'), "
                    "('02', 'Tax 2')");
        sql.SetSQLForWrite({"ITEMCODE"},
                           {"SCANCODE1", "ITEMNAME", "ITEMDEPTCODE", "UNITPRICE", "TAXCODE_1",
                            "UNITQTY", "UNUSABLEFLG", "CREATEDATETIME", "UPDATEDATETIME"},
                           {});
        for (int r = 0; r < kRows; ++r) {
            const QString code = QStringLiteral("%1").arg(r + 1, 16, 10, QLatin1Char('0'));
            sql.ExecWrite({code},
                          {QStringLiteral("49%1").arg(r, 11, 10, QLatin1Char('0')),
                           QStringLiteral("Item %1").arg((r * 7919) % kRows),
                           QStringLiteral("%1").arg(r % 20 + 1, 6, 10, QLatin1Char('0')),
                           QString::number((r * 104729) % 100000), QStringLiteral("01"),
                           QStringLiteral("1.5"), QStringLiteral("0"),
                           QStringLiteral("20260101000000"), QStringLiteral("20260101000000")},
                          {}, SQLWRITE_INSERT);
        }
        sql.ExecCommit();
        db.CloseDB();
    }
    QTemporaryDir dir{NewFolderTemplate()};
    QLockFile lock{dir.path() + QStringLiteral("/run.lock")};
    QString path;
};

ItemTable& table()
{
    static ItemTable items;
    return items;
}

// One open list window's data: the item list on its own connection.
struct OpenList
{
    OpenList()
    {
        db.OpenDB(table().path);
        list = lists.Get(brelkin::GoodsList::Plu);
        list->SetSQliteDB(&db, &cache);
    }
    ~OpenList()
    {
        model.reset();
        list->FreeRecords();
        db.CloseDB();
    }
    void Open()
    {
        int err = 0;
        list->ReadTableInfo(err);
        list->ReadRecords(err, QString());
        model = std::make_unique<brelkin::CRecordListModel>(list, &cache);
        model->BuildColumns();
    }
    CSQliteDB db;
    brelkin::CGoodsColumnLists lists;
    CColumnDataList* list = nullptr;
    CStringArrayPtrArray cache;
    std::unique_ptr<brelkin::CRecordListModel> model;
};

void BM_ReadRecordsFloor(benchmark::State& state)
{
    table();
    for (auto _ : state) {
        state.PauseTiming();
        auto open = std::make_unique<OpenList>();
        int err = 0;
        open->list->ReadTableInfo(err);
        state.ResumeTiming();
        open->list->ReadRecords(err, QString());
        state.PauseTiming();
        open.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadRecordsFloor)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenList(benchmark::State& state)
{
    table();
    TimedOnFresh<OpenList>(state, [](OpenList& open) {
        open.Open();
        benchmark::DoNotOptimize(open.model->rowCount());
    });
}
BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FetchEveryCell(benchmark::State& state)
{
    OpenList open;
    open.Open();
    const int rows = open.model->rowCount();
    const int columns = open.model->columnCount();
    for (auto _ : state) {
        qint64 characters = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                characters += open.model->index(r, c).data().toString().size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["cells"] = double(rows) * columns;
}
BENCHMARK(BM_FetchEveryCell)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Sort(benchmark::State& state, const char* column)
{
    OpenList open;
    open.Open();
    int index = 0;
    while (open.list->m_ppColumnData[index]->m_strColumnName != QLatin1String(column))
        ++index;
    bool ascending = true;
    for (auto _ : state) {
        open.model->SortRecords(index, ascending);
        ascending = !ascending;
    }
}
BENCHMARK_CAPTURE(BM_Sort, ByName, "ITEMNAME")->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Sort, ByPrice, "UNITPRICE")->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
