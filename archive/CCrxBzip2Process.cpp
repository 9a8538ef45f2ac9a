#include "archive/CCrxBzip2Process.h"

#include "archive/CrxFileOps.h"

#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <sys/ioctl.h>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::atomic<long> g_peakChildKb{0};
// The usual largest pipe an unprivileged process may ask for.
constexpr int kPipeBytes = 1024 * 1024;
// A held child goes on once this little is left in the pipe.
constexpr int kLetGoBelow = kPipeBytes / 4;

QString& ProgramSlot()
{
    static QString program = QStandardPaths::findExecutable(QStringLiteral("lbzip2"));
    return program;
}

} // namespace

const QString& CCrxBzip2Process::Program()
{
    return ProgramSlot();
}

void CCrxBzip2Process::SetProgram(const QString& path)
{
    ProgramSlot() = path;
}

int CCrxBzip2Process::Cores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    return std::max(1, int(std::thread::hardware_concurrency()));
}

bool CCrxBzip2Process::StartCompress(int out)
{
    // A socket, not a pipe: send() with MSG_NOSIGNAL reports a dead child
    // as an error instead of killing the caller with SIGPIPE.
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    ::shutdown(ends[0], SHUT_RD);
    ::shutdown(ends[1], SHUT_WR);
    return Start("-9", Cores(), ends[1], out, ends[0], ends[1]);
}

bool CCrxBzip2Process::StartDecompress(int in, int threads, long budgetKb)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    // Hundreds of MB pass through it: the default 64 KiB pipe switches
    // between the child and us so often that it costs more than a core's
    // share of the decompression. A smaller limit only costs speed.
    ::fcntl(ends[0], F_SETPIPE_SZ, kPipeBytes);
    if (!Start("-d", threads > 0 ? std::min(threads, Cores()) : Cores(), in, ends[1], ends[0],
               ends[1]))
        return false;
    if (budgetKb > 0) {
        m_budgetKb = budgetKb;
        m_stopWatching = false;
        m_watcher = std::thread(&CCrxBzip2Process::Watch, this);
    }
    return true;
}

void CCrxBzip2Process::Watch()
{
    std::unique_lock lock(m_paceMutex);
    while (
        !m_paceStop.wait_for(lock, std::chrono::milliseconds(2), [this] { return m_stopWatching; }))
        Pace(true);
}

void CCrxBzip2Process::StopWatching()
{
    if (!m_watcher.joinable())
        return;
    {
        std::lock_guard lock(m_paceMutex);
        m_stopWatching = true;
    }
    m_paceStop.notify_one();
    m_watcher.join();
    // A child left held would never end, and a finish would wait on it.
    if (m_held && m_pid > 0)
        ::kill(m_pid, SIGCONT);
    m_held = false;
}

void CCrxBzip2Process::Pace(bool mayHold)
{
    int queued = 0;
    if ((!m_held && !mayHold) || m_pid < 0 || m_fd < 0 || ::ioctl(m_fd, FIONREAD, &queued) != 0)
        return;
    // Held, it goes on before its output runs dry; it is held only while
    // there is enough to read meanwhile.
    if (m_held) {
        if (queued < kLetGoBelow) {
            ::kill(m_pid, SIGCONT);
            m_held = false;
        }
    } else if (mayHold && queued >= kLetGoBelow && ChildResidentKb() > m_budgetKb) {
        ::kill(m_pid, SIGSTOP);
        m_held = true;
    }
}

long CCrxBzip2Process::ChildResidentKb() const
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/statm", int(m_pid));
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char text[128] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    long size = 0, resident = 0;
    if (n <= 0 || std::sscanf(text, "%ld %ld", &size, &resident) != 2)
        return 0;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

bool CCrxBzip2Process::Start(const char* mode, int threadCount, int in, int out, int ours,
                             int theirs)
{
    Kill();
    const QByteArray program = Program().toLocal8Bit();
    const std::string threads = std::to_string(threadCount);
    char* argv[] = {const_cast<char*>("lbzip2"),
                    const_cast<char*>(mode),
                    const_cast<char*>("-c"),
                    const_cast<char*>("-n"),
                    const_cast<char*>(threads.c_str()),
                    nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // Reading from offset 0 whatever the caller read before.
    if (in != theirs)
        ::lseek(in, 0, SEEK_SET);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // A caller that ignores SIGPIPE or blocks signals must not pass that on.
    sigset_t none, pipe;
    sigemptyset(&none);
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &pipe);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int rc = program.isEmpty() ? ENOENT
                                     : posix_spawn(&pid, program.constData(), &actions, &attributes,
                                                   argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    // The child's end is the child's alone: holding it would keep its input
    // open or its output from ending.
    ::close(theirs);
    if (rc != 0) {
        ::close(ours);
        return false;
    }
    m_pid = pid;
    m_fd = ours;
    return true;
}

bool CCrxBzip2Process::Write(const char* data, size_t size)
{
    return WriteAll(m_fd, data, size, true);
}

ssize_t CCrxBzip2Process::Read(char* data, size_t size)
{
    if (m_budgetKb > 0) {
        std::lock_guard lock(m_paceMutex);
        Pace(false);
    }
    for (;;) {
        const ssize_t n = ::read(m_fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        return n;
    }
}

CrxResult CCrxBzip2Process::Finish(const CrxAbortFlag* abort, CrxResult failed)
{
    StopWatching();
    CloseFd();
    if (m_pid < 0)
        return failed;
    for (;;) {
        int status = 0;
        const pid_t done = Reap(&status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? CRX_OK : failed;
        }
        if (done < 0 && errno != EINTR) {
            m_pid = -1;
            return failed;
        }
        if (CrxAborted(abort)) {
            Kill();
            return CRX_E_CANCELLED;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void CCrxBzip2Process::Kill()
{
    // Before the child is reaped: its process id may then be another's.
    StopWatching();
    CloseFd();
    m_budgetKb = 0;
    m_held = false;
    if (m_pid < 0)
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (Reap(&status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

pid_t CCrxBzip2Process::Reap(int* status, int options)
{
    rusage usage{};
    const pid_t done = ::wait4(m_pid, status, options, &usage);
    if (done == m_pid) {
        long peak = g_peakChildKb.load();
        while (usage.ru_maxrss > peak &&
               !g_peakChildKb.compare_exchange_weak(peak, usage.ru_maxrss)) {
        }
    }
    return done;
}

long CCrxBzip2Process::PeakChildKb()
{
    return g_peakChildKb.load();
}

void CCrxBzip2Process::ResetPeakChildKb()
{
    g_peakChildKb = 0;
}

void CCrxBzip2Process::CloseFd()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
