// What the record editor's OK writes: the columns the user changed, the
// update stamp, and nothing else.
#include "goods/CPageDlg.h"
#include "goods/CTabDlg.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ModalDriver.h"

#include <QLineEdit>
#include <QPushButton>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class CPageDlgSaveTest : public ListDlgFixture
{
protected:
    // The columns of a table's row "1" that hold a value.
    QStringList StoredColumns(const QString& table)
    {
        CSQliteSQL sql(*m_db, table);
        int err = 0;
        const CSQTableInfoArray* columns = sql.GetTableInfo(err);
        QStringList stored;
        for (const CSQTableInfo& column : *columns)
            if (Value(table, column.m_strName, QStringLiteral("1")) != QLatin1String("<null>"))
                stored << column.m_strName;
        return stored;
    }

    QLineEdit* EditOf(CTabDlg& editor, const QString& columnName)
    {
        const CColumnDataList* list = m_modes->Entry(m_entry)->GetColumnDataList();
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (list->m_ppColumnData[i]->m_strColumnName == columnName)
                return qobject_cast<QLineEdit*>(
                    editor.Pages()[0]->Control(list->m_ppColumnData[i]));
        return nullptr;
    }
};

TEST_F(CPageDlgSaveTest, AnOkLeavesUntouchedColumnsNull)
{
    const struct
    {
        int entry;
        const char* table;
        const char* code;
        const char* name;
    } cases[] = {
        {1, "CIA001", "ITEMCODE", "ITEMNAME"},         // item: prices 2 to 10 among them
        {2, "CSA001", "ITEMPARMCODE", "ITEMPARMNAME"}, // item parameter: its two flags
        {4, "CSB004", "CLKCODE", "CLKNAME"},           // clerk
        {7, "CIB001", "SETITEMCODE", "SETITEMNAME"},   // set menu: its limits
    };
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        const QString table = QLatin1String(c.table);
        Exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES ('1', 'Old')")
                 .arg(table, QLatin1String(c.code), QLatin1String(c.name)));
        CListDlg& window = Open(c.entry);
        bool edited = false;
        WhenModal<CTabDlg>([&](CTabDlg& editor) {
            QLineEdit* name = EditOf(editor, QLatin1String(c.name));
            edited = name != nullptr;
            if (name)
                name->setText(QStringLiteral("New"));
            qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
        });
        window.accept();
        EXPECT_TRUE(edited);
        EXPECT_EQ(Value(table, QLatin1String(c.name), QStringLiteral("1")), "New");
        EXPECT_EQ(Value(table, QStringLiteral("UPDATEDATETIME"), QStringLiteral("1")),
                  "20260506070809");
        EXPECT_EQ(StoredColumns(table), (QStringList{QLatin1String(c.code), QLatin1String(c.name),
                                                     QStringLiteral("UPDATEDATETIME")}));
    }
}

} // namespace
