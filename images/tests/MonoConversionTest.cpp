// The three conversions into black and white, at zoom 100 unless a case
// scales.
#include "images/CImgCanvas.h"
#include "images/MonoConversion.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace pellark;

QImage Filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

int WhiteCount(const QImage& image, const QRect& area)
{
    int white = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            white += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    return white;
}

// "B"/"W" per pixel, rows joined by "|".
QString Bits(const QImage& image, const QRect& area)
{
    QStringList rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QString row;
        for (int x = area.left(); x <= area.right(); ++x)
            row += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? u'W' : u'B';
        rows << row;
    }
    return rows.join(u'|');
}

TEST(MonoConversionTest, NearestColourThreshold)
{
    struct Case
    {
        QRgb colour;
        bool white;
    };
    for (const Case& c : {Case{qRgb(127, 128, 128), true}, Case{qRgb(127, 127, 128), false},
                          Case{qRgb(1, 1, 1), false}, Case{qRgb(255, 255, 255), true},
                          Case{qRgb(255, 127, 0), false}, Case{qRgb(255, 128, 0), true}}) {
        const QImage out =
            ConvertMono(Filled(3, 2, c.colour), QRect(0, 0, 3, 2), QRect(0, 0, 3, 2));
        EXPECT_EQ(WhiteCount(out, out.rect()), c.white ? 6 : 0) << std::hex << c.colour;
    }
}

TEST(MonoConversionTest, DiffusionOfFlatAreas)
{
    const QRect all(0, 0, 64, 64);
    const int grey = WhiteCount(ConvertGrey(Filled(64, 64, qRgb(128, 128, 128)), all, all), all);
    EXPECT_GE(grey, 64 * 64 * 49 / 100);
    EXPECT_LE(grey, 64 * 64 * 53 / 100);
    EXPECT_EQ(WhiteCount(ConvertGrey(Filled(64, 64, qRgb(254, 254, 254)), all, all), all), 64 * 64);
    EXPECT_EQ(WhiteCount(ConvertGrey(Filled(64, 64, qRgb(255, 255, 255)), all, all), all), 64 * 64);
    EXPECT_EQ(WhiteCount(ConvertGrey(Filled(64, 64, qRgb(0, 0, 0)), all, all), all), 0);
}

QImage Ramp()
{
    // Top row 0, 64, 128, 192; bottom row 64, 128, 192, 255.
    QImage ramp(4, 2, QImage::Format_RGB888);
    const int levels[2][4] = {{0, 64, 128, 192}, {64, 128, 192, 255}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            ramp.setPixel(x, y, qRgb(levels[y][x], levels[y][x], levels[y][x]));
    return ramp;
}

TEST(MonoConversionTest, DiffusionOfARampWorkedByHand)
{
    // Bottom row first: 0.2543 B; 0.5086 + 0.1113 B; 0.7629 + 0.2712 W;
    // 1.0132 + 0.0149 W. Top row: 0 + 0.1957 B; 0.2543 + 0.3016 B;
    // 0.5086 + 0.2979 B; 0.7629 + 0.3638 W.
    const QImage out = ConvertGrey(Ramp(), QRect(0, 0, 4, 2), QRect(0, 0, 4, 2));
    EXPECT_EQ(Bits(out, QRect(0, 0, 4, 2)), "BBBW|BBWW");
}

TEST(MonoConversionTest, GreyMarginLeftFeedsThePictureAndAboveDoesNot)
{
    const QImage picture = Filled(16, 8, qRgb(100, 100, 100));
    const QRect source(0, 0, 16, 8);
    const QString atOrigin = Bits(ConvertGrey(picture, source, QRect(0, 0, 16, 8)), source);
    const QImage right = ConvertGrey(picture, source, QRect(5, 0, 16, 8));
    EXPECT_EQ(right.size(), QSize(21, 8));
    EXPECT_NE(Bits(right, QRect(5, 0, 16, 8)), atOrigin);
    const QImage lower = ConvertGrey(picture, source, QRect(0, 5, 16, 8));
    EXPECT_EQ(Bits(lower, QRect(0, 5, 16, 8)), atOrigin);
}

TEST(MonoConversionTest, OneBitSourceKeepsBlackWhenShrinking)
{
    // One black pixel in every 2 x 2 block survives halving; enlarging
    // repeats pixels.
    QImage picture = Filled(4, 4, qRgb(255, 255, 255));
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    const QImage half = ConvertOneBit(picture, QRect(0, 0, 4, 4), QRect(0, 0, 2, 2));
    EXPECT_EQ(Bits(half, QRect(0, 0, 2, 2)), "BW|WW");
    const QImage twice = ConvertOneBit(picture, QRect(0, 0, 2, 2), QRect(0, 0, 4, 4));
    EXPECT_EQ(Bits(twice, QRect(0, 0, 4, 4)), "WWWW|WWWW|WWBB|WWBB");
}

TEST(MonoConversionTest, PictureHalfOutsideKeepsItsVisiblePart)
{
    CImgCanvas picture;
    ASSERT_TRUE(picture.Create(8, 6));
    // Only the bottom-right quarter black.
    QPainter(&picture.Image()).fillRect(4, 3, 4, 3, Qt::black);
    for (int mode : {int(CImgCanvas::ConvertNearest), int(CImgCanvas::ConvertDiffuse)}) {
        picture.SetConvertMode(mode);
        CImgCanvas output;
        ASSERT_TRUE(
            picture.RenderInto(output, QSize(8, 6), QRect(-4, -3, 8, 6), QRect(0, 0, 8, 6)));
        EXPECT_EQ(Bits(output.Image(), QRect(0, 0, 8, 6)),
                  "BBBBWWWW|BBBBWWWW|BBBBWWWW|WWWWWWWW|WWWWWWWW|WWWWWWWW")
            << mode;
    }
}

TEST(MonoConversionTest, EmptyRectanglesConvertNothing)
{
    const QImage picture = Filled(4, 4, qRgb(0, 0, 0));
    EXPECT_TRUE(ConvertMono(picture, QRect(), QRect(0, 0, 4, 4)).isNull());
    EXPECT_TRUE(ConvertGrey(picture, QRect(0, 0, 4, 4), QRect()).isNull());
    EXPECT_TRUE(ConvertOneBit(QImage(), QRect(0, 0, 4, 4), QRect(0, 0, 4, 4)).isNull());
    CImgCanvas empty;
    CImgCanvas output;
    EXPECT_FALSE(empty.RenderInto(output, QSize(4, 4), QRect(0, 0, 4, 4), QRect(0, 0, 4, 4)));
}

} // namespace
