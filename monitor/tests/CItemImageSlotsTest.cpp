#include "monitor/CItemImageSlots.h"

#include "monitor/tests/MonitorFixture.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "testsupport/QtPrinters.h"

#include <QDir>

namespace mervolt {
namespace {

using test::MonitorFixture;

const QString kCode = QStringLiteral("0000000000000123");

class CItemImageSlotsTest : public MonitorFixture
{
protected:
    CItemImageSlotsTest() { QDir().mkpath(work()); }
    QString work() const { return scratch() + QStringLiteral("/Temporary/ItemImage"); }
    CItemImageSlots make(int limit = 3)
    {
        return CItemImageSlots(m_items, 1, 16, limit, work(), {"png", "PNG", "jpg"});
    }
    void fill(int slot, const QString& file, const QString& name = QString())
    {
        m_items.Add("string", CItemImageSlots::FileKey(1, slot), file);
        m_items.Add("string", CItemImageSlots::NameKey(1, slot), name);
    }
    QStringList files() const { return QDir(work()).entryList(QDir::Files, QDir::Name); }
    QString source(const QString& name, const QByteArray& bytes = "new")
    {
        return put(scratch() + "/pick/" + name, bytes);
    }

    CXmlDataArray m_items;
};

TEST_F(CItemImageSlotsTest, CodeWidthIsAWholeNumberFromOneToSixteen)
{
    const struct
    {
        const char* text;
        bool ok;
        int width;
    } cases[] = {{"16", true, 16}, {"1", true, 1}, {"0", false, 0},  {"17", false, 0},
                 {"-3", false, 0}, {"", false, 0}, {"8x", false, 0}, {" 8 ", true, 8}};
    for (const auto& c : cases) {
        int width = 0;
        EXPECT_EQ(CItemImageSlots::ReadCodeWidth(c.text, width), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(width, c.width) << c.text;
        }
    }
}

TEST_F(CItemImageSlotsTest, KeysAndFoldersOfBothListKinds)
{
    EXPECT_EQ(CItemImageSlots::FileKey(1, 3), "transaction_item3_file");
    EXPECT_EQ(CItemImageSlots::NameKey(1, 3), "transaction_item3_name");
    EXPECT_EQ(CItemImageSlots::FileKey(0, 2), "recommend_item2_file");
    EXPECT_EQ(CItemImageSlots::NameKey(0, 2), "recommend_item2_name");
    EXPECT_EQ(CItemImageSlots::PictureFolder(1), "ItemImage");
    EXPECT_EQ(CItemImageSlots::PictureFolder(0), "Recommend");
}

TEST_F(CItemImageSlotsTest, SameCodeKeepsItsSlotAndLosesItsOtherPictures)
{
    fill(1, "0000000000000007.png");
    fill(2, kCode + ".png", "Tea");
    put(work() + "/" + kCode + ".png", "old");
    put(work() + "/" + kCode + ".PNG", "old upper");
    auto s = make();
    EXPECT_EQ(s.SlotOfCode(kCode), 2);
    ASSERT_TRUE(s.SetPicture(nullptr, kCode, "Green tea", source("x.jpg"), "jpg"));
    EXPECT_EQ(s.FileValue(2), kCode + ".jpg");
    EXPECT_EQ(s.NameValue(2), "Green tea");
    EXPECT_EQ(files(), QStringList{kCode + ".jpg"});
    EXPECT_EQ(bytesOf(work() + "/" + kCode + ".jpg"), "new");
}

TEST_F(CItemImageSlotsTest, NewCodeTakesTheLowestFreeSlotAndFullSlotsRefuse)
{
    fill(1, "0000000000000001.png");
    fill(3, "0000000000000003.png");
    auto s = make();
    ASSERT_TRUE(s.SetPicture(nullptr, kCode, "", source("x.png"), "png"));
    EXPECT_EQ(s.FileValue(2), kCode + ".png");

    const QString other = QStringLiteral("0000000000000999");
    EXPECT_FALSE(s.SetPicture(nullptr, other, "", source("y.png"), "png"));
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WRN_SELECT_OVER"});
    EXPECT_EQ(files(), QStringList{kCode + ".png"});
    EXPECT_EQ(s.SlotOfCode(other), 0);
}

TEST_F(CItemImageSlotsTest, FailedCopyChangesNothing)
{
    fill(1, kCode + ".png", "Tea");
    put(work() + "/" + kCode + ".png", "old");
    auto s = make();
    EXPECT_FALSE(s.SetPicture(nullptr, kCode, "Other", scratch() + "/missing.jpg", "jpg"));
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_MSG_E_COPYFILE"});
    EXPECT_EQ(s.FileValue(1), kCode + ".png");
    EXPECT_EQ(s.NameValue(1), "Tea");
    EXPECT_EQ(files(), QStringList{kCode + ".png"});
    EXPECT_EQ(bytesOf(work() + "/" + kCode + ".png"), "old");
}

TEST_F(CItemImageSlotsTest, CodesThatNameNoBareFileAreRefused)
{
    // The message names the character that cannot be used.
    const std::pair<QString, QString> cases[] = {{QStringLiteral("../../../../../x"), "."},
                                                 {QStringLiteral(".000000000000001"), "."},
                                                 {QStringLiteral("ab\\cd"), "\\"}};
    for (const auto& [code, character] : cases) {
        m_keys.clear();
        m_texts.clear();
        auto s = make();
        EXPECT_FALSE(s.SetPicture(nullptr, code, "", source("x.png"), "png")) << code.toStdString();
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WARN_INVALIDCHAR"}) << code.toStdString();
        EXPECT_EQ(m_texts,
                  QStringList{FormatLangText(GetLangString("CRDS_MO_WARN_INVALIDCHAR"), character)})
            << code.toStdString();
        EXPECT_EQ(s.FirstFreeSlot(), 1) << code.toStdString();
    }
    EXPECT_TRUE(files().isEmpty());
    EXPECT_FALSE(QFile::exists(scratch() + "/x.png"));
}

TEST_F(CItemImageSlotsTest, DeleteEmptiesTheSlotOfTheCode)
{
    fill(1, "0000000000000001.png", "One");
    fill(2, kCode + ".png", "Tea");
    put(work() + "/0000000000000001.png", "one");
    put(work() + "/" + kCode + ".png", "tea");
    auto s = make(2);
    ASSERT_TRUE(s.DeletePicture(nullptr, kCode));
    EXPECT_EQ(s.FileValue(2), "");
    EXPECT_EQ(s.NameValue(2), "");
    EXPECT_EQ(files(), QStringList{"0000000000000001.png"});
    // A code without a slot deletes nothing; with every slot taken it is refused.
    fill(2, "0000000000000002.png");
    EXPECT_FALSE(s.DeletePicture(nullptr, "0000000000000999"));
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WRN_SELECT_OVER"});
}

TEST_F(CItemImageSlotsTest, PictureOfACodeWithoutItemGoesOnlyOnOk)
{
    for (const int answer : {platform::IDCANCEL, platform::IDOK}) {
        m_items.RemoveAll();
        m_keys.clear();
        m_texts.clear();
        fill(1, "0000000000000001.png", "One");
        fill(2, kCode + ".png", "Gone");
        put(work() + "/0000000000000001.png", "one");
        put(work() + "/" + kCode + ".png", "gone");
        m_answer = answer;
        auto s = make(2);
        s.ResolveCodesWithoutItem(nullptr,
                                  [](const QString& code) { return code == "0000000000000001"; });
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WARN_NOEXISTITEM"});
        EXPECT_TRUE(m_texts.value(0).contains(kCode));
        const bool kept = answer == platform::IDCANCEL;
        EXPECT_EQ(s.FileValue(2), kept ? kCode + ".png" : QString()) << answer;
        EXPECT_EQ(s.NameValue(2), kept ? "Gone" : "") << answer;
        EXPECT_EQ(QFile::exists(work() + "/" + kCode + ".png"), kept) << answer;
        EXPECT_EQ(s.FileValue(1), "0000000000000001.png");
    }
}

TEST_F(CItemImageSlotsTest, DefaultImageReplacesEveryExtensionOnlyAfterTheCopy)
{
    put(work() + "/0000000000000000.png", "old png");
    put(work() + "/0000000000000000.jpg", "old jpg");
    auto s = make();
    EXPECT_FALSE(s.SetDefaultImage(nullptr, scratch() + "/missing.png", "png"));
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_ERR_SETTING"});
    EXPECT_EQ(files(), (QStringList{"0000000000000000.jpg", "0000000000000000.png"}));

    ASSERT_TRUE(s.SetDefaultImage(nullptr, source("d.PNG", "new default"), "PNG"));
    EXPECT_EQ(files(), QStringList{"0000000000000000.PNG"});
    EXPECT_EQ(s.DefaultImagePath(), work() + "/0000000000000000.PNG");
    EXPECT_EQ(bytesOf(s.DefaultImagePath()), "new default");
}

TEST_F(CItemImageSlotsTest, ChosenPicturesPassExtensionNameLengthAndSizeChecks)
{
    constexpr qint64 kLimit = 1024 * 1024;
    const QString exact = source("exact.png", QByteArray(kLimit, 'x'));
    const QString over = source("over.png", QByteArray(kLimit + 1, 'x'));
    const QString deep = source(QString(250, 'd') + "/long.png");
    QDir().mkpath(scratch() + "/pick/folder.png");
    const struct
    {
        QString path;
        qint64 limit;
        bool defaultImage;
        const char* key; // "" passes, "-" refused silently
    } cases[] = {
        {exact, kLimit, false, ""},
        {over, kLimit, false, "CRDS_MO_WARN_SIZEBIG"},
        {over, 0, false, ""},
        {deep, kLimit, false, "CRDS_MO_WARN_NAMELEN"},
        {deep, 0, false, ""},
        {deep, 0, true, "CRDS_MO_WARN_NAMELEN"},
        {source("a.gif"), kLimit, false, "CRDS_MO_WRN_IGNORE_EXT"},
        {source("a#b.png"), kLimit, false, "CRDS_MO_WARN_INVALIDCHAR"},
        {scratch() + "/pick/missing.png", kLimit, false, "-"},
        {scratch() + "/pick/folder.png", kLimit, false, "CRDS_MO_WRN_IGNORE_EXT"},
    };
    const CItemImageSlots checks = make();
    for (const auto& c : cases) {
        m_keys.clear();
        const bool passed = checks.CheckPictureFile(nullptr, c.path, c.limit, c.defaultImage);
        const QString key = QString::fromLatin1(c.key);
        EXPECT_EQ(passed, key.isEmpty()) << c.path.right(20).toStdString();
        EXPECT_EQ(m_keys, key.isEmpty() || key == "-" ? QStringList() : QStringList{key})
            << c.path.right(20).toStdString();
    }
    m_keys.clear();
    EXPECT_TRUE(checks.CheckPictureFile(nullptr, exact, kLimit, false));
    EXPECT_EQ(m_keys, QStringList());
    // The size message names the limit in megabytes.
    checks.CheckPictureFile(nullptr, over, kLimit, false);
    EXPECT_EQ(m_texts.last(), FormatLangText(GetLangString("CRDS_MO_WARN_SIZEBIG"), 1));
}

} // namespace
} // namespace mervolt
