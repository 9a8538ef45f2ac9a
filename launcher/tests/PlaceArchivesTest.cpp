// Finished archives reach their names whole or not at all: a failure at any
// step leaves every old archive as it was and no stray file beside it.
#include "launcher/PlaceArchives.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/TestFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace tovanel::test {

namespace {

using korvane::test::readFile;
using korvane::test::writeFile;

struct FaultGuard
{
    explicit FaultGuard(PlaceFault fault) { SetPlaceFault(std::move(fault)); }
    ~FaultGuard() { SetPlaceFault({}); }
};

class PlaceArchivesTest : public testing::Test
{
protected:
    // The two finished archives in sourceFolder, the old ones (when wanted)
    // at their names.
    QList<ArchiveMove> Prepare(const QString& sourceFolder, bool oldTargets)
    {
        const QList<ArchiveMove> moves{{sourceFolder + "/CEP0001.tmp", Target("SUB_x.crx")},
                                       {sourceFolder + "/CEP0002.tmp", Target("x.crx")}};
        EXPECT_TRUE(writeFile(moves[0].source, "new partial"));
        EXPECT_TRUE(writeFile(moves[1].source, "new full"));
        EXPECT_TRUE(QDir().mkpath(m_folders.scratch() + "/out"));
        for (const ArchiveMove& move : moves) {
            QFile::remove(move.target);
            if (oldTargets) {
                EXPECT_TRUE(
                    writeFile(move.target, "old " + QFileInfo(move.target).fileName().toUtf8()));
            }
        }
        return moves;
    }

    QString Target(const QString& name) const { return m_folders.scratch() + "/out/" + name; }

    QStringList TargetFolder() const
    {
        return QDir(m_folders.scratch() + "/out").entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    korvane::test::TestFolders m_folders;
};

TEST_F(PlaceArchivesTest, EveryArchiveReachesItsNameAndTheSourcesAreGone)
{
    QTemporaryDir otherFileSystem(QStringLiteral("/dev/shm/place-XXXXXX"));
    for (const QString& sourceFolder :
         {m_folders.scratch() + "/work",
          otherFileSystem.isValid() ? otherFileSystem.path() : m_folders.scratch() + "/w2"}) {
        for (const bool oldTargets : {false, true}) {
            SCOPED_TRACE(sourceFolder.toStdString() + (oldTargets ? " over old" : " new"));
            const QList<ArchiveMove> moves = Prepare(sourceFolder, oldTargets);
            if (oldTargets) {
                ASSERT_EQ(::chmod(QFile::encodeName(moves[1].target).constData(), 0640), 0);
            }
            ASSERT_EQ(PlaceArchives(moves), 0);
            EXPECT_EQ(readFile(moves[0].target), "new partial");
            EXPECT_EQ(readFile(moves[1].target), "new full");
            EXPECT_FALSE(QFileInfo::exists(moves[0].source));
            EXPECT_FALSE(QFileInfo::exists(moves[1].source));
            EXPECT_EQ(TargetFolder(), QStringList({"SUB_x.crx", "x.crx"}));
            // A replaced archive keeps the old one's permissions.
            struct stat st;
            ASSERT_EQ(::stat(QFile::encodeName(moves[1].target).constData(), &st), 0);
            if (oldTargets) {
                EXPECT_EQ(st.st_mode & 0777, 0640u);
            }
        }
    }
}

TEST_F(PlaceArchivesTest, AFailureAtAnyStepLeavesEveryOldArchive)
{
    const struct
    {
        const char* what;
        PlaceStep step;
        const char* target;
    } cases[] = {
        {"writing the partial archive beside its name", PlaceStep::Stage, "SUB_x.crx"},
        {"writing the full archive beside its name", PlaceStep::Stage, "x.crx"},
        {"renaming the partial archive", PlaceStep::Rename, "SUB_x.crx"},
        {"renaming the full archive after the partial one", PlaceStep::Rename, "x.crx"},
    };
    for (const auto& c : cases) {
        for (const bool oldTargets : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (oldTargets ? " over old" : " new"));
            const QList<ArchiveMove> moves = Prepare(m_folders.scratch() + "/work", oldTargets);
            const QString failing = Target(c.target);
            FaultGuard fault([&](PlaceStep step, const QString& target) {
                return step == c.step && target == failing ? EACCES : 0;
            });
            EXPECT_EQ(PlaceArchives(moves), EACCES);
            if (oldTargets) {
                EXPECT_EQ(readFile(moves[0].target), "old SUB_x.crx");
                EXPECT_EQ(readFile(moves[1].target), "old x.crx");
                EXPECT_EQ(TargetFolder(), QStringList({"SUB_x.crx", "x.crx"}));
            } else {
                EXPECT_EQ(TargetFolder(), QStringList());
            }
            EXPECT_FALSE(QFileInfo::exists(moves[0].source));
            EXPECT_FALSE(QFileInfo::exists(moves[1].source));
        }
    }
}

TEST_F(PlaceArchivesTest, AMissingTargetFolderGivesItsErrorNumber)
{
    ASSERT_TRUE(writeFile(m_folders.scratch() + "/work/CEP0001.tmp", "new"));
    EXPECT_EQ(PlaceArchives({{m_folders.scratch() + "/work/CEP0001.tmp",
                              m_folders.scratch() + "/missing/x.crx"}}),
              ENOENT);
    EXPECT_FALSE(QFileInfo::exists(m_folders.scratch() + "/work/CEP0001.tmp"));
}

} // namespace

} // namespace tovanel::test
