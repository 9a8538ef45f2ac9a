// A difference save of the item table against its floor in the same run:
// - diff save: the launcher's partial write with the item table in the
//   difference list (shadow tables, diff base read into them, difference
//   filled, partial archive written, shadow tables dropped), with 1,000
//   items changed, 100 removed and 100 added since the diff base;
// - floor: the diff base opened into an empty folder (CrxImportHeader,
//   CrxImportInitSettingDB, CrxImportContents) plus a partial export whose
//   add list names one item table of 1,200 rows.
// Item counts: DIFFSAVE_BENCH_ITEMS (comma-separated, default "10000").
// The counter peak_MB is the peak resident size during the benchmark's own
// runs (the data set is made before).

#include "archive/tests/CrxTableFill.h"
#include "bench/support/OpenArchive.h"
#include "bench/support/ProcessMemory.h"
#include "launcher/CCrxReadWriteJob.h"
#include "archive/QuorvinExport.h"
#include "archive/QuorvinImport.h"
#include "stroven/Stroven.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

const QString kResource = QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE");
const QString kModel = QStringLiteral("Lumo500");
constexpr int kChanged = 1000;
constexpr int kRemoved = 100;
constexpr int kAdded = 100;
constexpr int kFloorRows = 1200;

CrxFileInfo Header()
{
    CrxFileInfo header;
    header.machineType = QStringLiteral("LUMO500");
    header.crxVersion = QStringLiteral("1.00");
    header.system = QStringLiteral("STD");
    return header;
}

bool Exec(const QString& db, const QString& statement)
{
    CSQliteDB connection;
    if (connection.OpenDB(db) != 0)
        return false;
    bool ok = false;
    {
        CSQliteSQL sql(connection, QString());
        ok = sql.ExecSQL(statement) == 0;
    }
    connection.CloseDB();
    return ok;
}

// A folder with the blank model database, the schema text and items 1..count.
bool MakeBase(const QString& folder, int count)
{
    QDir().mkpath(folder);
    if (!QFile::copy(kResource + "/" + kModel + "/SETTING.DB", folder + "/SETTING.DB") ||
        !QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt"),
                     folder + "/Schema.txt"))
        return false;
    CSQliteDB db;
    if (db.OpenDB(folder + "/SETTING.DB") != 0)
        return false;
    const bool filled = crxtest::FillTable(db, "CIA001", count) == 0;
    db.CloseDB();
    return filled;
}

CrxResult ExportPartial(const QString& folder, const QString& archive, const QStringList& add)
{
    const CrxFileInfo header = Header();
    const QStringList none;
    return CrxExport(folder, archive, nullptr, 2, QString(), &add, &none, &none, header.machineType,
                     header.crxVersion, header.regVersion, header.system, header.package, 0, 0, 1,
                     1, 1, 1, 1, 0);
}

// Per item count: the work folder with its diff base, the floor's folder
// with 1,200 items to write.
struct DataSet
{
    QTemporaryDir dir;
    QString work;
    QString diffBase;
    QString floorWrite;
    QString error;

    explicit DataSet(int items)
    {
        work = dir.path() + "/work";
        diffBase = work + "/DIFFBASEFILE.CRX";
        floorWrite = dir.path() + "/floorwrite";
        const QString base = dir.path() + "/base";
        // The work database has the added items from the start; the base
        // loses them before its archive is made.
        if (!MakeBase(base, items + kAdded) || !MakeBase(floorWrite, kFloorRows) ||
            !QDir().mkpath(work) || !QFile::copy(base + "/SETTING.DB", work + "/SETTING.DB") ||
            !QFile::copy(base + "/Schema.txt", work + "/Schema.txt")) {
            error = "data set";
            return;
        }
        if (!Exec(base + "/SETTING.DB", QString("DELETE FROM CIA001 WHERE rowid > %1").arg(items)))
            error = "base";
        const QString tmp = dir.path() + "/base.crx";
        const CrxFileInfo header = Header();
        if (error.isEmpty() &&
            (CrxExport(base, tmp, nullptr, 1, QString(), nullptr, nullptr, nullptr,
                       header.machineType, header.crxVersion, header.regVersion, header.system,
                       header.package, 0, 0, 1, 1, 1, 1, 1, 0) != CRX_OK ||
             !QFile::rename(tmp, diffBase)))
            error = "diff base";
        const QString db = work + "/SETTING.DB";
        if (error.isEmpty() &&
            (!Exec(db, QString("UPDATE CIA001 SET UNITPRICE = UNITPRICE + 1 WHERE rowid % %1 = 0")
                           .arg(items / kChanged)) ||
             !Exec(db, QString("DELETE FROM CIA001 WHERE rowid % %1 = 1 AND rowid <= %2")
                           .arg(items / kRemoved)
                           .arg(items))))
            error = "edits";
        if (error.isEmpty())
            CheckDifference();
    }

    CrxResult DiffSave(const QString& target)
    {
        tovanel::CCrxReadWriteJob job;
        job.Set(tovanel::CCrxReadWriteJob::Mode::WritePartial, target, work);
        job.m_strResourceFolder = kResource;
        job.m_header = Header();
        job.m_partial.diffList = QStringList{"CIA001"};
        return job.Run();
    }

    // The save must write exactly the edits: 1,100 rows and 100 keys.
    void CheckDifference()
    {
        const QString target = dir.path() + "/check.crx";
        if (DiffSave(target) != CRX_OK) {
            error = "diff save";
            return;
        }
        QProcess tar;
        tar.start("tar", {"-xjOf", target, "Korvane_REG_DATA.xml"});
        tar.waitForFinished(-1);
        const QByteArray xml = tar.readAllStandardOutput();
        if (xml.count("<datarec>") != kChanged + kAdded || xml.count("<baserec>") != kRemoved)
            error = QString("difference of %1 rows and %2 keys")
                        .arg(xml.count("<datarec>"))
                        .arg(xml.count("<baserec>"));
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

void BM_DiffSave(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.error.isEmpty())
        return state.SkipWithError(data.error.toStdString().c_str());
    const QString target = data.dir.path() + "/diff.crx";
    ResetPeakResident();
    for (auto _ : state) {
        if (const CrxResult rc = data.DiffSave(target))
            return state.SkipWithError(
                QString("diff save %1").arg(rc, 0, 16).toStdString().c_str());
    }
    state.counters["peak_MB"] = double(PeakResidentKiB()) / 1024.0;
}

void BM_DiffSaveFloor(benchmark::State& state)
{
    DataSet& data = Data(int(state.range(0)));
    if (!data.error.isEmpty())
        return state.SkipWithError(data.error.toStdString().c_str());
    const QString folder = data.dir.path() + "/floor";
    const QString target = data.dir.path() + "/floor.crx";
    ResetPeakResident();
    for (auto _ : state) {
        CrxResult rc = korvane::bench::OpenArchive(data.diffBase, folder, kResource, kModel);
        if (rc == CRX_OK)
            rc = ExportPartial(data.floorWrite, target, {"CIA001"});
        if (rc != CRX_OK)
            return state.SkipWithError(QString("floor %1").arg(rc, 0, 16).toStdString().c_str());
    }
    state.counters["peak_MB"] = double(PeakResidentKiB()) / 1024.0;
}

void ItemCounts(benchmark::internal::Benchmark* bench)
{
    const QByteArray env = qgetenv("DIFFSAVE_BENCH_ITEMS");
    const QList<QByteArray> counts = (env.isEmpty() ? QByteArray("10000") : env).split(',');
    for (const QByteArray& count : counts)
        bench->Arg(count.trimmed().toInt());
}

} // namespace

BENCHMARK(BM_DiffSave)->Apply(ItemCounts)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DiffSaveFloor)->Apply(ItemCounts)->Unit(benchmark::kMillisecond)->UseRealTime();
