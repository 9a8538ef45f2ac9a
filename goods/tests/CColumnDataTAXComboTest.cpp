#include "goods/CColumnDataTAXCombo.h"

#include "goods/tests/GoodsDbFixture.h"
#include "testsupport/QtPrinters.h"

#include <QComboBox>

using brelkin::CColumnDataTAXCombo;

namespace {

class CColumnDataTAXComboTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        // A row "00" of its own must not stand beside the fixed "00".
        for (const char* code : {"91", "02", "10", "00", "01"})
            Exec(QStringLiteral("INSERT INTO CSM001 (TAXCODE, TAXAMTNAME) VALUES ('%1', 'Tax %1')")
                     .arg(QLatin1String(code)));
    }

    QStringList Codes(CColumnDataTAXCombo& column)
    {
        QStringList codes;
        for (const CRecord* row : column.Candidates())
            codes << row->value(0);
        return codes;
    }
};

TEST_F(CColumnDataTAXComboTest, OffersNoTaxFirstThenTheTaxesUpToTen)
{
    const QString noTax = GetLangString(QStringLiteral("CRDS_PR_ITEM_TAX00"));
    ASSERT_FALSE(noTax.isEmpty());
    for (int addBlank : {0, 1}) {
        CColumnDataTAXCombo column(QStringLiteral("TAXCODE_1"), QString(), 1, 0,
                                   QStringLiteral("CSM001"), QStringLiteral("TAXCODE"),
                                   QStringLiteral("TAXAMTNAME"), addBlank);
        column.SetSQliteDB(m_db.get());
        QComboBox combo;
        column.ReadCandidate(&combo);
        const QStringList expected = addBlank ? QStringList{"", "00", "01", "02", "10"}
                                              : QStringList{"00", "01", "02", "10"};
        EXPECT_EQ(Codes(column), expected);
        ASSERT_EQ(combo.count(), expected.size());
        EXPECT_EQ(combo.itemText(addBlank), noTax);
        EXPECT_EQ(combo.itemText(addBlank + 1), "Tax 01");
        // A second read (the page opened again) lists each entry once.
        column.ReadCandidate(&combo);
        EXPECT_EQ(combo.count(), expected.size());
        // The stored codes show their texts, "00" included.
        EXPECT_EQ(column.GetDescript(QStringLiteral("00")), noTax);
        EXPECT_EQ(column.GetDescript(QStringLiteral("10")), "Tax 10");
        // Choosing "00" stores "00".
        combo.setCurrentIndex(addBlank);
        QString value;
        column.GetControlValue(&combo, value);
        EXPECT_EQ(value, "00");
        column.FreeResorce();
    }
}

TEST_F(CColumnDataTAXComboTest, StoredNoTaxShowsItsTextWithoutACombo)
{
    CColumnDataTAXCombo column(QStringLiteral("TAXCODE_2"), QString(), 0, 0,
                               QStringLiteral("CSM001"), QStringLiteral("TAXCODE"),
                               QStringLiteral("TAXAMTNAME"), 1);
    column.SetSQliteDB(m_db.get());
    EXPECT_EQ(column.GetDescript(QStringLiteral("00")),
              GetLangString(QStringLiteral("CRDS_PR_ITEM_TAX00")));
    EXPECT_EQ(column.GetDescript(QString()), QString());
    EXPECT_EQ(column.GetDescript(QStringLiteral("91")), "91"); // not offered: shown as stored
}

} // namespace
