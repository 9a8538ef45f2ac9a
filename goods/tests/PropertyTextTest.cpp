// Settings packed into an item parameter's "PROPERTY" text.
#include "goods/PropertyText.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using namespace brelkin;

namespace {

TEST(PropertyText, ReadsThePositionsOfItsSetCode)
{
    const struct
    {
        const char* text;
        const char* setCode;
        const char* value;
    } cases[] = {
        {"12345678", "PROPERTY:3,4", "34"}, {"12345678", "PROPERTY:1,1", "1"},
        {"12", "PROPERTY:3,4", ""},         {"123", "PROPERTY:3,4", "3"},
        {"12345678", "PROPERTY:0,5", ""},   {"12345678", "PROPERTY:4,3", ""},
        {"12345678", "PROPERTY:79,81", ""}, {"12345678", "SETTING:3,4", ""},
        {"12345678", "PROPERTY:3", ""},     {"12345678", "PROPERTY:a,4", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPropertyValue(c.text, c.setCode, 80), c.value) << c.setCode << " " << c.text;
}

TEST(PropertyText, WritesOnlyAValueOfTheRangesLength)
{
    const struct
    {
        const char* text;
        const char* setCode;
        const char* value;
        const char* result;
    } cases[] = {
        {"12345678", "PROPERTY:3,4", "AB", "12AB5678"},
        {"12345678", "PROPERTY:3,4", "A", "12345678"},   // wrong length
        {"12345678", "PROPERTY:3,4", "ABC", "12345678"}, // wrong length
        {"", "PROPERTY:3,4", "AB", "00AB"},              // padded up to the range
        {"1", "PROPERTY:5,5", "X", "1000X"},             //
        {"123", "PROPERTY:3,4", "AB", "12AB"},           // cut short
        {"12345678", "PROPERTY:0,5", "ABCDEF", "12345678"},
        {"12345678", "PROPERTY:4,3", "", "12345678"},
        {"12345678", "PROPERTY:80,81", "AB", "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetPropertyValue(c.text, c.setCode, c.value, 80), c.result)
            << c.setCode << " " << c.text << " " << c.value;
}

} // namespace
