// The value-entry dialog of a function property, and the list texts of dates
// and times.
#include "functions/CFcDetailDlg.h"
#include "functions/FcDialogIds.h"
#include "functions/FcProperty.h"

#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/lang/WindowText.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include <QDateEdit>
#include <QListWidget>
#include <QTimeEdit>

#include <gtest/gtest.h>

using namespace kesmond;

namespace {

class CFcDetailDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Kesmond"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    }
    void TearDown() override
    {
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    // Runs the dialog on a value, acts on it, presses OK: the value then.
    QString Run(uint templateId, const QString& value,
                const std::function<void(CFcDetailDlg&)>& act = {},
                const QList<QStringList>& choices = {})
    {
        CFcDetailDlg dialog(nullptr, templateId);
        dialog.SetValue(6, 0, value);
        dialog.SetTitle(QStringLiteral("Title"));
        dialog.SetChoices(choices);
        const int result = korvane::test::RunModal<CFcDetailDlg>(dialog, [&](CFcDetailDlg& d) {
            EXPECT_EQ(GetWindowText(FindControlById(&d, CFcDetailDlg::IDC_TITLE)), "Title");
            if (act)
                act(d);
            d.accept();
        });
        EXPECT_EQ(result, 1);
        return dialog.GetValue();
    }

    SuiteFixture m_suite;
    korvane::test::LayoutWatch m_layout; // every dialog shown keeps the layout rules
};

TEST_F(CFcDetailDlgTest, DatesAndTimesRoundTripAndOthersOpenAtTheStart)
{
    QDate opened;
    const auto date = [&opened](CFcDetailDlg& d) {
        opened = qobject_cast<QDateEdit*>(FindControlById(&d, CFcDetailDlg::IDC_DATE))->date();
    };
    EXPECT_EQ(Run(IDD_FC_SUBF_DATE, "20240229", date), "20240229");
    EXPECT_EQ(opened, QDate(2024, 2, 29));
    for (const char* odd : {"2024", "", "18991231", "20241301"}) {
        SCOPED_TRACE(odd);
        EXPECT_EQ(Run(IDD_FC_SUBF_DATE, QLatin1String(odd), date), "20000101");
        EXPECT_EQ(opened, QDate(2000, 1, 1));
    }
    QTime at;
    const auto time = [&at](CFcDetailDlg& d) {
        auto* edit = qobject_cast<QTimeEdit*>(FindControlById(&d, CFcDetailDlg::IDC_TIME));
        at = edit->time();
        EXPECT_EQ(edit->displayFormat(), "HH:mm");
    };
    EXPECT_EQ(Run(IDD_FC_SUBF_TIME, "0930", time), "0930");
    EXPECT_EQ(at, QTime(9, 30));
    EXPECT_EQ(Run(IDD_FC_SUBF_TIME, "2460", time), "0000");
    EXPECT_EQ(Run(IDD_FC_SUBF_TIME, "930", time), "0000");
}

TEST_F(CFcDetailDlgTest, ChoicesSelectTheValueAndNoSelectionKeepsIt)
{
    const QList<QStringList> choices{{"A", "Alpha"}, {"B", "Beta"}, {"C", "Gamma"}};
    int selected = -1;
    const auto pick = [&selected](int row) {
        return [&selected, row](CFcDetailDlg& d) {
            auto* list = qobject_cast<QListWidget*>(FindControlById(&d, CFcDetailDlg::IDC_CHOICES));
            selected = list->currentRow();
            list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        };
    };
    EXPECT_EQ(Run(IDD_FC_SUBF_SELECT, "B", pick(2), choices), "C");
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(Run(IDD_FC_SUBF_SELECT, "Z", pick(0), choices), "A");
    EXPECT_EQ(selected, 0); // the first when none matches
    m_suite.messages().clear();
    EXPECT_EQ(Run(IDD_FC_SUBF_SELECT, "B", pick(-1), choices), "B");
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_INPUT"});
}

TEST_F(CFcDetailDlgTest, EditsReturnTheirText)
{
    EXPECT_EQ(Run(IDD_FC_SUBF_TEXT, "hello"), "hello");
    EXPECT_EQ(Run(IDD_FC_SUBF_AMOUNT, "1200"), "1200");
    EXPECT_EQ(Run(IDD_FC_SUBF_NUMBER, "12"), "12");
}

TEST_F(CFcDetailDlgTest, EveryTemplateKeepsTheDialogRules)
{
    for (uint id : {IDD_FC_SUBF_TEXT, IDD_FC_SUBF_DATE, IDD_FC_SUBF_TIME, IDD_FC_SUBF_SELECT,
                    IDD_FC_SUBF_NUMBER, IDD_FC_SUBF_AMOUNT}) {
        SCOPED_TRACE(id);
        CFcDetailDlg dialog(nullptr, id);
        EXPECT_EQ(korvane::test::DialogFaults(&dialog, CSarvikApp::Instance().LangDatas(),
                                              QStringLiteral("Kesmond")),
                  QStringList());
    }
}

TEST(FcPropertyTextTest, DatesAndTimesShowAsTheListShowsThem)
{
    const QString start = QLocale().toString(QDate(2000, 1, 1), QLocale::ShortFormat);
    const struct
    {
        const char* value;
        QString date;
        QString time;
    } cases[] = {
        {"20240229", QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat), "00:00"},
        {"2024", start, "20:24"},
        {"", start, "00:00"},
        {"18991231", "18991231", "00:00"},
        {"20241301", "20241301", "00:00"},
        {"2460", start, "2460"},
        {"0930", start, "09:30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(DateDisplayText(QLatin1String(c.value)), c.date);
        EXPECT_EQ(TimeDisplayText(QLatin1String(c.value)), c.time);
    }
}

} // namespace
