#include "shared/config/CBasePath.h"
#include "shared/config/CEcrInfo.h"
#include "shared/config/CIniFile.h"
#include "shared/config/CUserException.h"

#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include "platform/Registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace {

using korvane::test::writeFile;

TEST(CBasePath, GetDirectoryGivesTheParentFolder)
{
    const struct
    {
        const char* path;
        const char* parent;
    } cases[] = {
        {"C:\\a\\b", "C:\\a"},
        {"C:\\a", ""},
        {"\\\\srv\\share\\a\\b", "\\\\srv\\share\\a"},
        {"\\\\srv\\share\\a", ""},
        {"\\\\srv", ""},
        {"a\\b", "a"},
        {"C:a", ""},
        {"/a/b", "/a"},
        {"/a", ""},
        {"/a/b/", "/a/b"},
        {"a/b/c", "a/b"},
        {"name", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CBasePath::GetDirectory(c.path), c.parent) << c.path;
}

TEST(CBasePath, MakeDirectoryCreatesMissingLevelsAndRefusesAFile)
{
    SuiteFixture suite;
    const QString base = suite.folders().scratch();
    const QString deep = base + "/x/y/z/";
    EXPECT_TRUE(CBasePath::MakeDirectory(deep));
    EXPECT_TRUE(QFileInfo(base + "/x/y/z").isDir());
    EXPECT_TRUE(CBasePath::MakeDirectory(deep)); // again: nothing to do
    EXPECT_TRUE(CBasePath::MakeDirectory(""));

    writeFile(base + "/file", "data");
    EXPECT_FALSE(CBasePath::MakeDirectory(base + "/file"));
    EXPECT_FALSE(CBasePath::MakeDirectory(base + "/file/sub"));
}

TEST(CBasePath, CreateTempFileNameGivesDistinctReservedNames)
{
    SuiteFixture suite;
    const QString folder = suite.folders().scratch();
    QStringList names;
    for (int i = 0; i < 20; ++i) { // many within one millisecond
        QString name;
        ASSERT_TRUE(CBasePath::CreateTempFileName(folder, "QKT", ".bin", name));
        names << name;
    }
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const QString& name : names) {
        EXPECT_TRUE(QFileInfo(name).isFile()) << name.toStdString(); // reserved
        EXPECT_EQ(QFileInfo(name).size(), 0);
        const QString file = QFileInfo(name).fileName();
        EXPECT_TRUE(file.startsWith("QKT") && file.endsWith(".bin")) << file.toStdString();
        const QString digits = file.mid(3, 8);
        EXPECT_EQ(digits, digits.toUpper());
        bool hex = false;
        digits.toUInt(&hex, 16);
        EXPECT_TRUE(hex) << file.toStdString();
        EXPECT_EQ(QFileInfo(name).path(), folder);
    }

    QString name = "unchanged";
    EXPECT_FALSE(CBasePath::CreateTempFileName(folder + "/missing", "Q", ".x", name));
    EXPECT_EQ(name, "unchanged");
}

TEST(CBasePath, DeleteFolderRemovesATreeButNeverMoreThanIt)
{
    SuiteFixture suite;
    const QString base = suite.folders().scratch();
    const QString tree = base + "/tree";
    writeFile(tree + "/a.txt", "a");
    writeFile(tree + "/sub/.hidden", "h");
    writeFile(tree + "/sub/deeper/ro.txt", "r");
    QFile::setPermissions(tree + "/sub/deeper/ro.txt", QFileDevice::ReadOwner);
    QFile::setPermissions(tree + "/sub/deeper", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    // A link inside the tree to a folder outside it: the link goes, the
    // outside folder stays.
    writeFile(base + "/outside/keep.txt", "k");
    ASSERT_TRUE(QFile::link(base + "/outside", tree + "/link"));

    EXPECT_TRUE(CBasePath::DeleteFolder(tree));
    EXPECT_FALSE(QFileInfo::exists(tree));
    EXPECT_TRUE(QFileInfo(base + "/outside/keep.txt").isFile());

    // A link to a folder given as the path is refused.
    ASSERT_TRUE(QFile::link(base + "/outside", base + "/link2"));
    EXPECT_FALSE(CBasePath::DeleteFolder(base + "/link2"));
    EXPECT_TRUE(QFileInfo(base + "/outside/keep.txt").isFile());

    writeFile(base + "/file", "f");
    EXPECT_FALSE(CBasePath::DeleteFolder(base + "/file"));
    EXPECT_TRUE(QFileInfo(base + "/file").isFile());

    EXPECT_TRUE(CBasePath::DeleteFolder(""));                // nothing done
    EXPECT_TRUE(CBasePath::DeleteFolder(base + "/missing")); // already gone
    EXPECT_FALSE(CBasePath::DeleteFolder("/"));
    EXPECT_FALSE(CBasePath::DeleteFolder(QDir::homePath()));
    EXPECT_FALSE(CBasePath::DeleteFolder(QDir::homePath() + "/"));
    EXPECT_TRUE(QFileInfo(QDir::homePath()).isDir());
}

TEST(CBasePath, ProductSettingsComeFromTheLauncherIni)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\nPRODUCTMODE=2x\nPRODUCTVERSION=1.2\n"
                   "LANGUAGE=3\nSYSTEM=SYS\n");
    EXPECT_EQ(CBasePath::GetProductKey(), "ABC");
    EXPECT_EQ(CBasePath::GetProductMode(), 2);
    EXPECT_EQ(CBasePath::GetProductVersion(), "1.2");
    EXPECT_EQ(CBasePath::GetLangType(), 3);
    EXPECT_EQ(CBasePath::GetSystemType(), "SYS");
    EXPECT_EQ(CBasePath::GetRegistryRootKey(), "SOFTWARE\\Korvane\\ABC\\SYSTEM");
    EXPECT_EQ(CBasePath::GetProductLocalPath(), "Korvane/ABC");

    suite.writeIni("[PRODUCT]\nPRODUCTMODE=x\n"); // read afresh, no caching
    EXPECT_EQ(CBasePath::GetProductMode(), 0);
    EXPECT_EQ(CBasePath::GetProductKey(), "");
    EXPECT_TRUE(suite.messages().isEmpty());
}

TEST(CBasePath, EveryProductReadWithoutTheIniShowsTheMessageAndRaises)
{
    SuiteFixture suite; // no INI written
    const std::pair<const char*, std::function<void()>> reads[] = {
        {"GetProductKey", [] { CBasePath::GetProductKey(); }},
        {"GetProductMode", [] { CBasePath::GetProductMode(); }},
        {"GetProductVersion", [] { CBasePath::GetProductVersion(); }},
        {"GetLangType", [] { CBasePath::GetLangType(); }},
        {"GetSystemType", [] { CBasePath::GetSystemType(); }},
        {"GetRegistryRootKey", [] { CBasePath::GetRegistryRootKey(); }},
        {"GetLocalDataBasePath", [] { CBasePath::GetLocalDataBasePath(); }},
        {"GetInstallPath", [] { CBasePath::GetInstallPath(); }},
        {"GetEcrListCount", [] { CEcrInfo::GetEcrListCount(); }},
        {"GetCurrentEcrType", [] { CEcrInfo::GetCurrentEcrType(); }},
    };
    for (const auto& [name, read] : reads) {
        suite.messages().clear();
        EXPECT_THROW(read(), CUserException) << name;
        EXPECT_EQ(suite.messages(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"}) << name;
    }
}

TEST(CBasePath, FoldersFollowTheRegistryAndTheXdgFolders)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    const auto& f = suite.folders();

    // Without "InstallPath" the install folder is the program's own folder.
    EXPECT_EQ(CBasePath::GetInstallPath(), suite.programFolder());
    EXPECT_EQ(CBasePath::GetResourcePath(), suite.programFolder() + "/RESOURCE");
    ASSERT_TRUE(platform::Registry::writeText(platform::RegistryHive::LocalMachine,
                                              "SOFTWARE\\Korvane\\ABC\\SYSTEM", "InstallPath",
                                              "/opt/korvane"));
    EXPECT_EQ(CBasePath::GetInstallPath(), "/opt/korvane");
    EXPECT_EQ(CBasePath::GetResourcePath(), "/opt/korvane/RESOURCE");
    EXPECT_EQ(CBasePath::GetRegisterBasePath("Lumo500"), "/opt/korvane/RESOURCE/Lumo500");
    EXPECT_EQ(CBasePath::GetDocumentPath(), "/opt/korvane/DOCUMENT");

    const QString local = f.userData() + "/Korvane/ABC";
    EXPECT_EQ(CBasePath::GetLocalDataBasePath(), local);
    EXPECT_TRUE(QFileInfo(local).isDir());
    EXPECT_EQ(CBasePath::GetLocalTemporaryPath(), local);
    EXPECT_EQ(CBasePath::GetLocalAnotherImportPath(), local + "/CRXIMPWORK");
    EXPECT_TRUE(QFileInfo(local + "/CRXIMPWORK").isDir());
    EXPECT_EQ(CBasePath::GetProgramDataPath(), f.machineData() + "/Korvane/ABC/");
    EXPECT_EQ(CBasePath::GetOptionsIniPath(), f.machineData() + "/Korvane/ABC/Yarrowin.ini");
    EXPECT_EQ(GetDBFileFullPath(local), local + "/SETTING.DB");

    EXPECT_TRUE(WriteRegistryString(CBasePath::GetRegistryRootKey(), "NAME", "value"));
    EXPECT_EQ(platform::Registry::readText(platform::RegistryHive::CurrentUser,
                                           "SOFTWARE\\Korvane\\ABC\\SYSTEM", "NAME"),
              "value");
    EXPECT_EQ(CBasePath::GetRegistryLocalMachineSystemString("", "InstallPath"), "/opt/korvane");
    EXPECT_EQ(CBasePath::GetRegistryLocalMachineSystemString("\\SUB", "InstallPath"), "");
}

TEST(CBasePath, TimestampIsFourteenDigitsOfLocalTime)
{
    korvane::test::FixedClock clock(QDateTime(QDate(2024, 2, 3), QTime(9, 5, 7)));
    EXPECT_EQ(GetTimestampOfNow(), "20240203090507");
    clock.Set(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59, 999)));
    EXPECT_EQ(GetTimestampOfNow(), "19991231235959");
}

TEST(CBasePath, TheLangFileIsInProgramDataBeforeTheInstallFolder)
{
    SuiteFixture suite;
    const QString beside = suite.programFolder() + "/NolvarLANG.xml";
    // Without the launcher INI: the program's folder, and no message.
    EXPECT_EQ(CBasePath::GetLangFilePath(), beside);
    EXPECT_TRUE(suite.messages().isEmpty());

    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    korvane::test::writeFile(beside, "<resources/>");
    EXPECT_EQ(CBasePath::GetLangFilePath(), beside);
    const QString programData = suite.folders().machineData() + "/Korvane/ABC/NolvarLANG.xml";
    korvane::test::writeFile(programData, "<resources/>");
    EXPECT_EQ(CBasePath::GetLangFilePath(), programData);
}

TEST(CIniFile, ReadsTellWhetherThereWasAValue)
{
    SuiteFixture suite;
    const QString ini = suite.folders().scratch() + "/o.ini";
    writeFile(ini, "[CONFIG]\nFIXEDFONT=Mono\nSIZE=12pt\nEMPTY=\n");
    CIniFile file;
    QString text = "old";
    int number = 99;
    EXPECT_TRUE(file.GetIniString(ini, "config", "fixedfont", text));
    EXPECT_EQ(text, "Mono");
    EXPECT_FALSE(file.GetIniString(ini, "CONFIG", "EMPTY", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(file.GetIniInt(ini, "CONFIG", "SIZE", number));
    EXPECT_EQ(number, 12);
    EXPECT_FALSE(file.GetIniInt(ini, "CONFIG", "MISSING", number));
    EXPECT_EQ(number, 0);
}

} // namespace
