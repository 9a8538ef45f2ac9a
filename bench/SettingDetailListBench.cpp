// The setting detail list on 10,000 "CSB001" settings with 1,000
// definitions and 5,000 value names: opening it (rows, descriptions, model)
// and asking every Value cell once, then sorting by title both ways. The
// floor is the detail column list's own ReadRecords of the same table in the
// same run.
#include "bases/CBsMainListCtrl.h"
#include "bases/CDunmarelModeTable.h"
#include "bases/CSettingDetailList.h"
#include "bases/CSettingDetailModel.h"
#include "bases/DetailRows.h"

#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"

#include "stroven/Stroven.h"
#include "BenchSuiteFolder.h"
#include "BenchTables.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kSettings = 10000;
constexpr int kDefinitions = 1000;
constexpr int kNamesPerCoded = 10; // 500 coded definitions: 5,000 names

struct SettingTables
{
    SettingTables()
    {
        // The list's font comes from the suite's settings beside the program.
        benchsuite::UseSuiteFolder(dir.path());
        path = dir.path() + QStringLiteral("/SETTING.DB");
        CSQliteDB db;
        db.OpenDB(path);
        CSQliteSQL sql(db, QStringLiteral("CSB001"));
        benchtables::CreateSchemaTables(sql, {"CSB001", "CSM016", "CSM017"});
        sql.StartTransaction();
        for (int s = 0; s < kSettings; ++s)
            sql.ExecSQL(QStringLiteral("INSERT INTO CSB001 VALUES ('SET.%1', 'Title %2', '%3', "
                                       "'0', '', '%4', '20260101000000', '20260101000000')")
                            .arg(s, 5, 10, QLatin1Char('0'))
                            .arg((s * 7919) % kSettings)
                            .arg(s % kNamesPerCoded)
                            .arg(s % 97 == 0 ? QStringLiteral("view=gone") : QString()));
        // Every tenth setting has a definition; every other one is coded.
        for (int d = 0; d < kDefinitions; ++d)
            sql.ExecSQL(QStringLiteral("INSERT INTO CSM017 (TABLENAME, SETCODEID, SETCODE, "
                                       "SETVALUETYPE) VALUES ('CSB001', '%1', 'set.%2', '%3')")
                            .arg(d, 6, 10, QLatin1Char('0'))
                            .arg(d * 10, 5, 10, QLatin1Char('0'))
                            .arg(d % 2 == 0 ? QStringLiteral("10010000000000000000")
                                            : QStringLiteral("01100000000000000000")));
        for (int d = 0; d < kDefinitions; d += 2)
            for (int n = 0; n < kNamesPerCoded; ++n)
                sql.ExecSQL(QStringLiteral("INSERT INTO CSM016 (TABLENAME, SETCODEID, LISTNUMBER, "
                                           "SETNAME, SETVALUE) VALUES ('CSB001', '%1', '%2', "
                                           "'Name %3', '%3')")
                                .arg(d, 6, 10, QLatin1Char('0'))
                                .arg(n + 1, 3, 10, QLatin1Char('0'))
                                .arg(n));
        sql.ExecCommit();
        db.CloseDB();
        CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml");
        CProgramLang::Initialize(QStringLiteral("Dunmarel"), KORVANE_SUITE_DIR "/NolvarLANG.xml");
    }
    QTemporaryDir dir;
    QString path;
};

SettingTables& tables()
{
    static SettingTables settings;
    return settings;
}

// One open detail page: the restaurant form's manager on its own
// connection, and a page with the list control.
struct OpenDetail
{
    OpenDetail()
    {
        db.OpenDB(tables().path);
        detail = modes.DetailRestaurant();
        auto* layout = new QVBoxLayout(&page);
        auto* control = new dunmarel::CBsMainListCtrl(&page);
        SetControlId(control, dunmarel::CSettingDetailList::kListId);
        layout->addWidget(control);
        page.resize(600, 400);
    }
    ~OpenDetail()
    {
        list.reset();
        detail->GetColumnDataList()->FreeRecords();
        db.CloseDB();
    }
    // Rows, descriptions and model, as the page's initialisation runs them.
    void Open()
    {
        dunmarel::LoadDetailRowsRestaurant(*detail, db);
        list = std::make_unique<dunmarel::CSettingDetailList>(&page);
        list->LoadValueNames(*detail);
        list->LoadDefinitions(*detail);
        list->Fill(*detail);
    }
    CSQliteDB db;
    dunmarel::CDunmarelModeTable modes;
    CDataManager* detail = nullptr;
    QWidget page;
    std::unique_ptr<dunmarel::CSettingDetailList> list;
};

void BM_ReadRecordsFloor(benchmark::State& state)
{
    tables();
    for (auto _ : state) {
        state.PauseTiming();
        auto open = std::make_unique<OpenDetail>();
        CColumnDataList* list = open->detail->GetColumnDataList();
        list->SetSQliteDB(&open->db, &open->detail->m_arrRecords);
        int err = 0;
        list->ReadTableInfo(err);
        state.ResumeTiming();
        list->ReadRecords(err, QStringLiteral("OPSETCODE"));
        benchmark::DoNotOptimize(open->detail->m_arrRecords.GetSize());
        state.PauseTiming();
        open.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadRecordsFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenAndEveryValueCell(benchmark::State& state)
{
    tables();
    qsizetype named = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto open = std::make_unique<OpenDetail>();
        state.ResumeTiming();
        open->Open();
        dunmarel::CSettingDetailModel* model = open->list->Model();
        named = 0;
        for (int r = 0; r < model->rowCount(); ++r)
            named += model->data(model->index(r, 1)).toString().startsWith(u'N');
        state.PauseTiming();
        open.reset();
        state.ResumeTiming();
    }
    state.counters["named_cells"] = double(named);
}
BENCHMARK(BM_OpenAndEveryValueCell)->Unit(benchmark::kMillisecond)->UseRealTime();

// arg 0: the first click (ascending); 1: the second (descending).
void BM_SortByTitle(benchmark::State& state)
{
    tables();
    for (auto _ : state) {
        state.PauseTiming();
        auto open = std::make_unique<OpenDetail>();
        open->Open();
        if (state.range(0) == 1)
            open->list->SortByColumn(0);
        state.ResumeTiming();
        open->list->SortByColumn(0);
        state.PauseTiming();
        open.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortByTitle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
