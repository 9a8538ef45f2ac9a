#include "testsupport/ToolRun.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace korvane::test {

ToolResult RunTool(const QString& program, const QStringList& args, const QString& workDir,
                   int timeoutMs)
{
    ToolResult result;
    std::vector<std::string> words{QFile::encodeName(program).toStdString()};
    for (const QString& arg : args)
        words.push_back(QFile::encodeName(arg).toStdString());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return result;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    const QByteArray dir = QFile::encodeName(workDir);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    if (!dir.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    pid_t pid = -1;
    const int started = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);

    // Both outputs are read as they come: a full pipe would stop the tool.
    QElapsedTimer clock;
    clock.start();
    pollfd ends[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    QByteArray* sinks[2] = {&result.out, &result.err};
    bool late = false;
    while (started == 0 && (ends[0].fd >= 0 || ends[1].fd >= 0)) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            late = true;
            break;
        }
        if (::poll(ends, 2, int(left)) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (ends[i].fd < 0 || !ends[i].revents)
                continue;
            char buffer[65536];
            const ssize_t n = ::read(ends[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, n);
            } else if (n == 0 || errno != EINTR) {
                ::close(ends[i].fd);
                ends[i].fd = -1;
            }
        }
    }
    for (const pollfd& end : ends)
        if (end.fd >= 0)
            ::close(end.fd);
    if (started != 0)
        return result;
    if (late)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!late && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

} // namespace korvane::test
