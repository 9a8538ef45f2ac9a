#include "archive/CCrxArchiver.h"

#include "archive/CrxDiskReserve.h"
#include "archive/CrxFileOps.h"
#include "archive/tests/CrxScratchFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>

#include <chrono>
#include <thread>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

class CCrxArchiverTest : public crxtest::ScratchFixture
{
protected:
    // Runs GNU tar in the scratch folder; its standard output.
    QString Tar(const QStringList& args, const QString& workDir = QString()) const
    {
        QProcess tar;
        tar.setWorkingDirectory(workDir.isEmpty() ? dir : workDir);
        tar.start("tar", args);
        EXPECT_TRUE(tar.waitForFinished(60000));
        EXPECT_EQ(tar.exitCode(), 0) << tar.readAllStandardError().toStdString();
        return QString::fromUtf8(tar.readAllStandardOutput());
    }

    // A fresh, empty unpack folder.
    QString UnpackFolder(const QString& name = "unpack") const
    {
        EXPECT_EQ(ResetFolder(Path(name)), 1);
        return Path(name);
    }

    static QByteArray Checksum(const QString& path)
    {
        return QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256);
    }

    // A setting-archive-like folder: XML, a blob, an empty folder, a name
    // with blanks and one beyond ASCII.
    void MakeTree(const QString& root) const
    {
        ASSERT_TRUE(writeFile(root + "/Korvane_REG_DATA.xml", "<?xml version='1.0'?>\n<crxparse />\n"));
        ASSERT_TRUE(writeFile(root + "/blob/CSB008_0.blob", QByteArray("\0\1\2\xff", 4)));
        ASSERT_TRUE(QDir(root).mkpath("additionals/Orbanel/Movie"));
        ASSERT_TRUE(writeFile(root + "/additionals/Orbanel/Setting/a file é.xml", "media"));
    }
};

TEST_F(CCrxArchiverTest, PackedArchiveListsAndExtractsWithGnuTar)
{
    MakeTree(Path("src"));
    CCrxArchiver archiver;
    ASSERT_EQ(archiver.Pack(Path("src"), Path("out put.crx")), CRX_OK);

    const QStringList members = Tar({"-tjf", Path("out put.crx")}).split('\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(members.contains("Korvane_REG_DATA.xml"));
    EXPECT_TRUE(members.contains("blob/"));
    EXPECT_TRUE(members.contains("additionals/Orbanel/Movie/")); // empty folder kept
    for (const QString& member : members)
        EXPECT_FALSE(member.startsWith('/') || member.startsWith("./")) << member.toStdString();

    QDir(dir).mkdir("gnu");
    Tar({"-xjf", Path("out put.crx")}, Path("gnu"));
    EXPECT_EQ(readFile(Path("gnu/blob/CSB008_0.blob")), QByteArray("\0\1\2\xff", 4));
    EXPECT_EQ(readFile(Path("gnu/additionals/Orbanel/Setting/a file é.xml")), "media");
    EXPECT_TRUE(QDir(Path("gnu/additionals/Orbanel/Movie")).exists());
}

TEST_F(CCrxArchiverTest, UnpacksWhatGnuTarPacked)
{
    MakeTree(Path("src"));
    ASSERT_TRUE(writeFile(Path("src/empty/.keep"), ""));
    QFile::remove(Path("src/empty/.keep"));
    // Both ways a Windows or Linux tar is typically run: "*" and ".".
    QStringList entries = QDir(Path("src")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Tar(QStringList{"-cjf", Path("star.crx")} + entries, Path("src"));
    Tar({"-cjf", Path("dot.crx"), "."}, Path("src"));

    for (const char* archive : {"star.crx", "dot.crx"}) {
        const QString unpack = UnpackFolder();
        CCrxArchiver archiver;
        ASSERT_EQ(archiver.Unpack(Path(archive), unpack), CRX_OK) << archive;
        EXPECT_EQ(readFile(unpack + "/Korvane_REG_DATA.xml"),
                  readFile(Path("src/Korvane_REG_DATA.xml")));
        EXPECT_EQ(readFile(unpack + "/additionals/Orbanel/Setting/a file é.xml"), "media");
        EXPECT_TRUE(QDir(unpack + "/empty").exists());
        EXPECT_TRUE(QDir(unpack + "/additionals/Orbanel/Movie").exists());
    }
}

TEST_F(CCrxArchiverTest, RefusesWhatIsNoBzip2Tar)
{
    ASSERT_TRUE(writeFile(Path("src/f"), "data"));
    Tar({"-czf", Path("gzip.crx"), "-C", Path("src"), "f"});
    Tar({"-cf", Path("plain.tar"), "-C", Path("src"), "f"});
    ASSERT_TRUE(writeFile(Path("text.crx"), "just a text file, no archive\n"));
    ASSERT_TRUE(writeFile(Path("empty.crx"), ""));
    Tar({"-cjf", Path("whole.crx"), "-C", Path("src"), "f"});
    ASSERT_TRUE(writeFile(Path("truncated.crx"), readFile(Path("whole.crx")).left(40)));

    for (const char* archive :
         {"gzip.crx", "plain.tar", "text.crx", "empty.crx", "truncated.crx", "missing.crx"}) {
        CCrxArchiver archiver;
        EXPECT_EQ(archiver.Unpack(Path(archive), UnpackFolder()), CRX_E_UNPACK) << archive;
    }
}

TEST_F(CCrxArchiverTest, RefusesEntriesThatLeaveTheFolderOrAreNoPlainFiles)
{
    ASSERT_TRUE(writeFile(Path("src/x"), "evil"));
    ASSERT_TRUE(writeFile(Path("src/a"), "a"));
    ASSERT_TRUE(QFile::link("/etc/passwd", Path("src/link")));
    ASSERT_EQ(::link(QFile::encodeName(Path("src/a")).constData(),
                     QFile::encodeName(Path("src/hard")).constData()),
              0);
    ASSERT_EQ(QProcess::execute("mkfifo", {Path("src/fifo")}), 0);
    const QString absolute = Path("abs/x");

    Tar({"-cjf", Path("dotdot.crx"), "-P", "--transform", "s,^x$,../x,", "x"}, Path("src"));
    Tar({"-cjf", Path("backslash.crx"), "-P", "--transform", "s,^x$,..\\\\x,", "x"}, Path("src"));
    Tar({"-cjf", Path("deep.crx"), "-P", "--transform", "s,^x$,blob/../../x,", "x"}, Path("src"));
    Tar({"-cjf", Path("absolute.crx"), "-P", "--transform", "s,^x$," + absolute + ",", "x"},
        Path("src"));
    Tar({"-cjf", Path("symlink.crx"), "link"}, Path("src"));
    Tar({"-cjf", Path("hardlink.crx"), "a", "hard"}, Path("src"));
    Tar({"-cjf", Path("fifo.crx"), "fifo"}, Path("src"));
    ASSERT_TRUE(Tar({"-tvjf", Path("dotdot.crx")}).contains("../x"));

    for (const char* archive : {"dotdot.crx", "backslash.crx", "deep.crx", "absolute.crx",
                                "symlink.crx", "hardlink.crx", "fifo.crx"}) {
        QDir(dir).mkpath("box");
        const QString unpack = Path("box/unpack");
        ASSERT_EQ(ResetFolder(unpack), 1);
        CCrxArchiver archiver;
        EXPECT_EQ(archiver.Unpack(Path(archive), unpack), CRX_E_UNPACK) << archive;
        // Nothing beside the unpack folder, nothing at the absolute path.
        EXPECT_EQ(QDir(Path("box")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{"unpack"})
            << archive;
        EXPECT_EQ(PathKind(Path("x")), CRX_PATH_MISSING) << archive;
        EXPECT_EQ(PathKind(absolute), CRX_PATH_MISSING) << archive;
        EXPECT_EQ(PathKind(unpack + "/link"), CRX_PATH_MISSING) << archive;
    }
}

TEST_F(CCrxArchiverTest, StopsPastTheSizeLimit)
{
    // 64 MiB of zeros packs into a few hundred bytes of bzip2.
    QFile zeros(Path("src/zeros"));
    QDir(dir).mkdir("src");
    ASSERT_TRUE(zeros.open(QIODevice::WriteOnly));
    ASSERT_TRUE(zeros.resize(64 << 20));
    zeros.close();
    Tar({"-cjf", Path("bomb.crx"), "zeros"}, Path("src"));
    ASSERT_LT(QFileInfo(Path("bomb.crx")).size(), 4096);

    CCrxArchiver archiver;
    EXPECT_EQ(archiver.UnpackLimitFor(1000), qint64(2) << 30);
    EXPECT_EQ(archiver.UnpackLimitFor(qint64(100) << 20), qint64(20000) << 20);
    archiver.SetUnpackLimit(8 << 20);
    EXPECT_EQ(archiver.Unpack(Path("bomb.crx"), UnpackFolder()), CRX_E_UNPACK);
    EXPECT_LE(QFileInfo(Path("unpack/zeros")).size(), 8 << 20);
}

TEST_F(CCrxArchiverTest, AbortDuringPackLeavesTheTargetAndNoTemporaryArchive)
{
    // Random bytes: bzip2 takes seconds over them.
    QByteArray noise(48 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    ASSERT_TRUE(writeFile(Path("src/noise"), noise));
    ASSERT_TRUE(writeFile(Path("out/target.crx"), "the previous archive"));
    const QByteArray before = Checksum(Path("out/target.crx"));

    CrxAbortFlag abort{0};
    CCrxArchiver archiver;
    archiver.SetAbortFlag(&abort);
    QElapsedTimer timer;
    std::thread canceller([&abort] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        abort = 1;
    });
    timer.start();
    const CrxResult rc = archiver.PackToTarget(Path("src"), Path("out/target.crx"));
    const qint64 elapsed = timer.elapsed();
    canceller.join();

    EXPECT_EQ(rc, CRX_E_CANCELLED);
    EXPECT_LT(elapsed, 1300);
    EXPECT_EQ(Checksum(Path("out/target.crx")), before);
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files), QStringList{"target.crx"});
}

// A failed pack once leaked the compressor's megabytes (the sanitizer build
// reports it here); the file it leaves never reads as an archive.
TEST_F(CCrxArchiverTest, CancelledPackLeavesAnEmptyFileAndReleasesTheCompressor)
{
    MakeTree(Path("src"));
    const CrxAbortFlag abort{1};
    CCrxArchiver archiver;
    archiver.SetAbortFlag(&abort);
    EXPECT_EQ(archiver.Pack(Path("src"), Path("cancelled.crx")), CRX_E_CANCELLED);
    EXPECT_TRUE(readFile(Path("cancelled.crx")).isEmpty());
    EXPECT_EQ(CCrxArchiver().Unpack(Path("cancelled.crx"), UnpackFolder()), CRX_E_UNPACK);
}

TEST_F(CCrxArchiverTest, AbortDuringUnpackStops)
{
    ASSERT_TRUE(writeFile(Path("src/f"), "data"));
    Tar({"-cjf", Path("a.crx"), "f"}, Path("src"));
    CrxAbortFlag abort{1};
    CCrxArchiver archiver;
    archiver.SetAbortFlag(&abort);
    EXPECT_EQ(archiver.Unpack(Path("a.crx"), UnpackFolder()), CRX_E_CANCELLED);
    abort = 2; // only bit 0 counts
    EXPECT_EQ(archiver.Unpack(Path("a.crx"), UnpackFolder()), CRX_OK);
    archiver.SetAbortFlag(nullptr);
    abort = 1;
    EXPECT_EQ(archiver.Unpack(Path("a.crx"), UnpackFolder()), CRX_OK);
}

// Writes a bzip2 ustar archive whose members carry the given raw name bytes,
// as another system's tar writes them.
void WriteRawNameArchive(const QString& path, const QList<QPair<QByteArray, QByteArray>>& members)
{
    archive* writer = archive_write_new();
    archive_write_add_filter_bzip2(writer);
    archive_write_set_format_ustar(writer);
    ASSERT_EQ(archive_write_open_filename(writer, QFile::encodeName(path).constData()), ARCHIVE_OK);
    for (const auto& [name, data] : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, name.constData());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, data.size());
        EXPECT_EQ(archive_write_header(writer, entry), ARCHIVE_OK);
        EXPECT_EQ(archive_write_data(writer, data.constData(), size_t(data.size())), data.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
}

// A Windows tar writes names in CP932; read as broken UTF-8 two of them once
// became one file, the second overwriting the first.
TEST_F(CCrxArchiverTest, NamesFromOtherSystemsAreDecodedAndNeverShareAFile)
{
    const QByteArray a("\x82\xa0.jpg"); // "あ.jpg" in CP932
    const QByteArray i("\x82\xa2.jpg"); // "い.jpg"
    const QByteArray imageA("\xff\xd8 a\x00", 5);
    const QByteArray imageI("\xff\xd8 i\x01", 5);
    WriteRawNameArchive(Path("cp932.crx"), {{"Korvane_REG_DATA.xml", "<crxparse/>"},
                                           {"additionals/" + a, imageA},
                                           {"additionals/" + i, imageI}});
    CCrxArchiver archiver;
    ASSERT_EQ(archiver.Unpack(Path("cp932.crx"), UnpackFolder()), CRX_OK);
    EXPECT_EQ(readFile(Path("unpack/additionals/\u3042.jpg")), imageA);
    EXPECT_EQ(readFile(Path("unpack/additionals/\u3044.jpg")), imageI);

    // One name twice, or two names that decode alike: the unpack fails and
    // leaves nothing.
    const QList<QPair<QByteArray, QByteArray>> clashes[] = {
        {{a, imageA}, {QString("\u3042.jpg").toUtf8(), imageI}},
        {{"blob/T_0.blob", "1"}, {"blob/T_0.blob", "2"}},
    };
    for (const auto& members : clashes) {
        WriteRawNameArchive(Path("clash.crx"), members);
        EXPECT_EQ(archiver.Unpack(Path("clash.crx"), UnpackFolder()), CRX_E_UNPACK);
        EXPECT_TRUE(QDir(Path("unpack")).isEmpty());
    }
}

// The size limit alone would fill a smaller disk first: the unpack stops
// where the file system's reserve begins, and takes back what it wrote.
TEST_F(CCrxArchiverTest, UnpackStopsAtTheFileSystemsReserveAndLeavesNothing)
{
    EXPECT_EQ(CrxDiskReserve::ReserveFor(qint64(1) << 30), qint64(256) << 20);
    EXPECT_EQ(CrxDiskReserve::ReserveFor(qint64(100) << 30), qint64(5) << 30);

    QByteArray data(4 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
    ASSERT_TRUE(writeFile(Path("src/Korvane_REG_DATA.xml"), "<crxparse/>"));
    ASSERT_TRUE(writeFile(Path("src/additionals/Orbanel/Movie/m.mp4"), data));
    CCrxArchiver archiver;
    ASSERT_EQ(archiver.Pack(Path("src"), Path("media.crx")), CRX_OK);

    const qint64 total = qint64(1) << 30;
    qint64 free = 0;
    const CrxFreeSpaceFunction previous = SetCrxFreeSpace([&free, total](const QString&) {
        return std::optional<CrxDiskSpace>(CrxDiskSpace{free, total});
    });
    free = CrxDiskReserve::ReserveFor(total) + (1 << 20);
    EXPECT_EQ(archiver.Unpack(Path("media.crx"), UnpackFolder()), CRX_E_UNPACK);
    EXPECT_TRUE(QDir(Path("unpack")).isEmpty());
    free = CrxDiskReserve::ReserveFor(total) + (8 << 20);
    EXPECT_EQ(archiver.Unpack(Path("media.crx"), UnpackFolder()), CRX_OK);
    SetCrxFreeSpace(previous);
    EXPECT_EQ(readFile(Path("unpack/additionals/Orbanel/Movie/m.mp4")), data);
}

TEST_F(CCrxArchiverTest, PackToTargetReplacesOnlyOnSuccess)
{
    MakeTree(Path("src"));
    ASSERT_TRUE(writeFile(Path("out/target.crx"), "old"));
    QFile::setPermissions(Path("out/target.crx"), QFile::ReadOwner);
    CCrxArchiver archiver;
    ASSERT_EQ(archiver.PackToTarget(Path("src"), Path("out/target.crx")), CRX_OK);
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files), QStringList{"target.crx"});
    const QString unpack = UnpackFolder();
    ASSERT_EQ(archiver.Unpack(Path("out/target.crx"), unpack), CRX_OK);
    EXPECT_EQ(readFile(unpack + "/blob/CSB008_0.blob"), QByteArray("\0\1\2\xff", 4));

    // A source that is gone: the target stays as it was.
    const QByteArray before = Checksum(Path("out/target.crx"));
    EXPECT_EQ(archiver.PackToTarget(Path("gone"), Path("out/target.crx")), CRX_E_PACK);
    EXPECT_EQ(Checksum(Path("out/target.crx")), before);
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files), QStringList{"target.crx"});

    // A folder in the target's place cannot be replaced.
    QDir(dir).mkpath("out/folder.crx/inside");
    EXPECT_EQ(archiver.PackToTarget(Path("src"), Path("out/folder.crx")), CRX_E_REPLACE_TARGET);
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files), QStringList{"target.crx"});
}

TEST_F(CCrxArchiverTest, TemporaryNamesOfOneSecondRunOutAfter9999)
{
    QDir(dir).mkdir("out");
    const QString target = Path("out/target.crx");
    const QDateTime now(QDate(2024, 3, 4), QTime(5, 6, 7));
    QString path;
    ASSERT_EQ(CCrxArchiver::MakeTempArchiveName(target, now, path), 1);
    EXPECT_EQ(path, Path("out/Trennic0103040506070000.crx"));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    ASSERT_EQ(CCrxArchiver::MakeTempArchiveName(target, now, path), 1);
    EXPECT_EQ(path, Path("out/Trennic0103040506070001.crx"));

    for (int n = 2; n < 9999; ++n) {
        QFile placeholder(Path("out/Trennic010304050607") +
                          QString::number(n).rightJustified(4, '0') + ".crx");
        ASSERT_TRUE(placeholder.open(QIODevice::WriteOnly));
    }
    path = "stale";
    EXPECT_EQ(CCrxArchiver::MakeTempArchiveName(target, now, path), 0);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(CCrxArchiver::MakeTempArchiveName(Path("nofolder/target.crx"), now, path), 0);
}

} // namespace
