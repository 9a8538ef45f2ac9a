#pragma once

// lbzip2 as a child process, so that bzip2 blocks are compressed and
// decompressed on every core: one standard bzip2 stream (level 9) either
// way. The child is ours alone: a stop kills it at once and reaps it, and
// a child that fails or dies is a failure, never a short result.

#include "archive/CrxResult.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <sys/types.h>
#include <thread>

class CCrxBzip2Process
{
public:
    CCrxBzip2Process() = default;
    ~CCrxBzip2Process() { Kill(); }
    CCrxBzip2Process(const CCrxBzip2Process&) = delete;
    CCrxBzip2Process& operator=(const CCrxBzip2Process&) = delete;

    // The lbzip2 program found on the PATH once, or empty (the caller then
    // packs in-process).
    static const QString& Program();
    // Another program in lbzip2's place (empty: none); tests put a failing
    // one there.
    static void SetProgram(const QString& path);
    // The cores this process may run on: lbzip2 starts that many threads.
    static int Cores();

    // Compresses what is written to Fd() into out: false when the child
    // could not start.
    bool StartCompress(int out);
    // Decompresses the file open at in (read from its start) into what
    // Fd() gives, on threads threads (0: Cores()). With budgetKb, the child
    // is held (stopped) while its resident size passes budgetKb and our end
    // still has enough to read, and let go before it runs dry: left to
    // itself, lbzip2 runs ahead of a slower reader by some 25 MB a thread.
    bool StartDecompress(int in, int threads = 0, long budgetKb = 0);

    // Our end: a socket to write to (writes never raise SIGPIPE, see
    // Write) or a pipe to read from.
    int Fd() const { return m_fd; }
    // Writes all of data: false when the child is gone.
    bool Write(const char* data, size_t size);
    // Reads up to size bytes: their count, 0 at the end, -1 on an error.
    ssize_t Read(char* data, size_t size);

    // Ends the input and waits for the child, polling abort every
    // millisecond: CRX_OK when it exited with 0, CRX_E_CANCELLED (the child
    // is then killed) or failed (it failed or died).
    CrxResult Finish(const CrxAbortFlag* abort, CrxResult failed);
    // Kills the child and reaps it; closes our end.
    void Kill();

    // The largest peak resident size, in KiB, of a child reaped since the
    // last reset: the decompressor's share of an open's memory.
    static long PeakChildKb();
    static void ResetPeakChildKb();

private:
    bool Start(const char* mode, int threads, int in, int out, int ours, int theirs);
    // Holds the child by the budget (mayHold: the watching thread, every
    // few milliseconds) or lets it go (also before each read, so that the
    // reader never waits on a held child).
    void Pace(bool mayHold);
    void Watch();
    void StopWatching();
    long ChildResidentKb() const;
    // waitpid that also notes the child's peak resident size.
    pid_t Reap(int* status, int options);
    void CloseFd();

    // Where the threads meet: the owner's thread (every public call) and,
    // with a budget, the watcher (Watch). The watcher starts after m_pid,
    // m_fd and m_budgetKb are set and is joined (StopWatching) before any
    // of them changes, so it only reads them.
    pid_t m_pid = -1;
    int m_fd = -1;
    long m_budgetKb = 0;
    // While the watcher runs, m_paceMutex guards m_held and m_stopWatching;
    // a pace step holds it from the look at the pipe to the signal, so that
    // a read's let-go and the watcher's hold never cross.
    bool m_held = false;
    std::mutex m_paceMutex;
    std::condition_variable m_paceStop;
    bool m_stopWatching = false;
    std::thread m_watcher;
};
