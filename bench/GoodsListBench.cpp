// The standard item list on 100,000 items: opening it (the record cache,
// the column facts and the list model), fetching every listed cell's text,
// and sorting by name and by price. The floor is the column list's own
// ReadRecords of the same table in the same run.
#include "goods/CGoodsColumnLists.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/CRecordListModel.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "GoodsItemTable.h"
#include "TimedOnFresh.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using goodsbench::table;

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
        model = std::make_unique<CRecordListModel>(list, &cache);
        model->SetUnlistedLabelKeys(&brelkin::IsUnlistedLabelKey);
        model->BuildColumns();
    }
    CSQliteDB db;
    brelkin::CGoodsColumnLists lists;
    CColumnDataList* list = nullptr;
    CStringArrayPtrArray cache;
    std::unique_ptr<CRecordListModel> model;
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
