#include "platform/Registry.h"
#include "testsupport/TestFolders.h"

#include <QFile>

#include <gtest/gtest.h>

#include <thread>

using namespace korvane::test;
using platform::Registry;
using platform::RegistryHive;

namespace {
const QString kSystem = QStringLiteral("SOFTWARE\\Korvane\\ABC\\SYSTEM");
}

TEST(Registry, ValuesLiveInTheHiveFolderOfTheProduct)
{
    struct Case
    {
        RegistryHive hive;
        QString keyPath;
        QString relative;
    };
    TestFolders folders;
    // Only the first folder of the list is the machine-wide one.
    qputenv("XDG_CONFIG_DIRS", (folders.machineConfig() + ":/somewhere/else").toLocal8Bit());
    const Case cases[] = {
        {RegistryHive::LocalMachine, kSystem, "/Korvane/ABC/SYSTEM.values"},
        {RegistryHive::CurrentUser, kSystem, "/Korvane/ABC/SYSTEM.values"},
        {RegistryHive::CurrentUser, "SOFTWARE\\Korvane\\\\SYSTEM", "/Korvane/SYSTEM.values"},
        {RegistryHive::CurrentUser, "software\\korvane\\ABC\\SYSTEM\\Sub",
         "/Korvane/ABC/SYSTEM/Sub.values"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyPath.toStdString());
        const QString root =
            c.hive == RegistryHive::LocalMachine ? folders.machineConfig() : folders.userConfig();
        EXPECT_EQ(Registry::keyFile(c.hive, c.keyPath), root + c.relative);
        ASSERT_TRUE(Registry::writeText(c.hive, c.keyPath, "InstallPath", "/opt/k"));
        ASSERT_TRUE(Registry::writeNumber(c.hive, c.keyPath, "MAINWH", 4294967295u));
        EXPECT_TRUE(QFile::exists(root + c.relative));
        EXPECT_EQ(Registry::readText(c.hive, c.keyPath, "InstallPath"), "/opt/k");
        EXPECT_EQ(Registry::readNumber(c.hive, c.keyPath, "MAINWH"), 4294967295u);
    }
    // The two hives are apart.
    ASSERT_TRUE(Registry::writeText(RegistryHive::CurrentUser, kSystem, "REG_TYPE", "user"));
    EXPECT_FALSE(Registry::readText(RegistryHive::LocalMachine, kSystem, "REG_TYPE"));
}

TEST(Registry, AValueOfTheOtherTypeReadsAsMissing)
{
    TestFolders folders;
    ASSERT_TRUE(Registry::writeText(RegistryHive::CurrentUser, kSystem, "REG_TYPE", "5"));
    ASSERT_TRUE(Registry::writeNumber(RegistryHive::CurrentUser, kSystem, "MAINWH", 7));
    EXPECT_FALSE(Registry::readNumber(RegistryHive::CurrentUser, kSystem, "REG_TYPE"));
    EXPECT_FALSE(Registry::readText(RegistryHive::CurrentUser, kSystem, "MAINWH"));
    EXPECT_FALSE(Registry::readText(RegistryHive::CurrentUser, kSystem, "NONE"));
    EXPECT_FALSE(Registry::readText(RegistryHive::CurrentUser, "SOFTWARE\\Korvane\\X\\Y", "A"));
    // Writing the other type replaces the value.
    ASSERT_TRUE(Registry::writeText(RegistryHive::CurrentUser, kSystem, "MAINWH", "x"));
    EXPECT_FALSE(Registry::readNumber(RegistryHive::CurrentUser, kSystem, "MAINWH"));
    EXPECT_EQ(Registry::readText(RegistryHive::CurrentUser, kSystem, "MAINWH"), "x");
}

TEST(Registry, ReadsTheFileAfreshAndMatchesNamesWithoutCase)
{
    TestFolders folders;
    const QString file = Registry::keyFile(RegistryHive::LocalMachine, kSystem);
    ASSERT_TRUE(writeFile(file, R"({"InstallPath": "/a", "N": 12, "Neg": -1, "Half": 1.5,
                                    "Big": 4294967296})"));
    EXPECT_EQ(Registry::readText(RegistryHive::LocalMachine, kSystem, "installpath"), "/a");
    EXPECT_EQ(Registry::readNumber(RegistryHive::LocalMachine, kSystem, "n"), 12u);
    for (const char* name : {"Neg", "Half", "Big"})
        EXPECT_FALSE(Registry::readNumber(RegistryHive::LocalMachine, kSystem, name)) << name;

    ASSERT_TRUE(writeFile(file, R"({"InstallPath": "/b"})"));
    EXPECT_EQ(Registry::readText(RegistryHive::LocalMachine, kSystem, "InstallPath"), "/b");

    // A write under another spelling replaces the value, keeps the others.
    ASSERT_TRUE(writeFile(file, R"({"InstallPath": "/b", "Other": "o"})"));
    ASSERT_TRUE(Registry::writeText(RegistryHive::LocalMachine, kSystem, "INSTALLPATH", "/c"));
    EXPECT_EQ(Registry::readText(RegistryHive::LocalMachine, kSystem, "InstallPath"), "/c");
    EXPECT_EQ(Registry::readText(RegistryHive::LocalMachine, kSystem, "Other"), "o");
    EXPECT_FALSE(readFile(file).contains("INSTALLPATH"));
}

TEST(Registry, RemoveValue)
{
    TestFolders folders;
    EXPECT_TRUE(Registry::removeValue(RegistryHive::CurrentUser, kSystem, "A"));
    EXPECT_FALSE(QFile::exists(Registry::keyFile(RegistryHive::CurrentUser, kSystem)));
    ASSERT_TRUE(Registry::writeText(RegistryHive::CurrentUser, kSystem, "A", "1"));
    ASSERT_TRUE(Registry::writeText(RegistryHive::CurrentUser, kSystem, "B", "2"));
    EXPECT_TRUE(Registry::removeValue(RegistryHive::CurrentUser, kSystem, "a"));
    EXPECT_FALSE(Registry::readText(RegistryHive::CurrentUser, kSystem, "A"));
    EXPECT_EQ(Registry::readText(RegistryHive::CurrentUser, kSystem, "B"), "2");
}

TEST(Registry, AnUnreadableFileIsNeverOverwritten)
{
    TestFolders folders;
    const QString file = Registry::keyFile(RegistryHive::CurrentUser, kSystem);
    const QByteArray broken = "{\"REG_TYPE\": \"Lumo500\",";
    ASSERT_TRUE(writeFile(file, broken));
    EXPECT_FALSE(Registry::readText(RegistryHive::CurrentUser, kSystem, "REG_TYPE"));
    EXPECT_FALSE(Registry::writeNumber(RegistryHive::CurrentUser, kSystem, "MAINWH", 0));
    EXPECT_FALSE(Registry::removeValue(RegistryHive::CurrentUser, kSystem, "REG_TYPE"));
    EXPECT_EQ(readFile(file), broken);
}

TEST(Registry, KeyPathsOutsideTheProductAreRefused)
{
    TestFolders folders;
    for (const char* path : {"SOFTWARE\\Other\\ABC\\SYSTEM", "SOFTWARE\\Korvane\\ABC",
                             "SOFTWARE\\Korvane\\..\\SYSTEM", "SOFTWARE\\Korvane\\ABC\\..",
                             "SOFTWARE\\Korvane\\A/B\\SYSTEM", "SOFTWARE\\Korvane\\ABC\\\\X", ""}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Registry::keyFile(RegistryHive::CurrentUser, path), QString());
        EXPECT_FALSE(Registry::writeText(RegistryHive::CurrentUser, path, "A", "1"));
        EXPECT_FALSE(Registry::readText(RegistryHive::CurrentUser, path, "A"));
    }
}

TEST(Registry, WritersOfDifferentValuesKeepEachOthers)
{
    TestFolders folders;
    constexpr int kWrites = 20;
    const auto writer = [](const QString& prefix) {
        for (int i = 0; i < kWrites; ++i)
            ASSERT_TRUE(Registry::writeNumber(RegistryHive::CurrentUser, kSystem,
                                              prefix + QString::number(i), quint32(i)));
    };
    std::thread a(writer, QStringLiteral("A"));
    std::thread b(writer, QStringLiteral("B"));
    a.join();
    b.join();
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(
            Registry::readNumber(RegistryHive::CurrentUser, kSystem, "A" + QString::number(i)),
            quint32(i));
        EXPECT_EQ(
            Registry::readNumber(RegistryHive::CurrentUser, kSystem, "B" + QString::number(i)),
            quint32(i));
    }
}
