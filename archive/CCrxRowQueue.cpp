#include "archive/CCrxRowQueue.h"

#include "archive/CCrxSqlWriter.h"

namespace {

// A batch is handed over past either bound; a few batches in the queue keep
// the writer busy while the parser fills the next one.
constexpr size_t kBatchRows = 256;
constexpr qsizetype kBatchBytes = 256 * 1024;
constexpr size_t kQueueDepth = 4;

} // namespace

void CCrxRowQueue::Batch::Clear()
{
    bytes.clear();
    texts.clear();
    rows.clear();
}

CCrxRowQueue::~CCrxRowQueue()
{
    Stop();
}

void CCrxRowQueue::BeginRow(qsizetype texts)
{
    m_rowBytes.clear();
    m_rowTexts.assign(size_t(texts), Span());
    m_rowBlobFiles.clear();
}

void CCrxRowQueue::AddText(QByteArrayView utf8)
{
    m_rowTexts.push_back({qsizetype(m_rowBytes.size()), utf8.size()});
    AppendText(utf8);
}

void CCrxRowQueue::SetText(qsizetype index, QByteArrayView utf8)
{
    BeginText(index);
    AppendText(utf8);
    EndText();
}

void CCrxRowQueue::AddBlobFile(const QString& file)
{
    m_rowBlobFiles << file;
}

CrxResult CCrxRowQueue::EndRow()
{
    if (!m_pFilling) {
        std::lock_guard lock(m_mutex);
        if (m_spare.empty()) {
            m_pFilling = std::make_unique<Batch>();
        } else {
            m_pFilling = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    Batch& batch = *m_pFilling;
    // The row goes in last: one that cannot grow the batch leaves no row
    // pointing past its bytes.
    Row row{qsizetype(batch.bytes.size()),
            qsizetype(batch.texts.size()),
            qsizetype(m_rowTexts.size()),
            {}};
    batch.bytes.append(m_rowBytes);
    batch.texts.insert(batch.texts.end(), m_rowTexts.begin(), m_rowTexts.end());
    row.blobFiles.swap(m_rowBlobFiles);
    batch.rows.push_back(std::move(row));
    if (batch.rows.size() >= kBatchRows || qsizetype(batch.bytes.size()) >= kBatchBytes)
        Push();
    return m_nFailure.load(std::memory_order_acquire);
}

void CCrxRowQueue::Push()
{
    if (!m_pFilling || m_pFilling->rows.empty())
        return;
    if (!m_thread.joinable()) {
        m_bStopping = false;
        m_thread = std::thread([this] { Run(); });
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.size() < kQueueDepth; });
    m_queue.push_back(std::move(m_pFilling));
    m_changed.notify_all();
}

CrxResult CCrxRowQueue::Flush()
{
    Push();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_bBusy; });
    return m_nFailure;
}

CrxResult CCrxRowQueue::Stop()
{
    const CrxResult rc = Flush();
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_bStopping = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    m_nFailure = CRX_OK;
    return rc;
}

void CCrxRowQueue::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_bStopping; });
        if (m_queue.empty())
            return;
        std::unique_ptr<Batch> batch = std::move(m_queue.front());
        m_queue.pop_front();
        m_bBusy = true;
        const bool failed = m_nFailure != CRX_OK;
        lock.unlock();
        m_changed.notify_all();
        const CrxResult rc = failed ? CRX_OK : Write(*batch);
        batch->Clear();
        lock.lock();
        if (rc != CRX_OK && m_nFailure == CRX_OK)
            m_nFailure = rc;
        m_spare.push_back(std::move(batch));
        m_bBusy = false;
        m_changed.notify_all();
    }
}

CrxResult CCrxRowQueue::Write(const Batch& batch)
{
    // What throws here would end the process on this thread: it counts as a
    // failed row instead.
    try {
        for (const Row& row : batch.rows) {
            m_views.clear();
            const char* bytes = batch.bytes.data() + row.firstByte;
            for (qsizetype i = row.firstText; i < row.firstText + row.texts; ++i)
                m_views.emplace_back(bytes + batch.texts[i].start, batch.texts[i].size);
            if (CrxResult rc = m_writer.InsertRowUtf8(m_views.data(), qsizetype(m_views.size()),
                                                      row.blobFiles))
                return rc;
        }
    } catch (...) {
        return CRX_E_EXCEPTION_RUN;
    }
    return CRX_OK;
}
