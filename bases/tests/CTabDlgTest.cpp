// The tab dialog of a mode: checks, the question, one transaction over all
// pages, and its keys.
#include "bases/tests/BaseDbFixture.h"

#include "goods/base/CMessageEdit.h"
#include "bases/CPageDlg.h"
#include "bases/CTabDlg.h"
#include "bases/DunmarelButtonTable.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/ModalDriver.h"

#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>

using namespace dunmarel;
using korvane::test::RunModal;

class CTabDlgTest : public BaseDbFixture
{
protected:
    void SetUp() override
    {
        BaseDbFixture::SetUp();
        CMainDlg::SetButtonTable(DunmarelButtonTable());
        // Every message recorded; the save question answered as the test says.
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request.key;
            return request.key == u"CRDS_CMN_COMFIRM_SAVE" ? m_answer : int(platform::IDOK);
        });
    }
    void TearDown() override
    {
        platform::setMessageResponder({});
        BaseDbFixture::TearDown();
    }

    template <class T> static T* Find(QWidget* root, uint id)
    {
        auto* control = qobject_cast<T*>(FindControlById(root, id));
        EXPECT_TRUE(control) << id;
        return control;
    }
    static void ClickOk(CTabDlg& dialog) { Find<QAbstractButton>(&dialog, 1)->click(); }

    QStringList m_messages;
    int m_answer = platform::IDOK;
};

TEST_F(CTabDlgTest, BadValueOnSecondPageIsFocusedAndNothingWritten)
{
    CDataManager* entry = OpenMode(MODE_AS);
    const QStringList before = AllRows();
    CTabDlg dialog(entry, IDD_TABDLG, MODE_AS, nullptr);
    bool focused = false;
    int tab = -1;
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        EXPECT_EQ(d.TabControl()->count(), 4);
        EXPECT_EQ(d.TabControl()->tabText(1), QStringLiteral("Tax"));
        Find<QComboBox>(&d, 23101)->setCurrentIndex(0); // page 1 changed too
        Find<CEcrEdit>(&d, 1058)->SetText(QStringLiteral("2400"));
        ClickOk(d);
        tab = d.TabControl()->currentIndex();
        focused = d.focusWidget() == FindControlById(&d, 1058);
    });
    EXPECT_EQ(result, -1); // still open
    EXPECT_EQ(tab, 1);
    EXPECT_TRUE(focused);
    EXPECT_EQ(m_messages, QStringList{"CRDS_CMN_ERR_INPUT"});
    EXPECT_EQ(AllRows(), before);
}

TEST_F(CTabDlgTest, CancelOnTheQuestionWritesNothing)
{
    CDataManager* entry = OpenMode(MODE_RM);
    const QStringList before = AllRows();
    m_answer = platform::IDCANCEL;
    CTabDlg dialog(entry, IDD_TABDLG, MODE_RM, nullptr);
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        Find<CMessageEdit>(&d, 1030)->SetStoredText(QStringLiteral("changed"));
        ClickOk(d);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(m_messages, QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(AllRows(), before);
}

TEST_F(CTabDlgTest, FailingLastPageLeavesEveryRowThenOkWritesAll)
{
    Exec("DELETE FROM CSB001 WHERE OPSETCODE = 'APP.REG.STYLE'"); // inserted by the save
    CDataManager* entry = OpenMode(MODE_AS);
    const QStringList before = AllRows();
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CSB001 WHEN NEW.OPSETCODE = "
         "'SALES.REG.SCANPLU.END' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    CTabDlg dialog(entry, IDD_TABDLG, MODE_AS, nullptr);
    QStringList afterFailure;
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        Find<QComboBox>(&d, 23101)->setCurrentIndex(1);
        Find<QComboBox>(&d, 1094)->setCurrentIndex(1);
        Find<CEcrEdit>(&d, 1092)->SetText(QStringLiteral("500"));
        ClickOk(d);
        afterFailure = AllRows();
        EXPECT_TRUE(d.isVisible());
        Exec("DROP TRIGGER refuse");
        m_messages.clear();
        ClickOk(d);
    });
    EXPECT_EQ(afterFailure, before);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(m_messages, QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'APP.REG.STYLE'"), QStringLiteral("1"));
    // The creation time given out by the failed save was taken back: the
    // row is inserted once, at the time of the good save.
    EXPECT_EQ(Value("CSB001", "CREATEDATETIME", "OPSETCODE = 'APP.REG.STYLE'"),
              QLatin1String(kNow));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'AREA.TAX.SYSTEM'"), QStringLiteral("1"));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'SALES.REG.SCANPLU.END'"),
              QStringLiteral("500"));
}

TEST_F(CTabDlgTest, FailedSaveIsReportedWithItsStatus)
{
    CDataManager* entry = OpenMode(MODE_AS);
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CSB001 WHEN NEW.OPSETCODE = "
         "'SALES.REG.SCANPLU.END' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    CTabDlg dialog(entry, IDD_TABDLG, MODE_AS, nullptr);
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) { ClickOk(d); });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(m_messages, (QStringList{"CRDS_CMN_COMFIRM_SAVE", "CRDS_CMN_ERR_SAVE_FAILED",
                                       "CRDS_CMN_ERR_SETWRITE_FAILED"}));
}

TEST_F(CTabDlgTest, Keys)
{
    CDataManager* entry = OpenMode(MODE_RC);
    const QStringList before = AllRows();
    CTabDlg dialog(entry, IDD_TABDLG, MODE_RC, nullptr);
    int clicks = 0;
    QString messageText;
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        EXPECT_EQ(d.minimumSize(), d.maximumSize()); // the size is fixed
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Formal Receipt Setting"));
        EXPECT_EQ(d.TabControl()->count(), 1);
        // A held Enter on a radio button clicks it once.
        auto* radio = Find<QAbstractButton>(&d, 23010);
        QObject::connect(radio, &QAbstractButton::clicked, [&clicks] { ++clicks; });
        radio->setFocus();
        QTest::keyPress(radio, Qt::Key_Return);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(radio, &repeat);
        }
        // Escape on a page ends the dialog as Cancel.
        QTest::keyClick(Find<CEcrEdit>(&d, 20008), Qt::Key_Escape);
    });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(AllRows(), before);
}

TEST_F(CTabDlgTest, EnterOnComboDoesNothingAndBreaksTheLineInAMessage)
{
    CDataManager* entry = OpenMode(MODE_AS);
    CTabDlg dialog(entry, IDD_TABDLG, MODE_AS, nullptr);
    int index = -1;
    bool open = false;
    RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        auto* combo = Find<QComboBox>(&d, 23101);
        combo->setCurrentIndex(1);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Return);
        index = combo->currentIndex();
        open = d.isVisible();
    });
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(open);
    EXPECT_TRUE(m_messages.isEmpty()); // OK was not pressed

    CDataManager* rm = OpenMode(MODE_RM);
    CTabDlg messages(rm, IDD_TABDLG, MODE_RM, nullptr);
    QString text;
    bool firstFocused = false;
    RunModal<CTabDlg>(messages, [&](CTabDlg& d) {
        // The first control of the first page starts with the focus.
        firstFocused = d.focusWidget() == FindControlById(&d, 1004);
        auto* edit = Find<CMessageEdit>(&d, 1006);
        edit->SetStoredText(QString());
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("a"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("b"));
        text = edit->StoredText();
        open = d.isVisible();
    });
    EXPECT_TRUE(firstFocused);
    EXPECT_EQ(text, QStringLiteral("a\r\nb"));
    EXPECT_TRUE(open);
}
