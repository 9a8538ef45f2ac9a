#pragma once

// The rows of an import, inserted on a thread of their own so that the
// inserts overlap the parse of the archive XML. Rows travel in batches
// through a short queue, so memory stays flat however many rows come. The
// writer stops at its first failure, which every later call returns; rows
// after it are dropped, as a synchronous import would never have reached
// them. Whatever else uses the connection waits for Flush first.

#include "archive/CrxResult.h"

#include <QByteArrayView>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CCrxSqlWriter;

class CCrxRowQueue
{
public:
    explicit CCrxRowQueue(CCrxSqlWriter& writer) : m_writer(writer) {}
    ~CCrxRowQueue();
    CCrxRowQueue(const CCrxRowQueue&) = delete;
    CCrxRowQueue& operator=(const CCrxRowQueue&) = delete;

    // One row for the writer's prepared insert: its key texts, then its
    // value texts (UTF-8), then its blob files. BeginRow opens it with a
    // number of texts, all empty; AddText adds one more. A parse fills a
    // text in place as its pieces come (BeginText, AppendText, EndText), so
    // that a value is copied once into the row, and the row once into its
    // batch. A row begun again before its end is dropped.
    void BeginRow(qsizetype texts = 0);
    void AddText(QByteArrayView utf8);
    // The text at index takes what is appended until EndText, in place of
    // what it had.
    void BeginText(qsizetype index)
    {
        m_nText = index;
        m_nTextStart = qsizetype(m_rowBytes.size());
    }
    void AppendText(QByteArrayView utf8) { m_rowBytes.append(utf8.data(), size_t(utf8.size())); }
    void EndText()
    {
        m_rowTexts[size_t(m_nText)] = {m_nTextStart, qsizetype(m_rowBytes.size()) - m_nTextStart};
    }
    void SetText(qsizetype index, QByteArrayView utf8);
    void AddBlobFile(const QString& file);
    // Queues the row (waiting while the queue is full): the writer's first
    // failure so far, else 0.
    CrxResult EndRow();

    // Inserts every queued row and waits for the writer: its first failure,
    // else 0.
    CrxResult Flush();
    // Flush, then the thread ends and the failure is forgotten.
    CrxResult Stop();

private:
    // A text of a row: where it starts among the row's bytes, and its size.
    struct Span
    {
        qsizetype start = 0;
        qsizetype size = 0;
    };
    struct Row
    {
        qsizetype firstByte = 0;
        qsizetype firstText = 0;
        qsizetype texts = 0;
        QStringList blobFiles;
    };
    struct Batch
    {
        std::string bytes;
        std::vector<Span> texts;
        std::vector<Row> rows;
        void Clear();
    };

    void Push();
    void Run();
    CrxResult Write(const Batch& batch);

    // The parser's members, the writer thread's and those both write each
    // start a cache line of their own: a line that both threads write goes
    // back and forth between their cores at every text.
    static constexpr size_t kCacheLine = 64;

    // Where the threads meet: the parser (the thread that calls the public
    // functions) and the writer thread (Run). A batch belongs to one thread
    // at a time: the parser fills m_pFilling alone, hands it over through
    // m_queue and gets it back, cleared, through m_spare; the writer touches
    // only the batch it took. The writer (m_writer and its connection) is
    // the writer thread's while it runs and the parser's once Flush has
    // returned.
    CCrxSqlWriter& m_writer;
    // The parser's alone: the row being built; its buffers are kept from
    // row to row.
    alignas(kCacheLine) std::string m_rowBytes;
    std::vector<Span> m_rowTexts;
    QStringList m_rowBlobFiles;
    qsizetype m_nText = 0;
    qsizetype m_nTextStart = 0;
    std::unique_ptr<Batch> m_pFilling;
    alignas(kCacheLine) std::vector<QByteArrayView> m_views; // the writer thread's
    // The parser's: started by the first handover, joined by Stop.
    alignas(kCacheLine) std::thread m_thread;
    // Guards m_queue, m_spare, m_bBusy and m_bStopping, and every write of
    // m_nFailure while the thread runs; m_changed tells either side that one
    // of them changed.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Batch>> m_queue;
    std::vector<std::unique_ptr<Batch>> m_spare;
    // A batch taken from the queue is being written.
    bool m_bBusy = false;
    bool m_bStopping = false;
    // Written under the mutex; a row's end reads it without taking it.
    std::atomic<CrxResult> m_nFailure{CRX_OK};
};
