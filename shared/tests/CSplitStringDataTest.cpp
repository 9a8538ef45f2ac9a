#include "shared/data/CSplitStringData.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* name;
    QString text;
    QString delimiter;
    QStringList fields;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.name;
}

class CSplitStringDataCases : public testing::TestWithParam<SplitCase>
{
};

} // namespace

TEST_P(CSplitStringDataCases, Splits)
{
    const SplitCase& c = GetParam();
    const QString before = c.text;
    CSplitStringData split(c.text, c.delimiter);
    EXPECT_EQ(split.GetStringArray(), c.fields);
    EXPECT_EQ(split.GetValueCount(), c.fields.size());
    EXPECT_EQ(c.text, before);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CSplitStringDataCases,
    testing::Values(SplitCase{"Three", "a,b,c", ",", {"a", "b", "c"}},
                    SplitCase{"EmptyBetween", "a,,c", ",", {"a", "", "c"}},
                    SplitCase{"LeadingDelimiter", ",a", ",", {"", "a"}},
                    SplitCase{"TrailingDelimiterAddsNothing", "a,b,", ",", {"a", "b"}},
                    SplitCase{"Empty", "", ",", {}}, SplitCase{"OnlyLineFeed", "\n", ",", {}},
                    SplitCase{"FirstCharacterOfDelimiter", "a;b,c", ";,", {"a", "b,c"}},
                    SplitCase{"NoDelimiter", "a,b", "", {"a,b"}},
                    SplitCase{"QuotedDelimiter", "\"a,b\",c", ",", {"a,b", "c"}},
                    SplitCase{"DoubledQuote", "\"say \"\"hi\"\"\",x", ",", {"say \"hi\"", "x"}},
                    SplitCase{"EmptyQuoted", "\"\",x", ",", {"", "x"}},
                    SplitCase{"QuotedAtEnd", "x,\"y\"", ",", {"x", "y"}},
                    SplitCase{"UnclosedQuoteRunsToEnd", "\"a,b", ",", {"a,b"}},
                    SplitCase{"LoneQuoteKept", "\"a\"b\",c", ",", {"a\"b", "c"}},
                    SplitCase{"QuoteInsideUnquoted", "a\"b,c", ",", {"a\"b", "c"}},
                    // A value ending in a quote, written with doubled quotes, before
                    // the next field: the field ends at the closing quote.
                    SplitCase{"DoubledQuoteBeforeClosing", "\"a\"\"\",x", ",", {"a\"", "x"}},
                    SplitCase{
                        "QuotedValueBeginningWithQuote", "\"\"\"a\"\"\",x", ",", {"\"a\"", "x"}},
                    SplitCase{"TabAndLineFeed", "1\t2\t3\n", "\t", {"1", "2", "3"}},
                    SplitCase{"CarriageReturnStays", "1\t2\r\n", "\t", {"1", "2\r"}},
                    SplitCase{"OnlyOneLineFeedDropped", "1\t2\n\n", "\t", {"1", "2\n"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(CSplitStringData, LongTextSplitsWhole)
{
    const QString first(5000, QLatin1Char('x'));
    const QString quoted(5000, QLatin1Char('y'));
    CSplitStringData split(first + "\t\"" + quoted + "\"\tz\n", QStringLiteral("\t"));
    EXPECT_EQ(split.GetStringArray(), (QStringList{first, quoted, "z"}));
}
