// The monitor program end to end: its real binary on a copy of the model
// template without a signage folder, driven by keys under an X server of
// the test's own; then the archive library packs what it wrote.
#include "archive/QuorvinExport.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/PreferenceXml.h"
#include "monitor/SignageFolder.h"

#include "platform/FileTime.h"
#include "shared/config/CBasePath.h"
#include "testsupport/ProgramTest.h"
#include "testsupport/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

using korvane::test::PrivateXServer;
using korvane::test::SuiteProgram;
using mervolt::CXmlDataArray;
using mervolt::CXmlItem;
using mervolt::MON_XML_OK;
using mervolt::ReadPreferenceXml;
using mervolt::WritePreferenceXml;

constexpr qint64 kOldTime = 1'000'000'000'000'000'000;

class MervoltProgramTest : public korvane::test::ProgramTest
{
protected:
    MervoltProgramTest() : ProgramTest("Mervolt") {}

    void SetUp() override
    {
        ProgramTest::SetUp();
        const QString from = KORVANE_SUITE_DIR "/RESOURCE/additionals/Orbanel";
        const QString to = m_program.folder() + "/RESOURCE/additionals/Orbanel";
        for (const char* file : {"/ItemImage/0000000000000000.png", "/Setting/Preference.xml"})
            korvane::test::writeFile(to + file, korvane::test::readFile(from + file));
        m_base = CBasePath::GetLocalDataBasePath();
        CopyModelTemplate();
        platform::setLastWriteTimeNs(m_database, kOldTime);
    }

    void key(const PrivateXServer& x, const QStringList& keys)
    {
        x.xdotool(QStringList{"key", "--delay", "30"} + keys);
    }

    QString m_base;
};

TEST_F(MervoltProgramTest, TelopTypedInTheIdleWindowReachesTheFileTheDatabaseTimeAndAnArchive)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing";
    UseX(x);
    QProcess& monitor = m_program.start({"/A"});
    const QString menu = x.waitForWindow("^Monitor Settings");
    ASSERT_FALSE(menu.isEmpty());

    // A second start meanwhile ends at once.
    QProcess& second = m_program.start({"/A"});
    EXPECT_EQ(SuiteProgram::waitForExit(second), 0);

    x.xdotool({"windowfocus", "--sync", menu});
    key(x, {"Return"});
    const QString idle = x.waitForWindow("^Idle Screen");
    ASSERT_FALSE(idle.isEmpty());
    x.xdotool({"windowfocus", "--sync", idle});
    // From the movie's edit past its two buttons and the first slide's row
    // to the first telop; back past the first edit to OK.
    key(x, QStringList(6, "Tab"));
    x.xdotool({"type", "--delay", "30", "Fresh bread"});
    key(x, QStringList(8, "shift+Tab") << "Return");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return x.xdotool({"search", "--onlyvisible", "--name", "^Idle Screen"}).isEmpty();
        },
        10000));
    x.xdotool({"windowfocus", "--sync", menu});
    key(x, {"Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(monitor), 2);
    EXPECT_EQ(m_program.messages(), QStringList());

    const QString signage = m_base + "/additionals/Orbanel";
    QFile preference(signage + "/Setting/Preference.xml");
    ASSERT_TRUE(preference.open(QIODevice::ReadOnly));
    const QByteArray xml = preference.readAll();
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_TRUE(xml.contains("<string name=\"idle_telop1_file\">FullTelop1.txt</string>"));
    EXPECT_EQ(korvane::test::readFile(signage + "/FullTelop/FullTelop1.txt"), "Fresh bread");
    EXPECT_GT(platform::lastWriteTimeNs(m_database).value_or(0), kOldTime);
    EXPECT_FALSE(QDir(signage + "/Temporary").exists());

    // The archive library carries the signage folder.
    const QString archive = m_program.folders().scratch() + "/out.crx";
    ASSERT_EQ(CrxExport(m_base, archive, nullptr, 1, QString(), nullptr, nullptr, nullptr,
                        "LUMO-500", "1.00", QString(), "STANDARD", QString(), 1, 0, 1, 1, 1, 1, 1,
                        0),
              0u);
    QProcess tar;
    tar.start("tar", {"-xjOf", archive, "additionals/Orbanel/FullTelop/FullTelop1.txt"});
    ASSERT_TRUE(tar.waitForFinished(30000));
    EXPECT_EQ(tar.readAllStandardOutput(), "Fresh bread");
    tar.start("tar", {"-xjOf", archive, "additionals/Orbanel/Setting/Preference.xml"});
    ASSERT_TRUE(tar.waitForFinished(30000));
    EXPECT_EQ(tar.readAllStandardOutput(), xml);
}

TEST_F(MervoltProgramTest, CodeInsertedInADisplayArchiveGetsItsPictureInTheFirstFreeSlot)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing";
    const QString signage = m_base + "/additionals/Orbanel";
    for (const char* code : {"0000000000000005", "0000000000000007"})
        korvane::test::writeFile(signage + "/ItemImage/" + code + ".png", code);
    CXmlDataArray items;
    ASSERT_EQ(ReadPreferenceXml(KORVANE_SUITE_DIR "/RESOURCE/additionals/Orbanel/Setting/"
                                                  "Preference.xml",
                                items),
              MON_XML_OK);
    QDir().mkpath(signage + "/Setting");
    items.FindOrAddItem("string", "transaction_item1_file")->m_strValue = "0000000000000005.png";
    items.FindOrAddItem("string", "transaction_item2_file")->m_strValue = "";
    items.FindOrAddItem("string", "transaction_item3_file")->m_strValue = "0000000000000007.png";
    ASSERT_EQ(WritePreferenceXml(signage + "/Setting/Preference.xml", items), MON_XML_OK);
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString picture = m_program.folders().scratch() + "/pick/bread.png";
    QDir().mkpath(QFileInfo(picture).path());
    ASSERT_TRUE(image.save(picture, "PNG"));

    UseX(x);
    QProcess& monitor = m_program.start({"/B"});
    const QString menu = x.waitForWindow("^Monitor Settings");
    ASSERT_FALSE(menu.isEmpty());
    x.xdotool({"windowfocus", "--sync", menu});
    key(x, {"Tab", "Tab", "Return"});
    const QString list = x.waitForWindow("^Item Images");
    ASSERT_FALSE(list.isEmpty());
    x.xdotool({"windowfocus", "--sync", list});
    // From the list back past Cancel, OK, Update and Delete to Insert.
    key(x, QStringList(5, "shift+Tab") << "Return");
    const QString add = x.waitForWindow("^New Code");
    ASSERT_FALSE(add.isEmpty());
    x.xdotool({"windowfocus", "--sync", add});
    key(x, {"Tab", "Return"}); // the proposed code 1
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return x.xdotool({"search", "--onlyvisible", "--name", "^New Code"}).isEmpty();
        },
        10000));
    x.xdotool({"windowfocus", "--sync", list});
    // The new row is selected in the list: back past Cancel and OK to Update.
    key(x, {"shift+Tab", "shift+Tab", "shift+Tab", "Return"});
    const QString chooser = x.waitForWindow("^Select a file");
    ASSERT_FALSE(chooser.isEmpty());
    x.xdotool({"windowfocus", "--sync", chooser});
    x.xdotool({"type", "--delay", "10", picture});
    key(x, {"Return"});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return x.xdotool({"search", "--onlyvisible", "--name", "^Select a file"}).isEmpty();
        },
        10000));
    korvane::test::FocusWindow(x, list);
    key(x, {"Tab", "Return"}); // OK after Update
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return x.xdotool({"search", "--onlyvisible", "--name", "^Item Images"}).isEmpty();
        },
        10000));
    x.xdotool({"windowfocus", "--sync", menu});
    key(x, {"Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(monitor), 2);
    EXPECT_EQ(m_program.messages(), QStringList());

    CXmlDataArray written;
    ASSERT_EQ(ReadPreferenceXml(signage + "/Setting/Preference.xml", written), MON_XML_OK);
    const auto value = [&](const char* key) {
        const CXmlItem* item = written.FindItem("string", key);
        return item ? item->m_strValue : QString("<none>");
    };
    EXPECT_EQ(value("transaction_item1_file"), "0000000000000005.png");
    EXPECT_EQ(value("transaction_item2_file"), "0000000000000001.png");
    EXPECT_EQ(value("transaction_item3_file"), "0000000000000007.png");
    EXPECT_EQ(korvane::test::readFile(signage + "/ItemImage/0000000000000001.png"),
              korvane::test::readFile(picture));
    EXPECT_GT(platform::lastWriteTimeNs(m_database).value_or(0), kOldTime);
    EXPECT_FALSE(QDir(signage + "/Temporary").exists());
}

// Offscreen, no keys needed: a malformed file ends the program at once.
TEST_F(MervoltProgramTest, MalformedPreferenceEndsWithTheCodeAndTouchesNothing)
{
    const QString path = m_base + "/additionals/Orbanel/Setting/Preference.xml";
    const QByteArray malformed = "<?xml version=\"1.0\"?><map><string name=\"x\">";
    korvane::test::writeFile(path, malformed);
    QProcess& monitor = m_program.start({"/B"});
    EXPECT_EQ(SuiteProgram::waitForExit(monitor), 2);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_MO_ERR_MONITOR_READXML"});
    EXPECT_EQ(korvane::test::readFile(path), malformed);
    EXPECT_EQ(platform::lastWriteTimeNs(m_database).value_or(0), kOldTime);
}

} // namespace
