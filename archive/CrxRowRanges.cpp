#include "archive/CrxRowRanges.h"

#include "archive/CCrxBzip2Process.h"
#include "archive/CCrxDb.h"
#include "archive/CCrxRecord.h"
#include "archive/CCrxcnvXmlWriter.h"
#include "archive/CrxDetail.h"
#include "archive/CrxExportWalk.h"
#include "archive/CrxGuard.h"

#include "stroven/Stroven.h"

#include <QByteArray>
#include <QScopeGuard>

#include <algorithm>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace CrxRowRanges {

namespace {

// A bound on the connections one section opens.
constexpr int kMaxThreads = 8;
// Row ids beyond this many per row leave too many empty ranges.
constexpr qint64 kMaxIdsPerRow = 4;

// One thread's own connection, read and copy of the record.
struct Reader
{
    CCrxDb db;
    std::unique_ptr<CCrxRecord> record;
    CrxExportContext context;
    CCrxcnvXmlWriter writer{QString()};
};

// What a range left for the file's writer.
struct Range
{
    QByteArray xml;
    CrxResult rc = CRX_OK;
    CrxDetail detail;
    bool ready = false;
};

// The read transaction that keeps every connection on the same rows; ends
// with the section (it only read).
class ReadTransaction
{
public:
    ReadTransaction(CSQliteDB& db, const QString& table) : m_sql(db, table)
    {
        m_bOwn = !db.InTransaction() && m_sql.ExecSQL(QStringLiteral("BEGIN")) == 0;
        m_bHeld = m_bOwn || db.InTransaction();
    }
    ~ReadTransaction()
    {
        if (m_bOwn)
            m_sql.ExecCommit();
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    bool Held() const { return m_bHeld; }

private:
    CSQliteSQL m_sql;
    bool m_bOwn = false;
    bool m_bHeld = false;
};

// The first and last row id and the row count, read inside the transaction
// (which then holds the database's shared lock): false when unreadable.
bool ReadBounds(CCrxDb& db, const QString& table, const QString& rowId, qint64& first, qint64& last,
                qint64& count)
{
    CCrxSqlReader bounds;
    if (bounds.Attach(db.Connection(), table) != CRX_OK)
        return false;
    bounds.m_columns =
        QStringList{QLatin1String("min(") + rowId + QLatin1Char(')'),
                    QLatin1String("max(") + rowId + QLatin1Char(')'), QLatin1String("count(*)")};
    if (bounds.PrepareRead() != CRX_OK)
        return false;
    CrxResult error = CRX_OK;
    bool end = false;
    const CSQRowArray* rows = bounds.ReadNext(error, end);
    if (error != CRX_OK || !rows || rows->size() != 1 || !rows->first())
        return false;
    const QStringList& row = *rows->first();
    bool ok[3] = {};
    first = row.value(0).toLongLong(&ok[0]);
    last = row.value(1).toLongLong(&ok[1]);
    count = row.value(2).toLongLong(&ok[2]);
    return ok[0] && ok[1] && ok[2];
}

// A thread's connection with the section's read on one range of row ids.
bool OpenReader(Reader& reader, CCrxDb& db, CCrxRecord& record, const QString& rowId,
                const CrxExportContext& context)
{
    if (reader.db.Open(db.DbPath(), db.UnpackFolder(), db.BlobFolder()) != CRX_OK)
        return false;
    // A range is read once, in order: a page cache would only hold memory.
    CSQliteSQL(*reader.db.Connection(), QString())
        .ExecSQL(QStringLiteral("PRAGMA cache_size = -128"));
    CCrxSqlReader& read = reader.db.Reader();
    if (read.Attach(reader.db.Connection(), db.Reader().Table()) != CRX_OK)
        return false;
    read.m_columns = db.Reader().m_columns;
    read.m_strWhere = rowId + QLatin1String(" >= CAST(? AS INTEGER) AND ") + rowId +
                      QLatin1String(" < CAST(? AS INTEGER)");
    if (read.PrepareRead() != CRX_OK)
        return false;
    reader.record = std::make_unique<CCrxRecord>(record.Name());
    for (const auto& item : record.Items())
        reader.record->AddItem(std::make_unique<CCrxItem>(*item));
    reader.record->SourceTable() = record.SourceTable();
    reader.context.db = &reader.db;
    reader.context.writer = &reader.writer;
    reader.context.abort = context.abort;
    reader.context.exportKind = context.exportKind;
    return true;
}

} // namespace

CrxResult WriteRows(CCrxRecord& record, bool keysOnly, CrxExportContext& context, bool& taken)
{
    taken = false;
    if (!context.db || !context.db->IsOpen() || context.db->Reader().m_columns.isEmpty())
        return CRX_OK;
    CCrxDb& db = *context.db;
    CCrxSqlReader& read = db.Reader();
    // The compressor waits for the XML while the readers write it: every
    // core but the one of the thread that writes the ranges into the file.
    const int cores = CCrxBzip2Process::Cores();
    const int threads = cores < 2 ? 1 : std::clamp(cores - 1, 2, kMaxThreads);
    const bool blobs = std::any_of(record.Items().begin(), record.Items().end(),
                                   [](const auto& item) { return item->IsBlobColumn(); });
    if (threads < 2 || blobs || !read.Statement() || !read.m_strWhere.isEmpty() ||
        !read.m_strOrderBy.isEmpty() || !db.Connection() || db.Connection()->IsWal() ||
        !read.Statement()->ReadScansTable())
        return CRX_OK;
    const QString rowId = CrxExportWalk::RowIdName(record);
    if (rowId.isEmpty())
        return CRX_OK;

    const QString& table = read.Table();
    ReadTransaction transaction(*db.Connection(), table);
    qint64 first = 0, last = 0, count = 0;
    // Row ids far out (a table may use any of them) would overflow the
    // ranges' arithmetic.
    constexpr qint64 kFar = std::numeric_limits<qint64>::max() / 4;
    if (!transaction.Held() || !ReadBounds(db, table, rowId, first, last, count) ||
        count < kMinRows || first < -kFar || last > kFar || last - first >= kMaxIdsPerRow * count)
        return CRX_OK;

    // Every thread is ready before a row is written: one that is not leaves
    // the section to the single read.
    std::vector<std::unique_ptr<Reader>> readers;
    for (int i = 0; i < threads; ++i) {
        readers.push_back(std::make_unique<Reader>());
        if (!OpenReader(*readers.back(), db, record, rowId, context))
            return CRX_OK;
    }
    taken = true;

    // Where the threads meet: the readers (work) and this thread, which
    // writes the ranges into the file. The mutex guards next, written, stop
    // and every part's ready flag; a part's other fields belong to the
    // reader that took its range until ready is set under the mutex, then to
    // this thread until it clears ready and counts the range written.
    const qint64 ranges = (last - first) / kRowsPerRange + 1;
    std::vector<Range> parts(size_t(2 * threads));
    std::mutex mutex;
    std::condition_variable changed;
    qint64 next = 0;    // the next range a thread takes
    qint64 written = 0; // ranges in the file
    bool stop = false;
    const int depth = context.writer->Depth();

    const auto work = [&](Reader& reader) {
        for (;;) {
            qint64 index = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] {
                    return stop || next >= ranges || next < written + qint64(parts.size());
                });
                if (stop || next >= ranges)
                    return;
                index = next++;
            }
            const qint64 from = first + index * kRowsPerRange;
            CrxResetDetail();
            reader.writer.OpenInMemory(depth);
            // No exception may leave a thread: it becomes the range's code.
            const CrxResult rc = Guarded(CRX_E_EXCEPTION_RUN, [&] {
                CSQliteSQL& statement = *reader.db.Reader().Statement();
                if (statement.SetParamsForRead(
                        {QString::number(from), QString::number(from + kRowsPerRange)}) != 0)
                    return CRX_E_READ_ROWS;
                int counter = 0;
                return CrxExportWalk::WriteRows(*reader.record, keysOnly, counter, reader.context);
            });
            Range& range = parts[size_t(index % qint64(parts.size()))];
            // The slot's emptied buffer becomes the reader's next one:
            // no range allocates, frees or faults in its buffer anew.
            range.xml = reader.writer.TakeOutput(std::move(range.xml));
            range.rc = rc;
            if (rc != CRX_OK)
                range.detail = CrxCurrentDetail();
            {
                std::lock_guard lock(mutex);
                range.ready = true;
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> running;
    // Every thread ends before its reader, also when one cannot start.
    const auto joined = qScopeGuard([&] {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        changed.notify_all();
        for (std::thread& thread : running)
            thread.join();
    });
    for (auto& reader : readers)
        running.emplace_back(work, std::ref(*reader));

    CrxResult rc = CRX_OK;
    for (; written < ranges && rc == CRX_OK;) {
        Range& range = parts[size_t(written % qint64(parts.size()))];
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return range.ready; });
        }
        if (range.rc != CRX_OK) {
            rc = range.rc;
            CrxDetail& detail = CrxCurrentDetail();
            detail.table = range.detail.table;
            detail.key = range.detail.key;
            detail.column = range.detail.column;
        } else if (!context.writer->WriteLines(range.xml)) {
            rc = context.writer->FailureCode();
        }
        range.xml.resize(0);
        {
            std::lock_guard lock(mutex);
            range.ready = false;
            ++written;
            stop = rc != CRX_OK;
        }
        changed.notify_all();
    }
    return rc;
}

} // namespace CrxRowRanges
