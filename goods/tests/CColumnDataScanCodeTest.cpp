#include "shared/data/CColumnDataScanCode.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/QtPrinters.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <sqlite3.h>

namespace {

class CColumnDataScanCodeTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        Exec("INSERT INTO CIA001 (ITEMCODE, SCANCODE1) VALUES ('0001', '4901'), ('0002', NULL), "
             "('0003', 'it''s')");
        SetControlId(m_itemCode, 23019);
        SetControlId(m_scanCode, 20008);
    }

    // The item page's code display and scan-code edit.
    bool Check(const QString& itemCode, const QString& scanCode)
    {
        m_itemCode->setText(itemCode);
        m_scanCode->setText(scanCode);
        return m_column.CheckControlValue(m_scanCode);
    }

    CColumnDataScanCode m_column{QStringLiteral("SCANCODE1"), QString(), 20008, 23041,
                                 QStringLiteral("CIA001")};
    QWidget m_page;
    QLabel* m_itemCode = new QLabel(&m_page);
    QLineEdit* m_scanCode = new QLineEdit(&m_page);
};

TEST_F(CColumnDataScanCodeTest, NoOtherItemMayCarryTheCode)
{
    m_column.SetSQliteDB(m_db.get());
    const QString taken = GetLangString(QStringLiteral("CRDS_CMN_ERR_EXIST_FAILED"));
    ASSERT_FALSE(taken.isEmpty());
    struct Case
    {
        const char* item;
        const char* scan;
        bool ok;
    } cases[] = {
        {"0001", "4901", true},  // its own code
        {"0002", "", true},      // no code
        {"0002", "4901", false}, // the first item's
        {"0002", "4902", true},  // free
        {"0002", "it's", false}, // a quote is a value, not SQL
        {"0003", "it's", true},  {"0002", "' OR ''='", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check(QLatin1String(c.item), QString::fromUtf8(c.scan)), c.ok)
            << c.item << " " << c.scan;
        EXPECT_EQ(m_column.m_strErrMsg, c.ok ? QString() : taken);
    }
    // The same check without a control, as a bulk update makes it.
    EXPECT_FALSE(m_column.CheckItemValue("ITEMCODE", "0002", "4901"));
    EXPECT_TRUE(m_column.CheckItemValue("ITEMCODE", "0001", "4901"));
    m_column.FreeResorce();
    // A database whose index of that name serves another column still
    // answers rightly, by reading the table.
    Exec(QStringLiteral("DROP INDEX CIA001_SCANCODE1"));
    Exec(QStringLiteral("CREATE INDEX CIA001_SCANCODE1 ON CIA001 (ITEMNAME)"));
    EXPECT_FALSE(m_column.CheckItemValue("ITEMCODE", "0002", "4901"));
    EXPECT_TRUE(m_column.CheckItemValue("ITEMCODE", "0001", "4901"));
    m_column.FreeResorce();
}

TEST_F(CColumnDataScanCodeTest, WithoutTheItemCodeOrDatabaseTheCheckPasses)
{
    QWidget lone;
    auto* edit = new QLineEdit(QStringLiteral("4901"), &lone);
    m_column.SetSQliteDB(m_db.get());
    EXPECT_TRUE(m_column.CheckControlValue(edit)); // no control 23019 beside it
    EXPECT_TRUE(m_column.CheckControlValue(nullptr));
    CColumnDataScanCode unbound(QStringLiteral("SCANCODE1"), QString(), 20008, 0,
                                QStringLiteral("CIA001"));
    EXPECT_TRUE(unbound.CheckItemValue("ITEMCODE", "0002", "4901"));
}

// The check of a work database as an archive's own schema made it (no index
// but the key's) must not read every item: the virtual machine's steps of a
// check stay the same from 1,000 items to 50,000, also when the first check
// ran in a transaction that was rolled back (a row import's batch).
TEST_F(CColumnDataScanCodeTest, ACheckCostsTheSameWhateverTheTableSize)
{
    m_column.SetSQliteDB(m_db.get());
    const auto fill = [this](int from, int to) {
        Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT ") + QString::number(from) +
             QStringLiteral(" UNION ALL SELECT i + 1 FROM n WHERE i < ") + QString::number(to) +
             QStringLiteral(") INSERT INTO CIA001 (ITEMCODE, SCANCODE1) SELECT "
                            "printf('%016d', i), printf('49%011d', i) FROM n"));
    };
    const auto steps = [this] {
        long count = 0;
        sqlite3_progress_handler(
            m_db->Handle(), 1, [](void* n) { return ++*static_cast<long*>(n), 0; }, &count);
        EXPECT_FALSE(m_column.CheckItemValue("ITEMCODE", "0000000000000002", "4900000000500"));
        EXPECT_TRUE(m_column.CheckItemValue("ITEMCODE", "0000000000000500", "4900000000500"));
        EXPECT_TRUE(m_column.CheckItemValue("ITEMCODE", "0000000000000002", "4999999999999"));
        sqlite3_progress_handler(m_db->Handle(), 0, nullptr, nullptr);
        return count;
    };
    fill(10, 1000);
    // An index made inside a transaction that is rolled back goes with it.
    Exec(QStringLiteral("BEGIN"));
    m_column.CheckItemValue("ITEMCODE", "0000000000000002", "4901");
    Exec(QStringLiteral("ROLLBACK"));
    Exec(QStringLiteral("BEGIN"));
    m_column.CheckItemValue("ITEMCODE", "0000000000000002", "4901"); // may make it again
    const long small = steps();
    fill(1001, 50000);
    const long large = steps();
    Exec(QStringLiteral("COMMIT"));
    EXPECT_LE(large, small + small / 2) << small << " steps with 1,000 items";
    m_column.FreeResorce();
}

} // namespace
