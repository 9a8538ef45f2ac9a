#include "goods/CColumnDataNum.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using brelkin::CColumnDataNum;

namespace {

CSQTableInfoArray Numeric(int size, int scale)
{
    CSQTableInfo info;
    info.m_strName = QStringLiteral("N");
    info.m_nType = SQLTYPE_NUMERIC;
    info.m_nSize = size;
    info.m_nScale = scale;
    return {info};
}

struct NumCase
{
    int limit, size, decimals;
    const char* text;
    bool ok;
};

void PrintTo(const NumCase& c, std::ostream* os)
{
    *os << "\"" << c.text << "\" in " << c.limit << " characters, " << c.size << " digits, "
        << c.decimals << " decimals";
}

const NumCase kCases[] = {
    {7, 6, 2, "", true},        {7, 6, 2, "0.5", true},    {7, 6, 2, ".55", true},
    {7, 6, 2, "1234.56", true}, {7, 6, 2, "1234", true},   {7, 6, 2, "12345", false},
    {7, 6, 2, "1.234", false},  {7, 6, 2, "1.2.3", false}, {7, 6, 2, "123456", false},
    {7, 6, 2, ".", false},      {7, 6, 2, "1.2.", false},  {7, 6, 2, "-1", false},
    {7, 6, 2, "1,5", false},    {6, 5, 3, "12.345", true}, {6, 5, 3, "123", false},
    {2, 2, 0, "12", true},      {2, 2, 0, "1.5", false},   {2, 2, 0, "-1", false},
    {2, 2, 0, "", true},
};

class CColumnDataNumTest : public testing::TestWithParam<NumCase>
{
};

TEST_P(CColumnDataNumTest, ChecksTheTextOfItsEdit)
{
    const NumCase& c = GetParam();
    CColumnDataNum column(QStringLiteral("N"), QString(), 1, 0, c.limit, c.size, c.decimals);
    // The table's own size must not matter once the column overrides it.
    const CSQTableInfoArray info = Numeric(10, 4);
    ASSERT_EQ(column.SetFieldInfo(&info), COLUMNINFO_OK);
    EXPECT_EQ(column.CheckNumberText(QString::fromLatin1(c.text)), c.ok) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, CColumnDataNumTest, testing::ValuesIn(kCases));

TEST(CColumnDataNum, ShortConstructorOnAWholeNumberColumnTakesDigitsOnly)
{
    CColumnDataNum column(QStringLiteral("N"), QString(), 1, 0);
    const CSQTableInfoArray info = Numeric(2, 0);
    ASSERT_EQ(column.SetFieldInfo(&info), COLUMNINFO_OK);
    EXPECT_EQ(column.m_nEditLimit, 0);
    EXPECT_EQ(column.m_nOverrideSize, 0);
    for (const char* good : {"", "0", "12", "0012345"})
        EXPECT_TRUE(column.CheckNumberText(QLatin1String(good))) << good;
    for (const char* bad : {"1.5", ".", "-1", "1a", " 1"})
        EXPECT_FALSE(column.CheckNumberText(QLatin1String(bad))) << bad;
}

} // namespace
