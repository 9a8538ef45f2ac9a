// The list window's delete-all, table text import and export and OES
// take-over, through the menu and the progress dialog.
#include "goods/CTextImpExpDlg.h"

#include "goods/CListDlg.h"
#include "goods/base/CRecordListModel.h"

#include "goods/tests/ListDlgFixture.h"
#include "platform/FileChooser.h"
#include "platform/LegacyCodePage.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/dialogs/CCmnImportStateDlg.h"
#include "testsupport/ModalDriver.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

// Counts the progress windows that were shown.
class ShowCounter : public QObject
{
public:
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<CTextImpExpDlg*>(watched))
            ++shown;
        return false;
    }
};

enum ModeAnswer { Update, Insert, CancelMode };

class CTextImpExpDlgTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        platform::setFileChooser([this](const platform::FileChoice& choice) {
            m_choices.append(choice);
            return m_chosen;
        });
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request.key;
            m_texts << request.text;
            return m_answer;
        });
    }
    void TearDown() override
    {
        platform::setFileChooser({});
        ListDlgFixture::TearDown();
    }

    QString Scratch(const QString& name) const { return m_suite.folders().scratch() + '/' + name; }

    // count items with codes from 1, some values empty or NULL.
    void SeedItems(int count)
    {
        Exec(QStringLiteral(
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") +
             QString::number(count) +
             QStringLiteral(
                 ") "
                 "INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, UNITPRICE, TAXCODE_1, "
                 "UNITWEIGHT, UNITPRICENAME, CREATEDATETIME, UPDATEDATETIME) "
                 "SELECT printf('%016d', i), 'Item ' || i || ' ア', printf('%06d', i % 7), "
                 "i * 10, CASE WHEN i % 3 = 0 THEN NULL ELSE '01' END, 1.25, '', "
                 "'20240101000000', '20240102000000' FROM n"));
    }

    QByteArray Dump(const QString& table = QStringLiteral("CIA001"))
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {m_local + QStringLiteral("/SETTING.DB"), QStringLiteral(".dump ") + table});
        EXPECT_TRUE(sqlite.waitForFinished(60000));
        const QByteArray dump = sqlite.readAllStandardOutput();
        EXPECT_TRUE(dump.contains("CREATE TABLE")) << dump.left(200).toStdString();
        return dump;
    }

    // The mode dialog's answer, once it comes up.
    void AnswerMode(ModeAnswer answer)
    {
        WhenModal<CCmnImportStateDlg>([answer](CCmnImportStateDlg& dialog) {
            m_modeCaption = dialog.windowTitle();
            if (answer == CancelMode) {
                dialog.reject();
                return;
            }
            auto* radio = qobject_cast<QRadioButton*>(
                FindControlById(&dialog, answer == Update ? CCmnImportStateDlg::IDC_UPDATE
                                                          : CCmnImportStateDlg::IDC_INSERT));
            radio->setChecked(true);
            dialog.accept();
        });
    }

    // Picks the command in the list window's menu.
    void Command(CListDlg& window, uint command)
    {
        for (QAction* action : window.MenuButton()->menu()->actions())
            if (action->data().toUInt() == command && !action->isSeparator()) {
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no menu command " << command;
    }

    int RunDialog(int entry, uint command)
    {
        CTextImpExpDlg dialog(m_modes->Entry(entry), command, m_window.get());
        dialog.m_strTitle = QStringLiteral("Items");
        if (!m_database.isEmpty())
            dialog.m_strDatabase = m_database;
        return dialog.DoModal();
    }

    QList<platform::FileChoice> m_choices;
    QString m_chosen;
    int m_answer = platform::IDOK;
    QStringList m_messages;
    QStringList m_texts;
    QString m_database;
    static inline QString m_modeCaption;
};

TEST_F(CTextImpExpDlgTest, CancelAnywhereShowsNoProgressAndChangesNothing)
{
    SeedItems(3);
    const QByteArray before = Dump();
    const struct
    {
        uint command;
        int messageAnswer;
        ModeAnswer mode;
        bool chooserAsked;
    } cases[] = {
        {CListDlg::SC_DATADELETE, platform::IDCANCEL, Update, false},
        {CListDlg::SC_DATAIMPORT, platform::IDOK, CancelMode, false},
        {CListDlg::SC_DATAIMPORT, platform::IDOK, Insert, true},
        {CListDlg::SC_OESIMPORT, platform::IDOK, CancelMode, false},
        {CListDlg::SC_OESIMPORT, platform::IDOK, Insert, true},
        {CListDlg::SC_DATAEXPORT, platform::IDOK, Update, true},
    };
    CListDlg& window = Open(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        m_choices.clear();
        m_messages.clear();
        m_answer = c.messageAnswer;
        m_chosen.clear(); // the file dialog is cancelled
        ShowCounter counter;
        const bool asksMode =
            c.command == CListDlg::SC_DATAIMPORT || c.command == CListDlg::SC_OESIMPORT;
        // The dialog itself, then through the window's menu.
        if (asksMode)
            AnswerMode(c.mode);
        EXPECT_EQ(RunDialog(1, c.command), 0);
        if (asksMode)
            AnswerMode(c.mode);
        Command(window, c.command);
        EXPECT_EQ(counter.shown, 0);
        EXPECT_EQ(m_choices.size(), c.chooserAsked ? 2 : 0);
        const QString confirm = QStringLiteral("CRDS_PR_CONFIRM_DELETEALLREC");
        const QStringList asked =
            c.command == CListDlg::SC_DATADELETE ? QStringList{confirm, confirm} : QStringList();
        EXPECT_EQ(m_messages, asked);
        EXPECT_EQ(Dump(), before);
        EXPECT_EQ(window.Model()->rowCount(), 3);
    }
}

TEST_F(CTextImpExpDlgTest, ExportThenInsertImportGivesTheSameTable)
{
    // The file has no NULL: an empty value comes back as "". A table as an
    // import stores it goes out and comes back unchanged.
    SeedItems(1000);
    CListDlg& window = Open(1);
    m_chosen = Scratch("seed.txt");
    ASSERT_EQ(RunDialog(1, CListDlg::SC_DATAEXPORT), 1);
    AnswerMode(Insert);
    ASSERT_EQ(RunDialog(1, CListDlg::SC_DATAIMPORT), 1);
    const QByteArray before = Dump();
    m_choices.clear();

    // A name without an extension gets ".txt".
    m_chosen = Scratch("items");
    Command(window, CListDlg::SC_DATAEXPORT);
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Save);
    EXPECT_EQ(m_choices[0].startPath, "CIA001.txt");
    EXPECT_EQ(m_choices[0].filter, "Text files (*.txt);;All files (*)");
    EXPECT_EQ(m_choices[0].defaultSuffix, "txt");
    EXPECT_EQ(korvane::test::readFile(Scratch("items.txt")),
              korvane::test::readFile(Scratch("seed.txt")));
    EXPECT_EQ(m_messages, QStringList{}); // success says nothing

    Exec("DELETE FROM CIA001 WHERE ITEMCODE > '0000000000000900'");
    Exec("UPDATE CIA001 SET ITEMNAME = 'Changed', UNITPRICE = NULL");
    Exec("INSERT INTO CIA001 (ITEMCODE) VALUES ('9999999999999999')");
    m_chosen = Scratch("items.txt");
    AnswerMode(Insert);
    Command(window, CListDlg::SC_DATAIMPORT);
    EXPECT_EQ(m_choices.last().kind, platform::FileChoice::Kind::Open);
    EXPECT_EQ(m_modeCaption, "Import from a text file");
    EXPECT_EQ(m_messages, QStringList{});
    EXPECT_TRUE(Dump() == before) << "the table differs";
    EXPECT_EQ(window.Model()->rowCount(), 1000); // read again
}

TEST_F(CTextImpExpDlgTest, UpdateImportUpdatesAndAdds)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME) VALUES ('0000000000000001', 'Tea'), "
         "('0000000000000002', 'Cake')");
    m_chosen = Scratch("items.txt");
    Open(1);
    ASSERT_EQ(RunDialog(1, CListDlg::SC_DATAEXPORT), 1);
    Exec("DELETE FROM CIA001 WHERE ITEMCODE = '0000000000000002'");
    Exec("UPDATE CIA001 SET ITEMNAME = 'Coffee'");
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME) VALUES ('0000000000000003', 'Jam')");
    AnswerMode(Update);
    ASSERT_EQ(RunDialog(1, CListDlg::SC_DATAIMPORT), 1);
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME"}, {}, "ITEMCODE"),
              (QList<QStringList>{{"0000000000000001", "Tea"},
                                  {"0000000000000002", "Cake"},
                                  {"0000000000000003", "Jam"}}));
}

TEST_F(CTextImpExpDlgTest, DeleteAllEmptiesTheTableAndTheList)
{
    SeedItems(20);
    CListDlg& window = Open(1);
    ASSERT_EQ(window.Model()->rowCount(), 20);
    Command(window, CListDlg::SC_DATADELETE);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PR_CONFIRM_DELETEALLREC"});
    EXPECT_EQ(m_texts, QStringList{"Delete every record of this list?"});
    EXPECT_TRUE(Rows("CIA001").isEmpty());
    EXPECT_EQ(window.Model()->rowCount(), 0);
}

TEST_F(CTextImpExpDlgTest, OesItemFileImportsThroughTheDialog)
{
    // Three header lines, then code, -, name, attributes, department, price;
    // the name in the legacy code page.
    QByteArray file = "\"C00001P0004\",\"20240101\"\r\n\"H2\"\r\nH3\r\n";
    file += "123,0,\"" + platform::LegacyCodePage::encode(QString::fromUtf8("カフェ")) +
            "\",00000000,5,250\r\n";
    file += "77,0,Cake,00000000,12,5\r\n";
    ASSERT_TRUE(korvane::test::writeFile(Scratch("FILE004P.csv"), file));
    m_chosen = Scratch("FILE004P"); // the extension is added
    CListDlg& window = Open(1);
    AnswerMode(Update);
    Command(window, CListDlg::SC_OESIMPORT);
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].startPath, "FILE004P.csv");
    EXPECT_EQ(m_choices[0].filter, "OES master files (*.csv);;All files (*)");
    EXPECT_EQ(m_modeCaption, "Import an OES master file");
    EXPECT_EQ(m_messages, QStringList{});
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME", "UNITPRICE"}, {}, "ITEMCODE"),
              (QList<QStringList>{{"0000000000000077", "Cake", "5"},
                                  {"0000000000000123", QString::fromUtf8("カフェ"), "250"}}));
    EXPECT_EQ(window.Model()->rowCount(), 2);

    // Departments propose their own file; other lists only the extension.
    EXPECT_EQ(CTextImpExpDlg(m_modes->Entry(0), 64).DefaultFileName(), "FILE005P.csv");
    EXPECT_EQ(CTextImpExpDlg(m_modes->Entry(3), 64).DefaultFileName(), ".csv");
}

TEST_F(CTextImpExpDlgTest, FailedRewriteLeavesTheTableAndShowsItsMessage)
{
    SeedItems(600);
    Open(1);
    m_chosen = Scratch("items.txt");
    ASSERT_EQ(RunDialog(1, CListDlg::SC_DATAEXPORT), 1);
    // Line 501 loses a field: the whole rewrite is undone.
    QFile text(m_chosen);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = text.readAll().split('\n');
    text.close();
    lines[500] = lines[500].left(lines[500].lastIndexOf('\t'));
    ASSERT_TRUE(korvane::test::writeFile(m_chosen, lines.join('\n')));
    Exec("UPDATE CIA001 SET ITEMNAME = 'Kept' WHERE ITEMCODE = '0000000000000001'");
    const QByteArray before = Dump();
    AnswerMode(Insert);
    EXPECT_EQ(RunDialog(1, CListDlg::SC_DATAIMPORT), 0);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PR_ERROR_FIELDCOUNT"});
    EXPECT_TRUE(m_texts.value(0).contains("501")) << m_texts.value(0).toStdString();
    EXPECT_EQ(Dump(), before);
}

TEST_F(CTextImpExpDlgTest, ValueTheColumnCannotHoldRefusesTheFile)
{
    // The department list knows its code as six digits and its name as 40
    // characters: a file that breaks either is refused whole.
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Kept')");
    Open(0);
    const QByteArray before = Dump("CIA002");
    const struct
    {
        QByteArray line;
        const char* inMessage;
    } cases[] = {
        {"ABC\tFruit\t000001\n", "ABC"},
        {"000002\t" + QByteArray(60, 'n') + "\t000001\n", "ITEMDEPTNAME"},
        {"000002\tFruit\t01\n", "ITEMGRPCODE"},
    };
    m_chosen = Scratch("CIA002.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        m_messages.clear();
        m_texts.clear();
        ASSERT_TRUE(korvane::test::writeFile(
            m_chosen, "ITEMDEPTCODE\tITEMDEPTNAME\tITEMGRPCODE\n000003\tTea\t000001\n" + c.line));
        AnswerMode(Insert);
        EXPECT_EQ(RunDialog(0, CListDlg::SC_DATAIMPORT), 0);
        EXPECT_EQ(m_messages, QStringList{"CRDS_PR_ERROR_TXTCOLUMNVALUE"});
        EXPECT_TRUE(m_texts.value(0).contains("Line 3")) << m_texts.value(0).toStdString();
        EXPECT_TRUE(m_texts.value(0).contains(c.inMessage)) << m_texts.value(0).toStdString();
        EXPECT_EQ(Dump("CIA002"), before);
    }
}

TEST_F(CTextImpExpDlgTest, FailureWithoutAKeyIsAnUnknownError)
{
    SeedItems(2);
    Open(1);
    m_database = Scratch("gone/SETTING.DB");
    m_chosen = Scratch("items.txt");
    EXPECT_EQ(RunDialog(1, CListDlg::SC_DATAEXPORT), 0);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PR_ERROR_UNKNOWN"});
    EXPECT_EQ(m_texts, QStringList{"An unknown error has occurred."});
    EXPECT_FALSE(QFile::exists(m_database)); // never created
    EXPECT_FALSE(QFile::exists(m_chosen));
}

TEST_F(CTextImpExpDlgTest, LongImportRefusesToCloseAndKeepsTheLoopTurning)
{
    SeedItems(100000);
    Open(1);
    m_chosen = Scratch("items.txt");
    ASSERT_EQ(RunDialog(1, CListDlg::SC_DATAEXPORT), 1);
    Exec("DELETE FROM CIA001");

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);
    bool refused = false;
    QString progress;
    WhenModal<CTextImpExpDlg>([&](CTextImpExpDlg& dialog) {
        progress =
            qobject_cast<QLabel*>(FindControlById(&dialog, CTextImpExpDlg::IDC_STATIC_TXT_PROC))
                ->text();
        EXPECT_TRUE(dialog.IsRunning());
        dialog.close();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        refused = dialog.isVisible();
    });
    AnswerMode(Insert);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RunDialog(1, CListDlg::SC_DATAIMPORT), 1);
    const qint64 elapsed = clock.elapsed();
    EXPECT_TRUE(refused);
    EXPECT_EQ(progress, "Importing. Please wait...");
    EXPECT_EQ(Rows("CIA001", {"COUNT(*)"}).value(0).value(0), "100000");
    // The timer kept firing while the rows went in.
    EXPECT_GE(ticks, int(elapsed / 5 / 4)) << elapsed << " ms";
    EXPECT_GE(ticks, 3);
}

} // namespace
