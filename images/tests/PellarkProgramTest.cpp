// The image program end to end: its real binary on a copy of the model
// template, under an X server of the test's own where keys matter; the test
// plays the launcher that waits for its window to come back.
#include "images/CImgCanvas.h"

#include "shared/controls/CColorButton.h"

#include "testsupport/ProgramTest.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WaitingLauncher.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using korvane::test::SuiteProgram;

class PellarkProgramTest : public korvane::test::ProgramTest
{
protected:
    PellarkProgramTest() : ProgramTest("Pellark") {}
};

TEST_F(PellarkProgramTest, ListMakesTheSixRowsAndEscapeBringsTheLauncherBack)
{
    korvane::test::PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    CopyModelTemplate();

    korvane::test::WaitingLauncher launcher(m_program);
    ASSERT_TRUE(launcher.wait());

    UseX(x);
    QProcess& images = m_program.start();
    const QString window = x.waitForWindow(QStringLiteral("^Logo Images$"));
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(
        korvane::test::JoinedRows(m_database, "CSB008", {"GRAPHICCODE", "FILENAME"}),
        QStringList({"000001| ", "000002| ", "000003| ", "000004| ", "000011| ", "000012| "}));

    // A second start meanwhile ends at once, silently.
    QProcess& second = m_program.start({QStringLiteral("/EASY")});
    EXPECT_EQ(SuiteProgram::waitForExit(second), 0);

    x.xdotool({"windowfocus", "--sync", window});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_TRUE(m_program.messages().isEmpty());
    // The bring-back arrives through the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return launcher.broughtBack(); }, 10000));
}

TEST_F(PellarkProgramTest, EditorStoresTheRenderedLogoOfAChosenPicture)
{
    korvane::test::PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    CopyModelTemplate();
    QImage picture(576, 168, QImage::Format_RGB32);
    for (int y = 0; y < 168; ++y)
        for (int x = 0; x < 576; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 575, y * 255 / 167, (x + y) % 256));
    QPainter(&picture).fillRect(100, 40, 80, 60, Qt::black);
    const QString source = m_program.folders().scratch() + QStringLiteral("/shop.png");
    ASSERT_TRUE(picture.save(source));
    const auto firstRow = [&] {
        return QString::fromUtf8(korvane::test::Sqlite3(m_database,
                                                        "SELECT FILENAME, UPDATEDATETIME FROM "
                                                        "CSB008 WHERE GRAPHICCODE = '000001'"))
            .trimmed()
            .split(QLatin1Char('|'));
    };
    const QStringList before = firstRow();

    UseX(x);
    QProcess& images = m_program.start();
    const QString list = x.waitForWindow(QStringLiteral("^Logo Images$"));
    ASSERT_FALSE(list.isEmpty());
    x.xdotool({"windowfocus", "--sync", list});
    x.xdotool({"key", "Return"});
    const QString chooser = x.waitForWindow(QStringLiteral("^Open"));
    ASSERT_FALSE(chooser.isEmpty());
    x.xdotool({"windowfocus", "--sync", chooser});
    x.xdotool({"type", "--delay", "10", source});
    x.xdotool({"key", "Return"});
    const QString editor = x.waitForWindow(QStringLiteral("^Edit Image$"));
    ASSERT_FALSE(editor.isEmpty());
    ASSERT_TRUE(korvane::test::WaitForWindows(x, QStringLiteral("^Open"), 0).isEmpty());
    x.xdotool({"windowfocus", "--sync", editor});
    x.xdotool({"key", "Return"}); // OK; the confirmation takes its first button
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return m_program.messages().contains(QStringLiteral("CRDS_COMFIRM_SAVE")); }, 10000));
    ASSERT_TRUE(korvane::test::WaitForWindows(x, QStringLiteral("^Edit Image$"), 0).isEmpty());
    x.xdotool({"windowfocus", "--sync", list});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_COMFIRM_SAVE"});

    pellark::CImgCanvas canvas, output;
    ASSERT_TRUE(canvas.Load(source));
    ASSERT_TRUE(
        canvas.RenderInto(output, QSize(576, 168), QRect(0, 0, 576, 168), QRect(0, 0, 576, 168)));
    const QString expected = m_program.folders().scratch() + QStringLiteral("/expected.bmp");
    ASSERT_TRUE(output.WriteMonoBmp(expected));
    const QByteArray stored = QByteArray::fromHex(
        korvane::test::Sqlite3(m_database,
                               "SELECT hex(GRAPHICDATA) FROM CSB008 WHERE GRAPHICCODE = '000001'")
            .trimmed());
    EXPECT_EQ(stored.size(), 12158);
    EXPECT_EQ(stored, korvane::test::readFile(expected));
    EXPECT_EQ(QImage::fromData(stored).depth(), 1);
    const QStringList row = firstRow();
    EXPECT_EQ(row.value(0), "shop.bmp");
    EXPECT_NE(row.value(1), before.value(1));
    EXPECT_FALSE(row.value(1).trimmed().isEmpty());
}

TEST_F(PellarkProgramTest, EasyModeStoresTheTypedShopStamp)
{
    korvane::test::PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    CopyModelTemplate();

    UseX(x);
    QProcess& images = m_program.start({QStringLiteral("/EASY")});
    const QString window = x.waitForWindow(QStringLiteral("^Stamp Images$"));
    ASSERT_FALSE(window.isEmpty());
    korvane::test::FocusWindow(x, window);
    // The page fills the window but for 6 dots below and 7 at the sides:
    // its controls are found from the window's bottom edge.
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Geometry: (\\d+)x(\\d+)"))
            .match(x.xdotool({"getwindowgeometry", window}));
    ASSERT_TRUE(size.hasMatch());
    const int pageTop = size.captured(2).toInt() - 6 - 600;
    const auto click = [&](int pageX, int pageY) {
        x.xdotool({"mousemove", "--window", window, QString::number(7 + pageX),
                   QString::number(pageTop + pageY)});
        x.xdotool({"click", "1"});
    };
    x.xdotool({"windowfocus", "--sync", window});
    click(440, 110); // the shop text
    x.xdotool({"type", "--delay", "20", "MAIN SHOP"});
    const QPoint ok =
        CColorButton::AdjustRect(QRect(0, 0, 880, 600), 0, 1, 1, 1, 0, false)->center();
    click(ok.x(), ok.y());
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_PROMPT_PAGE_SAVE"});

    for (const char* code : {"000001", "000002"}) {
        SCOPED_TRACE(code);
        const QStringList row =
            QString::fromUtf8(korvane::test::Sqlite3(
                                  m_database, QByteArray("SELECT FILENAME, hex(GRAPHICDATA) FROM "
                                                         "CSB008 WHERE GRAPHICCODE = '") +
                                                  code + "'"))
                .trimmed()
                .split(QLatin1Char('|'));
        EXPECT_EQ(row.value(0), "ToolOutput.bmp");
        const QImage stored = QImage::fromData(QByteArray::fromHex(row.value(1).toLatin1()));
        EXPECT_EQ(stored.size(), QSize(576, 168));
        EXPECT_EQ(stored.depth(), 1);
        int black = 0;
        for (int y = 40; y < 128; ++y)
            for (int px = 188; px < 388; ++px)
                black += (stored.pixel(px, y) & 0xFFFFFF) == 0;
        if (QByteArray(code) == "000001")
            EXPECT_GT(black, 20);
        else
            EXPECT_EQ(black, 0);
    }
    QString profile;
    QDirIterator files(m_program.folders().root(), {QStringLiteral("Pellark.conf")}, QDir::Files,
                       QDirIterator::Subdirectories);
    if (files.hasNext())
        profile = files.next();
    ASSERT_FALSE(profile.isEmpty());
    EXPECT_EQ(QSettings(profile, QSettings::IniFormat)
                  .value(QStringLiteral("SHOPSTAMP/SHOP1STAMPTEXT"))
                  .toString(),
              "MAIN SHOP");
}

TEST_F(PellarkProgramTest, MissingWorkDatabaseIsReportedAndNotMade)
{
    QProcess& images = m_program.start();
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_SETREAD2_FAILED"});
    EXPECT_FALSE(QFile::exists(m_database));
}

TEST_F(PellarkProgramTest, MissingLauncherIniEndsWithZero)
{
    QFile::remove(m_program.folder() + QStringLiteral("/Tovanel.ini"));
    QProcess& images = m_program.start();
    EXPECT_EQ(SuiteProgram::waitForExit(images), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"});
}

} // namespace
