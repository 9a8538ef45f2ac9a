// The hourly report's targets window on 100,000 items, 1,000 departments and
// 300 targets: opening its model (the targets on their own connection, both
// record caches, the marks and the columns) and sorting it by name. The
// floor is the two column lists' own ReadRecords of the same tables in the
// same run.
#include "goods/CGoodsColumnLists.h"
#include "goods/CHourlyData.h"
#include "goods/CHourlyListModel.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "TimedOnFresh.h"

#include <memory>

namespace {

constexpr int kItems = 100000;
constexpr int kDepartments = 1000;
constexpr int kTargets = 300;

QString Code(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

struct HourlyTables
{
    HourlyTables()
    {
        path = dir.path() + "/SETTING.DB";
        CSQliteDB db;
        db.OpenDB(path);
        QFile schema(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
        schema.open(QIODevice::ReadOnly);
        const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
        CSQliteSQL sql(db, "CIA001");
        for (const char* table : {"CIA001", "CIA002", "CSB014"}) {
            const QRegularExpression create(QStringLiteral("CREATE TABLE %1 \\(").arg(table));
            for (const QString& statement : statements)
                if (statement.contains(create))
                    sql.ExecSQL(statement.mid(statement.indexOf(create)));
        }
        sql.StartTransaction();
        {
            CSQliteSQL items(db, "CIA001");
            items.SetSQLForWrite({"ITEMCODE"}, {"ITEMNAME", "ITEMDEPTCODE", "UNITPRICE"}, {});
            for (int r = 1; r <= kItems; ++r)
                items.ExecWrite({Code(r, 16)},
                                {QStringLiteral("Item %1").arg((r * 7919) % kItems),
                                 Code(r % kDepartments + 1, 6), QString::number(r % 1000)},
                                {}, SQLWRITE_INSERT);
            CSQliteSQL depts(db, "CIA002");
            depts.SetSQLForWrite({"ITEMDEPTCODE"}, {"ITEMDEPTNAME"}, {});
            for (int d = 1; d <= kDepartments; ++d)
                depts.ExecWrite({Code(d, 6)},
                                {QStringLiteral("Department %1").arg((d * 37) % 1000)}, {},
                                SQLWRITE_INSERT);
            CSQliteSQL targets(db, "CSB014");
            targets.SetSQLForWrite({"RECNUMBER"}, {"TARGETCODETYPE", "TARGETCODE"}, {});
            for (int t = 1; t <= kTargets; ++t)
                targets.ExecWrite({Code(t, 3)},
                                  {t % 2 ? QStringLiteral("14") : QStringLiteral("15"),
                                   t % 2 ? Code(t * 300, 16) : Code(t, 6)},
                                  {}, SQLWRITE_INSERT);
        }
        sql.ExecCommit();
        db.CloseDB();
    }
    QTemporaryDir dir;
    QString path;
};

HourlyTables& tables()
{
    static HourlyTables data;
    return data;
}

// The two lists of the window on their own connections.
struct OpenHourly
{
    OpenHourly()
    {
        deptDb.OpenDB(tables().path);
        itemDb.OpenDB(tables().path);
        depts = lists.Get(brelkin::GoodsList::HourlyDept);
        items = lists.Get(brelkin::GoodsList::HourlyPlu);
        depts->SetSQliteDB(&deptDb, &deptCache);
        items->SetSQliteDB(&itemDb, &itemCache);
        int err = 0;
        depts->ReadTableInfo(err);
        items->ReadTableInfo(err);
    }
    ~OpenHourly()
    {
        model.reset();
        targets.reset();
        depts->FreeRecords();
        items->FreeRecords();
        deptDb.CloseDB();
        itemDb.CloseDB();
    }
    void ReadBoth()
    {
        int err = 0;
        depts->ReadRecords(err, QString());
        items->ReadRecords(err, QString());
    }
    void OpenModel()
    {
        // The window keeps its targets' connection until it closes.
        targets = std::make_unique<brelkin::CHourlyData>(tables().path);
        int status = 0;
        targets->ReadTargets(status);
        ReadBoth();
        model = std::make_unique<brelkin::CHourlyListModel>(depts, &deptCache, items, &itemCache);
        model->MarkRecords(*targets);
        model->BuildColumns();
    }
    CSQliteDB deptDb;
    CSQliteDB itemDb;
    brelkin::CGoodsColumnLists lists;
    CColumnDataList* depts = nullptr;
    CColumnDataList* items = nullptr;
    CStringArrayPtrArray deptCache;
    CStringArrayPtrArray itemCache;
    std::unique_ptr<brelkin::CHourlyData> targets;
    std::unique_ptr<brelkin::CHourlyListModel> model;
};

void BM_ReadBothListsFloor(benchmark::State& state)
{
    tables();
    TimedOnFresh<OpenHourly>(state, [](OpenHourly& open) { open.ReadBoth(); });
}
BENCHMARK(BM_ReadBothListsFloor)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenModel(benchmark::State& state)
{
    tables();
    TimedOnFresh<OpenHourly>(state, [&state](OpenHourly& open) {
        open.OpenModel();
        if (open.model->MarkedCount() != kTargets)
            state.SkipWithError("the targets were not marked");
    });
}
BENCHMARK(BM_OpenModel)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenModelSortedByName(benchmark::State& state)
{
    tables();
    TimedOnFresh<OpenHourly>(state, [](OpenHourly& open) {
        open.OpenModel();
        open.model->ClickColumn(2); // the name
    });
}
BENCHMARK(BM_OpenModelSortedByName)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

namespace {

// The sort alone, on an open model: each group by name, then reversed.
void BM_SortByName(benchmark::State& state)
{
    tables();
    OpenHourly open;
    open.OpenModel();
    for (auto _ : state)
        open.model->ClickColumn(2);
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond)->Iterations(6);

} // namespace
