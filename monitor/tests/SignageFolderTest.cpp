#include "monitor/CXmlDataArray.h"
#include "monitor/PreferenceXml.h"
#include "monitor/SignageFolder.h"

#include "monitor/tests/MonitorFixture.h"
#include "testsupport/QtPrinters.h"

#include <QDir>
#include <QFileInfo>

namespace mervolt {
namespace {

using test::MonitorFixture;

class SignageFolderTest : public MonitorFixture
{
protected:
    // The installation's default files, read-only as installers leave them.
    void installDefaults(bool picture = true, bool preference = true)
    {
        if (picture)
            readOnly(put(resourceSignage() + "/ItemImage/0000000000000000.png", "PNG-default"));
        if (preference)
            readOnly(put(
                resourceSignage() + "/Setting/Preference.xml",
                bytesOf(KORVANE_SUITE_DIR "/RESOURCE/additionals/Orbanel/Setting/Preference.xml")));
    }
    static void readOnly(const QString& path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    static bool writable(const QString& path)
    {
        return QFile::permissions(path) & QFile::WriteOwner;
    }
    static QStringList subFolders()
    {
        return {"Movie",     "FullImage", "FullTelop", "Music",  "HalfImage",
                "HalfTelop", "ItemImage", "Recommend", "Setting"};
    }
};

TEST_F(SignageFolderTest, PathsLieUnderTheLocalDataFolder)
{
    const QString root = userData() + "/Korvane/LUMO/additionals/Orbanel";
    EXPECT_EQ(GetSignageFolder(), root);
    EXPECT_EQ(GetResourceSignageFolder(), suite() + "/RESOURCE/additionals/Orbanel");
    EXPECT_EQ(GetSignagePath("Temporary", ""), root + "/Temporary");
    EXPECT_EQ(GetSignagePath("FullImage", "a.png"), root + "/FullImage/a.png");
    EXPECT_EQ(GetSignageFilePath("FullImage", ""), root + "/FullImage/");
    EXPECT_EQ(GetPreferencePath(), root + "/Setting/Preference.xml");
}

TEST_F(SignageFolderTest, BareFileNames)
{
    for (const char* good : {"a.png", "..a", "a..", "名前.mp4", " x "})
        EXPECT_TRUE(IsBareFileName(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", ".", "..", "../x", "/etc/passwd", "a/b", "a\\b", "a\nb", "a\tb"})
        EXPECT_FALSE(IsBareFileName(QString::fromUtf8(bad))) << bad;
}

TEST_F(SignageFolderTest, AMissingTreeIsMadeWithWritableDefaultCopies)
{
    installDefaults();
    EXPECT_EQ(PrepareSignageFolders(), 1);
    for (const QString& sub : subFolders())
        EXPECT_TRUE(QFileInfo(GetSignagePath(sub, "")).isDir()) << sub.toStdString();
    const QString picture = GetSignagePath("ItemImage", "0000000000000000.png");
    EXPECT_EQ(bytesOf(picture), "PNG-default");
    EXPECT_TRUE(writable(picture));
    EXPECT_EQ(bytesOf(GetPreferencePath()), bytesOf(resourceSignage() + "/Setting/Preference.xml"));
    EXPECT_TRUE(writable(GetPreferencePath()));
    EXPECT_FALSE(QFileInfo::exists(GetSignagePath("Temporary", "")));

    // A second run finds everything in place.
    EXPECT_EQ(PrepareSignageFolders(), 1);
}

TEST_F(SignageFolderTest, AnExistingItemImageFolderGetsNoDefaultPicture)
{
    installDefaults();
    QDir().mkpath(GetSignagePath("ItemImage", ""));
    EXPECT_EQ(PrepareSignageFolders(), 1);
    EXPECT_FALSE(QFileInfo::exists(GetSignagePath("ItemImage", "0000000000000000.png")));
}

TEST_F(SignageFolderTest, AMissingResourceFileFailsButLaterFoldersAreStillMade)
{
    installDefaults(false, true);
    EXPECT_EQ(PrepareSignageFolders(), 0);
    EXPECT_EQ(m_waits, kMonRetryAttempts - 1); // the copy was retried
    for (const QString& sub : subFolders())
        EXPECT_TRUE(QFileInfo(GetSignagePath(sub, "")).isDir()) << sub.toStdString();
    EXPECT_TRUE(QFileInfo::exists(GetPreferencePath()));
}

TEST_F(SignageFolderTest, TheDefaultPreferenceFileHoldsEveryKeyEmptyInTheWritersForm)
{
    const QString shipped =
        KORVANE_SUITE_DIR "/RESOURCE/additionals/Orbanel/Setting/Preference.xml";
    CXmlDataArray items;
    ASSERT_EQ(ReadPreferenceXml(shipped, items), MON_XML_OK);
    const QStringList keys = AllPreferenceKeys();
    ASSERT_EQ(items.GetSize(), keys.size());
    EXPECT_EQ(keys.size(), 1 + 5 * 5 + 2 * ItemImageLimit() + 2 * RecommendImageLimit());
    EXPECT_GT(ItemImageLimit(), 0);
    EXPECT_GT(RecommendImageLimit(), 0);
    for (int i = 0; i < items.GetSize(); ++i) {
        EXPECT_EQ(items.GetAt(i)->m_strType, "string");
        EXPECT_EQ(items.GetAt(i)->m_strName, keys[i]);
        EXPECT_TRUE(items.GetAt(i)->m_strValue.isEmpty());
    }
    const QString rewritten = scratch() + "/Preference.xml";
    ASSERT_EQ(WritePreferenceXml(rewritten, items), MON_XML_OK);
    EXPECT_EQ(bytesOf(rewritten), bytesOf(shipped));
    EXPECT_TRUE(keys.contains("transaction_item1_file"));
    EXPECT_TRUE(keys.contains("recommend_item1_name"));
}

class RepairTest : public SignageFolderTest
{
protected:
    void SetUp() override
    {
        installDefaults();
        ASSERT_EQ(PrepareSignageFolders(), 1);
    }
    static CXmlDataArray filled()
    {
        CXmlDataArray items;
        items.Add("string", "idle_movie_file", "m.mp4");
        items.Add("string", "idle_music1_file", "one.mp3");
        items.Add("string", "idle_music3_file", "three.mp3");
        items.Add("int", "idle_music2_file", "7"); // another type: not the program's key
        items.Add("string", "idle_slide1_file", "s.png");
        return items;
    }
};

TEST_F(RepairTest, OnlyMusicMissingBlanksTheFiveMusicKeysAndWritesOnce)
{
    QDir(GetSignagePath("Music", "")).removeRecursively();
    put(GetPreferencePath(), "old");
    CXmlDataArray items = filled();
    EXPECT_EQ(RepairPreferenceItems(items), 1);

    CXmlDataArray written;
    ASSERT_EQ(ReadPreferenceXml(GetPreferencePath(), written), MON_XML_OK);
    for (const CXmlDataArray* array : {&items, &written}) {
        ASSERT_EQ(array->GetSize(), 8);
        EXPECT_EQ(array->FindItem("string", "idle_movie_file")->m_strValue, "m.mp4");
        EXPECT_EQ(array->FindItem("string", "idle_slide1_file")->m_strValue, "s.png");
        EXPECT_EQ(array->FindItem("int", "idle_music2_file")->m_strValue, "7");
        for (int n = 1; n <= 5; ++n) {
            const CXmlItem* music =
                array->FindItem("string", QStringLiteral("idle_music%1_file").arg(n));
            ASSERT_NE(music, nullptr) << n;
            EXPECT_TRUE(music->m_strValue.isEmpty()) << n;
        }
        // Absent keys are appended in number order.
        EXPECT_EQ(array->GetAt(5)->m_strName, "idle_music2_file");
        EXPECT_EQ(array->GetAt(5)->m_strType, "string");
        EXPECT_EQ(array->GetAt(7)->m_strName, "idle_music5_file");
    }
    EXPECT_FALSE(QFileInfo::exists(GetSignagePath("Music", ""))); // not made here
}

TEST_F(RepairTest, NothingMissingWritesNothing)
{
    put(GetPreferencePath(), "untouched");
    CXmlDataArray items = filled();
    EXPECT_EQ(RepairPreferenceItems(items), 0);
    EXPECT_EQ(bytesOf(GetPreferencePath()), "untouched");
    EXPECT_EQ(items.GetSize(), 5);
}

TEST_F(RepairTest, AMissingItemImageFolderBlanksEveryItemSlotFileBeforeName)
{
    QDir(GetSignagePath("ItemImage", "")).removeRecursively();
    CXmlDataArray items;
    items.Add("string", "transaction_item2_name", "Tea");
    EXPECT_EQ(RepairPreferenceItems(items), 1);
    EXPECT_EQ(items.GetSize(), 2 * ItemImageLimit());
    EXPECT_EQ(items.GetAt(0)->m_strName, "transaction_item2_name");
    EXPECT_TRUE(items.GetAt(0)->m_strValue.isEmpty());
    EXPECT_EQ(items.GetAt(1)->m_strName, "transaction_item1_file");
    EXPECT_EQ(items.GetAt(2)->m_strName, "transaction_item1_name");
    EXPECT_EQ(items.GetAt(3)->m_strName, "transaction_item2_file");
}

} // namespace
} // namespace mervolt
