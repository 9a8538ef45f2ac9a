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
    // value texts (UTF-8), then its blob files.
    void BeginRow();
    void AddText(QByteArrayView utf8);
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
    struct Row
    {
        qsizetype firstText = 0;
        qsizetype texts = 0;
        QStringList blobFiles;
    };
    struct Batch
    {
        std::string bytes;
        std::vector<qsizetype> ends; // of each text in bytes
        std::vector<Row> rows;
        void Clear();
    };

    void Push();
    void Run();
    CrxResult Write(const Batch& batch);

    CCrxSqlWriter& m_writer;
    std::unique_ptr<Batch> m_pFilling;
    std::vector<QByteArrayView> m_views; // the writer thread's
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Batch>> m_queue;
    std::vector<std::unique_ptr<Batch>> m_spare;
    bool m_bBusy = false;
    bool m_bStopping = false;
    CrxResult m_nFailure = CRX_OK;
};
