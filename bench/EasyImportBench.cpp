// The row import of the easy item list: a list file of item rows (code,
// name, price, tax, department) read and written into an empty item table
// and again as updates of every row, each value checked as the record page
// takes it; and a shop's own export re-imported, whose "Scan Code" column
// checks every row's scan code against every other item. The floor is the
// table text file import of the same rows in the same run.
#include "goods/CGoodsModeTable.h"
#include "goods/CListRowImport.h"
#include "goods/CResDispDlg.h"
#include "goods/CTextImpExp.h"

#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/textfiles/CErrDataInfo.h"
#include "shared/textfiles/CTextFileImporter.h"

#include "stroven/Stroven.h"
#include "BenchTables.h"
#include "ProcessMemory.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>

using brelkin::CTextImpExp;

namespace {

constexpr int kPluEasy = 16;
constexpr int kDepartments = 20;

QString Code(int n)
{
    return QStringLiteral("%1").arg(n, 16, 10, QLatin1Char('0'));
}

// A work database with the tables the item page reads, and the language
// texts whose labels head the list file.
struct Setup
{
    Setup()
    {
        CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml");
        CProgramLang::Initialize(QStringLiteral("Brelkin"), KORVANE_SUITE_DIR "/NolvarLANG.xml");
        path = dir.path() + QStringLiteral("/SETTING.DB");
        CSQliteDB db;
        db.OpenDB(path);
        CSQliteSQL sql(db, QStringLiteral("CIA001"));
        benchtables::CreateSchemaTables(sql);
        sql.StartTransaction();
        benchtables::InsertDepartments(sql, kDepartments);
        sql.ExecSQL(QStringLiteral("INSERT INTO CSM001 (TAXCODE, TAXAMTNAME) VALUES "
                                   "('00', 'No tax'), ('01', 'Tax 1'), ('02', 'Tax 2')"));
        sql.ExecCommit();
        db.CloseDB();
    }
    QTemporaryDir dir;
    QString path;
};

Setup& setup()
{
    static Setup s;
    return s;
}

void Exec(const QString& statement)
{
    CSQliteDB db;
    db.OpenDB(setup().path);
    CSQliteSQL(db, QStringLiteral("CIA001")).ExecSQL(statement);
    db.CloseDB();
}

// The rows, version v: as a list file and as a table text file. With scan
// codes, each item keeps its own in every version, as an export gives it.
void MakeRows(int rows, int version, bool scanCodes, const QString& listFile,
              const QString& textFile)
{
    CTextImpExp data;
    for (const char* key : {"CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_PLUNAME", "CRDS_PR_CLMN_PRICE",
                            "CRDS_PR_CLMN_TAX1", "CRDS_PR_CLMN_SECTIONNAME"})
        data.m_arrHeader << GetLangString(QLatin1String(key));
    if (scanCodes)
        data.m_arrHeader << GetLangString(QStringLiteral("CRDS_PR_CLMN_SCANCODE"));
    QFile file(textFile);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray text = "ITEMCODE\tITEMNAME\tUNITPRICE\tTAXCODE_1\tITEMDEPTCODE";
    text += scanCodes ? "\tSCANCODE1\n" : "\n";
    for (int r = 0; r < rows; ++r) {
        const int tax = (r + version) % 2 + 1;
        const int dept = (r + version) % kDepartments + 1;
        const QString name = QStringLiteral("Item %1 v%2").arg(r).arg(version);
        const QString price = QString::number((r * 7 + version) % 100000);
        QStringList listRow{QString::number(r + 1), name, price, QStringLiteral("Tax %1").arg(tax),
                            QStringLiteral("Department %1").arg(dept)};
        QStringList textRow{Code(r + 1), name, price,
                            QStringLiteral("%1").arg(tax, 2, 10, QLatin1Char('0')),
                            QStringLiteral("%1").arg(dept, 6, 10, QLatin1Char('0'))};
        if (scanCodes) {
            const QString scanCode = QStringLiteral("49%1").arg(r + 1, 11, 10, QLatin1Char('0'));
            listRow << scanCode;
            textRow << scanCode;
        }
        *data.GetRow(r) = listRow;
        text += (textRow.join(u'\t') + u'\n').toUtf8();
    }
    file.write(text);
    data.WriteListFile(listFile);
}

// The easy item list open on its own connection, its records read.
struct OpenList
{
    OpenList()
    {
        manager = modes.Entry(kPluEasy);
        manager->CreateSQLiteDB(setup().dir.path());
        manager->m_pSQliteDB->OpenDB(setup().path);
        int err = 0;
        manager->GetColumnDataList()->ReadTableInfo(err);
        manager->GetColumnDataList()->ReadRecords(err, QString());
    }
    ~OpenList() { manager->CloseSQLiteDB(); }
    brelkin::CGoodsModeTable modes;
    CDataManager* manager = nullptr;
};

void Fill(int rows, bool updates, bool scanCodes, const QString& listFile, const QString& textFile)
{
    Exec(QStringLiteral("DELETE FROM CIA001"));
    MakeRows(rows, 0, scanCodes, listFile, textFile);
    if (updates) {
        CSQliteDB db;
        db.OpenDB(setup().path);
        CTextFileImporter(&db, QStringLiteral("CIA001"), QStringLiteral("ITEMCODE"), textFile, 1)
            .ExecuteImport();
        db.CloseDB();
        MakeRows(rows, 1, scanCodes, listFile, textFile);
    }
}

// The clock runs between start and stop of each run, over fresh rows.
using Clock = std::function<void()>;
using Run = std::function<bool(const QString& listFile, const QString& textFile, const Clock& start,
                               const Clock& stop)>;

void Measure(benchmark::State& state, const Run& run)
{
    const int rows = int(state.range(0));
    const bool updates = state.range(1) != 0;
    const bool scanCodes = state.range(2) != 0;
    const QString listFile = setup().dir.path() + QStringLiteral("/list.txt");
    const QString textFile = setup().dir.path() + QStringLiteral("/rows.txt");
    long peak = 0;
    long before = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(rows, updates, scanCodes, listFile, textFile);
        const auto start = [&] {
            before = std::max(before, ResidentKiB());
            ResetPeakResident();
            state.ResumeTiming();
        };
        const auto stop = [&] {
            state.PauseTiming();
            peak = std::max(peak, PeakResidentKiB());
        };
        if (!run(listFile, textFile, start, stop))
            state.SkipWithError("import failed");
        state.ResumeTiming();
    }
    // The whole process at its peak during the runs: the list's records and
    // what the import itself holds, the rows of the file among them.
    state.counters["peak_MB"] = double(peak) / 1024.0;
    // What the process held when the run began (the list's records).
    state.counters["start_MB"] = double(before) / 1024.0;
    state.counters["rows/s"] =
        benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ListFileImport(benchmark::State& state)
{
    Measure(state,
            [&](const QString& listFile, const QString&, const Clock& start, const Clock& stop) {
                OpenList list;
                brelkin::CResDispDlg log;
                log.CreateModeless(nullptr);
                brelkin::CListRowImport import(list.manager);
                start();
                // As the list window's import command reads its file.
                CTextImpExp data;
                bool ok = data.OpenListFile(listFile);
                ok = ok && import.RunInLog(data, log);
                stop();
                return ok && list.manager->m_arrRecords.GetSize() == state.range(0);
            });
}

void BM_TableTextFileFloor(benchmark::State& state)
{
    Measure(state,
            [](const QString&, const QString& textFile, const Clock& start, const Clock& stop) {
                CSQliteDB db;
                db.OpenDB(setup().path);
                start();
                const bool ok = CTextFileImporter(&db, QStringLiteral("CIA001"),
                                                  QStringLiteral("ITEMCODE"), textFile, 1)
                                    .ExecuteImport();
                stop();
                db.CloseDB();
                return ok;
            });
}

// Arguments: rows, 1 for updates of existing rows, 1 for a "Scan Code"
// column (updates only: the export of the stored items re-imported).
void ImportCases(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({"rows", "updates", "scancodes"});
    for (const int rows : {10000, 100000}) {
        bench->Args({rows, 0, 0});
        bench->Args({rows, 1, 0});
        bench->Args({rows, 1, 1});
    }
}
BENCHMARK(BM_ListFileImport)
    ->Apply(ImportCases)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_TableTextFileFloor)
    ->Apply(ImportCases)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
