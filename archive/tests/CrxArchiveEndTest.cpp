// An archive opens exactly as a start-to-end reading of it yields (what tar
// lists), or not at all: the members the unpack takes from the archive's last
// blocks are proven against that reading, and a damaged stream is refused
// whichever way it is decompressed. The archives are crafted here, tar bytes
// put together by hand and compressed stream by stream.

#include "archive/CCrxArchiver.h"
#include "archive/CCrxBzip2Process.h"
#include "archive/QuorvinImport.h"

#include "archive/tests/CrxImportFixture.h"
#include "archive/tests/CrxTestSupport.h"
#include "testsupport/ToolRun.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>

namespace crxendtest {

using crxtest::Bzip2;
using korvane::test::readFile;
using korvane::test::writeFile;

using Members = QList<QPair<QByteArray, QByteArray>>;

const QByteArray kXmlName = "Korvane_REG_DATA.xml";
// Two zero blocks: where tar stops listing.
const QByteArray kEndMark(1024, '\0');
const QByteArray kForgedSchema =
    "CREATE TABLE T(A VARCHAR(4) PRIMARY KEY);\nCREATE TABLE EVIL(A VARCHAR(4));\n";

la_ssize_t AppendTo(archive*, void* data, const void* buffer, size_t size)
{
    static_cast<QByteArray*>(data)->append(static_cast<const char*>(buffer), qsizetype(size));
    return la_ssize_t(size);
}

// The members as a tar writer puts them one after the other, without the end
// mark: a name ending in "/" is a folder.
QByteArray TarMembers(const Members& members)
{
    QByteArray tar;
    archive* writer = archive_write_new();
    archive_write_set_format_ustar(writer);
    archive_write_set_bytes_per_block(writer, 0);
    EXPECT_EQ(archive_write_open(writer, &tar, nullptr, AppendTo, nullptr), ARCHIVE_OK);
    for (const auto& [name, data] : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, name.constData());
        const bool folder = name.endsWith('/');
        archive_entry_set_filetype(entry, folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry, folder ? 0755 : 0644);
        archive_entry_set_size(entry, data.size());
        EXPECT_EQ(archive_write_header(writer, entry), ARCHIVE_OK);
        if (!folder) {
            EXPECT_EQ(archive_write_data(writer, data.constData(), size_t(data.size())),
                      data.size());
        }
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    EXPECT_TRUE(tar.endsWith(kEndMark));
    tar.chop(kEndMark.size());
    return tar;
}

// The stream with one bit of its stored CRC flipped: that of its first block
// (right after "BZh9" and the block magic), or the stream's own at its end
// (its last byte may hold padding).
QByteArray WithBadBlockCrc(QByteArray stream)
{
    stream[10] = char(stream[10] ^ 0x01);
    return stream;
}
QByteArray WithBadStreamCrc(QByteArray stream)
{
    stream[stream.size() - 2] = char(stream[stream.size() - 2] ^ 0x01);
    return stream;
}

// A member whose text ends as the XML's does and whose size matches the
// XML's in its last 512-byte block: where it ends, the archive's last blocks
// read as if the XML ended there.
QByteArray Lookalike(const QByteArray& xml)
{
    const QByteArray end = "</crxparse>\n";
    return crxtest::Prose(512 + (xml.size() - end.size()) % 512, 9) + end;
}

// Takes the first bytes of the XML and wants no more, as the header read.
struct HeaderSink : ICrxMemberSink
{
    bool Take(QByteArrayView bytes) override { return (taken += bytes.size()) < 10; }
    void End() override {}
    qsizetype taken = 0;
};

// Takes the whole XML, as the contents read.
struct WholeSink : ICrxMemberSink
{
    bool Take(QByteArrayView bytes) override
    {
        taken += bytes;
        return true;
    }
    void End() override {}
    QByteArray taken;
};

// Every file and folder below root, by relative path, with a file's size and
// digest.
QString Digest(const QByteArray& bytes)
{
    return QString::number(bytes.size()) + " " +
           QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12);
}
QMap<QString, QString> Tree(const QString& root)
{
    QMap<QString, QString> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        tree[relative] = it.fileInfo().isDir() ? QString("folder") : Digest(readFile(path));
    }
    return tree;
}

// The crafted archives of each kind.
struct Crafted
{
    const char* name;
    QByteArray bytes;
};

QByteArray LongXml(int count = 4000)
{
    // Long enough to span several reads, the header read stops in it.
    QByteArray rows;
    for (int i = 0; i < count; ++i)
        rows += "\t\t<datarec><A>" + QByteArray::number(i % 10) + "</A></datarec>\n";
    return "<?xml version='1.0' encoding='utf-8'?>\n<crxparse>\n\t<fileinfo>\n"
           "\t\t<machinetype>M1</machinetype>\n\t</fileinfo>\n\t<datainfo>\n"
           "\t<dbinfo><tabinfo tabname='NONE'><recinfo>\n" +
           rows + "\t</recinfo></tabinfo></dbinfo>\n\t</datainfo>\n</crxparse>\n";
}

// Members after the tar's end mark, which tar never lists: a schema text
// that would build a table of its own and a media file, behind a member
// that ends as the XML does. Made once: compressing the big member takes a
// while.
const std::vector<Crafted>& MembersOnlyTheEndHolds()
{
    static const std::vector<Crafted> crafted = [] {
        const QByteArray xml = LongXml();
        const QByteArray honest =
            TarMembers({{"blob/", ""}, {"blob/T_0.blob", "1"}, {kXmlName, xml}});
        const QByteArray forged = TarMembers({{"junk.txt", Lookalike(xml)},
                                              {"Schema.txt", kForgedSchema},
                                              {"additionals/evil.txt", "evil"}});
        // More than the end's reading decodes: the XML's own end is never
        // met there.
        const QByteArray big =
            TarMembers({{"additionals/big.bin", crxtest::Prose((8 << 20) + 4096, 11)}});
        return std::vector<Crafted>{
            {"same stream", Bzip2(honest + kEndMark + forged + kEndMark)},
            {"second stream", Bzip2(honest + kEndMark) + Bzip2(forged + kEndMark)},
            {"after a big member", Bzip2(honest + big + kEndMark) + Bzip2(forged + kEndMark)},
        };
    }();
    return crafted;
}

// Archives whose last stream is damaged: a CRC error in it, the stream
// beginning at a member boundary (decoded after the short one before it, and
// long after the tar's end mark), or the one stream's own check at its end.
std::vector<Crafted> DamagedLastStreams(const QByteArray& schema)
{
    const QByteArray head =
        TarMembers({{"blob/", ""}, {"blob/T_0.blob", "1"}, {kXmlName, LongXml(100)}});
    const QByteArray last =
        TarMembers({{"Schema.txt", schema}, {"additionals/a.txt", "media"}}) + kEndMark;
    const QByteArray zeros(256 << 10, '\0');
    return {
        {"block CRC of the last stream", Bzip2(head) + WithBadBlockCrc(Bzip2(last))},
        {"stream CRC of the last stream", Bzip2(head) + WithBadStreamCrc(Bzip2(last))},
        {"stream CRC past the end mark", Bzip2(head) + WithBadStreamCrc(Bzip2(last + zeros))},
        {"stream CRC of the one stream", WithBadStreamCrc(Bzip2(head + last))},
    };
}

// Runs every test with lbzip2 and with the in-process bzip2.
class CrxArchiveEndTest : public crxtest::ImportFixture, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        if (!GetParam())
            CCrxBzip2Process::SetProgram(QString());
        // lbzip2 comes with the install script; a silent fallback would test
        // one way twice.
        ASSERT_EQ(CCrxArchiver().UsesParallel(), GetParam());
    }
    void TearDown() override { CCrxBzip2Process::SetProgram(m_program); }

    // What GNU tar lists of the archive; ok false when it fails.
    QStringList TarList(const QString& archive, bool& ok) const
    {
        const korvane::test::ToolResult tar = korvane::test::RunTool("tar", {"-tjf", archive});
        ok = tar.exitCode == 0;
        return QString::fromUtf8(tar.out).split('\n', Qt::SkipEmptyParts);
    }

    // What a start-to-end reading of the archive unpacks (libarchive), the
    // XML with it: the tree an open must stand on, or CRX_E_UNPACK.
    CrxResult StartToEnd(const QString& path, QMap<QString, QString>& tree)
    {
        const QString folder = Path("whole");
        EXPECT_EQ(ResetFolder(folder), 1);
        archive* reader = archive_read_new();
        archive_read_support_filter_bzip2(reader);
        archive_read_support_format_tar(reader);
        CrxResult rc = archive_read_open_filename(reader, QFile::encodeName(path).constData(),
                                                  1 << 16) == ARCHIVE_OK
                           ? CRX_OK
                           : CRX_E_UNPACK;
        archive_entry* entry = nullptr;
        while (rc == CRX_OK) {
            const int next = archive_read_next_header(reader, &entry);
            if (next == ARCHIVE_EOF)
                break;
            if (next != ARCHIVE_OK) {
                rc = CRX_E_UNPACK;
                break;
            }
            const QString target = folder + "/" + QString::fromUtf8(archive_entry_pathname(entry));
            if (archive_entry_filetype(entry) == AE_IFDIR) {
                QDir().mkpath(target);
                continue;
            }
            QByteArray data;
            char buffer[65536];
            la_ssize_t n = 0;
            while ((n = archive_read_data(reader, buffer, sizeof buffer)) > 0)
                data.append(buffer, n);
            if (n < 0)
                rc = CRX_E_UNPACK;
            EXPECT_TRUE(writeFile(target, data));
        }
        archive_read_free(reader);
        tree = Tree(folder);
        return rc;
    }

    // The archiver's open: the header read's unpack, which may take what
    // follows the XML from the archive's end, then the contents read, which
    // reads the XML and proves the rest. The unpack folder with the XML as
    // it was read in place of its stand-in, or the first failure.
    CrxResult ArchiverOpen(const QString& archive, QMap<QString, QString>& tree)
    {
        const QString unpack = Path("unpack");
        EXPECT_EQ(ResetFolder(unpack), 1);
        CCrxArchiver archiver;
        archiver.SetMemberEnd("</crxparse>");
        HeaderSink header;
        if (CrxResult rc = archiver.UnpackStreaming(archive, unpack, kXmlName, &header)) {
            EXPECT_TRUE(QDir(unpack).isEmpty());
            return rc;
        }
        WholeSink xml;
        bool found = false;
        if (CrxResult rc = archiver.ReadMember(archive, kXmlName, xml, found, unpack))
            return rc;
        EXPECT_TRUE(found);
        tree = Tree(unpack);
        EXPECT_EQ(tree.value(kXmlName), Digest(QByteArray())); // its stand-in
        tree[kXmlName] = Digest(xml.taken);
        return CRX_OK;
    }

    // The open's three steps on the model "MODEL1" of the folder "res".
    CrxResult OpenAsTheLauncherDoes(const QString& archive)
    {
        CrxResult rc = Header(archive);
        if (rc == CRX_OK)
            rc = CrxImportInitSettingDB(archive, Base(), Path("res"), "MODEL1");
        if (rc == CRX_OK)
            rc = Contents(archive);
        return rc;
    }

    const QString m_program = CCrxBzip2Process::Program();
};

INSTANTIATE_TEST_SUITE_P(Ways, CrxArchiveEndTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "lbzip2" : "inprocess"; });

TEST_P(CrxArchiveEndTest, WhatOnlyTheEndHoldsIsNeverTaken)
{
    for (const Crafted& crafted : MembersOnlyTheEndHolds()) {
        const QString archive = Path("crafted.crx");
        ASSERT_TRUE(writeFile(archive, crafted.bytes));
        // tar lists neither the schema text nor the media file.
        bool listed = false;
        const QStringList members = TarList(archive, listed);
        ASSERT_TRUE(members.contains(kXmlName)) << crafted.name;
        EXPECT_FALSE(members.contains("Schema.txt")) << crafted.name;
        EXPECT_FALSE(members.contains("additionals/evil.txt")) << crafted.name;
        QMap<QString, QString> whole;
        ASSERT_EQ(StartToEnd(archive, whole), CRX_OK) << crafted.name;

        QMap<QString, QString> opened;
        const CrxResult rc = ArchiverOpen(archive, opened);
        if (rc == CRX_OK) {
            EXPECT_EQ(opened, whole) << crafted.name;
        } else {
            EXPECT_EQ(rc, CRX_E_UNPACK) << crafted.name;
        }
        EXPECT_NE(opened.value("Schema.txt"), Digest(kForgedSchema)) << crafted.name;

        // An unpack alone reads from start to end.
        QMap<QString, QString> unpacked;
        ASSERT_EQ(ResetFolder(Path("unpack")), 1);
        ASSERT_EQ(CCrxArchiver().Unpack(archive, Path("unpack")), CRX_OK) << crafted.name;
        EXPECT_EQ(Tree(Path("unpack")), whole) << crafted.name;
    }
}

TEST_P(CrxArchiveEndTest, AnOpenNeverKeepsWhatOnlyTheEndHolds)
{
    crxtest::ScopedWait noPause;
    // The model's template: the archive carries no schema text of its own.
    Exec(Path("res/SETTING.DB"), {});
    Exec(Path("res/MODEL1/SETTING.DB"), {"CREATE TABLE T(A VARCHAR(4) PRIMARY KEY)"});
    for (const Crafted& crafted : MembersOnlyTheEndHolds()) {
        const QString archive = Path("crafted.crx");
        ASSERT_TRUE(writeFile(archive, crafted.bytes));
        const CrxResult rc = OpenAsTheLauncherDoes(archive);
        if (rc == CRX_OK) {
            EXPECT_EQ(Rows(SettingDb(), "T"), QStringList()) << crafted.name;
        } else {
            EXPECT_EQ(rc, CRX_E_UNPACK) << crafted.name;
        }
        // What only the end holds reached neither the work database nor the
        // base folder.
        if (QFile::exists(SettingDb())) {
            EXPECT_FALSE(Sqlite3(SettingDb(), ".tables").contains("EVIL")) << crafted.name;
        }
        EXPECT_FALSE(QFile::exists(Base() + "/Schema.txt")) << crafted.name;
        EXPECT_FALSE(QFile::exists(Base() + "/additionals/evil.txt")) << crafted.name;
    }
}

TEST_P(CrxArchiveEndTest, ADamagedStreamNeverOpens)
{
    for (const Crafted& crafted : DamagedLastStreams(crxtest::Prose(400000, 6))) {
        const QString archive = Path("damaged.crx");
        ASSERT_TRUE(writeFile(archive, crafted.bytes));
        // bzip2 finds the damage (tar, which stops reading at its end mark,
        // may not).
        ASSERT_NE(korvane::test::RunTool("bzip2", {"-tq", archive}).exitCode, 0) << crafted.name;

        ASSERT_EQ(ResetFolder(Path("unpack")), 1);
        EXPECT_EQ(CCrxArchiver().Unpack(archive, Path("unpack")), CRX_E_UNPACK) << crafted.name;
        EXPECT_TRUE(QDir(Path("unpack")).isEmpty()) << crafted.name;
        QMap<QString, QString> opened;
        EXPECT_EQ(ArchiverOpen(archive, opened), CRX_E_UNPACK) << crafted.name;
    }
}

TEST_P(CrxArchiveEndTest, AnOpenOfADamagedStreamKeepsNothing)
{
    crxtest::ScopedWait noPause;
    Exec(Path("res/SETTING.DB"), {});
    const QByteArray schema =
        "CREATE TABLE T(A VARCHAR(4) PRIMARY KEY);\n/*" + crxtest::Prose(400000, 6) + "*/\n";
    for (const Crafted& crafted : DamagedLastStreams(schema)) {
        const QString archive = Path("damaged.crx");
        ASSERT_TRUE(writeFile(archive, crafted.bytes));
        EXPECT_EQ(OpenAsTheLauncherDoes(archive), CRX_E_UNPACK) << crafted.name;
        EXPECT_FALSE(QFile::exists(Base() + "/additionals/a.txt")) << crafted.name;
    }
}

// The archives the library writes itself open as before, both ways, with
// the members after the XML taken from the end and proven.
TEST_P(CrxArchiveEndTest, OwnArchivesOpenAsTarListsThem)
{
    const QByteArray xml = LongXml();
    const QByteArray schema = crxtest::Prose(30000, 12);
    ASSERT_TRUE(writeFile(Path("src/" + kXmlName), xml));
    ASSERT_TRUE(writeFile(Path("src/Schema.txt"), schema));
    ASSERT_TRUE(writeFile(Path("src/blob/T_0.blob"), "1"));
    ASSERT_TRUE(writeFile(Path("src/additionals/Orbanel/Setting/pref.xml"), "<p/>"));
    ASSERT_TRUE(QDir().mkpath(Path("src/additionals/Orbanel/Movie")));
    ASSERT_EQ(CCrxArchiver().Pack(Path("src"), Path("own.crx")), CRX_OK);
    QMap<QString, QString> whole, opened;
    ASSERT_EQ(StartToEnd(Path("own.crx"), whole), CRX_OK);
    ASSERT_EQ(ArchiverOpen(Path("own.crx"), opened), CRX_OK);
    EXPECT_EQ(opened, whole);
    EXPECT_EQ(opened.value("Schema.txt"), Digest(schema));
}

} // namespace crxendtest
