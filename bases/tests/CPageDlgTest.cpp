// A settings page over the work database: what it shows and what it writes.
#include "bases/tests/BaseDbFixture.h"

#include "bases/BaseDialogIds.h"
#include "goods/base/CMessageEdit.h"
#include "bases/CPageDlg.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

using namespace dunmarel;

namespace {

const QStringList kTaxPageKeys = {"AREA.COUNTRYROUNDING",
                                  "AREA.TAX.SYSTEM",
                                  "AREA.TAX.BAKEDGOODQTY",
                                  "AREA.TAX.PREPAREDMAL",
                                  "AREA.TAX.FS",
                                  "SALES.REG.SERVICECHG.RATE",
                                  "SALES.REG.SERVICECHG2.RATE",
                                  "SALES.REG.SERVICECHG2.START",
                                  "SALES.REG.SERVICECHG2.END"};

} // namespace

class CPageDlgTest : public BaseDbFixture
{
protected:
    // The page of the mode, built and shown.
    CPageDlg* MakePage(int mode, unsigned pageId)
    {
        CDataManager* entry = OpenMode(mode);
        auto* page = new CPageDlg();
        page->SetDataManager(entry, 1, 0);
        EXPECT_TRUE(page->Create(pageId, &m_host));
        return page;
    }
    template <class T> T* Control(CPageDlg* page, uint id)
    {
        auto* control = qobject_cast<T*>(FindControlById(page, id));
        EXPECT_TRUE(control) << id;
        return control;
    }
    // The keys of "CSB001" rows written at the fixed time.
    QStringList WrittenNow()
    {
        QStringList keys;
        for (const QStringList& row :
             Rows(QStringLiteral("CSB001"), {QStringLiteral("OPSETCODE")},
                  QStringLiteral("UPDATEDATETIME = '%1'").arg(kNow), QStringLiteral("OPSETCODE")))
            keys << row.value(0);
        return keys;
    }

    QWidget m_host;
};

TEST_F(CPageDlgTest, TaxPageWritesOnlyItsNineRows)
{
    Exec("DELETE FROM CSB001 WHERE OPSETCODE = 'AREA.TAX.BAKEDGOODQTY'");
    CPageDlg* page = MakePage(MODE_AS, IDD_PAGE_TAX);
    Control<QComboBox>(page, 1094)->setCurrentIndex(2);
    Control<CEcrEdit>(page, 1053)->SetText(QStringLiteral("7"));
    int err = 0;
    ASSERT_TRUE(page->SaveData(err)) << err;

    QStringList expected = kTaxPageKeys;
    expected.sort();
    EXPECT_EQ(WrittenNow(), expected);
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'AREA.TAX.SYSTEM'"), QStringLiteral("2"));
    // The missing row was inserted, the others kept their creation time.
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'AREA.TAX.BAKEDGOODQTY'"), QStringLiteral("7"));
    EXPECT_EQ(Value("CSB001", "CREATEDATETIME", "OPSETCODE = 'AREA.TAX.BAKEDGOODQTY'"),
              QLatin1String(kNow));
    EXPECT_EQ(Value("CSB001", "CREATEDATETIME", "OPSETCODE = 'AREA.TAX.SYSTEM'"),
              QStringLiteral("20240101000000"));
    // Untouched values stay as stored.
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'SALES.REG.SERVICECHG.RATE'"),
              QStringLiteral("10"));
}

TEST_F(CPageDlgTest, ComboShowingNoChoiceIsNotWritten)
{
    Exec("UPDATE CSB001 SET VALUE = '1' WHERE OPSETCODE = 'AREA.TAX.FS'");
    Exec("DELETE FROM CSB001 WHERE OPSETCODE = 'AREA.COUNTRYROUNDING'");
    CPageDlg* page = MakePage(MODE_AS, IDD_PAGE_TAX);
    EXPECT_EQ(Control<QComboBox>(page, 1052)->currentIndex(), -1);
    EXPECT_EQ(Control<QComboBox>(page, 1045)->currentIndex(), -1);
    int err = 0;
    ASSERT_TRUE(page->SaveData(err));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'AREA.TAX.FS'"), QStringLiteral("1"));
    EXPECT_EQ(Value("CSB001", "UPDATEDATETIME", "OPSETCODE = 'AREA.TAX.FS'"),
              QStringLiteral("20240101000000"));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'AREA.COUNTRYROUNDING'"),
              QStringLiteral("<no row>"));
}

TEST_F(CPageDlgTest, CheckGroupKeepsItsLongerValue)
{
    Exec("UPDATE CSB001 SET VALUE = '101000001111' WHERE OPSETCODE = 'REPORT.X.BATCH.DEFAULT'");
    CPageDlg* page = MakePage(MODE_AS, IDD_PAGE_CHECK);
    Control<QAbstractButton>(page, 1062)->setChecked(true);
    int err = 0;
    ASSERT_TRUE(page->SaveData(err));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'REPORT.X.BATCH.DEFAULT'"),
              QStringLiteral("111000001111"));
}

TEST_F(CPageDlgTest, ChangedMessageIsTheOnlyTextThatDiffers)
{
    const QStringList before =
        korvane::test::JoinedRows(DbPath(), "CSB007", {"CHARSETCODE", "CHARDATA"});
    CPageDlg* page = MakePage(MODE_RM, IDD_PAGE_RECEIPT);
    auto* edit = Control<CMessageEdit>(page, 1005);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("AB"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, QStringLiteral("C"));
    int err = 0;
    ASSERT_TRUE(page->SaveData(err));
    QStringList after = korvane::test::JoinedRows(DbPath(), "CSB007", {"CHARSETCODE", "CHARDATA"});
    const qsizetype changed = after.indexOf("MESSAGE.RECEIPT.TOP2.S|AB\r\nC");
    ASSERT_GE(changed, 0) << after.join(u'\n').toStdString();
    after[changed] = "MESSAGE.RECEIPT.TOP2.S|";
    EXPECT_EQ(after, before);
}

TEST_F(CPageDlgTest, MessageLimitCountsStoredCharacters)
{
    const QString long600(600, u'x');
    Exec(QStringLiteral("UPDATE CSB007 SET CHARDATA = '%1' WHERE CHARSETCODE = "
                        "'MESSAGE.RECEIPT.TOP1.L'")
             .arg(long600));
    Exec(QStringLiteral("UPDATE CSB007 SET CHARDATA = '%1' WHERE CHARSETCODE = "
                        "'MESSAGE.RECEIPT.TOP1.S'")
             .arg(QString(510, u'y')));
    CPageDlg* page = MakePage(MODE_RM, IDD_PAGE_RECEIPT);
    auto* edit = Control<CMessageEdit>(page, 1004);
    EXPECT_EQ(edit->GetLimitText(), 512);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return); // a break counts two: 512
    QTest::keyClicks(edit, QStringLiteral("zz"));
    EXPECT_EQ(edit->StoredText(), QString(510, u'y') + QStringLiteral("\r\n"));
    // The longer stored text is kept whole.
    EXPECT_EQ(Control<CMessageEdit>(page, 1008)->StoredText(), long600);
    int err = 0;
    ASSERT_TRUE(page->SaveData(err));
    EXPECT_EQ(Value("CSB007", "CHARDATA", "CHARSETCODE = 'MESSAGE.RECEIPT.TOP1.L'"), long600);
}

TEST_F(CPageDlgTest, UntouchedValuesAreWrittenBackAsStored)
{
    Exec("UPDATE CSB001 SET VALUE = '101' WHERE OPSETCODE = 'REPORT.Z.BATCH.DEFAULT'");
    CPageDlg* page = MakePage(MODE_AS, IDD_PAGE_CHECK);
    EXPECT_TRUE(Control<QAbstractButton>(page, 1071)->isChecked());
    int err = 0;
    ASSERT_TRUE(page->SaveData(err));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'REPORT.Z.BATCH.DEFAULT'"),
              QStringLiteral("101"));
    EXPECT_EQ(Value("CSB001", "UPDATEDATETIME", "OPSETCODE = 'REPORT.Z.BATCH.DEFAULT'"),
              QLatin1String(kNow));
}
