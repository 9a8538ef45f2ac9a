// Export, import, copy and paste of a list window through list files and the
// clipboard, with the file dialogs and messages scripted.
#include "goods/CListFileCommands.h"

#include "goods/CResDispDlg.h"
#include "goods/CSelectExportColumn.h"
#include "goods/CSetGrpPageDlg.h"
#include "goods/CTextImpExp.h"
#include "goods/GoodsDialogIds.h"

#include "goods/tests/ListDlgFixture.h"
#include "platform/FileChooser.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/ModalDriver.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QRadioButton>
#include <QTemporaryDir>

#include <random>

using namespace brelkin;

namespace {

class CListFileCommandsTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        Exec("INSERT INTO CSM001 (TAXCODE, TAXAMTNAME) VALUES ('00', 'None'), ('01', 'Std')");
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE, TAXCODE_1) VALUES "
             "('0000000000000001', 'Tea', '100', '00'), ('0000000000000002', 'Cake', '250', "
             "'01'), ('0000000000000003', 'Pie', '300', '01')");
        platform::setFileChooser([this](const platform::FileChoice& choice) {
            m_choices << choice;
            return m_path;
        });
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_shown << request.key + QStringLiteral(": ") + request.text;
            return int(platform::IDOK);
        });
        Open(kPluEasy);
        m_commands = std::make_unique<CListFileCommands>(m_modes->Entry(kPluEasy), m_window.get(),
                                                         1, [this] { ++m_refreshed; });
        m_path = m_dir.filePath("PLU.txt");
    }
    void TearDown() override
    {
        m_commands.reset();
        platform::setFileChooser({});
        ListDlgFixture::TearDown();
    }
    QByteArray FileBytes()
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    void ExportChoosing(bool all)
    {
        korvane::test::WhenModal<CSelectExportColumn>([all](CSelectExportColumn& dialog) {
            if (all)
                qobject_cast<QRadioButton*>(
                    FindControlById(&dialog, CSelectExportColumn::IDC_RADIO_ALLDATA))
                    ->click();
            dialog.accept();
        });
    }

    QTemporaryDir m_dir;
    QString m_path;
    QList<platform::FileChoice> m_choices;
    QStringList m_shown;
    int m_refreshed = 0;
    std::unique_ptr<CListFileCommands> m_commands;
};

TEST_F(CListFileCommandsTest, ExportWritesTheListFileAndImportReadsItBack)
{
    ExportChoosing(true);
    ASSERT_TRUE(m_commands->ExportList());
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Save);
    EXPECT_TRUE(m_choices[0].confirmOverwrite);
    EXPECT_EQ(m_choices[0].startPath,
              GetLangString("CRDS_PR_WINNAME_PLU") + "." + GetLangString("CRDS_FILTER_TXTEXT"));
    EXPECT_EQ(m_choices[0].defaultSuffix, "txt");
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith("CRDS_ERR_SUCCESSEND"));
    EXPECT_TRUE(FileBytes().startsWith(QByteArray("\xFF\xFE", 2)));
    CTextImpExp data;
    ASSERT_TRUE(data.ReadListFile(m_path));
    EXPECT_EQ(data.GetRowCount(), 3);
    EXPECT_EQ(data.GetRow(1)->value(0), "0000000000000002");

    // Changed in the table, then imported: the file's values come back.
    Exec("UPDATE CIA001 SET ITEMNAME = 'x'");
    ASSERT_TRUE(m_commands->ImportList());
    ASSERT_NE(m_commands->Log(), nullptr);
    EXPECT_TRUE(m_commands->Log()->isVisible());
    EXPECT_FALSE(m_window->isEnabled());
    EXPECT_EQ(m_refreshed, 1);
    EXPECT_EQ(Rows("CIA001", {"ITEMNAME"}, {}, "ITEMCODE"),
              (QList<QStringList>{{"Tea"}, {"Cake"}, {"Pie"}}))
        << m_commands->Log()->LogText().toStdString();

    // A second run replaces the log.
    QPointer<CResDispDlg> first = m_commands->Log();
    ASSERT_TRUE(m_commands->ImportList());
    EXPECT_TRUE(first.isNull());
    m_commands->Log()->close();
    EXPECT_TRUE(m_window->isEnabled());
}

TEST_F(CListFileCommandsTest, PartExportEndsAtTheUsableFlagAndCancelWritesNothing)
{
    ExportChoosing(false);
    ASSERT_TRUE(m_commands->ExportList());
    CTextImpExp data;
    ASSERT_TRUE(data.ReadListFile(m_path));
    EXPECT_EQ(data.m_arrHeader.last(), GetLangString("CRDC_PR_CLMN_UNUSABLEFLG"));

    QFile::remove(m_path);
    korvane::test::WhenModal<CSelectExportColumn>(
        [](CSelectExportColumn& dialog) { dialog.reject(); });
    EXPECT_FALSE(m_commands->ExportList());
    m_path.clear();
    ExportChoosing(true);
    EXPECT_FALSE(m_commands->ExportList()); // the file dialog cancelled
    m_path = m_dir.filePath("PLU.txt");
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(CListFileCommandsTest, ExportRefusesAValueAListFileCannotCarry)
{
    QFile old(m_path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    Exec("UPDATE CIA001 SET ITEMNAME = 'two' || char(10) || 'lines' WHERE ITEMCODE = "
         "'0000000000000002'");
    int err = 0;
    m_modes->Entry(kPluEasy)->m_arrRecords.RemoveAll(); // read again, as the list does
    m_modes->Entry(kPluEasy)->GetColumnDataList()->ReadRecords(err, QString());
    ExportChoosing(true);
    EXPECT_FALSE(m_commands->ExportList());
    EXPECT_EQ(FileBytes(), "old");
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith("CRDS_PR_ERROR_LISTVALUE"));
    EXPECT_TRUE(m_shown[0].contains("0000000000000002")) << m_shown[0].toStdString();

    // Copying that cell names the record too, though its code is not copied.
    QGuiApplication::clipboard()->setText("before");
    EXPECT_FALSE(m_commands->CopyCells(QRect(QPoint(2, 0), QPoint(2, 2)), {0, 1, 2, 3}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    ASSERT_EQ(m_shown.size(), 2);
    EXPECT_TRUE(m_shown[1].contains("0000000000000002")) << m_shown[1].toStdString();
}

TEST_F(CListFileCommandsTest, FailedWriteAndUnreadableFileShowTheFilesError)
{
    m_path = m_dir.filePath("no/such/folder/PLU.txt");
    ExportChoosing(true);
    EXPECT_FALSE(m_commands->ExportList());
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith("CRDS_ERR_ERROREND: " + GetLangString("CRDS_ERR_ERROREND") +
                                      "\r\n\r\n"))
        << m_shown[0].toStdString();

    EXPECT_FALSE(m_commands->ImportList());
    EXPECT_EQ(m_commands->Log(), nullptr);
    EXPECT_TRUE(m_window->isEnabled());
    ASSERT_EQ(m_shown.size(), 2);
    EXPECT_TRUE(m_shown[1].startsWith("CRDS_ERR_ERROREND"));

    // A file whose first line is empty.
    m_path = m_dir.filePath("empty.txt");
    QFile empty(m_path);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.write(QByteArray("\xFF\xFE\r\0\n\0", 6));
    empty.close();
    EXPECT_FALSE(m_commands->ImportList());
    ASSERT_EQ(m_shown.size(), 3);
    EXPECT_TRUE(m_shown[2].endsWith("\r\n" + GetLangString("CRDS_PR_ERROR_TXTFILE")))
        << m_shown[2].toStdString();
}

TEST_F(CListFileCommandsTest, CopyAndPasteCells)
{
    // Columns 2 and 3 (name, price) of rows 0 to 2.
    ASSERT_TRUE(m_commands->CopyCells(QRect(QPoint(2, 0), QPoint(3, 2)), {0, 1, 2, 3}));
    const QStringList lines = QGuiApplication::clipboard()->text().split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].split('\t').size(), 2);
    EXPECT_EQ(lines[0].split('\t').value(0), "Tea");
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_TRUE(m_commands->CopyCells(QRect(-1, 0, 1, 1), {0}));

    QGuiApplication::clipboard()->setText("Fig\t10\nPea\t20\nOat\t30");
    QRect selection(2, 1, 1, 1);
    ASSERT_TRUE(m_commands->PasteCells(selection));
    EXPECT_EQ(selection, QRect(QPoint(2, 1), QPoint(3, 3)));
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME", "UNITPRICE"}, {}, "ITEMCODE"),
              (QList<QStringList>{{"0000000000000001", "Tea", "100"},
                                  {"0000000000000002", "Fig", "10"},
                                  {"0000000000000003", "Pea", "20"}}))
        << m_commands->Log()->LogText().toStdString();
    EXPECT_EQ(m_refreshed, 1);
}

// A file the list import cannot read as a list file is refused with one
// message naming the file and why; no log opens and nothing is stored.
TEST_F(CListFileCommandsTest, FileThatIsNoListFileIsRefusedWithOneMessage)
{
    const QString header =
        GetLangString("CRDS_PR_CLMN_PLUCODE") + "\t" + GetLangString("CRDS_PR_CLMN_PLUNAME");
    const auto utf16 = [](const QString& text) {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    const QByteArray mark("\xFF\xFE", 2);
    QByteArray noise(4096, '\0');
    std::mt19937 random(65);
    for (char& byte : noise)
        byte = char(random() & 0xFF);
    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* key;
    } cases[] = {
        // Read as UTF-16LE, UTF-8 bytes pair into characters that name no
        // column; an odd last byte is half a character.
        {"UTF-8 without a mark", (header + "\r\n12\tMilk\r\n").toUtf8(),
         "CRDS_PR_ERROR_NOTLISTFILE"},
        {"UTF-8 without a mark, odd size", (header + "\r\n1\tMilk\r\n").toUtf8(),
         "CRDS_PR_ERROR_LISTENCODING"},
        {"random bytes", noise, "CRDS_PR_ERROR_LISTENCODING"},
        {"no column of the list", mark + utf16("Colour\tSize\r\n1\tred\r\n"),
         "CRDS_PR_ERROR_NOTLISTFILE"},
        {"header without a TAB", mark + utf16(GetLangString("CRDS_PR_CLMN_PLUCODE") + "\r\n1\r\n"),
         "CRDS_PR_ERROR_NOTLISTFILE"},
        {"header that does not decode",
         mark + utf16(header) + QByteArray("\x00\xD8", 2) + utf16("\r\n1\tMilk\r\n"),
         "CRDS_PR_ERROR_LISTENCODING"},
        {"UTF-8 header that does not decode",
         "\xEF\xBB\xBF" + header.toUtf8() + "\xC3\x28\n1\tMilk\n", "CRDS_PR_ERROR_LISTENCODING"},
    };
    const QList<QStringList> before = Rows("CIA001", {}, {}, "ITEMCODE");
    for (const auto& c : cases) {
        m_path = m_dir.filePath(QStringLiteral("not a list.txt"));
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        m_shown.clear();
        EXPECT_FALSE(m_commands->ImportList()) << c.name;
        EXPECT_EQ(m_commands->Log(), nullptr) << c.name;
        EXPECT_TRUE(m_window->isEnabled()) << c.name;
        ASSERT_EQ(m_shown.size(), 1) << c.name;
        EXPECT_TRUE(m_shown[0].startsWith(QLatin1String(c.key) + ": "))
            << c.name << m_shown[0].toStdString();
        EXPECT_TRUE(m_shown[0].contains(m_path)) << c.name << m_shown[0].toStdString();
        EXPECT_EQ(Rows("CIA001", {}, {}, "ITEMCODE"), before) << c.name;
    }
}

} // namespace
