// The result log and the export choice.
#include "goods/CResDispDlg.h"
#include "goods/CSelectExportColumn.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/ModalDriver.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace brelkin;

namespace {

class CResDispDlgTest : public GoodsDbFixture
{
protected:
    static QPushButton* Button(QWidget* dialog)
    {
        return qobject_cast<QPushButton*>(FindControlById(dialog, 2));
    }
};

TEST_F(CResDispDlgTest, FirstPressAbortsSecondCloses)
{
    QWidget list;
    list.show();
    auto* focus = new QLineEdit(&list);
    CResDispDlg log;
    log.SetFocusWindow(focus);
    ASSERT_TRUE(log.CreateModeless(&list));
    EXPECT_FALSE(log.isModal());
    EXPECT_TRUE(log.isVisible());
    EXPECT_EQ(log.windowTitle(), GetLangString("CRDD_RESULT_DISP"));
    EXPECT_FALSE(list.isEnabled());
    EXPECT_TRUE(log.isEnabled());
    log.SetFinished(false);
    EXPECT_EQ(Button(&log)->text(), GetLangString("CRDC_RESULT_ABORTBTN"));

    QTest::mouseClick(Button(&log), Qt::LeftButton);
    EXPECT_TRUE(log.IsAborted());
    EXPECT_EQ(Button(&log)->text(), GetLangString("CRDC_RESULT_CLOSE"));
    EXPECT_TRUE(log.isVisible());
    EXPECT_FALSE(list.isEnabled());

    QTest::mouseClick(Button(&log), Qt::LeftButton);
    EXPECT_FALSE(log.isVisible());
    EXPECT_TRUE(list.isEnabled());
}

TEST_F(CResDispDlgTest, FinishedRunClosesAtOnceAndEscapeActsAsTheButton)
{
    QWidget list;
    {
        CResDispDlg log;
        log.CreateModeless(&list);
        log.SetFinished(false);
        QTest::keyClick(&log, Qt::Key_Escape);
        EXPECT_TRUE(log.IsAborted());
        EXPECT_TRUE(log.isVisible());
    }
    // Deleting an open log gives the parent back.
    EXPECT_TRUE(list.isEnabled());
    CResDispDlg log;
    log.CreateModeless(&list);
    log.SetFinished(true);
    QTest::mouseClick(Button(&log), Qt::LeftButton);
    EXPECT_FALSE(log.IsAborted());
    EXPECT_FALSE(log.isVisible());
    EXPECT_TRUE(list.isEnabled());
}

TEST_F(CResDispDlgTest, StatusKeepsFirstAndLastRecordAndLogGrows)
{
    CResDispDlg log;
    log.CreateModeless(nullptr);
    auto* status = qobject_cast<QLineEdit*>(FindControlById(&log, CResDispDlg::IDC_STATUS));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isReadOnly());
    EXPECT_EQ(status->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x99));
    EXPECT_EQ(status->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(status->font().pixelSize(), 20);
    auto* text = qobject_cast<QPlainTextEdit*>(FindControlById(&log, CResDispDlg::IDC_LOG));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());

    EXPECT_EQ(log.FirstRecordNo(), -1);
    log.SetStatus("000003", 3);
    log.SetStatus("000009", 9);
    log.SetStatus("other", -1);
    EXPECT_EQ(status->text(), "other");
    EXPECT_EQ(log.FirstRecordNo(), 3);
    EXPECT_EQ(log.LastRecordNo(), 9);
    log.AddLogLine("one");
    log.AddLogLine("two");
    EXPECT_EQ(log.LogText(), "one\ntwo\n");
    log.SetFinished(true);
}

TEST_F(CResDispDlgTest, ExportChoice)
{
    for (const bool all : {false, true}) {
        CSelectExportColumn dialog;
        int result = 0;
        korvane::test::WhenModal<CSelectExportColumn>([&](CSelectExportColumn& shown) {
            auto* part = qobject_cast<QRadioButton*>(
                FindControlById(&shown, CSelectExportColumn::IDC_RADIO_PART1));
            EXPECT_TRUE(part->isChecked());
            EXPECT_EQ(shown.windowTitle(), GetLangString("CRDD_PR_SELECTEXPORT"));
            if (all)
                qobject_cast<QRadioButton*>(
                    FindControlById(&shown, CSelectExportColumn::IDC_RADIO_ALLDATA))
                    ->click();
            shown.accept();
        });
        result = dialog.DoModal();
        EXPECT_EQ(result, int(platform::IDOK));
        EXPECT_EQ(dialog.GetChoice(), all ? 1 : 0);
    }
}

} // namespace
