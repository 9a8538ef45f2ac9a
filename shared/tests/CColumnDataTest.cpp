#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataPriceEdit.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"
#include "shared/controls/CPriceEdit.h"
#include "shared/controls/FindControlById.h"

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

CSQTableInfo info(const char* name, int type, int size, int scale, int notNull = 0, int pk = 0)
{
    CSQTableInfo column;
    column.m_strName = name;
    column.m_nType = type;
    column.m_nSize = size;
    column.m_nScale = scale;
    column.m_nNotNull = notNull;
    column.m_nPrimaryKey = pk;
    return column;
}

const CSQTableInfoArray kTable{info("CODE", SQLTYPE_VARCHAR, 6, 0, 1, 1),
                               info("PRICE", SQLTYPE_NUMERIC, 8, 2)};

TEST(CColumnDataTest, TakesItsFactsFromTheTableInformation)
{
    CColumnData price("PRICE", "KEY_WITHOUT_TEXT", 0, 0);
    EXPECT_EQ(price.SetFieldInfo(&kTable), COLUMNINFO_OK);
    EXPECT_EQ(price.m_nType, SQLTYPE_NUMERIC);
    EXPECT_EQ(price.GetDescriptWidth(), 9);
    EXPECT_TRUE(price.m_bNullable);
    EXPECT_EQ(price.m_nLabelWidth, QString("KEY_WITHOUT_TEXT").size()); // the key shows itself

    CColumnData wide("PRICE", "", 0, 0);
    wide.m_nOverrideSize = 12;
    wide.SetFieldInfo(&kTable);
    EXPECT_EQ(wide.m_nSize, 12);
    EXPECT_EQ(wide.GetDescriptWidth(), 12);
    EXPECT_EQ(wide.m_nLabelWidth, 0);

    CColumnData code("CODE", "", 0, 0);
    code.SetFieldInfo(&kTable);
    EXPECT_EQ(code.m_nPrimaryKey, 1);
    EXPECT_FALSE(code.m_bNullable);

    CColumnData missing("NOSUCH", "", 0, 0);
    missing.m_nOverrideSize = 12;
    EXPECT_EQ(missing.SetFieldInfo(&kTable), COLUMNINFO_MISSING);
    EXPECT_EQ(missing.m_nType, 0);
    EXPECT_EQ(missing.GetDescriptWidth(), 0);
    EXPECT_EQ(missing.SetFieldInfo(nullptr), COLUMNINFO_NO_TABLE_INFO);
}

TEST(CColumnDataTest, ANotNullColumnRefusesAnEmptyValue)
{
    QLineEdit edit;
    CColumnData code("CODE", "", 0, 0);
    code.SetFieldInfo(&kTable);
    code.m_strErrMsg = "old";
    EXPECT_FALSE(code.CheckControlValue(&edit));
    EXPECT_TRUE(code.m_strErrMsg.isEmpty());
    code.SetControlValue(&edit, "01");
    EXPECT_TRUE(code.CheckControlValue(&edit));
    EXPECT_FALSE(code.CheckItemValue("CODE", "01", ""));
    EXPECT_TRUE(code.CheckItemValue("CODE", "01", "x"));

    CColumnData price("PRICE", "", 0, 0);
    price.SetFieldInfo(&kTable);
    edit.clear();
    EXPECT_TRUE(price.CheckControlValue(&edit));
    EXPECT_TRUE(price.CheckItemValue("CODE", "01", ""));
}

TEST(CColumnDataTest, APriceColumnSizesItsEdit)
{
    CPriceEdit edit;
    CColumnDataPriceEdit price("PRICE", "", 0, 0);
    price.m_nOverrideSize = 4;
    price.SetFieldInfo(&kTable);
    price.SetControlValue(&edit, "1234");
    QString value;
    price.GetControlValue(&edit, value);
    EXPECT_EQ(value, "1234");
    CColumnData* column = &price;
    EXPECT_NE(dynamic_cast<CColumnDataPriceEdit*>(column), nullptr);
}

// A dialog with one radio group of `count` buttons, ids 100 upwards.
struct RadioDialog
{
    explicit RadioDialog(int count)
    {
        for (int i = 0; i < count; ++i) {
            buttons << new QRadioButton(&dialog);
            SetControlId(buttons.last(), 100 + i);
        }
    }
    QDialog dialog;
    QList<QRadioButton*> buttons;
};

TEST(CColumnDataYesNoRadioTest, ReadsValuesAsTheStoredNumbers)
{
    struct Case
    {
        int yesIsOne;
        const char* value;
        bool yes;
    };
    for (const Case& c : {Case{1, "1", true}, Case{1, "0", false}, Case{1, "", false},
                          Case{1, "2", false}, Case{1, " 1x", true}, Case{0, "0", true},
                          Case{0, "", true}, Case{0, "1", false}, Case{0, "5", false}}) {
        CColumnDataYesNoRadio column("FLAG", "", 100, 0, c.yesIsOne);
        EXPECT_EQ(column.IsYesValue(c.value), c.yes) << c.yesIsOne << " '" << c.value << "'";
        EXPECT_EQ(column.GetDescript(c.value), c.yes ? column.GetDescript(column.YesValue())
                                                     : column.GetDescript(column.NoValue()));
    }
}

TEST(CColumnDataYesNoRadioTest, ShowsAndReadsTheTwoButtons)
{
    RadioDialog d(2);
    CColumnDataYesNoRadio column("FLAG", "", 100, 0, 1);
    QString value = "unchanged";
    column.GetControlValue(d.buttons[0], value);
    EXPECT_EQ(value, "1"); // neither checked reads as yes
    column.SetControlValue(d.buttons[0], "0");
    EXPECT_TRUE(d.buttons[1]->isChecked());
    EXPECT_FALSE(d.buttons[0]->isChecked());
    column.GetControlValue(d.buttons[0], value);
    EXPECT_EQ(value, "0");
    column.SetControlValue(d.buttons[0], "1");
    EXPECT_TRUE(d.buttons[0]->isChecked());
    column.GetControlValue(d.buttons[0], value);
    EXPECT_EQ(value, "1");

    QRadioButton orphan;
    value = "unchanged";
    column.GetControlValue(&orphan, value);
    EXPECT_EQ(value, "unchanged");
}

TEST(CColumnDataUniqueRadioTest, TheValueIsTheIndexOfTheCheckedButton)
{
    static const char* const keys[] = {"KEY_A", "KEY_B", "KEY_C", nullptr};
    RadioDialog d(3);
    CColumnDataUniqueRadio column("KIND", "", 100, 0, keys);
    EXPECT_EQ(column.m_nRadioCount, 3);
    QString value;
    column.GetControlValue(d.buttons[0], value);
    EXPECT_EQ(value, "3"); // none checked
    column.SetControlValue(d.buttons[0], "1");
    EXPECT_TRUE(d.buttons[1]->isChecked());
    column.GetControlValue(d.buttons[0], value);
    EXPECT_EQ(value, "1");
    column.SetControlValue(d.buttons[0], "7"); // no such button: none stays checked
    column.GetControlValue(d.buttons[0], value);
    EXPECT_EQ(value, "3");

    EXPECT_EQ(column.GetDescript("9"), "9");
    EXPECT_EQ(column.GetDescript("-1"), "-1");
    CColumnDataUniqueRadio plain("KIND", "", 100, 0, nullptr);
    EXPECT_EQ(plain.GetDescript("2"), "2");
}

TEST(FindControlByIdTest, FindsNestedControlsByTheirId)
{
    QDialog dialog;
    auto outer = new QWidget(&dialog);
    auto inner = new QLineEdit(outer);
    SetControlId(inner, 1234);
    EXPECT_EQ(FindControlById(&dialog, 1234), inner);
    EXPECT_EQ(FindControlById(&dialog, 99), nullptr);
    EXPECT_EQ(FindControlById(&dialog, 0), nullptr);
    EXPECT_EQ(ControlId(inner), 1234u);
}

} // namespace
