// Peak resident memory of the text paths on large inputs: a table text import
// of about 1 GB, an OES clerk file of about 200 MB and a table export of
// 1,000,000 rows. Each runs once; the counters give the file size, the rows
// and the peak resident size while the job ran (peakMiB, measured from a
// reset of the high-water mark, so run one benchmark per process for exact
// figures: --benchmark_filter). KORVANE_BENCH_TEXT_MB and
// KORVANE_BENCH_OES_MB change the input sizes, KORVANE_BENCH_EXPORT_ROWS the
// exported rows.
#include "shared/config/CBasePath.h"
#include "shared/textfiles/COesCSVFileImporter.h"
#include "shared/textfiles/CTextFileExporter.h"
#include "shared/textfiles/CTextFileImporter.h"

#include "stroven/Stroven.h"

#include "ProcessMemory.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// The item names run to 45 characters: the import refuses a longer value than
// its column declares.
const QString kTable =
    QStringLiteral("CREATE TABLE CIA001 (PLUCODE VARCHAR(14) PRIMARY KEY, PLUNAME VARCHAR(64), "
                   "PLUSHORTNAME VARCHAR(20), DEPTCODE VARCHAR(4), UNITPRICE NUMERIC(10), "
                   "CREATEDATETIME VARCHAR(14), UPDATEDATETIME VARCHAR(14))");

qint64 Setting(const char* name, qint64 fallback)
{
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && value > 0 ? value : fallback;
}

// The item line of row i, about 100 bytes.
QByteArray ItemLine(qint64 i)
{
    char line[160];
    const int n = std::snprintf(line, sizeof line,
                                "%014lld\tItem number %lld of the shop, a long name\tItem %lld\t"
                                "%04lld\t%lld\t20240101120000\t20240101120000\n",
                                i, i, i, i % 99 + 1, i % 5000 * 10);
    return QByteArray(line, n);
}

// Writes lines until the file holds bytes; the number of lines written.
template <typename Line>
qint64 WriteFile(const QString& path, const QByteArray& head, qint64 bytes, Line line)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(head);
    QByteArray block;
    qint64 written = head.size();
    qint64 count = 0;
    while (written < bytes) {
        block += line(++count);
        if (block.size() >= (1 << 20) || written + block.size() >= bytes) {
            written += block.size();
            file.write(block);
            block.clear();
        }
    }
    return count;
}

struct Work
{
    // A suite folder of its own (the launcher INI names the product) and
    // private data folders, where the OES import makes its temporary file.
    Work()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + "/data"));
        CBasePath::SetModuleFolder(dir.path());
        QFile ini(dir.path() + "/Tovanel.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("[PRODUCT]\nPRODUCTKEY=BENCH\n");
        ini.close();
        db.OpenDB(dir.path() + "/SETTING.DB");
    }
    ~Work() { CBasePath::SetModuleFolder(QString()); }
    QTemporaryDir dir;
    CSQliteDB db;
};

// Runs the job once per iteration from a reset of the peak resident size;
// job returns its error key, "" on success.
template <typename Job>
void MeasurePeak(benchmark::State& state, const QString& file, qint64 rows, Job job)
{
    long peak = 0;
    for (auto _ : state) {
        ResetPeakResident();
        const QString error = job();
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
        peak = PeakResidentKiB();
    }
    state.counters["fileMiB"] = double(QFile(file).size() >> 20);
    state.counters["rows"] = double(rows);
    state.counters["peakMiB"] = double(peak >> 10);
}

void BM_TableTextImportPeak(benchmark::State& state)
{
    Work work;
    CSQliteSQL(work.db, "CIA001").ExecSQL(kTable);
    const QString path = work.dir.path() + "/CIA001.txt";
    const qint64 rows = WriteFile(path,
                                  "PLUCODE\tPLUNAME\tPLUSHORTNAME\tDEPTCODE\tUNITPRICE\t"
                                  "CREATEDATETIME\tUPDATEDATETIME\n",
                                  Setting("KORVANE_BENCH_TEXT_MB", 1024) << 20, ItemLine);
    MeasurePeak(state, path, rows, [&] {
        CTextFileImporter importer(&work.db, "CIA001", "PLUCODE", path, 0);
        return importer.ExecuteImport() ? QString() : importer.GetErrMsgId();
    });
}
BENCHMARK(BM_TableTextImportPeak)->Unit(benchmark::kSecond)->Iterations(1);

void BM_OesImportPeak(benchmark::State& state)
{
    Work work;
    CSQliteSQL(work.db, "CSB004")
        .ExecSQL("CREATE TABLE CSB004 (CLKCODE VARCHAR(10) NOT NULL PRIMARY KEY, "
                 "CLKNAME VARCHAR(40), PASSWORD VARCHAR(16), CLKGRPCODE VARCHAR(6), "
                 "DRAWERNUMBER VARCHAR(1), CLKINTCODE VARCHAR(6), NBCHKNUMFROM VARCHAR(6), "
                 "NBCHKNUMTO VARCHAR(6), UNUSABLE VARCHAR(1), CREATEDATETIME VARCHAR(14), "
                 "UPDATEDATETIME VARCHAR(14))");
    const QString path = work.dir.path() + "/FILE007P";
    const qint64 rows = WriteFile(path, "\"C00001P0007\",\"20240101\"\r\n\"H2\"\r\nH3\r\n",
                                  Setting("KORVANE_BENCH_OES_MB", 200) << 20, [](qint64 i) {
                                      return QByteArray::number(i) + ",\"Clerk " +
                                             QByteArray::number(i) +
                                             " of the shop, first shift\"\r\n";
                                  });
    MeasurePeak(state, path, rows, [&] {
        COesCSVFileImporter importer(&work.db, "CSB004", "CLKCODE", path, 0);
        return importer.ExecuteImport() ? QString() : importer.GetErrMsgId();
    });
}
BENCHMARK(BM_OesImportPeak)->Unit(benchmark::kSecond)->Iterations(1);

void BM_TableTextExportPeak(benchmark::State& state)
{
    Work work;
    CSQliteSQL sql(work.db, "CIA001");
    sql.ExecSQL(kTable);
    const qint64 rows = Setting("KORVANE_BENCH_EXPORT_ROWS", 1000000);
    sql.SetSQLForWrite(
        {"PLUCODE"},
        {"PLUNAME", "PLUSHORTNAME", "DEPTCODE", "UNITPRICE", "CREATEDATETIME", "UPDATEDATETIME"},
        {});
    sql.StartTransaction();
    for (qint64 i = 1; i <= rows; ++i) {
        const QStringList values = QString::fromLatin1(ItemLine(i)).trimmed().split(u'\t');
        sql.ExecWrite({values[0]}, values.mid(1), {}, SQLWRITE_INSERT);
    }
    sql.ExecCommit();
    const QString path = work.dir.path() + "/CIA001.txt";
    MeasurePeak(state, path, rows, [&] {
        CTextFileExporter exporter(&work.db, "CIA001", {}, path);
        return exporter.ExecuteExport() ? QString() : exporter.GetErrMsgId();
    });
}
BENCHMARK(BM_TableTextExportPeak)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
