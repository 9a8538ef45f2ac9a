#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataDBComboDef.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/data/CColumnDataStaticComboDef.h"

#include "shared/controls/CItemSelectButton.h"
#include "shared/tests/DialogTestSupport.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WorkDbFixture.h"
#include "shared/lang/WindowText.h"
#include "shared/lang/CSarvikApp.h"

#include <QComboBox>

namespace {

class ComboColumnsTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        Exec("CREATE TABLE DEPT (CODE VARCHAR(2) PRIMARY KEY, NAME VARCHAR(12))");
        Exec("INSERT INTO DEPT VALUES ('02', 'Pear'), ('01', 'Apple'), ('03', 'Plum')");
    }

    template <class Column> void Attach(Column& column, bool nullable)
    {
        column.SetSQliteDB(m_db.get());
        column.m_bNullable = nullable;
    }
    static QStringList Entries(const QComboBox& combo)
    {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts << combo.itemText(i);
        return texts;
    }
    static QString Value(CColumnData& column, QWidget* control)
    {
        QString value = "untouched";
        column.GetControlValue(control, value);
        return value;
    }

    QComboBox m_combo;
};

TEST_F(ComboColumnsTest, DatabaseComboShowsAndStoresCodes)
{
    CColumnDataDBCombo column("DEPTCODE", "K", 1, 2, "DEPT", "CODE", "NAME", 0);
    Attach(column, false);

    EXPECT_EQ(column.GetDescript("02"), "Pear");
    EXPECT_EQ(column.GetDescript("01"), "Apple");
    EXPECT_EQ(column.GetDescript("03"), "Plum");
    EXPECT_EQ(column.GetDescript("09"), "09"); // unknown: the code itself

    // Read once: rows added later are not seen, and filling again adds no copies.
    Exec("INSERT INTO DEPT VALUES ('04', 'Fig')");
    column.ReadCandidate(&m_combo);
    column.ReadCandidate(&m_combo);
    EXPECT_EQ(Entries(m_combo), (QStringList{"Apple", "Pear", "Plum"}));
    EXPECT_EQ(column.Candidates().GetSize(), 3);

    column.SetControlValue(&m_combo, "03");
    EXPECT_EQ(m_combo.currentIndex(), 2);
    EXPECT_EQ(Value(column, &m_combo), "03");
    EXPECT_TRUE(column.CheckControlValue(&m_combo));

    column.SetControlValue(&m_combo, "09");
    EXPECT_EQ(m_combo.currentIndex(), -1);
    EXPECT_EQ(Value(column, &m_combo), "");
    EXPECT_FALSE(column.CheckControlValue(&m_combo)); // not nullable
    column.m_bNullable = true;
    EXPECT_TRUE(column.CheckControlValue(&m_combo));

    EXPECT_EQ(column.GetDescriptWidth(), 12); // the name column's size

    // Freed rows are read afresh on the next use.
    column.FreeResorce();
    EXPECT_EQ(column.GetDescript("04"), "Fig");
}

TEST_F(ComboColumnsTest, AnUnreadableTableLeavesNoRowsAndIsTriedAgain)
{
    CColumnDataDBCombo column("GRPCODE", "K", 1, 2, "GRP", "CODE", "NAME", 1);
    Attach(column, true);
    column.m_nSize = 6;
    EXPECT_EQ(column.GetDescript("01"), "01");
    column.ReadCandidate(&m_combo);
    EXPECT_EQ(m_combo.count(), 0); // not even the blank entry
    EXPECT_EQ(column.GetDescriptWidth(), 6);

    Exec("CREATE TABLE GRP (CODE VARCHAR(2), NAME VARCHAR(8))");
    Exec("INSERT INTO GRP VALUES ('01', 'First')");
    column.ReadCandidate(&m_combo);
    EXPECT_EQ(Entries(m_combo), (QStringList{"", "First"}));
    EXPECT_EQ(column.GetDescript("01"), "First");
}

TEST_F(ComboColumnsTest, BlankEntriesAndDefaults)
{
    CColumnDataDBCombo blank("DEPTCODE", "K", 1, 2, "DEPT", "CODE", "NAME", 1);
    Attach(blank, true);
    blank.ReadCandidate(&m_combo);
    EXPECT_EQ(m_combo.itemText(0), "");
    m_combo.setCurrentIndex(0);
    EXPECT_EQ(Value(blank, &m_combo), "");

    struct Case
    {
        int addBlank;
        bool nullable;
        QString stored; // set into the combo
        int pick;       // then this entry, -2 = leave the selection
        QString expected;
    };
    const Case cases[] = {
        {1, true, "09", -2, "00"}, // unknown code: nothing selected, the default
        {1, true, "02", 0, "00"},  // the blank entry
        {1, true, "02", -2, "02"},
        {0, true, "01", -2, "00"}, // the first real entry stands for the default
        {0, true, "02", -2, "02"},
        {0, false, "09", -2, ""}, // not nullable: no default
        {0, false, "01", -2, "01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "blank " << c.addBlank << " nullable " << c.nullable
                                        << " stored " << c.stored.toStdString());
        CColumnDataDBComboDef column("DEPTCODE", "K", 1, 2, "DEPT", "CODE", "NAME", c.addBlank,
                                     "00");
        Attach(column, c.nullable);
        QComboBox combo;
        column.ReadCandidate(&combo);
        column.SetControlValue(&combo, c.stored);
        if (c.pick != -2)
            combo.setCurrentIndex(c.pick);
        EXPECT_EQ(Value(column, &combo), c.expected);
    }

    // A stored default without a candidate row shows empty.
    CColumnDataDBComboDef column("DEPTCODE", "K", 1, 2, "DEPT", "CODE", "NAME", 1, "00");
    Attach(column, true);
    EXPECT_EQ(column.GetDescript("00"), "");
    EXPECT_EQ(column.GetDescript("01"), "Apple");
}

class StaticComboTest : public LibraryDialogTest
{
};

const tagCLMSTRITEM kItems[] = {{1, "CRD_OK"}, {2, "CRD_CANCEL"}};

TEST_F(StaticComboTest, ValuesAreWrittenWithTheirPadding)
{
    struct Case
    {
        int zeroPad;
        int addBlank;
        QStringList codes;
    };
    const Case cases[] = {
        {2, 0, {"01", "02"}},
        {0, 0, {"1", "2"}},
        {3, 1, {"", "001", "002"}},
    };
    for (const Case& c : cases) {
        CColumnDataStaticComboDef column("FLAG", "K", 1, 2, kItems, 2, c.addBlank, c.zeroPad, "1");
        column.m_nSize = 2;
        QComboBox combo;
        column.ReadCandidate(&combo);
        ASSERT_EQ(combo.count(), c.codes.size());
        for (int i = 0; i < combo.count(); ++i) {
            combo.setCurrentIndex(i);
            QString value;
            column.GetControlValue(&combo, value);
            EXPECT_EQ(value, c.codes[i]);
        }
        const QString okCode = c.codes[c.addBlank];
        EXPECT_EQ(column.GetDescript(okCode), LoadCommonString("CRD_OK"));
        EXPECT_EQ(column.GetDescript("7"), "7");
        EXPECT_EQ(column.GetDescriptWidth(), 2);
        EXPECT_EQ(column.GetDefaultValue(), "1");
    }
    CColumnDataStaticCombo empty("N", "K", 1, 2, nullptr, 0, 0, 2);
    EXPECT_EQ(empty.GetDescript("01"), "01"); // no table, no rows
}

TEST_F(ComboColumnsTest, ItemButtonHoldsTheCodeAndShowsTheName)
{
    CColumnDataItemSelectBtn column("ITEMCODE", "K", 1, 2, "DEPT", "CODE", "NAME", 1);
    Attach(column, false);
    CItemSelectButton button;
    SetWindowText(&button, "before");

    column.SetControlValue(&button, "02"); // reads its candidates itself
    EXPECT_EQ(button.m_strSelectCode, "02");
    EXPECT_EQ(button.m_strSelectName, "Pear");
    EXPECT_EQ(GetWindowText(&button), "Pear");
    EXPECT_EQ(Value(column, &button), "02");
    EXPECT_TRUE(column.CheckControlValue(&button));

    column.SetControlValue(&button, "09");
    EXPECT_EQ(button.m_strSelectCode, "");
    EXPECT_EQ(button.m_strSelectName, "");
    EXPECT_EQ(GetWindowText(&button), "Pear"); // the text is left as it was
    EXPECT_EQ(Value(column, &button), "");     // saving stores ""
    EXPECT_FALSE(column.CheckControlValue(&button));

    EXPECT_EQ(column.GetDescript("03"), "Plum");
    EXPECT_EQ(column.GetDescript("09"), "09");
    EXPECT_EQ(column.Candidates().GetSize(), 4); // blank first
}

} // namespace
