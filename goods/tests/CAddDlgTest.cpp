#include "goods/base/CAddDlg.h"

#include "goods/CListDlg.h"
#include "goods/tests/GoodsDbFixture.h"
#include "shared/controls/CNumEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/WindowText.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/QtPrinters.h"

#include <QPushButton>
#include <QTest>

namespace {

class CAddDlgTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        Exec("CREATE TABLE T4 (CODE VARCHAR(4) NOT NULL, NAME VARCHAR(10), "
             "CONSTRAINT T4_PRIMARY PRIMARY KEY (CODE))");
        m_columns[0] = new CColumnData(QStringLiteral("CODE"), QStringLiteral("K"), 23019, 0);
        m_columns[1] = new CColumnData(QStringLiteral("NAME"), QStringLiteral("N"), 20007, 0);
        m_list = std::make_unique<CColumnDataList>(QStringLiteral("T4"), m_columns);
        m_manager =
            std::make_unique<CDataManager>("T", 3001, 3004, 0, QString(), nullptr, 0, m_list.get());
        ASSERT_TRUE(m_manager->CreateSQLiteDB(m_local));
        int err = 0;
        ASSERT_TRUE(m_manager->OpenSQLiteDB(QStringLiteral("\\SETTING.DB"), err)) << err;
    }
    void TearDown() override
    {
        m_manager.reset();
        GoodsDbFixture::TearDown();
    }

    CColumnData* m_columns[3] = {};
    std::unique_ptr<CColumnDataList> m_list;
    std::unique_ptr<CDataManager> m_manager;
};

TEST_F(CAddDlgTest, ProposesTheNextCodeOfFullWidth)
{
    struct Case
    {
        const char* rows;
        const char* proposal;
    } cases[] = {
        {"", "0001"},
        {"('0099')", "0100"},
        {"('0099'), ('0100'), ('0009')", "0101"},
        {"('9999')", ""}, // the width's highest: no proposal
    };
    for (const Case& c : cases) {
        Exec("DELETE FROM T4");
        if (*c.rows)
            Exec(QStringLiteral("INSERT INTO T4 (CODE) VALUES %1").arg(QLatin1String(c.rows)));
        CAddDlg dialog(m_manager.get(), QStringLiteral("CRDS_PR_CLMN_PLUCODE"));
        dialog.Create();
        auto* code = qobject_cast<CNumEdit*>(FindControlById(&dialog, CAddDlg::IDC_CODE));
        auto* ok = qobject_cast<QPushButton*>(FindControlById(&dialog, 1));
        EXPECT_EQ(code->text(), QLatin1String(c.proposal)) << c.rows;
        EXPECT_EQ(ok->isEnabled(), *c.proposal != 0);
        EXPECT_EQ(GetWindowText(FindControlById(&dialog, CAddDlg::IDC_LABEL)),
                  GetLangString(QStringLiteral("CRDS_PR_CLMN_PLUCODE")));
    }
}

TEST_F(CAddDlgTest, OkOnlyAtFullWidthAndForAFreeCode)
{
    Exec("INSERT INTO T4 (CODE) VALUES ('0099')");
    CAddDlg dialog(m_manager.get(), QString());
    dialog.Create();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* code = qobject_cast<CNumEdit*>(FindControlById(&dialog, CAddDlg::IDC_CODE));
    auto* ok = qobject_cast<QPushButton*>(FindControlById(&dialog, 1));
    code->clear();
    QTest::keyClicks(code, "12a");
    EXPECT_EQ(code->text(), "12");
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(code, "345");
    EXPECT_EQ(code->text(), "1234"); // no more than the width
    EXPECT_TRUE(ok->isEnabled());

    // Enter in the code field does not confirm it.
    code->setFocus();
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    // A code that exists is refused; the dialog stays.
    code->setText(QStringLiteral("0099"));
    ok->click();
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_EXIST_FAILED"});
    EXPECT_TRUE(dialog.isVisible());
    code->setText(QStringLiteral("0100"));
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.GetNewCode(), "0100");
}

// The label names the code whole beside its field, whatever list asks: the
// longest name is the item parameters'.
TEST_F(CAddDlgTest, EveryListsCodeNameShowsWholeBesideTheField)
{
    for (int kind = 0; kind <= 14; ++kind) {
        const QString key = brelkin::CListDlg::GetCodeLabelKey(kind);
        if (key.isEmpty())
            continue;
        CAddDlg dialog(m_manager.get(), key);
        dialog.Create();
        dialog.show();
        EXPECT_EQ(korvane::test::LayoutFaults(&dialog), QStringList()) << key.toStdString();
    }
}

} // namespace
