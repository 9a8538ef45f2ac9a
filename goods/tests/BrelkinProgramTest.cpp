// The goods program end to end: its real binary on a work database made from
// the model template, driven by keys under an X server of the test's own; the
// test plays the launcher that waits for its window to come back.
#include "testsupport/ProgramTest.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WaitingLauncher.h"
#include "testsupport/WorkDbFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using korvane::test::PrivateXServer;
using korvane::test::SuiteProgram;

// The ids of the visible windows with the title, waiting until there are count.
QStringList Windows(const PrivateXServer& x, const QString& title, int count)
{
    return korvane::test::WaitForWindows(x, "^" + title + "$", count);
}

// Return in a list window opens its first record's editor: the editor's
// window, focused; "" when it did not show up.
QString OpenFirstRecord(const PrivateXServer& x, const QString& title, const QString& list)
{
    x.xdotool({"windowfocus", "--sync", list});
    x.xdotool({"key", "Return"});
    QStringList both = Windows(x, title, 2);
    both.removeAll(list);
    if (both.size() != 1)
        return QString();
    x.xdotool({"windowfocus", "--sync", both[0]});
    return both[0];
}

class BrelkinProgramTest : public korvane::test::ProgramTest
{
protected:
    BrelkinProgramTest() : ProgramTest("Brelkin") {}

    // The model's template with three departments and the test's own rows.
    void MakeWorkDatabase(const QStringList& rows = {})
    {
        CopyModelTemplate();
        korvane::test::ExecSql(
            m_database,
            {"INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME, CREATEDATETIME, UPDATEDATETIME) "
             "VALUES ('000001', 'Food', '20000101000000', '20000101000000'), "
             "('000002', 'Drinks', '20000101000000', '20000101000000'), "
             "('000003', 'Other', '20000101000000', '20000101000000')"});
        if (!rows.isEmpty())
            korvane::test::ExecSql(m_database, rows);
    }

    // The easy item list started, a list file of the text written (as the
    // list writes it: UTF-16LE with its mark, TAB between values, CR LF after
    // each line) and its import begun by the list's import button. The
    // list's window; "" when a window did not show up.
    QString StartListFileImport(const PrivateXServer& x, const QString& text, QProcess*& goods)
    {
        const QString path = m_program.folders().scratch() + QStringLiteral("/items.txt");
        QFile file(path);
        QByteArray bytes("\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        file.close();
        UseX(x);
        goods = &m_program.start({QStringLiteral("/P"), QStringLiteral("/EASY")});
        const QStringList list = Windows(x, QStringLiteral("PLU Settings"), 1);
        if (list.size() != 1)
            return QString();
        // The import button sits at a fixed place from the window's lower right.
        QMap<QString, int> geometry;
        for (const QString& line :
             x.xdotool({"getwindowgeometry", "--shell", list[0]}).split(u'\n', Qt::SkipEmptyParts))
            geometry.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
        x.xdotool({"mousemove", "--window", list[0], QString::number(geometry["WIDTH"] - 215),
                   QString::number(geometry["HEIGHT"] - 71), "click", "1"});
        const QStringList open = Windows(x, QStringLiteral("Open"), 1);
        if (open.size() != 1)
            return QString();
        x.xdotool({"windowfocus", "--sync", open[0]});
        x.xdotool({"type", "--delay", "5", path});
        x.xdotool({"key", "Return"});
        return list[0];
    }

    // The items matching a condition, read while the program writes: the
    // read waits out its commits.
    QString CountItems(const QString& where) const
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {QStringLiteral("-cmd"), QStringLiteral(".timeout 10000"), m_database,
                      QStringLiteral("SELECT COUNT(*) FROM CIA001 WHERE ") + where});
        sqlite.waitForFinished(30000);
        return QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed();
    }

    // The finished log's button closes it; Escape then closes the list.
    void CloseLogAndList(const PrivateXServer& x, const QString& list)
    {
        const QStringList log = Windows(x, QStringLiteral("Result"), 1);
        ASSERT_EQ(log.size(), 1);
        x.xdotool({"windowfocus", "--sync", log[0]});
        x.xdotool({"key", "Return"});
        x.xdotool({"windowfocus", "--sync", list});
        x.xdotool({"key", "Escape"});
    }

    // The first department: its name, creation time and whether it was updated.
    QString DepartmentRow() const
    {
        return QString::fromUtf8(korvane::test::Sqlite3(m_database,
                                                        "SELECT ITEMDEPTNAME, CREATEDATETIME, "
                                                        "UPDATEDATETIME > '20000101000000' FROM "
                                                        "CIA002 WHERE ITEMDEPTCODE = '000001'"))
            .trimmed();
    }
};

TEST_F(BrelkinProgramTest, DepartmentRenamedByKeysAndTheLauncherBroughtBack)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();

    // The launcher: its socket's token in "MAINWH".
    korvane::test::WaitingLauncher launcher(m_program);
    ASSERT_TRUE(launcher.wait());

    UseX(x);
    QProcess& goods = m_program.start({QStringLiteral("/S")});
    const QStringList list = Windows(x, QStringLiteral("Department Settings"), 1);
    ASSERT_EQ(list.size(), 1);

    // A second start meanwhile ends at once.
    QProcess& second = m_program.start({QStringLiteral("/S")});
    EXPECT_EQ(SuiteProgram::waitForExit(second, 60000), 0);

    // Enter opens the first department in the editor.
    ASSERT_FALSE(OpenFirstRecord(x, QStringLiteral("Department Settings"), list[0]).isEmpty());
    // The name, then Tab past the group to OK; the confirmation answers OK.
    x.xdotool({"key", "ctrl+a"});
    x.xdotool({"type", "--delay", "20", "Fresh"});
    x.xdotool({"key", "Tab", "Tab", "Return"});
    ASSERT_EQ(Windows(x, QStringLiteral("Department Settings"), 1).size(), 1);
    // The editor's OK has saved the name before the list closes.
    EXPECT_TRUE(QTest::qWaitFor([&] { return DepartmentRow().startsWith("Fresh|"); }, 30000));
    x.xdotool({"windowfocus", "--sync", list[0]});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(goods, 60000), 2);

    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(DepartmentRow(), "Fresh|20000101000000|1");
    // The bring-back arrives through the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return launcher.broughtBack(); }, 30000));
}

TEST_F(BrelkinProgramTest, EasyDepartmentListRenamedInPlaceByKeys)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    UseX(x);
    QProcess& goods = m_program.start({QStringLiteral("/S"), QStringLiteral("/EASY")});
    const QStringList list = Windows(x, QStringLiteral("Department Settings"), 1);
    ASSERT_EQ(list.size(), 1);
    x.xdotool({"windowfocus", "--sync", list[0]});
    // To the name, edit it, Enter saves and opens the next row's name, which
    // Escape leaves unwritten; the second Escape closes the window.
    x.xdotool({"key", "--delay", "100", "Right", "F2"});
    x.xdotool({"type", "--delay", "20", "Fresh"});
    x.xdotool({"key", "--delay", "200", "Return", "Escape", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(goods, 60000), 2);

    EXPECT_EQ(DepartmentRow(), "Fresh|20000101000000|1");
    EXPECT_EQ(QString::fromUtf8(korvane::test::Sqlite3(
                                    m_database, "SELECT ITEMDEPTNAME, UPDATEDATETIME FROM CIA002 "
                                                "WHERE ITEMDEPTCODE <> '000001' ORDER BY 1"))
                  .trimmed(),
              "Drinks|20000101000000\nOther|20000101000000");
    EXPECT_TRUE(m_program.messages().isEmpty()) << m_program.messages().join(u' ').toStdString();
}

TEST_F(BrelkinProgramTest, ListFileImportKeepsEveryRowButTheFailingOne)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    korvane::test::ExecSql(m_database,
                           {"DELETE FROM CIA001",
                            "CREATE TRIGGER refuse BEFORE INSERT ON CIA001 WHEN NEW.ITEMCODE = "
                            "'0000000000000500' BEGIN SELECT RAISE(ROLLBACK, 'no'); END"});
    // A list file of 1,000 items.
    QString text = QStringLiteral("PLU Code\tPLU Name\tPrice\r\n");
    for (int i = 1; i <= 1000; ++i)
        text += QStringLiteral("%1\tItem %1\t%2\r\n").arg(i).arg(i * 10);
    QProcess* goods = nullptr;
    const QString list = StartListFileImport(x, text, goods);
    ASSERT_FALSE(list.isEmpty());

    const QString stored = QStringLiteral("ITEMNAME = 'Item ' || CAST(ITEMCODE AS INTEGER) AND "
                                          "UNITPRICE = CAST(ITEMCODE AS INTEGER) * 10");
    EXPECT_TRUE(QTest::qWaitFor([&] { return CountItems(stored) == "999"; }, 60000))
        << CountItems(stored).toStdString();
    EXPECT_EQ(korvane::test::Sqlite3(m_database, "SELECT COUNT(*) FROM CIA001").trimmed(), "999");
    EXPECT_TRUE(m_program.messages().isEmpty()) << m_program.messages().join(u' ').toStdString();
    CloseLogAndList(x, list);
    EXPECT_EQ(SuiteProgram::waitForExit(*goods, 60000), 2);
}

// A shop of 100,000 items re-imports 10,000 rows of its export with their
// scan codes: a check that read the whole item table for each row would take
// minutes here. The work database has no index of its own on the scan code,
// as one made from an archive's schema has none.
TEST_F(BrelkinProgramTest, ListFileWithScanCodesImportsIntoAShopOfManyItems)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase(
        {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
         "INSERT INTO CIA001 (ITEMCODE, SCANCODE1, ITEMNAME, ITEMDEPTCODE) SELECT "
         "printf('%016d', i), printf('49%011d', i), 'Old', '000001' FROM n"});
    // Every 10th item renamed; the last row gives item 7 the first item's
    // scan code.
    QString text = QStringLiteral("PLU Code\tScan Code\tPLU Name\r\n");
    for (int i = 10; i <= 100000; i += 10)
        text += QStringLiteral("%1\t49%2\tNew %1\r\n").arg(i).arg(i, 11, 10, QLatin1Char('0'));
    text += QStringLiteral("7\t4900000000001\tNew 7\r\n");
    QProcess* goods = nullptr;
    const QString list = StartListFileImport(x, text, goods);
    ASSERT_FALSE(list.isEmpty());

    const QString renamed = QStringLiteral("ITEMNAME = 'New ' || CAST(ITEMCODE AS INTEGER)");
    EXPECT_TRUE(QTest::qWaitFor([&] { return CountItems(renamed) == "10001"; }, 60000))
        << CountItems(renamed).toStdString();
    // The taken scan code was refused; the rest of its row went in.
    EXPECT_EQ(CountItems("ITEMCODE = '0000000000000007' AND SCANCODE1 = '4900000000007'"), "1");
    EXPECT_EQ(CountItems("SCANCODE1 = '4900000000001'"), "1");
    CloseLogAndList(x, list);
    EXPECT_EQ(SuiteProgram::waitForExit(*goods, 60000), 2);
}

// Files under the user's configuration folder that hold a window placement.
QStringList PlacementFiles(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains("rcNormalPosition"))
            found << file.fileName();
    }
    return found;
}

TEST_F(BrelkinProgramTest, SetMenuAndMixMatchModesOpenTheirListWindow)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase(
        {"INSERT INTO CSA004 (MMCODE, MMNAME, MMDISCOUNTTYPE) VALUES ('000001', 'Two', '0')",
         "INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME, SETTYPE) VALUES ('1', 'Lunch', '0')",
         "INSERT INTO CIB002 (SETITEMCODE, LISTNUMBER, ITEMCODE, ITEMCODETYPE, UNITPRICECODE) "
         "VALUES ('1', '01', '0001', '0', '00')"});
    UseX(x);
    const QString config = m_program.folders().userConfig();

    // WINPOS: the window neither restores nor saves its placement.
    QProcess& offers = m_program.start({QStringLiteral("/MX_CL"), QStringLiteral("/WINPOS")});
    const QStringList offerList = Windows(x, QStringLiteral("Mix & Match Settings"), 1);
    ASSERT_EQ(offerList.size(), 1);
    x.xdotool({"windowfocus", "--sync", offerList[0]});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(offers, 60000), 2);
    EXPECT_EQ(PlacementFiles(config), QStringList());

    // The set menu's editor opens on Enter and is left by Escape.
    QProcess& menus = m_program.start({QStringLiteral("/SM")});
    const QStringList list = Windows(x, QStringLiteral("Set Menu Settings"), 1);
    ASSERT_EQ(list.size(), 1);
    ASSERT_FALSE(OpenFirstRecord(x, QStringLiteral("Set Menu Settings"), list[0]).isEmpty());
    x.xdotool({"key", "Escape"});
    ASSERT_EQ(Windows(x, QStringLiteral("Set Menu Settings"), 1).size(), 1);
    x.xdotool({"windowfocus", "--sync", list[0]});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(menus, 60000), 2);
    EXPECT_EQ(PlacementFiles(config).size(), 1);
    EXPECT_TRUE(m_program.messages().isEmpty());
    EXPECT_EQ(
        QString::fromUtf8(korvane::test::Sqlite3(
                              m_database, "SELECT ITEMCODE FROM CIB002 WHERE SETITEMCODE = '1'"))
            .trimmed(),
        "0001");
}

TEST_F(BrelkinProgramTest, CheapestItemOfferKeepsItsThreeChildrenThroughOk)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    // Item net discount on the cheapest item, stored with three children.
    MakeWorkDatabase(
        {"INSERT INTO CSA004 (MMCODE, MMNAME, MMDISCOUNTTYPE, CONDITIONTYPE, DISCOUNTTYPE, "
         "TARGETITEMTYPE) VALUES ('000001', 'Cheap', '3', '0', '0', '1')",
         "INSERT INTO CSA006 (MMCODE, LISTNUMBER, ITEMTYPE, ITEMCODE, QTY, CREATEDATETIME) VALUES "
         "('000001', '01', '1', '000001', '1', '20000101000000'), "
         "('000001', '02', '1', '000002', '2', '20000101000000'), "
         "('000001', '03', '1', '000003', '3', '20000101000000')"});
    UseX(x);
    QProcess& offers = m_program.start({QStringLiteral("/MX")});
    const QStringList list = Windows(x, QStringLiteral("Mix & Match Settings"), 1);
    ASSERT_EQ(list.size(), 1);
    ASSERT_FALSE(OpenFirstRecord(x, QStringLiteral("Mix & Match Settings"), list[0]).isEmpty());
    // Back from the name past the tab to Help, Cancel and OK; Return presses
    // it and the confirmation answers OK.
    x.xdotool(
        {"key", "--delay", "100", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "Return"});
    ASSERT_EQ(Windows(x, QStringLiteral("Mix & Match Settings"), 1).size(), 1);
    x.xdotool({"windowfocus", "--sync", list[0]});
    x.xdotool({"key", "Escape"});
    EXPECT_EQ(SuiteProgram::waitForExit(offers, 60000), 2);

    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(QString::fromUtf8(korvane::test::Sqlite3(
                                    m_database, "SELECT LISTNUMBER, ITEMCODE, QTY, CREATEDATETIME "
                                                "FROM CSA006 ORDER BY 1"))
                  .trimmed(),
              "01|000001|1|20000101000000\n02|000002|2|20000101000000\n"
              "03|000003|3|20000101000000");
    // The OK went through: the offer's update stamp is new.
    EXPECT_NE(
        QString::fromUtf8(korvane::test::Sqlite3(m_database, "SELECT UPDATEDATETIME FROM CSA004"))
            .trimmed(),
        "");
}

TEST_F(BrelkinProgramTest, HourlyModeMarksATargetAndSavesIt)
{
    PrivateXServer x;
    if (!x.isRunning())
        GTEST_SKIP() << "Xvfb or xdotool is missing (scripts/install-deps.sh installs them)";
    MakeWorkDatabase();
    UseX(x);
    QProcess& hourly = m_program.start({QStringLiteral("/H")});
    const QStringList window = Windows(x, QStringLiteral("Hourly Report Targets"), 1);
    ASSERT_EQ(window.size(), 1);
    x.xdotool({"windowfocus", "--sync", window[0]});
    // Space ticks the first department's box; Return is OK.
    x.xdotool({"key", "space"});
    x.xdotool({"key", "Return"});
    EXPECT_EQ(SuiteProgram::waitForExit(hourly, 60000), 1);
    EXPECT_TRUE(m_program.messages().isEmpty());
    EXPECT_EQ(QString::fromUtf8(
                  korvane::test::Sqlite3(m_database, "SELECT RECNUMBER, TARGETCODETYPE, TARGETCODE "
                                                     "FROM CSB014"))
                  .trimmed(),
              "001|15|000001");
}

TEST_F(BrelkinProgramTest, MissingWorkDatabaseIsReportedAndNotMade)
{
    QProcess& goods = m_program.start({QStringLiteral("/S")});
    EXPECT_EQ(SuiteProgram::waitForExit(goods), 2);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    EXPECT_FALSE(QFile::exists(m_database));
}

TEST_F(BrelkinProgramTest, MissingLauncherIniEndsWithZero)
{
    QFile::remove(m_program.folder() + QStringLiteral("/Tovanel.ini"));
    QProcess& goods = m_program.start({QStringLiteral("/P")});
    EXPECT_EQ(SuiteProgram::waitForExit(goods), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"});
}

TEST_F(BrelkinProgramTest, LauncherIniWithoutProductKeyEndsWithZeroAfterItsMessage)
{
    CopyModelTemplate();
    m_program.writeIni("[PRODUCT]\nPRODUCTKEY=\nPRODUCTMODE=0\n");
    QProcess& goods = m_program.start({QStringLiteral("/P")});
    EXPECT_EQ(SuiteProgram::waitForExit(goods), 0);
    EXPECT_EQ(m_program.messages(), QStringList{"CRDS_CMN_ERR_BADINI"});
}

} // namespace
