#include "shared/config/CHelpMgr.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include "platform/FileChooser.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

TEST(CHelpMgr, OpensTheProgramDataCopyFirstAndNamesEachFailure)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    ASSERT_TRUE(platform::Registry::writeText(platform::RegistryHive::LocalMachine,
                                              "SOFTWARE\\Korvane\\ABC\\SYSTEM", "InstallPath",
                                              suite.folders().scratch()));
    QStringList opened;
    bool opens = true;
    platform::setDefaultProgramOpener([&](const QString& path) {
        opened << path;
        return opens;
    });
    const QString documentCopy = suite.folders().scratch() + "/DOCUMENT/NolvarSettingTool.pdf";
    const QString programDataCopy =
        suite.folders().machineData() + "/Korvane/ABC/NolvarSettingTool.pdf";

    // No copy anywhere: the document folder's name, and the run failure.
    opens = false;
    EXPECT_FALSE(CHelpMgr::ShowHelpToolManual(nullptr));
    EXPECT_EQ(opened.takeLast(), documentCopy);
    EXPECT_EQ(suite.messages().takeLast(), "CRDS_CMN_ERROR_RUN_HELP");

    // The file is there but nothing opens it.
    korvane::test::writeFile(documentCopy, "%PDF");
    EXPECT_FALSE(CHelpMgr::ShowHelpToolManual(nullptr));
    EXPECT_EQ(suite.messages().takeLast(), "CRDS_CMN_ERR_HELP_NOASSOC");

    korvane::test::writeFile(programDataCopy, "%PDF");
    opens = true;
    EXPECT_TRUE(CHelpMgr::ShowHelpToolManual(nullptr));
    EXPECT_EQ(opened.takeLast(), programDataCopy);
    EXPECT_TRUE(suite.messages().isEmpty());
    platform::setDefaultProgramOpener({});
}

} // namespace
