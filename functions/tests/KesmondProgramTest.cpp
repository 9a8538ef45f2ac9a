// The function program end to end: its real binary on a work database made
// from the model template and the seed rows, driven by keys under an X
// server of the test's own.
#include "shared/config/CBasePath.h"
#include "shared/controls/CColorButton.h"
#include "testsupport/ProgramTest.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WaitingLauncher.h"
#include "testsupport/WorkDbFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using korvane::test::FocusWindow;
using korvane::test::PrivateXServer;
using korvane::test::SuiteProgram;

const QString kTitle = QStringLiteral("^Function Key Settings$");

class KesmondProgramTest : public korvane::test::ProgramTest
{
protected:
    KesmondProgramTest() : ProgramTest("Kesmond") {}

    void MakeWorkDatabase()
    {
        CopyModelTemplate();
        QStringList statements;
        for (const char* seed :
             {"CSM009", "CSM018", "CSB002", "CSB003", "CSB007", "CSM017", "CSB022", "CSB023"}) {
            QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/seeds/%1.sql")
                           .arg(QLatin1String(seed)));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
                if (line.startsWith(QLatin1String("INSERT")))
                    statements << line;
        }
        korvane::test::ExecSql(m_database, statements);
    }

    // The visible windows with the program's title, waiting until there are count.
    static QStringList Windows(const PrivateXServer& x, int count, const QString& title = kTitle)
    {
        return korvane::test::WaitForWindows(x, title, count);
    }

    // The program in a mode on the test's own X server, on a work database
    // from the seeds, the launcher waiting for it.
    QProcess& StartOnX(const PrivateXServer& x, const char* mode)
    {
        MakeWorkDatabase();
        // The launcher's socket token in "MAINWH".
        m_launcher = std::make_unique<korvane::test::WaitingLauncher>(m_program);
        EXPECT_TRUE(m_launcher->wait());
        UseX(x);
        return m_program.start({QLatin1String(mode)});
    }
    // Escape in the main window; the program's exit code.
    static int EscapeFrom(const PrivateXServer& x, const QString& window, QProcess& program)
    {
        FocusWindow(x, window);
        x.xdotool({"key", "Escape"});
        return SuiteProgram::waitForExit(program);
    }

    std::unique_ptr<korvane::test::WaitingLauncher> m_launcher;
};

TEST_F(KesmondProgramTest, KeyRenamedByKeys)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    QProcess& functions = StartOnX(x, "/FK");
    const QStringList list = Windows(x, 1);
    ASSERT_EQ(list.size(), 1);

    // A second start meanwhile ends at once.
    QProcess& second = m_program.start({QStringLiteral("/FK")});
    EXPECT_EQ(SuiteProgram::waitForExit(second), 0);

    // Enter opens the first key; Tab from the function to the name, Tab to OK.
    FocusWindow(x, list[0]);
    x.xdotool({"key", "Return"});
    QStringList both = Windows(x, 2);
    ASSERT_EQ(both.size(), 2);
    both.removeAll(list[0]);
    FocusWindow(x, both[0]);
    x.xdotool({"key", "Tab", "ctrl+a"});
    x.xdotool({"type", "--delay", "20", "TENDER"});
    x.xdotool({"key", "Tab", "Return"});
    ASSERT_EQ(Windows(x, 1).size(), 1);
    EXPECT_EQ(EscapeFrom(x, list[0], functions), 2);

    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    const QString row =
        QString::fromUtf8(korvane::test::Sqlite3(m_database, "SELECT FUNCKEYCODE, FUNCKEYNAME, "
                                                             "FUNCTIONCODE, CREATEDATETIME, "
                                                             "UPDATEDATETIME > CREATEDATETIME FROM "
                                                             "CSB002 WHERE FUNCKEYCODE = '000001'"))
            .trimmed();
    EXPECT_EQ(row, "000001|TENDER|000001|20240101000000|1");
    // The bring-back arrives through the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_launcher->broughtBack(); }, 10000));
}

TEST_F(KesmondProgramTest, CharacterTextEditedByKeysKeepsItsLineBreak)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    QProcess& functions = StartOnX(x, "/CH");
    const QString title = QStringLiteral("^Character Settings$");
    const QStringList list = Windows(x, 1, title);
    ASSERT_EQ(list.size(), 1);

    // The last row shown is the shop header (the service text is hidden).
    FocusWindow(x, list[0]);
    x.xdotool({"key", "ctrl+End", "Return"});
    QStringList both = Windows(x, 2, title);
    ASSERT_EQ(both.size(), 2);
    both.removeAll(list[0]);
    FocusWindow(x, both[0]);
    x.xdotool({"key", "ctrl+End"});
    x.xdotool({"type", "--delay", "20", " NOW"});
    x.xdotool({"key", "Tab", "Return"});
    ASSERT_EQ(Windows(x, 1, title).size(), 1);
    EXPECT_EQ(EscapeFrom(x, list[0], functions), 2);

    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(QString::fromUtf8(korvane::test::Sqlite3(m_database,
                                                       "SELECT hex(CHARDATA) FROM CSB007 WHERE "
                                                       "CHARSETCODE = 'MESSAGE.SHOP.HEADER'"))
                  .trimmed(),
              QString::fromLatin1(QByteArray("WELCOME\r\nTO OUR SHOP NOW").toHex().toUpper()));
}

TEST_F(KesmondProgramTest, FunctionListKeyInsertedByKeys)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    QProcess& functions = StartOnX(x, "/FL");
    const QStringList list = Windows(x, 1);
    ASSERT_EQ(list.size(), 1);

    // From the list, Tab passes Help to Insert.
    FocusWindow(x, list[0]);
    x.xdotool({"key", "Tab", "Tab", "space"});
    QStringList both = Windows(x, 2);
    ASSERT_EQ(both.size(), 2);
    both.removeAll(list[0]);
    FocusWindow(x, both[0]);
    x.xdotool({"key", "Tab"});
    x.xdotool({"type", "--delay", "20", "LIST KEY"});
    x.xdotool({"key", "Tab", "Return"});
    ASSERT_EQ(Windows(x, 1).size(), 1);
    EXPECT_EQ(EscapeFrom(x, list[0], functions), 2);

    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(QString::fromUtf8(korvane::test::Sqlite3(
                                    m_database, "SELECT FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE "
                                                "FROM CSB002 WHERE FUNCKEYCODE >= '050000'"))
                  .trimmed(),
              "050000|LIST KEY|000001");
    EXPECT_EQ(QString::fromUtf8(korvane::test::Sqlite3(
                                    m_database, "SELECT CODE, SHEETSEQCODE, POSITIONY FROM CSB022 "
                                                "WHERE SHEETNUMBER = 0 AND CONTROLTYPE = "
                                                "'PopupListItem' ORDER BY SHEETSEQCODE"))
                  .trimmed()
                  .split(u'\n'),
              QStringList({"000005|1|1", "000007|2|2", "000014|3|3", "050000|4|4"}));
}

TEST_F(KesmondProgramTest, UnknownSwitchEndsWithoutAWindow)
{
    MakeWorkDatabase();
    for (const QStringList& arguments : {QStringList{"/XX"}, QStringList{"/fk"}, QStringList{}}) {
        QProcess& functions = m_program.start(arguments);
        EXPECT_EQ(SuiteProgram::waitForExit(functions), 0) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(m_program.messages(), QStringList());
}

TEST_F(KesmondProgramTest, MissingWorkDatabaseIsReportedAndNotMade)
{
    QProcess& functions = m_program.start({QStringLiteral("/FK")});
    EXPECT_EQ(SuiteProgram::waitForExit(functions), 2);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    EXPECT_FALSE(QFile::exists(m_database));
}

} // namespace

// The key layout by mouse: a seeded key dragged two cells to the right and
// OK pressed, or Escape.
class KeyLayoutProgramTest : public KesmondProgramTest
{
protected:
    QByteArray Layout()
    {
        return korvane::test::Sqlite3(
            m_database, "SELECT SHEETTYPE, SHEETNUMBER, CONTROLTYPE, CODE, POSITIONX, POSITIONY, "
                        "WIDTH, HEIGHT, LABEL, FOREGROUNDCOLOR, BACKGROUNDCOLOR, OPTIONCOLOR, "
                        "IMAGEFLAG FROM CSB022 ORDER BY 1, 2, 3, 4");
    }
    // Drags the first page's CASH key (at 2, 2 on the canvas at 432, 20,
    // where the 800 px page shows whole) two cells and a pixel to the right.
    static void DragCash(const PrivateXServer& x, const QString& window)
    {
        FocusWindow(x, window);
        x.xdotool({"mousemove", "--window", window, "457", "45"});
        x.xdotool({"mousedown", "1"});
        // The drag starts from a timer inside the program: the press is held
        // past it, and the move paced, as a hand would.
        QTest::qWait(600);
        x.xdotool({"mousemove", "--window", window, "714", "45"});
        QTest::qWait(100);
        x.xdotool({"mouseup", "1"});
    }
};

TEST_F(KeyLayoutProgramTest, KeyDraggedTwoCellsAndSaved)
{
    // The window is wider than the other tests' screen: a dealer's screen.
    PrivateXServer x(QStringLiteral("1280x800"));
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    QProcess& program = StartOnX(x, "/KL");
    const QString window = Windows(x, 1).value(0);
    ASSERT_FALSE(window.isEmpty());
    const QByteArray before = Layout();
    DragCash(x, window);

    // OK where the editor layout places it.
    const QStringList size =
        x.xdotool({"getwindowgeometry", "--shell", window}).split(u'\n', Qt::SkipEmptyParts);
    const int width = size.filter(QStringLiteral("WIDTH=")).value(0).mid(6).toInt();
    const int height = size.filter(QStringLiteral("HEIGHT=")).value(0).mid(7).toInt();
    const auto ok = CColorButton::AdjustRect(QRect(0, 0, width, height), 0, 2, 1, 3, 0, false);
    ASSERT_TRUE(ok);
    x.xdotool({"mousemove", "--window", window, QString::number(ok->center().x()),
               QString::number(ok->center().y())});
    x.xdotool({"click", "1"});
    EXPECT_EQ(SuiteProgram::waitForExit(program), 1)
        << m_program.messages().join(u' ').toStdString() << " " << width << "x" << height;

    // CASH moved two cell steps (128 each); every other row kept its values.
    QByteArray expected = before;
    expected.replace("ITEM|1|FunctionButton|000001|2|2|", "ITEM|1|FunctionButton|000001|258|2|");
    EXPECT_EQ(Layout(), expected);
    EXPECT_EQ(korvane::test::Sqlite3(m_database, "SELECT count(*) FROM CSB022 WHERE SHEETTYPE = "
                                                 "'ITEM' AND UPDATEDATETIME = '20240101000000'"),
              QByteArray("0\n"));
    // The program's own profile file (this process's QSettings keeps the
    // folder of its first use).
    QSettings profile(qEnvironmentVariable("XDG_CONFIG_HOME") + QLatin1Char('/') +
                          CBasePath::GetProductLocalPath() + QStringLiteral("/Kesmond.conf"),
                      QSettings::IniFormat);
    profile.beginGroup(QStringLiteral("Function Key Settings"));
    EXPECT_EQ(profile.value(QStringLiteral("KeyLayout.Matrix.X")).toInt(), 6);
    EXPECT_EQ(profile.value(QStringLiteral("KeyLayout.Matrix.Y")).toInt(), 5);
}

TEST_F(KeyLayoutProgramTest, EscapeLeavesTheDatabaseAsItWas)
{
    PrivateXServer x(QStringLiteral("1280x800"));
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    QProcess& program = StartOnX(x, "/KL");
    const QString window = Windows(x, 1).value(0);
    const QByteArray before = korvane::test::Sqlite3(m_database, ".dump");
    DragCash(x, window);
    EXPECT_EQ(EscapeFrom(x, window, program), 2);
    EXPECT_EQ(korvane::test::Sqlite3(m_database, ".dump"), before);
}

TEST_F(KeyLayoutProgramTest, KeyRelabelledInItsDialogAndSaved)
{
    PrivateXServer x(QStringLiteral("1280x800"));
    if (!x.isRunning())
        GTEST_SKIP() << "xdotool or Xvfb missing (scripts/install-deps.sh installs them)";
    QProcess& program = StartOnX(x, "/KL");
    const QString window = Windows(x, 1).value(0);
    ASSERT_FALSE(window.isEmpty());
    FocusWindow(x, window);
    x.xdotool({"mousemove", "--window", window, "457", "45"});
    x.xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
    const QString dialog = Windows(x, 1, QStringLiteral("^Key Settings$")).value(0);
    ASSERT_FALSE(dialog.isEmpty());
    FocusWindow(x, dialog);
    x.xdotool({"key", "ctrl+a"});
    x.xdotool({"type", "--delay", "20", "PAY NOW"});
    x.xdotool({"key", "Return"});
    ASSERT_TRUE(Windows(x, 0, QStringLiteral("^Key Settings$")).isEmpty());

    const QStringList size =
        x.xdotool({"getwindowgeometry", "--shell", window}).split(u'\n', Qt::SkipEmptyParts);
    const int width = size.filter(QStringLiteral("WIDTH=")).value(0).mid(6).toInt();
    const int height = size.filter(QStringLiteral("HEIGHT=")).value(0).mid(7).toInt();
    const auto ok = CColorButton::AdjustRect(QRect(0, 0, width, height), 0, 2, 1, 3, 0, false);
    ASSERT_TRUE(ok);
    FocusWindow(x, window);
    x.xdotool({"mousemove", "--window", window, QString::number(ok->center().x()),
               QString::number(ok->center().y())});
    x.xdotool({"click", "1"});
    EXPECT_EQ(SuiteProgram::waitForExit(program), 1)
        << m_program.messages().join(u' ').toStdString();
    EXPECT_EQ(korvane::test::Sqlite3(m_database,
                                     "SELECT LABEL FROM CSB022 WHERE SHEETTYPE = 'ITEM' "
                                     "AND CONTROLTYPE = 'FunctionButton' AND CODE = "
                                     "'000001'"),
              QByteArray("PAY NOW\n"));
}
