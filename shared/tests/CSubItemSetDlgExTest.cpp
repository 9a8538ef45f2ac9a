#include "shared/dialogs/CSubItemSetDlgEx.h"

#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataDBComboDef.h"
#include "shared/tests/DialogTestSupport.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WorkDbFixture.h"

#include <QComboBox>

namespace {

using T = SubItemDlgType;

class CSubItemSetDlgExTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TEST\n");
        LoadSuiteLangTexts();
        Exec("CREATE TABLE DEPT (CODE VARCHAR(2) PRIMARY KEY, NAME VARCHAR(12))");
        Exec("INSERT INTO DEPT VALUES ('02', 'Pear'), ('01', 'Apple'), ('03', 'Plum')");
        m_column.SetSQliteDB(m_db.get());
        m_column.m_bNullable = false;
    }
    void TearDown() override { CSarvikApp::Instance().ReleaseLangDatas(); }

    static QComboBox* Combo(QWidget* dialog)
    {
        return qobject_cast<QComboBox*>(FindControlById(dialog, CSubItemSetDlg::IDC_COMBO));
    }

    SuiteFixture m_suite;
    CColumnDataDBCombo m_column{"DEPTCODE", "K", 1, 2, "DEPT", "CODE", "NAME", 0};
};

TEST_F(CSubItemSetDlgExTest, TheColumnFillsAndReadsTheDropDownList)
{
    CSubItemSetDlgEx dlg(nullptr, T::DLGTYPE_COMBO, 0);
    dlg.SetValue(2, 0, "09"); // no candidate: nothing selected
    dlg.SetColumnData(&m_column);
    const int result = RunModal<CSubItemSetDlgEx>(dlg, [this](CSubItemSetDlgEx& d) {
        QComboBox* combo = Combo(&d);
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->count(), 3);
        EXPECT_EQ(combo->currentIndex(), -1);
        ClickControl(&d, platform::IDOK);
        EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_INPUT"});
        EXPECT_TRUE(d.isVisible());
        combo->setCurrentIndex(2);
        ClickControl(&d, platform::IDOK);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(dlg.GetValue(), "03");
}

TEST_F(CSubItemSetDlgExTest, ImportCheckLooksTheTextUpAmongTheCandidates)
{
    CColumnDataDBComboDef withDefault("TARE", "K", 1, 2, "DEPT", "CODE", "NAME", 1, "00");
    withDefault.SetSQliteDB(m_db.get());
    struct Case
    {
        CColumnData* column;
        int allInOne;
        QString text;
        int allowEmpty;
        const char* key;
        QString value;
    };
    const Case cases[] = {
        {&m_column, 0, "Plum  ", 0, "", "03"},
        {&m_column, 1, "Apple", 0, "", "01"},
        {&m_column, 0, "Cherry", 1, "CRDS_ERR_INPUT", ""},
        {&m_column, 0, "", 0, "CRDS_ERR_INPUT", ""},
        {&withDefault, 0, "", 1, "", "00"}, // nullable: no choice stores the default
        {&withDefault, 0, "Pear", 1, "", "02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << c.text.toStdString());
        CSubItemSetDlgEx dlg(nullptr, T::DLGTYPE_COMBO, c.allInOne);
        dlg.SetValue(2, 0, c.text);
        dlg.SetColumnData(c.column);
        ASSERT_TRUE(dlg.Create());
        ExpectImportCheck(dlg, c.text, c.allowEmpty, c.key, c.value);
    }
    EXPECT_TRUE(m_suite.messages().isEmpty());
}

} // namespace
