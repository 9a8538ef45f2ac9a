#include "monitor/MonCopyJob.h"

#include "monitor/CMonProgressDlg.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace mervolt {

namespace {

std::mutex g_holdMutex;
MonCopyJobHold g_hold;

MonCopyJobHold CurrentHold()
{
    std::lock_guard lock(g_holdMutex);
    return g_hold;
}

} // namespace

MonCopyJobHold SetMonCopyJobHold(MonCopyJobHold hold)
{
    std::lock_guard lock(g_holdMutex);
    MonCopyJobHold previous = std::move(g_hold);
    g_hold = std::move(hold);
    return previous;
}

MonJobResult RunMonCopyJob(QWidget* parent, qint64 totalBytes, const MonCopyWork& work,
                           int showAfterMs)
{
    std::atomic<int> abort{0};
    std::atomic<qint64> done{0};
    std::atomic<bool> finished{false};
    std::mutex finishedMutex;
    std::condition_variable finishedSignal;
    bool ok = false;
    QEventLoop loop;
    MonCopyControl control;
    control.abort = &abort;
    control.link = true;
    control.progress = [&done](qint64 bytes) { done = bytes; };
    const MonCopyJobHold hold = CurrentHold();

    std::thread worker([&] {
        if (hold)
            hold(abort);
        ok = work(control);
        {
            std::lock_guard lock(finishedMutex);
            finished = true;
        }
        finishedSignal.notify_all();
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });

    // A short copy is waited for without running events, so nothing of the
    // window acts while it is half open.
    {
        std::unique_lock lock(finishedMutex);
        finishedSignal.wait_for(lock, std::chrono::milliseconds(showAfterMs),
                                [&] { return finished.load(); });
    }
    if (finished) {
        worker.join();
        return ok ? MonJobResult::Done : MonJobResult::Failed;
    }

    auto progress = std::make_unique<CMonProgressDlg>(parent, abort);
    progress->Create();
    progress->setModal(true);
    progress->show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { progress->SetProgress(done, totalBytes); });
    tick.start(100);
    if (!finished)
        loop.exec();
    worker.join();
    tick.stop();
    progress->Finish();
    if (abort.load())
        return MonJobResult::Aborted;
    return ok ? MonJobResult::Done : MonJobResult::Failed;
}

} // namespace mervolt
