#include "archive/CrxFileOps.h"

#include "archive/tests/CrxScratchFixture.h"
#include "archive/tests/CrxTestSupport.h"
#include "testsupport/ToolRun.h"
#include "platform/FileTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

class CrxFileOpsTest : public crxtest::ScratchFixture
{
};

TEST_F(CrxFileOpsTest, PathKindTellsFilesFoldersAndMissing)
{
    ASSERT_TRUE(writeFile(Path("f"), "x"));
    EXPECT_EQ(PathKind(Path("f")), CRX_PATH_FILE);
    EXPECT_EQ(PathKind(dir), CRX_PATH_FOLDER);
    EXPECT_EQ(PathKind(Path("none")), CRX_PATH_MISSING);
    EXPECT_EQ(PathKind(QString()), CRX_PATH_MISSING);
}

TEST_F(CrxFileOpsTest, CreateFolderRetriesFiftyTimesThenGivesUp)
{
    ASSERT_TRUE(writeFile(Path("blocked"), "a file where the folder should go"));
    crxtest::ScopedWait wait;
    EXPECT_EQ(RetryCreateFolder(Path("blocked")), 0);
    EXPECT_EQ(wait.pauses, std::vector<int>(kCrxCopyAttempts - 1, kCrxCopyPauseMs));
    EXPECT_EQ(RetryCreateFolder(QString()), 0);
}

TEST_F(CrxFileOpsTest, CreateFolderSucceedsOnceTheObstacleGoes)
{
    ASSERT_TRUE(writeFile(Path("blocked"), "x"));
    crxtest::ScopedWait wait([this](int pauses) {
        if (pauses == 3)
            QFile::remove(Path("blocked"));
    });
    EXPECT_EQ(RetryCreateFolder(Path("blocked")), 1);
    EXPECT_EQ(wait.pauses.size(), 3u);
    EXPECT_EQ(PathKind(Path("blocked")), CRX_PATH_FOLDER);
    // An existing folder is success at once.
    EXPECT_EQ(RetryCreateFolder(Path("blocked")), 1);
    EXPECT_EQ(wait.pauses.size(), 3u);
}

TEST_F(CrxFileOpsTest, CopyOverwritesAndRetriesWithAPauseAfterEachFailure)
{
    ASSERT_TRUE(writeFile(Path("src"), "new bytes"));
    ASSERT_TRUE(writeFile(Path("dst"), "old"));
    {
        crxtest::ScopedWait wait;
        EXPECT_EQ(RetryCopyFile(Path("src"), Path("dst")), 1);
        EXPECT_TRUE(wait.pauses.empty());
        EXPECT_EQ(readFile(Path("dst")), "new bytes");
    }
    {
        crxtest::ScopedWait wait;
        EXPECT_EQ(RetryCopyFile(Path("missing"), Path("dst")), 0);
        EXPECT_EQ(wait.pauses, std::vector<int>(kCrxCopyAttempts, kCrxCopyPauseMs));
        EXPECT_EQ(readFile(Path("dst")), "new bytes");
    }
    {
        crxtest::ScopedWait wait([this](int pauses) {
            if (pauses == 2)
                writeFile(Path("late"), "arrived");
        });
        EXPECT_EQ(RetryCopyFile(Path("late"), Path("dst")), 1);
        EXPECT_EQ(readFile(Path("dst")), "arrived");
    }
    EXPECT_EQ(RetryCopyFile(QString(), Path("dst")), 0);
    EXPECT_EQ(RetryCopyFile(Path("src"), QString()), 0);
}

// The copy is written beside its target and renamed over it: the target
// keeps its permissions, a link stays a link, and nothing else is left.
TEST_F(CrxFileOpsTest, CopyKeepsTheTargetsPermissionsAndWritesThroughALink)
{
    ASSERT_TRUE(writeFile(Path("src"), "new bytes"));
    ASSERT_TRUE(writeFile(Path("real/dst"), "old"));
    ASSERT_TRUE(QFile::setPermissions(Path("real/dst"), QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(Path("real/dst"), Path("link")));
    EXPECT_TRUE(CopyFileOverwrite(Path("src"), Path("link")));
    EXPECT_TRUE(QFileInfo(Path("link")).isSymLink());
    EXPECT_EQ(readFile(Path("real/dst")), "new bytes");
    EXPECT_EQ(QFile::permissions(Path("real/dst")),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(QDir(Path("real")).entryList(QDir::Files), QStringList{"dst"});
    EXPECT_FALSE(CopyFileOverwrite(Path("src"), Path("real")));
}

TEST_F(CrxFileOpsTest, DeleteFileRetriesTenTimesHalfASecondApart)
{
    crxtest::ScopedWait wait;
    ASSERT_TRUE(writeFile(Path("f"), "x"));
    EXPECT_EQ(RetryDeleteFile(Path("f")), 1);
    EXPECT_EQ(PathKind(Path("f")), CRX_PATH_MISSING);
    EXPECT_EQ(RetryDeleteFile(Path("f")), 1);
    EXPECT_EQ(RetryDeleteFile(QString()), 1);
    EXPECT_TRUE(wait.pauses.empty());

    // A folder is no file to delete: it stays, and every attempt fails.
    ASSERT_TRUE(QDir(dir).mkdir("folder"));
    EXPECT_EQ(RetryDeleteFile(Path("folder")), 0);
    EXPECT_EQ(wait.pauses, std::vector<int>(kCrxDeleteAttempts - 1, kCrxDeletePauseMs));
}

TEST_F(CrxFileOpsTest, DeleteFolderTreeRemovesReadOnlyPartsButNeverFollowsALink)
{
    ASSERT_TRUE(writeFile(Path("tree/a/b/file"), "x"));
    ASSERT_TRUE(writeFile(Path("tree/top"), "x"));
    ASSERT_TRUE(writeFile(Path("outside/keep"), "precious"));
    ASSERT_TRUE(QFile::link(Path("outside"), Path("tree/link")));
    QFile::setPermissions(Path("tree/a/b"), QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(Path("tree/top"), QFile::ReadOwner);

    EXPECT_EQ(DeleteFolderTree(Path("tree")), 1);
    EXPECT_EQ(PathKind(Path("tree")), CRX_PATH_MISSING);
    EXPECT_EQ(readFile(Path("outside/keep")), "precious");
    EXPECT_EQ(DeleteFolderTree(Path("never")), 1);
    EXPECT_EQ(DeleteFolderTree(QString()), 1);
}

TEST_F(CrxFileOpsTest, CopyFolderTreeSkipsDotNamesOnly)
{
    ASSERT_TRUE(writeFile(Path("src/a.b"), "dotted inside"));
    ASSERT_TRUE(writeFile(Path("src/.hidden"), "x"));
    ASSERT_TRUE(writeFile(Path("src/.git/config"), "x"));
    ASSERT_TRUE(writeFile(Path("src/sub/deep/file"), "deep"));
    ASSERT_TRUE(QDir(dir).mkpath("src/empty"));

    EXPECT_EQ(CopyFolderTree(Path("src"), Path("dst")), 1);
    EXPECT_EQ(readFile(Path("dst/a.b")), "dotted inside");
    EXPECT_EQ(readFile(Path("dst/sub/deep/file")), "deep");
    EXPECT_EQ(PathKind(Path("dst/empty")), CRX_PATH_FOLDER);
    EXPECT_EQ(PathKind(Path("dst/.hidden")), CRX_PATH_MISSING);
    EXPECT_EQ(PathKind(Path("dst/.git")), CRX_PATH_MISSING);
}

TEST_F(CrxFileOpsTest, CopyFolderTreeRefusesMissingSourceAndCopiesIntoItself)
{
    ASSERT_TRUE(writeFile(Path("src/f"), "x"));
    EXPECT_EQ(CopyFolderTree(Path("missing"), Path("dst")), 0);
    EXPECT_EQ(CopyFolderTree(Path("src"), Path("src/")), 0);
    EXPECT_EQ(CopyFolderTree(Path("src"), Path("src/inner")), 0);
    EXPECT_EQ(PathKind(Path("src/inner")), CRX_PATH_MISSING);
    EXPECT_EQ(CopyFolderTree(QString(), Path("dst")), 0);
}

TEST_F(CrxFileOpsTest, ResetFolderEmptiesOrCreatesWithItsParent)
{
    ASSERT_TRUE(writeFile(Path("base/old"), "x"));
    EXPECT_EQ(ResetFolder(Path("base")), 1);
    EXPECT_TRUE(QDir(Path("base")).isEmpty());

    EXPECT_EQ(ResetFolder(Path("parent/child")), 1);
    EXPECT_EQ(PathKind(Path("parent/child")), CRX_PATH_FOLDER);

    EXPECT_EQ(ResetFolder(QStringLiteral("relative")), 0);

    // A folder behind a link is emptied in place; links inside go unfollowed.
    ASSERT_TRUE(writeFile(Path("real/old/file"), "x"));
    ASSERT_TRUE(writeFile(Path("outside/keep"), "precious"));
    ASSERT_TRUE(QFile::link(Path("outside"), Path("real/link")));
    ASSERT_TRUE(QFile::link(Path("real"), Path("linked")));
    EXPECT_EQ(ResetFolder(Path("linked")), 1);
    EXPECT_TRUE(QFileInfo(Path("linked")).isSymLink());
    EXPECT_TRUE(QDir(Path("real")).isEmpty());
    EXPECT_EQ(readFile(Path("outside/keep")), "precious");
}

TEST_F(CrxFileOpsTest, FileTimeIsUtcToTheSecondAsDateShowsIt)
{
    ASSERT_TRUE(writeFile(Path("f"), "x"));
    // 2017-03-04 05:06:07.9 UTC: the fraction is dropped, not rounded.
    ASSERT_TRUE(platform::setLastWriteTimeNs(Path("f"), 1488603967'900'000'000));
    CrxTime time;
    ASSERT_EQ(ReadFileTime(Path("f"), time), CRX_OK);
    EXPECT_EQ(time, (CrxTime{2017, 3, 4, 5, 6, 7}));

    ASSERT_TRUE(platform::touchLastWriteTime(Path("f")));
    ASSERT_EQ(ReadFileTime(Path("f"), time), CRX_OK);
    const QStringList parts =
        QString::fromLatin1(
            korvane::test::RunTool("date", {"-u", "-r", Path("f"), "+%Y %m %d %H %M %S"}).out)
            .split(' ');
    ASSERT_EQ(parts.size(), 6);
    EXPECT_EQ(time, (CrxTime{parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt(),
                             parts[4].toInt(), parts[5].toInt()}));

    EXPECT_EQ(ReadFileTime(QString(), time), CRX_E_NO_ARCHIVE);
    EXPECT_EQ(ReadFileTime(Path("missing"), time), CRX_E_FILE_ACCESS);
    EXPECT_TRUE(time.IsZero());
    EXPECT_EQ(ReadFileTime(dir, time), CRX_E_FILE_ACCESS);
}

TEST(CrxJoinPathTest, JoinsWithOneSlashAndRefusesPathsTooLong)
{
    struct Case
    {
        QString folder, name, joined;
    };
    for (const Case& c : {Case{"/a", "b", "/a/b"}, Case{"/a/", "b", "/a/b"}, Case{"", "b", "b"},
                          Case{"/a", "", ""}}) {
        QString out = "stale";
        EXPECT_EQ(JoinPath(c.folder, c.name, out), CRX_OK) << c.folder.toStdString();
        EXPECT_EQ(out, c.joined);
    }
    // Far past the old 260-character limit still works.
    QString out;
    EXPECT_EQ(JoinPath(QString(250, 'f'), QString(10, 'n'), out), CRX_OK);
    EXPECT_EQ(out.size(), 261);
    EXPECT_EQ(JoinPath(QString(kCrxMaxPathBytes - 1, 'f'), "n", out), CRX_E_PATH_TOO_LONG);
    EXPECT_TRUE(out.isEmpty());
}

// Hidden and no ".crx": the Open chooser never lists the temporary archive a
// killed save left behind.
TEST_F(CrxFileOpsTest, TemporaryNamesOfOneSecondRunOutAfter9999)
{
    QDir(dir).mkdir("out");
    const QString target = Path("out/target.crx");
    const QDateTime now(QDate(2024, 3, 4), QTime(5, 6, 7));
    QString path;
    ASSERT_EQ(MakeTempArchiveName(target, now, path), 1);
    EXPECT_EQ(path, Path("out/.Trennic0103040506070000.tmp"));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_TRUE(QDir(Path("out")).entryList({"*.crx"}, QDir::Files | QDir::Hidden).isEmpty());
    ASSERT_EQ(MakeTempArchiveName(target, now, path), 1);
    EXPECT_EQ(path, Path("out/.Trennic0103040506070001.tmp"));

    for (int n = 2; n < 9999; ++n) {
        QFile placeholder(Path("out/.Trennic010304050607") +
                          QString::number(n).rightJustified(4, '0') + ".tmp");
        ASSERT_TRUE(placeholder.open(QIODevice::WriteOnly));
    }
    path = "stale";
    EXPECT_EQ(MakeTempArchiveName(target, now, path), 0);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(MakeTempArchiveName(Path("nofolder/target.crx"), now, path), 0);
}

} // namespace
