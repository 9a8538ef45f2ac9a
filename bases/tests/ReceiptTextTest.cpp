// The print columns of the receipt previews: which characters are wide, how a
// line is aligned and advanced, and how a message is wrapped into lines.
#include "bases/ReceiptText.h"
#include "bases/RewrapMessage.h"

#include <gtest/gtest.h>

using namespace dunmarel;

namespace {

QString Repeat(const QString& piece, int times)
{
    return piece.repeated(times);
}

} // namespace

TEST(ReceiptText, FullWidthCharactersAreThoseTheJapanesePrinterPrintsWide)
{
    const struct
    {
        char32_t ch;
        bool full;
    } cases[] = {
        {U'A', false},      {U'\u00E9', false},    {U'\\', false},
        {U'\u00B0', false}, // A below U+0370
        {U'\u0301', false}, // combining
        {U'\u3042', true},  {U'\uFFE5', true},     {U'\u2500', true},
        {U'\u250C', true},  {U'\u203B', true},     {U'\u03B1', true},
        {U'\u0416', true},  {U'\U0001F600', true}, {U'\uFF71', false}, // half-width katakana
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFullWidthChar(c.ch), c.full) << std::hex << uint(c.ch);
    // An emoji is one character of two UTF-16 halves.
    EXPECT_EQ(PrintColumnsOf(QString::fromUcs4(U"\U0001F600A")), 3);
}

TEST(ReceiptText, LinesAlignInTheirColumns)
{
    const QString full16 = Repeat(QStringLiteral("\u3042"), 16);
    const QString full17 = Repeat(QStringLiteral("\u3042"), 17);
    const struct
    {
        QString text;
        int doubleWidth;
        int align;
        int leading;
    } cases[] = {
        {Repeat(QStringLiteral("x"), 32), 0, 0, 0}, // fills a 58 mm line
        {full17, 0, 0, 0},                          // too long: unchanged
        {full16, 0, 1, 0},
        {QStringLiteral("AB"), 1, 1, 7}, // 16 double-width columns
        {QStringLiteral("AB"), 0, 0, 30},
        {QStringLiteral("AB"), 0, 1, 15},
        {QStringLiteral("AB"), 0, 2, 0},
        {QStringLiteral("\u3042"), 1, 0, 14},
    };
    for (const auto& c : cases) {
        const QString aligned = AlignLine(c.text, 32, c.doubleWidth, c.align);
        EXPECT_EQ(aligned, QString(c.leading, u' ') + c.text) << c.text.toStdString();
    }
    EXPECT_EQ(PrintColumnsOf(full17), 34);
    EXPECT_EQ(CharAdvance(false, 0), 12);
    EXPECT_EQ(CharAdvance(true, 0), 24);
    EXPECT_EQ(CharAdvance(false, 1), 24);
    EXPECT_EQ(CharAdvance(true, 1), 48);
}

TEST(ReceiptText, MessagesWrapAsTheRegisterPrintsThem)
{
    const QString forty = Repeat(QStringLiteral("a"), 40);
    const QString full = QStringLiteral("\u3042");
    const struct
    {
        const char* name;
        QString text;
        int columns;
        int newline;
        int doubleWidth;
        QStringList lines;
    } cases[] = {
        {"cut at 32", forty, 32, 0, 0, {forty.left(32)}},
        {"goes on", forty, 32, 1, 0, {forty.left(32), forty.mid(32)}},
        {"double width wraps at 20",
         forty + QStringLiteral("b"),
         40,
         1,
         1,
         {forty.left(20), forty.left(20), QStringLiteral("b")}},
        {"break then end, newline 1",
         QStringLiteral("ABC\r\n"),
         32,
         1,
         0,
         {QStringLiteral("ABC"), QString()}},
        {"break then end, newline 0", QStringLiteral("ABC\r\n"), 32, 0, 0, {QStringLiteral("ABC")}},
        {"each typed line cut",
         forty + QStringLiteral("\r\nxy"),
         32,
         0,
         0,
         {forty.left(32), QStringLiteral("xy")}},
        {"wide after 31",
         Repeat(QStringLiteral("a"), 31) + full,
         32,
         1,
         0,
         {Repeat(QStringLiteral("a"), 31), full}},
        {"wide dropped after 31",
         Repeat(QStringLiteral("a"), 31) + full,
         32,
         0,
         0,
         {Repeat(QStringLiteral("a"), 31)}},
        {"empty lines kept",
         QStringLiteral("\r\n\r\nA"),
         32,
         0,
         0,
         {QString(), QString(), QStringLiteral("A")}},
        {"empty", QString(), 32, 1, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RewrapMessage(c.text, c.columns, c.newline, c.doubleWidth), c.lines) << c.name;
}
