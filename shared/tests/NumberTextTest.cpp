#include "shared/controls/NumberEditRules.h"
#include "shared/controls/NumberText.h"
#include "shared/controls/TextColumns.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

NumberFormat withDecimals(int decimals)
{
    NumberFormat format = LoadNumberFormat();
    format.nDecimalDigits = quint8(decimals);
    return format;
}

TEST(NumberTextTest, FormatsAmountsWithGroupSeparators)
{
    const struct
    {
        qint64 amount;
        int decimals;
        const char* text;
    } cases[] = {
        {0, 0, "0"},
        {999, 0, "999"},
        {1234, 0, "1,234"},
        {-1234, 0, "-1,234"},
        {-123, 0, "-123"}, // no separator right after the sign
        {1234567, 0, "1,234,567"},
        {5, 2, "0.05"},
        {123456, 2, "1,234.56"},
        {-5, 2, "-0.05"},
        {-123456, 2, "-1,234.56"},
        {std::numeric_limits<qint64>::min(), 0, "-9,223,372,036,854,775,808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPriceText(c.amount, withDecimals(c.decimals)), QString::fromUtf8(c.text))
            << c.amount << " with " << c.decimals;
    EXPECT_EQ(FormatPriceText(1234), "1,234"); // the format in force
}

TEST(NumberTextTest, ParsesAmountTexts)
{
    const struct
    {
        const char* text;
        int decimals;
        qint64 amount;
    } cases[] = {
        {"1,234", 0, 1234},
        {"\\1,234", 0, 1234},
        {"-1,234", 0, -1234},
        {"12.9", 0, 12},
        {"abc", 0, 0},
        {"", 0, 0},
        {" 12", 0, 0},
        {"1,234,567", 0, 1234567},
        {"12.5", 2, 1250},
        {"12", 2, 1200},
        {"1.2x4", 2, 120},
        {".5", 2, 50},
        {"99999999999999999999", 0, std::numeric_limits<qint64>::max()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePriceText(QString::fromUtf8(c.text), withDecimals(c.decimals)), c.amount)
            << c.text << " with " << c.decimals;
    EXPECT_EQ(ParsePriceText("\\1,234"), 1234);
}

TEST(NumberTextTest, AmountTextsReadBackTheirAmount)
{
    for (int decimals : {0, 2})
        for (qint64 amount : {qint64(0), qint64(7), qint64(1234567), qint64(-98765)})
            EXPECT_EQ(ParsePriceText(FormatPriceText(amount, withDecimals(decimals)),
                                     withDecimals(decimals)),
                      amount);
}

TEST(NumberTextTest, FormatsPercentTexts)
{
    const struct
    {
        int integers;
        qint64 value;
        int decimals;
        const char* text;
    } cases[] = {
        {3, 1250, 2, "12.5"},    {3, 1200, 2, "12"},       {3, 5, 2, "0.05"},  {3, 0, 2, "0"},
        {3, 12345, 2, "123.45"}, {3, 123456, 2, "123.45"}, {3, 100, 0, "100"}, {3, 0, 0, "0"},
        {2, 1000, 1, "10"}, // too many digits: the leading ones stay
        {3, -1250, 2, "-12.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPercentText(c.integers, c.value, c.decimals), QString::fromUtf8(c.text))
            << c.value << " as " << c.integers << "/" << c.decimals;
}

TEST(NumberTextTest, ParsesPercentTexts)
{
    const struct
    {
        const char* text;
        int integers;
        int decimals;
        qint64 value;
    } cases[] = {
        {"12.5", 3, 2, 1250}, {"12.50", 3, 2, 1250},    {"12.505", 3, 2, -1},
        {"1234", 3, 2, -1},   {".5", 3, 2, 50},         {"007", 3, 2, 700},
        {"", 3, 2, 0},        {"123.45", 3, 2, 12345},  {"12.", 3, 0, 12},
        {"7", 3, 0, 7},       {"0012.500", 3, 2, 1250},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePercentText(QString::fromUtf8(c.text), c.integers, c.decimals), c.value)
            << c.text << " as " << c.integers << "/" << c.decimals;
}

TEST(NumberTextTest, PercentTextColumns)
{
    EXPECT_EQ(GetPercentTextColumns(3, 2), 6);
    EXPECT_EQ(GetPercentTextColumns(3, 0), 3);
}

TEST(NumberTextTest, FiltersKeepOnlyNumberCharacters)
{
    const struct
    {
        bool (*filter)(QString&);
        const char* text;
        const char* kept;
    } cases[] = {
        {DeleteNonNumber, "1a2-3.4", "1234"},      {DeleteNonNumber, "", ""},
        {DeleteNonMinusNumber, "-1-2", "-12"},     {DeleteNonMinusNumber, "1-2", "12"},
        {DeleteNonMinusNumber, "a-1", "-1"},       {DeleteNonMinusNumber, "--1", "-1"},
        {DeleteNonDecimalNumber, "1.2.3", "1.23"}, {DeleteNonDecimalNumber, "x.5%", ".5"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.text);
        const bool removed = c.filter(text);
        EXPECT_EQ(text, QString::fromUtf8(c.kept)) << c.text;
        EXPECT_EQ(removed, qstrlen(c.text) != qstrlen(c.kept)) << c.text;
    }
}

TEST(NumberTextTest, FiltersWorkBeyondOldBufferSizes)
{
    QString text = QString(3000, u'7') + u'x';
    EXPECT_TRUE(DeleteNonNumber(text));
    EXPECT_EQ(text, QString(3000, u'7'));
}

TEST(NumberTextTest, CountsDisplayColumns)
{
    const struct
    {
        const char* text;
        int columns;
    } cases[] = {
        {"", 0},
        {"ab漢字", 6},
        {"ｱｲｳ", 3},  // half-width katakana
        {"アイ", 4}, // katakana
        {"ぁ", 2},   // hiragana
        {"ＡＢ", 4}, // full-width forms
        {"　", 2},   // ideographic space
        {"é€", 2},
        {"\xF0\xA0\x80\x8B", 2},         // an ideograph outside the basic plane counts once
        {"\xF0\x9F\x98\x80", 2},         // a wide emoji
        {"\xF0\x9D\x90\x80", 1},         // a narrow letter outside the basic plane
        {"\xE1\x84\x80\xE1\x85\xA0", 3}, // Hangul lead (wide) then a vowel (narrow)
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetColumnCountOfUnicode(QString::fromUtf8(c.text)), c.columns) << c.text;
}

TEST(NumberTextTest, PercentTypingRules)
{
    // Text, selection, typed character, digits 3/2: accepted?
    const struct
    {
        const char* text;
        int selStart;
        int selEnd;
        char ch;
        bool accepted;
    } cases[] = {
        {"", 0, 0, '1', true},      {"12", 2, 2, '.', true},
        {"123", 0, 0, '4', false},                               // the integer part is full
        {"123", 0, 1, '4', true},                                // replacing one of its digits
        {"12.5", 4, 4, '5', true},  {"12.55", 5, 5, '6', false}, // a third decimal
        {"12.50", 4, 4, '3', true},                              // trailing zeros give way
        {"12.5", 4, 4, '.', false}, {"12.5", 0, 0, '.', false},
        {"12.5", 2, 2, '3', true},  {"123.5", 0, 0, '4', false},
        {"012.5", 1, 1, '4', true}, // leading zeros do not count
        {"12.5", 1, 3, '.', true},  // the selection covers the point
        {"12.5", 1, 3, '7', true},  {"12", 2, 2, 'a', false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            PercentCharAccepted(QString::fromUtf8(c.text), c.selStart, c.selEnd, QChar(c.ch), 3, 2),
            c.accepted)
            << c.text << " [" << c.selStart << "," << c.selEnd << ") " << c.ch;
}

TEST(NumberTextTest, PercentTextsAreTidiedAfterChanges)
{
    const struct
    {
        const char* text;
        int integers;
        int decimals;
        const char* tidy;
    } cases[] = {
        {"12345", 3, 2, "123.45"},
        {"12.345", 3, 2, "12.34"},
        {"1234.5", 3, 2, "123.45"},
        {"12.", 3, 0, "12."},
        {"", 3, 2, ""},
        {"12.5", 3, 2, "12.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizePercentText(QString::fromUtf8(c.text), c.integers, c.decimals),
                  QString::fromUtf8(c.tidy))
            << c.text;
}

TEST(NumberTextTest, SignedTypingRules)
{
    EXPECT_TRUE(MinusCharAccepted("", 0, 0));
    EXPECT_TRUE(MinusCharAccepted("12", 0, 0));
    EXPECT_FALSE(MinusCharAccepted("12", 1, 1));
    EXPECT_FALSE(MinusCharAccepted("-12", 0, 0));
    EXPECT_TRUE(MinusCharAccepted("-12", 0, 1));
    EXPECT_EQ(RemoveInnerMinus("1-2-"), "12");
    EXPECT_EQ(RemoveInnerMinus("-1-2"), "-12");
}

TEST(NumberTextTest, ZeroFillWorksOnTheText)
{
    const struct
    {
        const char* text;
        int digits;
        const char* filled;
    } cases[] = {
        {"12", 4, "0012"},
        {"12345", 4, "12345"},
        {"1234", 4, "1234"},
        {"", 4, "0000"},
        {"0", 4, "0000"},
        {"12", 0, "12"},
        {"12a", 4, "0012"},
        {"-12", 5, "-0012"},
        // Beyond 32 bits: every digit stays.
        {"9876543210123", 16, "0009876543210123"},
        {"123456789012345", 16, "0123456789012345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZeroFillText(QString::fromUtf8(c.text), c.digits), QString::fromUtf8(c.filled))
            << c.text << " to " << c.digits;
}

} // namespace
