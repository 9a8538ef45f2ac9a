// Values given as text checked and made the stored text as the record
// page's controls take them, without the page; and the page's controls
// checked by the same check.
#include "goods/CColumnValueCheck.h"

#include "goods/CPageDlg.h"
#include "goods/GoodsDialogIds.h"
#include "goods/PageControlKind.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/textfiles/CErrDataInfo.h"

#include <QComboBox>
#include <QRadioButton>

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
    // Gives a text to the page's control of a column as a user would: typed
    // into an edit, its entry chosen in a combo, its radio clicked. False
    // when the control cannot hold the text as given.
    static bool GiveToControl(CPageDlg& page, const CColumnData* column, const QString& text)
    {
        QWidget* control = page.Control(column);
        if (auto* edit = qobject_cast<CEcrEdit*>(control)) {
            edit->SetText(text);
            return edit->text() == text;
        }
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->setCurrentIndex(text.isEmpty() ? -1
                                                  : combo->findText(text, Qt::MatchFixedString));
            return text.isEmpty() || combo->currentIndex() >= 0;
        }
        for (uint r = 0; qobject_cast<QRadioButton*>(control) && r < 4; ++r)
            if (auto* radio =
                    qobject_cast<QRadioButton*>(FindControlById(&page, column->m_nCtrlID + r));
                radio && radio->text() == text) {
                radio->setChecked(true);
                return true;
            }
        return false;
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

// Each value given once to the record page's control and once to the
// import's check: both refuse it, or both store the same text.
TEST_F(CColumnValueCheckTest, PageAndImportTakeTheSameValues)
{
    Exec("UPDATE CIA001 SET ITEMDEPTCODE = '000001', TAXCODE_1 = '00', UNUSABLEFLG = '0'");
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME, HASHITEMFLG, BONNUMS) VALUES "
         "('000001', 'Hot', '1', 1)");
    using Outcome = CColumnValueCheck::Result::Outcome;
    constexpr int kItemParm = 2;
    // radio >= 0: the text of that radio of the column's group.
    const struct
    {
        int entry;
        const char* table;
        const char* column;
        QString text;
        Outcome outcome;
        QString stored;
        int radio = -1;
    } cases[] = {
        {kPluEasy, "CIA001", "ITEMNAME", "Milk", Outcome::Stored, "Milk"},
        {kPluEasy, "CIA001", "ITEMNAME", QString(41, 'x'), Outcome::Refused, ""},
        {kPluEasy, "CIA001", "UNITPRICE", "-30", Outcome::Stored, "-30"},
        {kPluEasy, "CIA001", "UNITWEIGHT", "12.345", Outcome::Stored, "12.345"},
        {kPluEasy, "CIA001", "UNITQTY", "1234.56", Outcome::Stored, "1234.56"},
        {kPluEasy, "CIA001", "SCANCODE1", "4901", Outcome::Refused, ""}, // item 9's
        {kPluEasy, "CIA001", "SCANCODE1", "4902", Outcome::Stored, "4902"},
        {kPluEasy, "CIA001", "ITEMDEPTCODE", "drINK", Outcome::Stored, "000002"},
        {kPluEasy, "CIA001", "ITEMDEPTCODE", "", Outcome::Stored, ""},
        {kPluEasy, "CIA001", "TAXCODE_1", "Std", Outcome::Stored, "01"},
        {kPluEasy, "CIA001", "UNUSABLEFLG", GetLangString("CRDS_PR_ITEM_UNUSABLEFLG_UNUSABLE"),
         Outcome::Stored, "1"},
        {kItemParm, "CSA001", "ITEMPARMNAME", "Cold", Outcome::Stored, "Cold"},
        {kItemParm, "CSA001", "BONNUMS", "12", Outcome::Stored, "12"},
        {kItemParm, "CSA001", "BONNUMS", "1.5", Outcome::Refused, ""},
        {kItemParm, "CSA001", "ITEMCLASSCODE", "12", Outcome::Stored, "12"},
        {kItemParm, "CSA001", "HASHITEMFLG", "", Outcome::Stored, "0", 1},
        {kItemParm, "CSA001", "HASHITEMFLG", "", Outcome::Stored, "1", 0},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.column);
        Open(c.entry);
        CDataManager* data = m_modes->Entry(c.entry);
        const CColumnDataList* list = data->GetColumnDataList();
        const int index = Column(name);
        ASSERT_GE(index, 0) << c.column;
        const CColumnData* column = list->m_ppColumnData[index];
        const unsigned pageId = data->m_pPageDlgIDs[0];
        const QString text =
            c.radio < 0 ? c.text : GetLangString(PageRadioKey(column, pageId, c.radio));
        SCOPED_TRACE(name.toStdString() + " \"" + text.toStdString() + "\"");
        const QString code = list->CachedRecord(1)->value(list->m_nKeyIndex);

        const CColumnValueCheck::Result imported =
            CColumnValueCheck(data, pageId).Check(index, text, code);
        EXPECT_EQ(int(imported.outcome), int(c.outcome));
        EXPECT_EQ(imported.value, c.stored);

        CPageDlg page;
        page.BindPage(data, 1, false);
        ASSERT_TRUE(page.Create(pageId, nullptr));
        ASSERT_TRUE(GiveToControl(page, column, text));
        CErrDataInfo errors;
        const unsigned refused = page.CheckInput(&errors, nullptr);
        EXPECT_EQ(refused == column->m_nCtrlID, c.outcome == Outcome::Refused) << refused;
        if (refused != 0)
            continue;
        int err = 0;
        ASSERT_TRUE(page.SaveData(nullptr, err)) << err;
        const QString where = list->KeyColumn()->m_strColumnName + " = '" + code + "'";
        EXPECT_EQ(Value(QLatin1String(c.table), name, where), c.stored);
    }
}

} // namespace

namespace {

// The page's edit keeps a stored text longer than its limit whole (nothing
// is cut on opening): an OK that leaves it as it is must not be refused.
TEST_F(CColumnValueCheckTest, AStoredTextLongerThanTheEditTakesPassesThePageUnchanged)
{
    const QString longName(45, u'n');
    Exec("UPDATE CIA001 SET ITEMNAME = '" + longName + "'");
    Open(kPluEasy);
    CDataManager* data = m_modes->Entry(kPluEasy);
    CPageDlg page;
    page.BindPage(data, 1, false);
    ASSERT_TRUE(page.Create(data->m_pPageDlgIDs[0], nullptr));
    CErrDataInfo errors;
    EXPECT_EQ(page.CheckInput(&errors, nullptr), 0u);
}

} // namespace
