#include "shared/lang/FormatLangText.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Case
{
    const char* format;
    QString expected;
    QString actual;
};

TEST(FormatLangText, FormatsLikePrintfForTheSupportedPlaceholders)
{
    const Case cases[] = {
        {"Save failed (%d).", "Save failed (-52).", FormatLangText("Save failed (%d).", -52)},
        {"%u", "4294967295", FormatLangText("%u", -1)},
        {"%x", "ffffffff", FormatLangText("%x", -1)},
        {"%08X", "E0000001", FormatLangText("%08X", 0xE0000001u)},
        {"0x%08X", "0x0000002A", FormatLangText("0x%08X", 42)},
        {"%#x", "0x2a", FormatLangText("%#x", 42)},
        {"%ld", "-9000000000", FormatLangText("%ld", -9000000000L)},
        {"%lu", "18446744073709551615", FormatLangText("%lu", ULONG_MAX)},
        {"%lld", "123456789012", FormatLangText("%lld", 123456789012LL)},
        {"%I64d", "7", FormatLangText("%I64d", 7LL)},
        {"%5d|%-5d|%05d", "   42|42   |00042", FormatLangText("%5d|%-5d|%05d", 42, 42, 42)},
        {"%+d % d", "+3  3", FormatLangText("%+d % d", 3, 3)},
        {"%.3d", "007", FormatLangText("%.3d", 7)},
        {"%05d", "-0042", FormatLangText("%05d", -42)},
        {"%d of INT_MIN", "-2147483648 of INT_MIN", FormatLangText("%d of INT_MIN", INT_MIN)},
        {"%s and %s", "a and b", FormatLangText("%s and %s", "a", QStringLiteral("b"))},
        {"%-4s|%4s|%.2s", "ab  |  ab|ab", FormatLangText("%-4s|%4s|%.2s", "ab", "ab", "abc")},
        {"100%% %d", "100% 5", FormatLangText("100%% %d", 5)},
        {"%c", "Z", FormatLangText("%c", int('Z'))},
        {"%hs%ls%S", "xyz", FormatLangText("%hs%ls%S", "x", "y", "z")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.format;
}

TEST(FormatLangText, WrongPlaceholdersNeverCrashAndLoseNoText)
{
    const Case cases[] = {
        // A text given to a number and a number to a text: shown as they are.
        {"%d", "abc", FormatLangText("%d", "abc")},
        {"%s", "-7", FormatLangText("%s", -7)},
        // Placeholders without arguments stay; surplus arguments are dropped.
        {"%s %d %s", "a %d %s", FormatLangText("%s %d %s", "a")},
        {"no placeholder", "no placeholder", FormatLangText("no placeholder", 1, "x")},
        // Dangerous or unsupported conversions are copied, never executed.
        {"%n%p%f", "%n%p%f", FormatLangText("%n%p%f", 1, 2, 3)},
        {"%*d", "%*d", FormatLangText("%*d", 5)},
        {"end %", "end %", FormatLangText("end %", 1)},
        {"end %08", "end %08", FormatLangText("end %08", 1)},
        // An absurd width is a broken text, not a reason to allocate gigabytes.
        {"%999999999d", "%999999999d", FormatLangText("%999999999d", 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.format;
}

TEST(FormatLangText, ListsPlaceholdersForTheKeyCheck)
{
    EXPECT_EQ(LangTextPlaceholders("a %d b %08X c %% d %-3s"), (QStringList{"d", "X", "s"}));
    EXPECT_EQ(LangTextPlaceholders("%n and %"), (QStringList{"?%n", "?%"}));
    EXPECT_TRUE(LangTextPlaceholders("100%%").isEmpty());
}

} // namespace
