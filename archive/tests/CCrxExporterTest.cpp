#include "archive/CCrxExporter.h"

#include "archive/CCrxDb.h"
#include "archive/CCrxDirEnv.h"
#include "archive/CrxExportWalk.h"
#include "archive/tests/CrxTestSupport.h"
#include "testsupport/TestFolders.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

class CCrxExporterTest : public ::testing::Test
{
protected:
    korvane::test::TestFolders folders;
    QString base = folders.scratch() + "/base";
    QString archive = folders.scratch() + "/out.crx";
    CCrxDirEnv env;
    CCrxDb setting;
    CCrxDb customer;
    CCrxExporter exporter{env, setting, customer};

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(base));
        ASSERT_TRUE(writeFile(base + "/SETTING.DB", QByteArray()));
    }
    CrxResult Prepare(const QString& extra = QString(), const QStringList* replace = nullptr,
                      const QStringList* diff = nullptr, CrxMediaSwitches media = {})
    {
        return exporter.PrepareExport(base, archive, nullptr, 2, extra, nullptr, replace, diff,
                                      media);
    }
    QStringList Unpacked(const QString& sub) const
    {
        return QDir(base + "/Quorvin/" + sub)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(CCrxExporterTest, PreparationRefusesWhatCannotMakeAnArchive)
{
    EXPECT_EQ(exporter.PrepareExport(base, QString(), nullptr, 1, QString(), nullptr, nullptr,
                                     nullptr, {}),
              CRX_E_NO_ARCHIVE);
    EXPECT_EQ(Prepare(folders.scratch() + "/missing.092"), CRX_E_EXTRA_FILE);
    EXPECT_EQ(Prepare(base), CRX_E_EXTRA_FILE); // a folder is no extra file
    setting.Close();
    customer.Close();
    ASSERT_TRUE(QFile::remove(base + "/SETTING.DB"));
    EXPECT_EQ(Prepare(), CRX_E_NO_SETTINGDB);
}

TEST_F(CCrxExporterTest, UnpackFolderGetsBlobFolderExtraFileAndCustomerDatabase)
{
    const QString extra = folders.scratch() + "/oes.dat";
    ASSERT_TRUE(writeFile(extra, QByteArray("\x00\xff set data", 11)));
    ASSERT_TRUE(writeFile(base + "/Quorvin/stale.txt", "left from before"));
    ASSERT_EQ(Prepare(extra), CRX_OK);
    EXPECT_EQ(Unpacked(QString()), (QStringList{"FILE092P.092", "blob"}));
    EXPECT_EQ(readFile(base + "/Quorvin/FILE092P.092"), readFile(extra));
    EXPECT_TRUE(setting.IsOpen());
    EXPECT_TRUE(customer.IsOpen());
}

TEST_F(CCrxExporterTest, MediaSwitchesPackExactlyTheirFoldersWithoutDotFiles)
{
    const QString signage = base + "/additionals/Orbanel/";
    for (const char* folder : {"Setting", "Movie", "FullImage", "FullTelop", "Music", "HalfImage",
                               "HalfTelop", "ItemImage", "Recommend"})
        ASSERT_TRUE(writeFile(signage + folder + "/a.bin", folder));
    ASSERT_TRUE(writeFile(signage + "Setting/.hidden", "x"));
    ASSERT_TRUE(writeFile(signage + "Setting/.git/config", "x"));
    ASSERT_TRUE(writeFile(signage + "Setting/sub/pref.xml", "<p/>"));

    // Only a switch equal to 1 counts.
    ASSERT_EQ(Prepare(QString(), nullptr, nullptr, {1, 0, 2, 1, -1}), CRX_OK);
    EXPECT_EQ(Unpacked("additionals/Orbanel"), (QStringList{"ItemImage", "Movie", "Setting"}));
    EXPECT_EQ(Unpacked("additionals/Orbanel/Setting"), (QStringList{"a.bin", "sub"}));
    EXPECT_EQ(readFile(base + "/Quorvin/additionals/Orbanel/Setting/sub/pref.xml"), "<p/>");
}

TEST_F(CCrxExporterTest, MediaFolderThatCannotBeCopiedWholeFailsTheExport)
{
    crxtest::ScopedWait wait;
    const QString movie = base + "/additionals/Orbanel/Movie";
    ASSERT_TRUE(writeFile(movie + "/a.mp4", "a"));
    ASSERT_TRUE(QFile::link(movie + "/gone.mp4", movie + "/b.mp4")); // unreadable
    EXPECT_EQ(Prepare(), CRX_E_CREATE_FOLDER);

    // Without the movie switch the broken folder is not needed.
    EXPECT_EQ(Prepare(QString(), nullptr, nullptr, {0, 1, 1, 1, 1}), CRX_OK);
}

TEST(CrxExportWalkTest, BlobFileNamesAndMemberPrefix)
{
    QSet<QString> taken;
    int counter = 0;
    QString name;
    ASSERT_EQ(CrxExportWalk::MakeBlobFileName(taken, "CSB008", counter, name), CRX_OK);
    EXPECT_EQ(name, "CSB008_0.blob");
    EXPECT_EQ(counter, 1);
    // A name another database's table already took is passed over.
    taken << "CSB008_1.blob"
          << "CSB008_2.blob";
    ASSERT_EQ(CrxExportWalk::MakeBlobFileName(taken, "CSB008", counter, name), CRX_OK);
    EXPECT_EQ(name, "CSB008_3.blob");
    EXPECT_EQ(counter, 4);
    for (const char* source : {"a/b", "..", "a\\b", ""})
        EXPECT_EQ(CrxExportWalk::MakeBlobFileName(taken, source, counter, name), CRX_E_READ_BLOB)
            << source;

    EXPECT_EQ(CrxExportWalk::BlobMemberPrefix("/w/Quorvin", "/w/Quorvin/blob"), "blob/");
    EXPECT_EQ(CrxExportWalk::BlobMemberPrefix("/w/Quorvin/", "/w/Quorvin/blob/"), "blob/");
    EXPECT_EQ(CrxExportWalk::BlobMemberPrefix("base/Quorvin", "base/Quorvin/blob"), "blob/");
    EXPECT_EQ(CrxExportWalk::BlobMemberPrefix("/w/Quorvin", "/w/Quorvin"), QString());
    EXPECT_EQ(CrxExportWalk::BlobMemberPrefix("/w/Quorvin", "/w/Quorvin2/blob"), QString())
        << "outside the unpack folder";
}

} // namespace
