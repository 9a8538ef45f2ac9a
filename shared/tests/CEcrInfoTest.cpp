#include "shared/config/CEcrInfo.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(CEcrInfo, ReadsTheModelListInIniOrder)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n[ECR_LIST]\nTOTALCOUNT=3\n"
                   "003=A3,M3,T3,Third\n001=A1,M1,T1,Name one\n002=A2,M2,T2,Name, two\n");
    EXPECT_EQ(CEcrInfo::GetEcrListCount(), 3);
    QStringList names;
    EXPECT_TRUE(CEcrInfo::GetEcrList(names));
    EXPECT_EQ(names, (QStringList{"Name one", "Name, two", "Third"}));
    QStringList withHead{"head", "tail"};
    EXPECT_TRUE(CEcrInfo::GetEcrList(withHead));
    EXPECT_EQ(withHead, (QStringList{"head", "Name one", "Name, two", "Third", "tail"}));

    EXPECT_EQ(CEcrInfo::GetSelectedEcrTypeFromIni("Name, two"), "A2");
    EXPECT_EQ(CEcrInfo::GetSelectedEcrTypeFromIni2("T2"), "A2");
    EXPECT_EQ(CEcrInfo::GetSelectedEcrTypeFromIni2("t2"), "");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni("A1", 1), "M1");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni("A1", 2), "T1");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni("A1", 3), "Name one");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni("A1", 4), "");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni("A1", 0), "");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni("A9", 1), "");
}

TEST(CEcrInfo, MissingAndMalformedModels)
{
    SuiteFixture suite;
    suite.writeIni("[ECR_LIST]\nTOTALCOUNT=x\n001=A1,M1,T1,One\n");
    QStringList names;
    EXPECT_TRUE(CEcrInfo::GetEcrList(names));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(CEcrInfo::GetSelectedEcrTypeFromIni2("T1"), "");

    // A key missing within the count is an empty model; a malformed value
    // ends the list with false after the names before it.
    suite.writeIni("[ECR_LIST]\nTOTALCOUNT=4\n001=A1,M1,T1,One\n003=A3,,T3,Three\n"
                   "004=A4,M4,T4,Four\n");
    EXPECT_FALSE(CEcrInfo::GetEcrList(names));
    EXPECT_EQ(names, (QStringList{"One", ""}));
    EXPECT_EQ(CEcrInfo::GetSelectedEcrTypeFromIni2("T4"), "A4");
    EXPECT_EQ(CEcrInfo::GetSelectedEcrTypeFromIni(""), "");

    QStringList fields;
    EXPECT_TRUE(CEcrInfo::SplitEcrValue("A,B,C,D,E", fields));
    EXPECT_EQ(fields, (QStringList{"A", "B", "C", "D,E"}));
    EXPECT_FALSE(CEcrInfo::SplitEcrValue(",B,C,D", fields));
}

TEST(CEcrInfo, CurrentModelLivesInTheUserRegistry)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrType(), "");
    EXPECT_TRUE(CEcrInfo::SetCurrentEcrType("LUMO500"));
    EXPECT_EQ(CEcrInfo::GetCurrentEcrType(), "LUMO500");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeID(), "");
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeNo(), 0);
}

TEST(CEcrInfo, TheShippedLauncherIniNamesTheLumo500Folder)
{
    SuiteFixture suite;
    suite.writeIni(korvane::test::readFile(KORVANE_SOURCE_DIR "/resources/Tovanel.ini"));
    ASSERT_GE(CEcrInfo::GetEcrListCount(), 1);
    QStringList names;
    EXPECT_TRUE(CEcrInfo::GetEcrList(names));
    const QString id = CEcrInfo::GetSelectedEcrTypeFromIni(names.first());
    EXPECT_EQ(CEcrInfo::GetCurrentEcrTypeFromIni(id, 1), "Lumo500");
    EXPECT_FALSE(CBasePath::GetProductKey().isEmpty());
}

} // namespace
