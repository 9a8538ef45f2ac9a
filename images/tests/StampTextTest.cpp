// Stamp texts: wrapping, the profile's escapes and where the text lands.
#include "images/StampText.h"
#include "images/tests/PellarkDbFixture.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace pellark;

QString Repeat(char c, int n)
{
    return QString(n, QLatin1Char(c));
}

TEST(StampTextTest, WrapCutsLongLines)
{
    const QString crlf = QStringLiteral("\r\n");
    const struct
    {
        QString in;
        QString out;
    } cases[] = {
        {QString(), QString()},
        {Repeat('a', 39), Repeat('a', 39)},
        {Repeat('a', 40), Repeat('a', 40)},
        {Repeat('a', 85), Repeat('a', 40) + crlf + Repeat('a', 40) + crlf + Repeat('a', 5)},
        {QStringLiteral("shop") + crlf + QStringLiteral("street"),
         QStringLiteral("shop") + crlf + QStringLiteral("street")},
        // A middle line is cut like the last; its last piece keeps its break.
        {Repeat('b', 45) + crlf + QStringLiteral("x"),
         Repeat('b', 40) + crlf + Repeat('b', 5) + crlf + QStringLiteral("x")},
        {Repeat('c', 80) + crlf, Repeat('c', 40) + crlf + Repeat('c', 40) + crlf},
        {crlf + crlf, crlf + crlf},
        // A lone LF is no line break of the register's.
        {Repeat('d', 20) + QStringLiteral("\n") + Repeat('d', 20),
         Repeat('d', 20) + QStringLiteral("\n") + Repeat('d', 19) + crlf + QStringLiteral("d")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapStampText(c.in, kStampLineLength), c.out) << c.in.toStdString();
}

TEST(StampTextTest, ProfileEscapesRoundTrip)
{
    const struct
    {
        QString text;
        QString escaped;
    } cases[] = {
        {QStringLiteral("plain"), QStringLiteral("plain")},
        {QStringLiteral("a\\b\r\nc"), QStringLiteral("a\\\\b\\r\\nc")},
        {QStringLiteral("\\r"), QStringLiteral("\\\\r")},
        {QStringLiteral("end\\"), QStringLiteral("end\\\\")},
        {QStringLiteral("\n\r"), QStringLiteral("\\n\\r")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeText(c.text), c.escaped);
        EXPECT_FALSE(EscapeText(c.text).contains(QLatin1Char('\n')));
        EXPECT_FALSE(EscapeText(c.text).contains(QLatin1Char('\r')));
        EXPECT_EQ(UnescapeText(c.escaped), c.text);
    }
    // A backslash before anything else stays, as does one at the end.
    EXPECT_EQ(UnescapeText(QStringLiteral("\\x\\")), QStringLiteral("\\x\\"));
}

QImage White(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::white);
    return image;
}

TEST(StampTextTest, DrawnTextIsBlackAndWhiteAndPlacedByItsOffset)
{
    const QFont font = StampFont(QStringLiteral("DejaVu Sans Mono"), -24, 0, false);
    const QString text = QStringLiteral("SHOP\r\nTOWN STREET 1");
    QImage atZero = White(576, 168);
    DrawStampText(atZero, font, StampAlignRight, text, kStampLineLength, 0, 0, QRect());
    QImage moved = White(576, 168);
    DrawStampText(moved, font, StampAlignRight, text, kStampLineLength, -20, 0, QRect());
    const auto [zeroFirst, zeroLast] = InkColumns(atZero);
    ASSERT_GE(zeroFirst, 0);
    EXPECT_EQ(InkColumns(moved).second, zeroLast - 20);
    // Every pixel is a printer dot: black or white, nothing between.
    for (int y = 0; y < moved.height(); ++y)
        for (int x = 0; x < moved.width(); ++x) {
            const QRgb pixel = moved.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFF) << x << "," << y;
        }

    // With an area the block centres within it.
    QImage narrow = White(576, 168);
    DrawStampText(narrow, font, StampAlignCenter, QStringLiteral("ABCDEF"), kStampLineLength, 0, 0,
                  QRect(0, 60, 384, 108));
    const auto [first, last] = InkColumns(narrow);
    ASSERT_GE(first, 0);
    EXPECT_LT(last, 384);
    EXPECT_NEAR((first + last) / 2.0, 192, 8);
    EXPECT_EQ(InkColumns(narrow, 0, 69).first, -1);
}

TEST(StampTextTest, TheTextAreaKeepsOffTheTemplate)
{
    // A 100 x 40 frame at (10, 0): a 1-dot line around a white inside.
    QImage stamp = White(200, 100);
    QPainter(&stamp).drawRect(10, 0, 99, 39);
    const QRect frame(10, 0, 100, 40);
    const QRect page(0, 0, 200, 100);
    const struct
    {
        QRect placed;
        QSize block;
        QRect area;
    } cases[] = {
        {frame, {60, 20}, QRect(11, 1, 98, 38)},                 // fits inside
        {frame, {120, 20}, QRect(0, 40, 200, 60)},               // too wide: below
        {frame, {60, 80}, QRect(0, 40, 200, 80)},                // higher than the room below
        {QRect(0, 0, 200, 10), {60, 20}, QRect(0, 10, 200, 90)}, // no free area
        {QRect(300, 0, 20, 20), {60, 20}, page},                 // nothing of it on the stamp
    };
    for (const auto& c : cases)
        EXPECT_EQ(StampTextArea(stamp, c.placed, page, c.block), c.area)
            << c.placed.x() << "," << c.placed.width() << " " << c.block.width();

    // Corner marks that reach into the inside take only their own room.
    QImage marked = White(200, 100);
    {
        QPainter painter(&marked);
        painter.drawRect(10, 0, 99, 39);
        for (const QPoint corner : {QPoint(10, 0), QPoint(98, 0), QPoint(10, 28), QPoint(98, 28)})
            painter.fillRect(QRect(corner, QSize(12, 12)), Qt::black);
    }
    EXPECT_EQ(StampTextArea(marked, frame, page, {60, 20}), QRect(11, 1, 98, 38));
    EXPECT_EQ(StampTextArea(marked, frame, page, {60, 30}), QRect(11, 1, 98, 38));
    // A block that would touch a mark goes below.
    EXPECT_EQ(StampTextArea(marked, frame, page, {90, 20}), QRect(0, 40, 200, 60));
}

TEST(StampTextTest, DrawingTellsWhetherTheTextKeptAllItsDots)
{
    const QFont font = StampFont(QStringLiteral("DejaVu Sans Mono"), -24, 0, false);
    const QString line = QStringLiteral("SHOP");
    const struct
    {
        const char* name;
        QString text;
        int dx, dy;
        QRect area, room;
        bool whole;
    } cases[] = {
        {"centred", line, 0, 0, QRect(), QRect(), true},
        {"no text", QString(), 0, 0, QRect(), QRect(), true},
        {"past the bottom edge", line, 0, 100, QRect(), QRect(), false},
        {"past the left edge", line, -280, 0, QRect(), QRect(), false},
        {"lines below the room", line + QStringLiteral("\r\n1\r\n2\r\n3\r\n4\r\n5"), 0, 0,
         QRect(0, 120, 576, 48), QRect(), false},
        {"beyond 384 dots", QString(40, u'W'), 0, 0, QRect(0, 0, 384, 168), QRect(0, 0, 384, 168),
         false},
        {"within 384 dots", line, 0, 0, QRect(0, 0, 384, 168), QRect(0, 0, 384, 168), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = White(576, 168);
        EXPECT_EQ(DrawStampText(image, font, StampAlignCenter, c.text, kStampLineLength, c.dx, c.dy,
                                c.area, c.room),
                  c.whole);
    }
}

TEST(StampTextTest, FontHeightFollowsTheProfileValue)
{
    EXPECT_EQ(StampFont(QStringLiteral("Sans"), -30, 0, false).pixelSize(), 30);
    EXPECT_EQ(StampFontHeight(StampFont(QStringLiteral("Sans"), -30, 700, true)), -30);
    const QFont zero = StampFont(QStringLiteral("Sans"), 0, 0, false);
    EXPECT_GT(zero.pixelSize(), 0);
    EXPECT_EQ(StampFont(QStringLiteral("Sans"), 0, 700, true).weight(), QFont::Bold);
    EXPECT_TRUE(StampFont(QStringLiteral("Sans"), 0, 700, true).italic());
}

} // namespace
