#include "platform/FileTime.h"
#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

using namespace korvane::test;

TEST(FileTime, SetAndReadBackToTheNanosecond)
{
    TestFolders folders;
    const QString path = folders.scratch() + "/a.db";
    ASSERT_TRUE(writeFile(path, "x"));
    const qint64 when = 1'700'000'000'123'456'789;
    ASSERT_TRUE(platform::setLastWriteTimeNs(path, when));
    EXPECT_EQ(platform::lastWriteTimeNs(path), when);
}

TEST(FileTime, MissingFileHasNoTime)
{
    TestFolders folders;
    EXPECT_FALSE(platform::lastWriteTimeNs(folders.scratch() + "/none").has_value());
    EXPECT_FALSE(platform::setLastWriteTimeNs(folders.scratch() + "/none", 1));
}
