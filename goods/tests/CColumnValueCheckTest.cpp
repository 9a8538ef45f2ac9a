// Values given as text checked and made the stored text as the record
// page's controls take them, without the page.
#include "goods/CColumnValueCheck.h"

#include "goods/GoodsDialogIds.h"
#include "goods/PageControlKind.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/lang/CProgramLang.h"

using namespace brelkin;

namespace {

class CColumnValueCheckTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        InsertDepartmentsAndTaxes();
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE) VALUES "
             "('0000000000000005', 'Tea', '100'), ('0000000000000009', 'Cake', '250')");
        Exec("UPDATE CIA001 SET SCANCODE1 = '4901' WHERE ITEMCODE = '0000000000000009'");
    }
    int Column(const QString& name)
    {
        const CColumnDataList* list = m_modes->Entry(m_entry)->GetColumnDataList();
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (list->m_ppColumnData[i]->m_strColumnName == name)
                return i;
        return -1;
    }
};

TEST_F(CColumnValueCheckTest, EveryKindOfItemColumn)
{
    Open(kPluEasy);
    CColumnValueCheck check(m_modes->Entry(kPluEasy), IDD_PAGE_PLU);
    using Outcome = CColumnValueCheck::Result::Outcome;
    const QString tea = QStringLiteral("0000000000000005");
    const QString usable = GetLangString("CRDS_PR_ITEM_UNUSABLEFLG_UNUSABLE");
    const struct
    {
        const char* column;
        QString text;
        Outcome outcome;
        QString stored;
    } cases[] = {
        {"ITEMCODE", "7", Outcome::Ignored, ""},
        {"ITEMNAME", "Milk  ", Outcome::Stored, "Milk"},
        {"ITEMNAME", QString(41, 'x'), Outcome::Refused, ""},
        {"UNITPRICE", "-30", Outcome::Stored, "-30"},
        {"UNITPRICE", "1-2", Outcome::Refused, ""},
        {"UNITPRICE", "12.50", Outcome::Refused, ""},
        {"UNITWEIGHT", ".5", Outcome::Stored, "0.5"},
        {"UNITWEIGHT", "12.345", Outcome::Stored, "12.345"},
        {"UNITWEIGHT", "123", Outcome::Refused, ""},
        {"UNITQTY", "1.2.3", Outcome::Refused, ""},
        {"SCANCODE1", "4901", Outcome::Refused, ""}, // item 9's
        {"SCANCODE1", "4902", Outcome::Stored, "4902"},
        {"ITEMDEPTCODE", "drINK ", Outcome::Stored, "000002"},
        {"ITEMDEPTCODE", "Wine", Outcome::Refused, ""}, // two entries
        {"ITEMDEPTCODE", "", Outcome::Stored, ""},
        {"TAXCODE_1", "std", Outcome::Stored, "01"},
        {"TAXCODE_1", "Nothing", Outcome::Refused, ""},
        {"UNUSABLEFLG", usable, Outcome::Stored, "1"},
        // Sub-items take their value dialog's form.
        {"UNITPRICE5", "77", Outcome::Stored, "77"},
        {"UNITPRICE5", "7x", Outcome::Refused, ""},
        {"TAXCODE5_1", "Std", Outcome::Stored, "01"},
        {"TAXCODE5_1", "std", Outcome::Refused, ""},
    };
    for (const auto& c : cases) {
        const QString column = QString::fromLatin1(c.column);
        ASSERT_GE(Column(column), 0) << c.column;
        const CColumnValueCheck::Result result = check.Check(Column(column), c.text, tea);
        EXPECT_EQ(int(result.outcome), int(c.outcome)) << c.column << " " << c.text.toStdString();
        EXPECT_EQ(result.value, c.stored) << c.column << " " << c.text.toStdString();
        if (c.outcome == Outcome::Refused) {
            EXPECT_FALSE(result.text1.isEmpty() || result.text2.isEmpty()) << c.column;
        }
    }
}

TEST_F(CColumnValueCheckTest, RadioTakesTheTextsOfItsFirstTwoButtons)
{
    Open(2);
    CColumnValueCheck check(m_modes->Entry(2), IDD_PAGE_ITEMPARM);
    const int flag = Column("HASHITEMFLG");
    const CColumnData* column = m_modes->Entry(2)->GetColumnDataList()->m_ppColumnData[flag];
    const QString first = GetLangString(PageRadioKey(column, IDD_PAGE_ITEMPARM, 0));
    const QString second = GetLangString(PageRadioKey(column, IDD_PAGE_ITEMPARM, 1));
    ASSERT_NE(first, second);
    const CColumnValueCheck::Result yes = check.Check(flag, first, QString());
    const CColumnValueCheck::Result no = check.Check(flag, second, QString());
    EXPECT_EQ(int(yes.outcome), int(CColumnValueCheck::Result::Outcome::Stored));
    EXPECT_EQ(int(no.outcome), int(CColumnValueCheck::Result::Outcome::Stored));
    EXPECT_NE(yes.value, no.value);
    EXPECT_EQ(int(check.Check(flag, first.toUpper() + "x", QString()).outcome),
              int(CColumnValueCheck::Result::Outcome::Refused));
}

} // namespace
