#include "monitor/CXmlDataArray.h"

#include <gtest/gtest.h>

namespace mervolt {
namespace {

TEST(CXmlDataArray, FindOrAddFindsTheLastMatchOrAppendsAnEmptyItem)
{
    CXmlDataArray items;
    items.Add("string", "a", "first");
    items.Add("int", "a", "5");
    items.Add("string", "a", "second");

    CXmlItem* found = items.FindOrAddItem("string", "a");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_strValue, "second");
    EXPECT_EQ(found, items.GetAt(2));
    EXPECT_EQ(items.FindOrAddItem("int", "a")->m_strValue, "5");

    // Type and name compare with case; a miss is appended, empty.
    CXmlItem* added = items.FindOrAddItem("String", "a");
    EXPECT_EQ(items.GetSize(), 4);
    EXPECT_EQ(added, items.GetAt(3));
    EXPECT_EQ(added->m_strType, "String");
    EXPECT_TRUE(added->m_strValue.isEmpty());
}

TEST(CXmlDataArray, CopiesAreIndependent)
{
    CXmlDataArray items;
    items.Add("string", "k", "v");
    CXmlDataArray copy = items;
    copy.FindOrAddItem("string", "k")->m_strValue = "changed";
    EXPECT_EQ(items.GetAt(0)->m_strValue, "v");
    items.RemoveAll();
    EXPECT_EQ(items.GetSize(), 0);
    EXPECT_EQ(copy.GetSize(), 1);
}

} // namespace
} // namespace mervolt
