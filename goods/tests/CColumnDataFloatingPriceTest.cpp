#include "goods/CColumnDataFloatingPrice.h"

#include "goods/tests/GoodsDbFixture.h"
#include "testsupport/QtPrinters.h"

#include <QLineEdit>

using brelkin::CColumnDataFloatingPrice;

namespace {

class CColumnDataFloatingPriceTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        Exec("INSERT INTO CIA001 (ITEMCODE, UNITPRICE, UNITPRICE3) VALUES ('F1', 100, 300)");
        Exec("INSERT INTO CSA007 (ITEMCODE, CTRLTYPE, CTRLCODE, PRICECODE, FLOATINGPRICE) VALUES "
             "('F1', '01', '0005', '01', '250'), ('F1', '01', '0005', '03', '-0'), "
             "('F1', '02', '0006', '01', '70'), ('F1', '01', 'it''s', '01', '5')");
        m_column.SetSQliteDB(m_db.get());
    }

    CColumnDataFloatingPrice m_column{QStringLiteral("ITEMCODE"), QString(), QStringLiteral("F1"),
                                      QStringLiteral("01"),       1,         0};
};

TEST_F(CColumnDataFloatingPriceTest, StoredPriceOrTheFloatingItemsOwnOfTheLevel)
{
    EXPECT_EQ(m_column.m_nOverrideSize, 13);
    struct Case
    {
        const char* level;
        const char* code;
        const char* shown;
        int fallback;
    } cases[] = {
        {"UNITPRICE", "0005", "250", 0}, {"UNITPRICE", "0006", "*100", 1},
        {"UNITPRICE3", "0005", "-0", 0}, {"UNITPRICE3", "0006", "*300", 1},
        {"UNITPRICE", "it's", "5", 0},   {"UNITPRICE10", "0005", "*", 1},
    };
    for (const Case& c : cases) {
        m_column.m_strPriceColumn = QLatin1String(c.level);
        EXPECT_EQ(m_column.GetDescript(QString::fromUtf8(c.code)), QLatin1String(c.shown))
            << c.level << " " << c.code;
        EXPECT_EQ(m_column.m_nUnitPriceFallback, c.fallback);
        EXPECT_EQ(m_column.m_strLastDescript, QLatin1String(c.shown));
    }
}

TEST_F(CColumnDataFloatingPriceTest, EditorValuesComeFromTheControl)
{
    QLineEdit edit(QStringLiteral("0005"));
    QString value;
    m_column.GetPreEditValue(&edit, value);
    EXPECT_EQ(value, "250");
    edit.setText(QStringLiteral("123"));
    m_column.GetControlValue(&edit, value);
    EXPECT_EQ(value, "123");
    m_column.GetControlValue(nullptr, value);
    EXPECT_EQ(value, "123"); // no control: left as it was
}

TEST_F(CColumnDataFloatingPriceTest, FailedReadShowsAnEmptyCell)
{
    Exec("DROP TABLE CSA007");
    EXPECT_EQ(m_column.GetDescript(QStringLiteral("0005")), "");
}

} // namespace
