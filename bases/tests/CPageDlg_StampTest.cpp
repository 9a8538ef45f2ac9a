// The receipt message and stamp pages over the work database: the print
// form's switches they show and write, the pictures and the live preview.
#include "bases/tests/BaseDbFixture.h"

#include "bases/BaseDialogIds.h"
#include "goods/base/CMessageEdit.h"
#include "bases/CPageDlg_Stamp.h"
#include "bases/CReceipt80ListBox.h"

#include "shared/controls/FindControlById.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace dunmarel;

namespace {

// A 58 mm form with its tax switches and stamps as given; the first top
// message wraps.
QByteArray Form58(const char* tatax, const char* tax, const char* logo2 = "false")
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<receipt>\n"
                      " <receipt_logo1_short newline=\"true\" align=\"LEFT_POS\"/>\n"
                      " <!-- taxes --><tatax invalid=\"") +
           tatax + "\" order=\"1\"/>\n <tax invalid='" + tax +
           "'/>\n <graphic_logo1 invalid=\"false\"/>\n <graphic_logo2 invalid=\"" + logo2 +
           "\"/>\n</receipt>\n";
}

} // namespace

class CPageDlgStampTest : public BaseDbFixture
{
protected:
    CPageDlg_Stamp* MakePage(unsigned pageId = IDD_PAGE_EASY_58MM)
    {
        CDataManager* entry = OpenMode(MODE_RM_EASY);
        auto* page = new CPageDlg_Stamp();
        page->SetDataManager(entry, 1, 0);
        EXPECT_TRUE(page->Create(pageId, &m_host));
        return page;
    }
    void StoreForm(const QString& code, const QByteArray& xml)
    {
        Exec(QStringLiteral("DELETE FROM CSM012 WHERE PRTFORMCODE = '%1'").arg(code));
        Exec(QStringLiteral("INSERT INTO CSM012 (PRTFORMCODE, PRTFORMDATA, CREATEDATETIME, "
                            "UPDATEDATETIME) VALUES ('%1', X'%2', '20000101000000', "
                            "'20000101000000')")
                 .arg(code, QString::fromLatin1((xml + '\xFF').toHex())));
    }
    QByteArray StoredForm(const QString& code)
    {
        const QString hex = Value(QStringLiteral("CSM012"), QStringLiteral("hex(PRTFORMDATA)"),
                                  QStringLiteral("PRTFORMCODE = '%1'").arg(code));
        return QByteArray::fromHex(hex.toLatin1());
    }
    template <class T> T* Control(CPageDlg* page, uint id)
    {
        auto* control = qobject_cast<T*>(FindControlById(page, id));
        EXPECT_TRUE(control) << id;
        return control;
    }

    QWidget m_host;
};

TEST_F(CPageDlgStampTest, TaxPrintItemIsReadAndWrittenAsTheFormKeepsIt)
{
    const QString code = QStringLiteral("RCT_GENERAL_58");
    const struct
    {
        const char* tatax;
        const char* tax;
        int item;
        int choose; // -1: left as shown
        QByteArray after;
    } cases[] = {
        {"true", "true", 0, -1, Form58("true", "true")},
        {"false", "false", 0, -1, Form58("false", "false")},
        {"false", "true", 1, -1, Form58("false", "true")},
        {"true", "false", 2, -1, Form58("true", "false")},
        {"true", "true", 0, 2, Form58("true", "false")},
        {"false", "false", 0, 1, Form58("false", "true")},
        {"true", "false", 2, 0, Form58("true", "true")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tatax << " " << c.tax << " -> " << c.choose);
        StoreForm(code, Form58(c.tatax, c.tax));
        CPageDlg_Stamp* page = MakePage();
        auto* combo = Control<QComboBox>(page, 1202);
        EXPECT_EQ(combo->count(), 3);
        EXPECT_EQ(combo->currentIndex(), c.item);
        EXPECT_EQ(page->Preview()->Input().taxContents, c.item);
        if (c.choose >= 0)
            combo->setCurrentIndex(c.choose);
        int err = 0;
        EXPECT_TRUE(page->SaveData(err)) << err;
        EXPECT_EQ(StoredForm(code), c.after + '\xFF');
        delete page;
    }
}

TEST_F(CPageDlgStampTest, StampRadiosWriteOnlyTheirSwitch)
{
    const QString code = QStringLiteral("RCT_GENERAL_58");
    StoreForm(code, Form58("false", "true"));
    CPageDlg_Stamp* page = MakePage();
    EXPECT_TRUE(Control<QAbstractButton>(page, 1195)->isChecked());
    EXPECT_TRUE(Control<QAbstractButton>(page, 1206)->isChecked());
    const int before = page->Preview()->Canvas().Lines();
    // No stored stamp: the placeholder, 384 x 112, counts 8 lines.
    EXPECT_EQ(page->Preview()->Input().bottomImage, QSize(384, 112));
    Control<QAbstractButton>(page, 1208)->click();
    EXPECT_EQ(page->Preview()->Canvas().Lines(), before - 8);
    int err = 0;
    ASSERT_TRUE(page->SaveData(err));
    EXPECT_EQ(StoredForm(code), Form58("false", "true", "true") + '\xFF');
    EXPECT_EQ(Value(QStringLiteral("CSM012"), QStringLiteral("UPDATEDATETIME"),
                    QStringLiteral("PRTFORMCODE = '%1'").arg(code)),
              QLatin1String(kNow));
    // The 80 mm form is another page's.
    EXPECT_EQ(Value(QStringLiteral("CSM012"), QStringLiteral("UPDATEDATETIME"),
                    QStringLiteral("PRTFORMCODE = 'RCT_GENERAL_80'")),
              QStringLiteral("20240101000000"));
}

TEST_F(CPageDlgStampTest, TypingPastTheLineAddsPreviewLines)
{
    StoreForm(QStringLiteral("RCT_GENERAL_58"), Form58("false", "true"));
    CPageDlg_Stamp* page = MakePage();
    auto* edit = Control<CMessageEdit>(page, 1004);
    edit->SetStoredText(QString(32, u'x'));
    const int lines = page->Preview()->Canvas().Lines();
    EXPECT_EQ(page->Preview()->Input().messages[0], QStringList{QString(32, u'x')});
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Y);
    EXPECT_EQ(page->Preview()->Canvas().Lines(), lines + 2);
    EXPECT_EQ(page->Preview()->Input().messages[0],
              (QStringList{QString(32, u'x'), QStringLiteral("y")}));
}

TEST_F(CPageDlgStampTest, UnreadableFormDisablesItsChoicesAndIsLeftAlone)
{
    StoreForm(QStringLiteral("RCT_GENERAL_80"), "<receipt><tax invalid=\"true\"></receipt>");
    const QByteArray stored = StoredForm(QStringLiteral("RCT_GENERAL_80"));
    CPageDlg_Stamp* page = MakePage(IDD_PAGE_EASY_80MM);
    EXPECT_FALSE(page->Is58mm());
    for (uint id : {1184u, 1185u, 23013u, 23014u})
        EXPECT_FALSE(Control<QAbstractButton>(page, id)->isEnabled()) << id;
    EXPECT_FALSE(Control<QComboBox>(page, 1210)->isEnabled());
    // The preview takes the defaults: both stamps, no tax lines, 40 columns.
    EXPECT_TRUE(page->Preview()->Input().topImageOn);
    EXPECT_EQ(page->Preview()->Canvas().Image().width(), 604);
    Control<CMessageEdit>(page, 1008)->SetStoredText(QStringLiteral("Hello"));
    int err = 0;
    EXPECT_TRUE(page->SaveData(err));
    EXPECT_EQ(StoredForm(QStringLiteral("RCT_GENERAL_80")), stored);
    EXPECT_EQ(Value(QStringLiteral("CSB007"), QStringLiteral("CHARDATA"),
                    QStringLiteral("CHARSETCODE = 'MESSAGE.RECEIPT.TOP1.L'")),
              QStringLiteral("Hello"));
}

TEST_F(CPageDlgStampTest, FailedFormWriteFailsTheSave)
{
    StoreForm(QStringLiteral("RCT_GENERAL_58"), Form58("false", "true"));
    Exec(QStringLiteral("CREATE TRIGGER no_forms BEFORE UPDATE ON CSM012 BEGIN "
                        "SELECT RAISE(ABORT, 'refused'); END"));
    CPageDlg_Stamp* page = MakePage();
    Control<QComboBox>(page, 1202)->setCurrentIndex(0);
    int err = 0;
    EXPECT_FALSE(page->SaveData(err));
}

TEST_F(CPageDlgStampTest, StoredStampIsShownInItsPlace)
{
    QImage stamp(384, 56, QImage::Format_RGB32);
    stamp.fill(Qt::black);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(stamp.save(&buffer, "PNG"));
    Exec(QStringLiteral("INSERT INTO CSB008 (GRAPHICCODE, FILENAME, GRAPHICDATA) VALUES "
                        "('000001', 'STAMP1.png', X'%1')")
             .arg(QString::fromLatin1(png.toHex())));
    // A stored picture that does not decode gives the placeholder.
    Exec(QStringLiteral("INSERT INTO CSB008 (GRAPHICCODE, FILENAME, GRAPHICDATA) VALUES "
                        "('000002', 'STAMP2.bmp', X'424D00')"));
    CPageDlg_Stamp* page = MakePage();
    EXPECT_EQ(page->Preview()->Input().topImage, QSize(384, 56));
    EXPECT_EQ(page->Preview()->Input().bottomImage, QSize(384, 112));
    // The picture is drawn from the first line: black at its top left.
    EXPECT_EQ(page->Preview()->Canvas().Image().pixel(34, 30), 0xFF000000u);
    EXPECT_EQ(
        QDir(CBasePath::GetLocalTemporaryPath())
            .entryList({QStringLiteral("*.png"), QStringLiteral("*.bmp"), QStringLiteral("*.BMP")},
                       QDir::Files),
        QStringList());
}

// The 58 mm message edits are sized for 40 characters of their font: a line
// of 40 shows on one line, without scrolling.
TEST_F(CPageDlgStampTest, A58mmMessageEditShowsFortyCharactersOnALine)
{
    CPageDlg_Stamp* page = MakePage();
    auto* edit = Control<CMessageEdit>(page, 1004);
    page->resize(page->sizeHint());
    m_host.resize(page->size());
    m_host.show();
    edit->setPlainText(QString(40, u'X'));
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->document()->firstBlock().layout()->lineCount(), 1);
    EXPECT_FALSE(edit->horizontalScrollBar()->isVisible());
}
