#include "monitor/MediaFileOps.h"

#include "monitor/tests/MonitorFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>

#include <sys/stat.h>

namespace mervolt {
namespace {

using test::MonitorFixture;

class MediaFileOpsTest : public MonitorFixture
{
protected:
    QString dir(const QString& name) const { return scratch() + u'/' + name; }
};

// The pause is injected: a copy whose target folder appears only during
// the N-th pause succeeds at attempt N + 1.
TEST_F(MediaFileOpsTest, CopyRetriesTwentyTimesWithoutWaitingForReal)
{
    const QString source = put(dir("src/a.png"), "picture");
    for (const int appearsAt : {19, 20}) {
        const QString target = dir(QStringLiteral("late%1").arg(appearsAt));
        int waits = 0;
        SetMonRetryWait([&](int ms) {
            EXPECT_EQ(ms, kMonRetryPauseMs);
            if (++waits == appearsAt)
                QDir().mkpath(target);
        });
        QElapsedTimer timer;
        timer.start();
        const bool copied = CopyFileRetry(source, target + "/a.png");
        EXPECT_LT(timer.elapsed(), 1000);
        if (appearsAt == 19) {
            EXPECT_TRUE(copied);
            EXPECT_EQ(waits, 19);
            EXPECT_EQ(bytesOf(target + "/a.png"), "picture");
        } else {
            EXPECT_FALSE(copied); // twenty failed attempts
            EXPECT_EQ(waits, 19);
        }
    }
}

TEST_F(MediaFileOpsTest, CopyOverwritesAndReportsProgressAndStopsOnAbort)
{
    const QByteArray big(3 * 1024 * 1024 + 5, 'x');
    const QString source = put(dir("src/big.mp4"), big);
    const QString target = put(dir("dst/big.mp4"), "old");
    qint64 last = 0;
    MonCopyControl control;
    control.progress = [&](qint64 bytes) {
        EXPECT_GT(bytes, last);
        last = bytes;
    };
    ASSERT_TRUE(CopyFileRetry(source, target, &control));
    EXPECT_EQ(last, big.size());
    EXPECT_EQ(bytesOf(target), big);

    std::atomic<int> abort{0};
    control.abort = &abort;
    control.progress = [&](qint64) { abort = 1; };
    put(target, "old");
    m_waits = 0;
    EXPECT_FALSE(CopyFileRetry(source, target, &control));
    EXPECT_EQ(bytesOf(target), "old"); // no half file
    EXPECT_EQ(m_waits, 0);             // an abort is not retried
    EXPECT_EQ(QDir(dir("dst")).entryList(QDir::Files | QDir::Hidden), QStringList{"big.mp4"});
}

TEST_F(MediaFileOpsTest, EmptyPathsAndPathKinds)
{
    EXPECT_FALSE(CopyFileRetry("", dir("x")));
    EXPECT_FALSE(CopyFileRetry(dir("x"), ""));
    EXPECT_FALSE(CreateDirectoryRetry(""));
    EXPECT_FALSE(DeleteFileRetry(""));
    EXPECT_EQ(GetPathKind(""), MON_PATH_NONE);
    EXPECT_EQ(GetPathKind(dir("none")), MON_PATH_NONE);
    EXPECT_EQ(GetPathKind(put(dir("f/file"), "x")), MON_PATH_FILE);
    EXPECT_EQ(GetPathKind(dir("f")), MON_PATH_FOLDER);

    EXPECT_TRUE(CreateDirectoryRetry(dir("made/deep")));
    EXPECT_TRUE(CreateDirectoryRetry(dir("made/deep"))); // already a folder
    EXPECT_FALSE(CreateDirectoryRetry(dir("f/file")));   // a file is in the way
    EXPECT_TRUE(DeleteFileRetry(dir("f/file")));
    EXPECT_TRUE(DeleteFileRetry(dir("f/file"))); // gone is gone
    m_waits = 0;
    QDir().mkpath(dir("empty"));
    EXPECT_FALSE(DeleteFileRetry(dir("empty"))); // folders are not files
    EXPECT_TRUE(QFileInfo(dir("empty")).isDir());
    EXPECT_EQ(m_waits, 0);
    EXPECT_TRUE(QFile::link(dir("empty"), dir("link")));
    EXPECT_TRUE(DeleteFileRetry(dir("link"))); // the link, not its folder
    EXPECT_TRUE(QFileInfo(dir("empty")).isDir());
}

// A pipe would block the copy, a device never end it.
TEST_F(MediaFileOpsTest, OnlyRegularFilesAreCopied)
{
    const QString fifo = dir("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(CopyFileRetry(fifo, dir("copy")));
    EXPECT_FALSE(CopyFileRetry("/dev/zero", dir("copy")));
    EXPECT_FALSE(CopyFileRetry(dir(""), dir("copy")));
    EXPECT_FALSE(QFileInfo::exists(dir("copy")));
}

TEST_F(MediaFileOpsTest, TreeCopySkipsDotNamesAndLinks)
{
    const QString outside = put(dir("outside/secret.txt"), "secret");
    put(dir("src/a.png"), "a");
    put(dir("src/.hidden"), "h");
    put(dir("src/.git/config"), "c");
    put(dir("src/sub/b.png"), "b");
    ASSERT_TRUE(QFile::link(outside, dir("src/link.txt")));
    ASSERT_TRUE(QFile::link(dir("outside"), dir("src/linkdir")));
    put(dir("dst/keep.png"), "kept");
    put(dir("dst/a.png"), "old");

    ASSERT_TRUE(CopyDirectoryTree(dir("src"), dir("dst")));
    QStringList copied;
    QDirIterator it(dir("dst"),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        copied << QDir(dir("dst")).relativeFilePath(it.next());
    copied.sort();
    EXPECT_EQ(copied, (QStringList{"a.png", "keep.png", "sub", "sub/b.png"}));
    EXPECT_EQ(bytesOf(dir("dst/a.png")), "a");
}

TEST_F(MediaFileOpsTest, TreeCopyRefusals)
{
    put(dir("src/a.png"), "a");
    EXPECT_FALSE(CopyDirectoryTree(dir("none"), dir("dst")));
    EXPECT_FALSE(CopyDirectoryTree(dir("src/a.png"), dir("dst")));
    EXPECT_FALSE(CopyDirectoryTree(dir("src"), dir("src/")));
    EXPECT_FALSE(CopyDirectoryTree(dir("src"), dir("src/inner")));
    EXPECT_FALSE(QFileInfo::exists(dir("src/inner")));
    EXPECT_TRUE(CopyDirectoryTree(dir("src"), dir("src2"))); // a name that only starts alike
    std::atomic<int> abort{1};
    MonCopyControl control;
    control.abort = &abort;
    EXPECT_FALSE(CopyDirectoryTree(dir("src"), dir("dst"), &control));
}

TEST_F(MediaFileOpsTest, RemoveTreeTakesReadOnlyFilesAndNeverFollowsLinks)
{
    const QString outside = put(dir("outside/keep.txt"), "keep");
    const QString readOnly = put(dir("tree/sub/ro.png"), "ro");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    QFile::setPermissions(dir("tree/sub"), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::link(dir("outside"), dir("tree/linkdir")));
    ASSERT_TRUE(QFile::link(outside, dir("tree/link.txt")));

    EXPECT_TRUE(RemoveDirectoryTree(dir("tree")));
    EXPECT_FALSE(QFileInfo::exists(dir("tree")));
    EXPECT_EQ(bytesOf(outside), "keep");
    EXPECT_TRUE(RemoveDirectoryTree(""));
    EXPECT_TRUE(RemoveDirectoryTree(dir("never")));
}

} // namespace
} // namespace mervolt
