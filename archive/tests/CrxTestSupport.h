#pragma once

#include "archive/CrxFileOps.h"
#include "testsupport/ToolRun.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <bzlib.h>

#include <sched.h>

#include <functional>
#include <vector>

namespace crxtest {

// Letters and line ends: bzip2 packs them into blocks of its full size.
inline QByteArray Prose(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray text(size, Qt::Uninitialized);
    for (char& c : text)
        c = "abcdefghij klmnop\n"[random.bounded(18)];
    return text;
}

// One bzip2 stream of data, in blocks of blockSize100k hundred kB (bzip2's
// own default: 9).
inline QByteArray Bzip2(const QByteArray& data, int blockSize100k = 9)
{
    unsigned size = unsigned(data.size() + data.size() / 50 + 1024);
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    EXPECT_EQ(BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char*>(data.constData()),
                                       unsigned(data.size()), blockSize100k, 0, 0),
              BZ_OK);
    out.resize(qsizetype(size));
    return out;
}

// The members of a bzip2 tar as Python's tarfile streams it, a second
// reader beside GNU tar: the sorted (name, size) pairs whose name holds part.
inline QByteArray PythonTarMembers(const QString& archive, const QString& part = QString())
{
    const korvane::test::ToolResult python = korvane::test::RunTool(
        QStringLiteral("python3"), {QStringLiteral("-c"),
                                    QStringLiteral("import sys, tarfile\n"
                                                   "with tarfile.open(sys.argv[1], 'r|bz2') as t:\n"
                                                   "    print(sorted((m.name, m.size) for m in t\n"
                                                   "                 if sys.argv[2] in m.name))"),
                                    archive, part});
    EXPECT_EQ(python.exitCode, 0) << python.err.toStdString();
    return python.out.trimmed();
}

// Keeps this process on the core it runs on for the lifetime of the object,
// so the archive sees one core; the former affinity is put back after.
class ScopedOneCore
{
public:
    ScopedOneCore()
    {
        m_bHeld = sched_getaffinity(0, sizeof m_all, &m_all) == 0;
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu(), &one);
        m_bHeld = m_bHeld && sched_setaffinity(0, sizeof one, &one) == 0;
    }
    ~ScopedOneCore()
    {
        if (m_bHeld)
            sched_setaffinity(0, sizeof m_all, &m_all);
    }
    ScopedOneCore(const ScopedOneCore&) = delete;
    ScopedOneCore& operator=(const ScopedOneCore&) = delete;
    bool Held() const { return m_bHeld; }

private:
    cpu_set_t m_all{};
    bool m_bHeld = false;
};

// Replaces the retry pause for the lifetime of the object: records every
// pause and, when given, runs a hook with the pause count, so a test can
// clear an obstacle between two attempts without sleeping.
class ScopedWait
{
public:
    explicit ScopedWait(std::function<void(int pauses)> hook = {}) : m_hook(std::move(hook))
    {
        m_previous = SetCrxWait([this](int ms) {
            pauses.push_back(ms);
            if (m_hook)
                m_hook(int(pauses.size()));
        });
    }
    ~ScopedWait() { SetCrxWait(std::move(m_previous)); }
    ScopedWait(const ScopedWait&) = delete;
    ScopedWait& operator=(const ScopedWait&) = delete;

    std::vector<int> pauses;

private:
    std::function<void(int)> m_hook;
    CrxWaitFunction m_previous;
};

} // namespace crxtest
