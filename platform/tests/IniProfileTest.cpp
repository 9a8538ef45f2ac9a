#include "platform/IniProfile.h"
#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

#include <limits>

using namespace korvane::test;
using platform::IniProfile;

namespace {

// A launcher INI as it comes from Windows: BOM, CRLF, comments, a duplicate
// key and a duplicate section.
const QByteArray kLauncherIni = "\xEF\xBB\xBF[PRODUCT]\r\n"
                                "; the product's own settings\r\n"
                                "  ProductKey =  ABC  \r\n"
                                "PRODUCTMODE=2x\r\n"
                                "productkey=second\r\n"
                                "EQ=a=b ; not a comment\r\n"
                                "QUOTED=\"q\"\r\n"
                                "NOEQUALS\r\n"
                                "\r\n"
                                "[ecr_list]\r\n"
                                "TOTALCOUNT=1\r\n"
                                "ECR1=A1,M1,T1,Name, two\r\n"
                                ";ECR2=hidden\r\n"
                                "[PRODUCT]\r\n"
                                "LATE=never read\r\n";

} // namespace

TEST(IniProfile, ReadsWithWindowsSemantics)
{
    TestFolders folders;
    const QString ini = folders.scratch() + "/Tovanel.ini";
    ASSERT_TRUE(writeFile(ini, kLauncherIni));
    struct Case
    {
        const char* section;
        const char* key;
        std::optional<QString> value;
    };
    const Case cases[] = {
        {"PRODUCT", "PRODUCTKEY", "ABC"}, // case, blanks, first match wins
        {"product", "productkey", "ABC"},
        {"ECR_LIST", "ECR1", "A1,M1,T1,Name, two"},
        {"PRODUCT", "EQ", "a=b ; not a comment"},
        {"PRODUCT", "QUOTED", "\"q\""},
        {"PRODUCT", "NOEQUALS", std::nullopt},
        {"ECR_LIST", "ECR2", std::nullopt}, // a comment
        {"ECR_LIST", ";ECR2", std::nullopt},
        {"PRODUCT", "LATE", std::nullopt}, // only the first section counts
        {"ECR_LIST", "PRODUCTKEY", std::nullopt},
        {"NONE", "PRODUCTKEY", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(IniProfile::readString(ini, c.section, c.key), c.value);
    }
    EXPECT_EQ(IniProfile::readString(ini, "NONE", "X", "dflt"), "dflt");
    EXPECT_EQ(IniProfile::sections(ini), QStringList({"PRODUCT", "ecr_list"}));
    EXPECT_EQ(IniProfile::keys(ini, "PRODUCT"),
              QStringList({"ProductKey", "PRODUCTMODE", "EQ", "QUOTED"}));
    EXPECT_EQ(IniProfile::keys(ini, "ECR_LIST"), QStringList({"TOTALCOUNT", "ECR1"}));

    const QString missing = folders.scratch() + "/none.ini";
    EXPECT_FALSE(IniProfile::readString(ini + "x", "PRODUCT", "PRODUCTKEY"));
    EXPECT_TRUE(IniProfile::sections(missing).isEmpty());
    EXPECT_TRUE(IniProfile::keys(missing, "PRODUCT").isEmpty());
    EXPECT_EQ(IniProfile::readInt(missing, "PRODUCT", "PRODUCTMODE", 9), 9);
}

TEST(IniProfile, ReadIntTakesTheLeadingDigits)
{
    TestFolders folders;
    const QString ini = folders.scratch() + "/a.ini";
    ASSERT_TRUE(writeFile(ini, "[S]\nA=2x\nB=x\nC=-12\nD=+3\nE=\nF=  7  \nG=99999999999\n"
                               "H=-99999999999\nI=-\n"));
    const int max = std::numeric_limits<int>::max();
    const int min = std::numeric_limits<int>::min();
    const std::pair<const char*, int> cases[] = {{"A", 2}, {"B", 5}, {"C", -12}, {"D", 3},
                                                 {"E", 5}, {"F", 7}, {"G", max}, {"H", min},
                                                 {"I", 5}, {"Z", 5}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(IniProfile::readInt(ini, "s", key, 5), expected) << key;
}

TEST(IniProfile, WriteChangesOnlyItsLine)
{
    TestFolders folders;
    const QString ini = folders.scratch() + "/Tovanel.ini";
    ASSERT_TRUE(writeFile(ini, kLauncherIni + "[BYTES]\r\nK=\x82\xA0\r\n"));

    ASSERT_TRUE(IniProfile::writeString(ini, "product", "PRODUCTKEY", "XYZ"));
    QByteArray expected = kLauncherIni + "[BYTES]\r\nK=\x82\xA0\r\n";
    expected.replace("  ProductKey =  ABC  \r\n", "  ProductKey =XYZ\r\n");
    EXPECT_EQ(readFile(ini), expected);
    EXPECT_EQ(IniProfile::readString(ini, "PRODUCT", "productkey"), "XYZ");

    // A new key goes after the section's last key, ahead of what leads into
    // the next section; the file's line ending is used.
    ASSERT_TRUE(IniProfile::writeString(ini, "ECR_LIST", "ECR2", "B2,M2"));
    expected.replace("ECR1=A1,M1,T1,Name, two\r\n", "ECR1=A1,M1,T1,Name, two\r\nECR2=B2,M2\r\n");
    EXPECT_EQ(readFile(ini), expected);

    ASSERT_TRUE(IniProfile::removeKey(ini, "PRODUCT", "QUOTED"));
    expected.replace("QUOTED=\"q\"\r\n", "");
    EXPECT_EQ(readFile(ini), expected);
    EXPECT_TRUE(IniProfile::removeKey(ini, "PRODUCT", "QUOTED"));
    EXPECT_EQ(readFile(ini), expected);
}

TEST(IniProfile, WriteAddsSectionsAndFiles)
{
    TestFolders folders;
    const QString ini = folders.scratch() + "/a.ini";
    ASSERT_TRUE(IniProfile::writeString(ini, "SELECT_SAVE", "CIA001", "1"));
    EXPECT_EQ(readFile(ini), "[SELECT_SAVE]\nCIA001=1\n");

    ASSERT_TRUE(writeFile(ini, "[A]\r\nK=1")); // no final line break
    ASSERT_TRUE(IniProfile::writeString(ini, "B", "K", " two words "));
    EXPECT_EQ(readFile(ini), "[A]\r\nK=1\r\n[B]\r\nK=two words\r\n");
    ASSERT_TRUE(IniProfile::writeString(ini, "A", "L", "2"));
    EXPECT_EQ(readFile(ini), "[A]\r\nK=1\r\nL=2\r\n[B]\r\nK=two words\r\n");

    ASSERT_TRUE(writeFile(ini, "[EMPTY]\n; note\n"));
    ASSERT_TRUE(IniProfile::writeString(ini, "EMPTY", "K", ""));
    EXPECT_EQ(readFile(ini), "[EMPTY]\nK=\n; note\n");
    EXPECT_EQ(IniProfile::readString(ini, "EMPTY", "K"), "");
}

TEST(IniProfile, RefusesTextThatWouldNotReadBack)
{
    TestFolders folders;
    const QString ini = folders.scratch() + "/a.ini";
    const QByteArray before = "[S]\nK=1\n";
    ASSERT_TRUE(writeFile(ini, before));
    const std::array<std::array<const char*, 3>, 9> cases{{{"S", "K", "1\n[X]"},
                                                           {"S", "K", "a\rb"},
                                                           {"S", "A=B", "1"},
                                                           {"S", ";K", "1"},
                                                           {"S", "[K", "1"},
                                                           {"S", " ", "1"},
                                                           {"", "K", "1"},
                                                           {"S]", "K", "1"},
                                                           {"S\n", "K", "1"}}};
    for (const auto& [section, key, value] : cases) {
        EXPECT_FALSE(IniProfile::writeString(ini, section, key, value)) << section << key << value;
        EXPECT_EQ(readFile(ini), before);
    }
    EXPECT_FALSE(IniProfile::writeString(folders.scratch() + "/no/such/folder.ini", "S", "K", "1"));
}
