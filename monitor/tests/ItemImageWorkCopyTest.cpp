#include "monitor/ItemImageWorkCopy.h"

#include "monitor/CItemImageSlots.h"
#include "monitor/tests/MediaWindowFixture.h"
#include "testsupport/QtPrinters.h"

namespace mervolt {
namespace {

using test::MediaWindowFixture;

class ItemImageWorkCopyTest : public MediaWindowFixture
{
protected:
    ItemImageWorkCopyTest()
    {
        put(signage("ItemImage") + "/0000000000000005.png", "five");
        put(signage("Recommend") + "/0000000000000009.png", "nine");
        put(signage("Temporary") + "/stale/left.png", "stale");
        m_menu.Add("string", "transaction_item1_file", "0000000000000005.png");
        m_menu.Add("string", "transaction_item1_name", "Five");
    }
    CXmlDataArray m_menu;
    CXmlDataArray m_own;
};

TEST_F(ItemImageWorkCopyTest, OkPutsTheWorkCopyAndItsSlotsInPlace)
{
    ASSERT_TRUE(PrepareItemImageWorkCopy(1, 2, m_menu, m_own));
    EXPECT_FALSE(QFile::exists(signage("Temporary") + "/stale/left.png"));
    EXPECT_EQ(value(m_own, "transaction_item1_file"), "0000000000000005.png");
    EXPECT_EQ(value(m_own, "transaction_item2_file"), "");

    CItemImageSlots list(m_own, 1, 16, 2, signage("Temporary") + "/ItemImage", {"png"});
    ASSERT_TRUE(list.DeletePicture(nullptr, "0000000000000005"));
    ASSERT_TRUE(
        list.SetPicture(nullptr, "0000000000000007", "Seven", source("s.png", "seven"), "png"));
    ASSERT_TRUE(CommitItemImageWorkCopy(1, 2, m_menu, m_own));

    EXPECT_EQ(value(m_menu, "transaction_item1_file"), "0000000000000007.png");
    EXPECT_EQ(value(m_menu, "transaction_item1_name"), "Seven");
    EXPECT_EQ(tree(signage("ItemImage")), QStringList{"0000000000000007.png=seven"});
    EXPECT_EQ(tree(signage("Recommend")), QStringList{"0000000000000009.png=nine"});
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
}

TEST_F(ItemImageWorkCopyTest, ChangesWithoutCommitLeaveFolderAndMenuAlone)
{
    const QStringList before = tree(signage("ItemImage"));
    ASSERT_TRUE(PrepareItemImageWorkCopy(1, 2, m_menu, m_own));
    CItemImageSlots list(m_own, 1, 16, 2, signage("Temporary") + "/ItemImage", {"png"});
    ASSERT_TRUE(list.SetPicture(nullptr, "0000000000000005", "New", source("s.png"), "png"));
    ASSERT_TRUE(list.SetDefaultImage(nullptr, source("d.png"), "png"));
    EXPECT_EQ(tree(signage("ItemImage")), before);
    EXPECT_EQ(value(m_menu, "transaction_item1_name"), "Five");
}

} // namespace
} // namespace mervolt
