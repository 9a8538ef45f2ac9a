// The formal-receipt page over the work database: the form from the
// formal-receipt keys, its texts and previews, and the form written to every
// such key inside the tab dialog's one transaction.
#include "bases/tests/BaseDbFixture.h"

#include "bases/BaseDialogIds.h"
#include "bases/CPageDlg_JPRyoushuuSTP.h"
#include "bases/CRyoushuuListBox.h"
#include "bases/CYokoRyoushuListBox.h"
#include "bases/DunmarelButtonTable.h"

#include "platform/MessageBox.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/ModalDriver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace dunmarel;

class CPageDlgJPRyoushuuTest : public BaseDbFixture
{
protected:
    void SetUp() override
    {
        BaseDbFixture::SetUp();
        // Three formal-receipt keys; the seeded one holds the vertical form,
        // the second another form, the third none.
        Exec(InsertKey("000101"));
        Exec(InsertKey("000102"));
        Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE, CREATEDATETIME, "
             "UPDATEDATETIME) VALUES ('000101', 'JPRYOUSHUU.TYPE', '0', '20000101000000', "
             "'20000101000000')");
    }
    static QString InsertKey(const char* code)
    {
        return QStringLiteral("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE) "
                              "VALUES ('%1', 'R', '000047')")
            .arg(QLatin1String(code));
    }
    CPageDlg_JPRyoushuuSTP* MakePage()
    {
        CDataManager* entry = OpenMode(MODE_RC_EASY);
        auto* page = new CPageDlg_JPRyoushuuSTP();
        page->SetDataManager(entry, 1, 0);
        EXPECT_TRUE(page->Create(IDD_PAGE_EASY_FORMALRECEIPT, &m_host));
        return page;
    }
    template <class T> static T* Control(QWidget* page, uint id)
    {
        auto* control = qobject_cast<T*>(FindControlById(page, id));
        EXPECT_TRUE(control) << id;
        return control;
    }
    QStringList TypeRows() { return korvane::test::JoinedRows(DbPath(), QStringLiteral("CSB003")); }
    QString TypeOf(const char* key)
    {
        return Value("CSB003", "VALUE",
                     QStringLiteral("FUNCKEYCODE = '%1' AND FUNCSETCODE = 'JPRYOUSHUU.TYPE'")
                         .arg(QLatin1String(key)));
    }

    QWidget m_host;
};

TEST_F(CPageDlgJPRyoushuuTest, FormOfTheFirstKeyIsSelectedAndSwitchesTheTexts)
{
    CPageDlg_JPRyoushuuSTP* page = MakePage();
    QComboBox* types = page->TypeCombo();
    ASSERT_EQ(types->count(), 3);
    EXPECT_EQ(types->itemText(0), QStringLiteral("Horizontal"));
    EXPECT_EQ(types->itemData(2).toInt(), 2);
    EXPECT_EQ(types->currentIndex(), 1); // the seeded key "000023" holds "1"
    auto* stamp = Control<QAbstractButton>(page, 23011);
    auto* label = Control<QLabel>(page, 23034);
    EXPECT_EQ(label->text(), GetLangString(QStringLiteral("CRDC_BS_LABEL_RECEIPT80_STAMP1")));
    EXPECT_EQ(stamp->text(), GetLangString(QStringLiteral("CRDC_BS_BTN_RECEIPT80_STAMP_OFF")));
    const bool stampOffChecked = stamp->isChecked();
    EXPECT_TRUE(Control<QWidget>(page, 1218)->isVisibleTo(page));
    EXPECT_FALSE(Control<QWidget>(page, 1216)->isVisibleTo(page));

    types->setCurrentIndex(0);
    EXPECT_EQ(label->text(), GetLangString(QStringLiteral("CRDC_BS_LABEL_JPRYOUSHUU_LOGO")));
    EXPECT_EQ(stamp->text(), GetLangString(QStringLiteral("CRDC_BS_RADIO_JPRYOUSHUU_TEXT")));
    EXPECT_EQ(Control<QAbstractButton>(page, 23012)->text(),
              GetLangString(QStringLiteral("CRDC_BS_RADIO_JPRYOUSHUU_IMG")));
    EXPECT_EQ(stamp->isChecked(), stampOffChecked);
    EXPECT_TRUE(Control<QWidget>(page, 1216)->isVisibleTo(page));
    EXPECT_FALSE(Control<QWidget>(page, 1218)->isVisibleTo(page));
    EXPECT_FALSE(Control<QWidget>(page, 1220)->isVisibleTo(page));

    types->setCurrentIndex(2);
    EXPECT_TRUE(page->Input().breakdown);
    Control<QAbstractButton>(page, 1221)->click();
    EXPECT_TRUE(Control<QWidget>(page, 1219)->isVisibleTo(page));
    EXPECT_FALSE(Control<QWidget>(page, 1218)->isVisibleTo(page));
}

TEST_F(CPageDlgJPRyoushuuTest, TypedTitleRedrawsEveryPreview)
{
    CPageDlg_JPRyoushuuSTP* page = MakePage();
    auto* preview58 = Control<CRyoushuuListBox>(page, 1218);
    auto* preview80 = Control<CRyoushuuListBox>(page, 1219);
    auto* horizontal = Control<CYokoRyoushuListBox>(page, 1216);
    const QImage before58 = preview58->Canvas().Image();
    const QImage before80 = preview80->Canvas().Image();
    const QImage beforeHorz = horizontal->Canvas().Image();
    ASSERT_FALSE(before58.isNull());
    auto* title = Control<CEcrEdit>(page, 20007);
    title->clear();
    QTest::keyClicks(title, QStringLiteral("SHOP"));
    EXPECT_EQ(page->Input().title, QStringLiteral("SHOP"));
    EXPECT_NE(preview58->Canvas().Image(), before58);
    EXPECT_NE(preview80->Canvas().Image(), before80);
    EXPECT_NE(horizontal->Canvas().Image(), beforeHorz);
}

TEST_F(CPageDlgJPRyoushuuTest, SaveGivesEveryFormalReceiptKeyTheChosenForm)
{
    CPageDlg_JPRyoushuuSTP* page = MakePage();
    page->TypeCombo()->setCurrentIndex(2);
    int err = 0;
    ASSERT_TRUE(page->SaveData(err)) << err;
    for (const char* key : {"000023", "000101", "000102"})
        EXPECT_EQ(TypeOf(key), QStringLiteral("2")) << key;
    const QString where = QStringLiteral("FUNCSETCODE = 'JPRYOUSHUU.TYPE' AND FUNCKEYCODE = ");
    EXPECT_EQ(Value("CSB003", "UPDATEDATETIME", where + "'000101'"), QLatin1String(kNow));
    EXPECT_EQ(Value("CSB003", "CREATEDATETIME", where + "'000101'"),
              QStringLiteral("20000101000000"));
    EXPECT_EQ(Value("CSB003", "CREATEDATETIME", where + "'000102'"), QLatin1String(kNow));
    EXPECT_EQ(Value("CSB003", "UPDATEDATETIME", where + "'000102'"), QLatin1String(kNow));

    // A key that holds the form already is left as it is.
    Exec("UPDATE CSB003 SET UPDATEDATETIME = '20000101000000'");
    const QStringList before = TypeRows();
    ASSERT_TRUE(page->SaveData(err)) << err;
    EXPECT_EQ(TypeRows(), before);
}

TEST_F(CPageDlgJPRyoushuuTest, WithoutFormsTheKeysKeepTheirSetting)
{
    Exec("DELETE FROM CSM014");
    const QStringList before = TypeRows();
    CPageDlg_JPRyoushuuSTP* page = MakePage();
    EXPECT_EQ(page->TypeCombo()->count(), 0);
    int err = 0;
    EXPECT_TRUE(page->SaveData(err)) << err;
    EXPECT_EQ(TypeRows(), before);
}

TEST_F(CPageDlgJPRyoushuuTest, RefusedInsertFailsTheWholeOkAndChangesNothing)
{
    CMainDlg::SetButtonTable(DunmarelButtonTable());
    QStringList messages;
    platform::setMessageResponder([&messages](const platform::MessageRequest& request) {
        messages << request.key;
        return request.key == u"CRDS_CMN_COMFIRM_SAVE" ? int(platform::IDOK) : int(platform::IDOK);
    });
    Exec("CREATE TRIGGER refuse BEFORE INSERT ON CSB003 BEGIN SELECT RAISE(ABORT, 'refused'); "
         "END");
    const QStringList before = AllRows() + TypeRows();
    CDataManager* entry = OpenMode(MODE_RC_EASY);
    CTabDlg dialog(entry, IDD_TABDLG_EASY, MODE_RC_EASY, nullptr);
    QStringList afterFailure;
    const int result = korvane::test::RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        Control<QComboBox>(&d, 1217)->setCurrentIndex(2);
        Control<CEcrEdit>(&d, 20007)->setText(QStringLiteral("CHANGED"));
        Control<QAbstractButton>(&d, 1)->click();
        afterFailure = AllRows() + TypeRows();
        EXPECT_TRUE(d.isVisible());
        Control<QAbstractButton>(&d, 2)->click();
    });
    platform::setMessageResponder({});
    EXPECT_NE(result, platform::IDOK);
    EXPECT_EQ(afterFailure, before);
    EXPECT_TRUE(messages.contains(QStringLiteral("CRDS_CMN_COMFIRM_SAVE")));
}

// The frame grows with the form it shows: switched to Horizontal it holds the
// wide preview and the edits beside it, as when opened on Horizontal, and
// stays on the screen; back on Vertical it gives the room back.
TEST_F(CPageDlgJPRyoushuuTest, SwitchedToHorizontalTheFrameHoldsTheWidePreviewOnTheScreen)
{
    CMainDlg::SetButtonTable(DunmarelButtonTable());
    CDataManager* entry = OpenMode(MODE_RC_EASY);
    CTabDlg dialog(entry, IDD_TABDLG_EASY, MODE_RC_EASY, nullptr);
    korvane::test::RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        EXPECT_EQ(korvane::test::LayoutFaults(&d), QStringList());
        const QSize vertical = d.size();
        auto* types = Control<QComboBox>(&d, 1217);
        types->setCurrentIndex(0);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_GT(d.width(), vertical.width());
        EXPECT_TRUE(d.screen()->availableGeometry().contains(d.frameGeometry()))
            << d.frameGeometry().x() << " " << d.frameGeometry().width();
        EXPECT_EQ(korvane::test::LayoutFaults(&d), QStringList());
        types->setCurrentIndex(1);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(d.size(), vertical);
        EXPECT_EQ(korvane::test::LayoutFaults(&d), QStringList());
        d.done(platform::IDCANCEL);
    });
}

// Without forms to choose the stamp/logo pair has nothing to name: it is
// hidden, and one explanation shows, the one of the preview shown.
TEST_F(CPageDlgJPRyoushuuTest, WithoutFormsNoEmptyTextsShow)
{
    Exec("DELETE FROM CSM014");
    CMainDlg::SetButtonTable(DunmarelButtonTable());
    CDataManager* entry = OpenMode(MODE_RC_EASY);
    CTabDlg dialog(entry, IDD_TABDLG_EASY, MODE_RC_EASY, nullptr);
    korvane::test::RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        for (uint id : {23034u, 23011u, 23012u})
            EXPECT_FALSE(Control<QWidget>(&d, id)->isVisible()) << id;
        EXPECT_NE(Control<QWidget>(&d, 23045)->isVisible(),
                  Control<QWidget>(&d, 23046)->isVisible());
        EXPECT_EQ(korvane::test::LayoutFaults(&d), QStringList());
        d.done(platform::IDCANCEL);
    });
}
