// The formal-receipt canvases: the vertical one's picture at the top and its
// fourth size, the horizontal one's paper, cells, pictures laid by AND and
// underlines, by pixels.
#include "bases/CRyoushuuCanvas.h"
#include "bases/CYokoRyoushuCanvas.h"
#include "bases/StampPicture.h"

#include "bases/tests/CanvasTestSupport.h"

using namespace dunmarel;

TEST_F(CanvasTest, FormalReceiptVerticalPictureStaysAtTheTopAndTheTitleIsTall)
{
    CRyoushuuCanvas canvas;
    canvas.SetGeometry(CanvasGeometry::Paper80mm());
    ASSERT_TRUE(canvas.Create(40));
    QImage seal(20, 20, QImage::Format_RGB32);
    seal.fill(Qt::black);
    canvas.DrawImageAtTop(seal);
    EXPECT_EQ(canvas.Image().pixel(16, 30), kBlack);
    EXPECT_EQ(canvas.Image().pixel(35, 49), kBlack);
    EXPECT_EQ(canvas.Image().pixel(36, 50), kWhite);
    // Size 3 draws 40 pixels high; the receipt canvas takes it as normal size.
    CReceipt80Canvas receipt;
    ASSERT_TRUE(receipt.Create(40));
    ASSERT_TRUE(canvas.DrawText(10, QStringLiteral("IIII"), 3, 1, 2));
    ASSERT_TRUE(receipt.DrawText(10, QStringLiteral("IIII"), 3, 1, 2));
    const QRect below(60, 10 * 14 + 30 + 22, 200, 16);
    EXPECT_GT(BlackIn(canvas.Image(), below), 0);
    EXPECT_EQ(BlackIn(receipt.Image(), below), 0);
}

TEST_F(CanvasTest, FormalReceiptHorizontalPaperHasSolidEdgesAndTornSides)
{
    CYokoRyoushuCanvas canvas;
    ASSERT_TRUE(canvas.Create());
    const QImage& image = canvas.Image();
    ASSERT_EQ(image.size(), QSize(1126, 440));
    EXPECT_EQ(canvas.Lines(), 24);
    for (int y : {5, 434}) {
        EXPECT_EQ(BlackIn(image, QRect(7, y, 1113, 1)), 1113) << y;
        EXPECT_EQ(
            BlackIn(image, QRect(7, y - 1, 1113, 1)) + BlackIn(image, QRect(7, y + 1, 1113, 1)), 0)
            << y;
    }
    for (int x : {4, 1122}) {
        const int black = BlackIn(image, QRect(x - 2, 6, 5, 428));
        EXPECT_GT(black, 5 * 428 / 8) << x;
        EXPECT_LT(black, 5 * 428 * 3 / 4) << x;
    }
    EXPECT_EQ(BlackIn(image, QRect(7, 6, 1113, 428)), 0);
    EXPECT_EQ(BlackIn(image, QRect(0, 0, 1126, 5)), 0);
    EXPECT_EQ(BlackIn(image, QRect(0, 435, 1126, 5)), 0);
}

TEST_F(CanvasTest, FormalReceiptHorizontalCellsPicturesAndUnderlines)
{
    CYokoRyoushuCanvas canvas;
    ASSERT_TRUE(canvas.Create());
    const QString text = QString::fromUcs4(U"a\u3042b");
    const QList<PlacedChar> normal = canvas.PlaceText(4, text, 0, 48);
    EXPECT_EQ(normal[0].topLeft, QPoint(48 * 14 + 24, 4 * 16 + 30));
    EXPECT_EQ(normal[1].topLeft.x() - normal[0].topLeft.x(), 14);
    EXPECT_EQ(normal[2].topLeft.x() - normal[1].topLeft.x(), 28);
    const QList<PlacedChar> title = canvas.PlaceText(2, text, 3, 26);
    EXPECT_EQ(title[0].topLeft, QPoint(26 * 14 + 24, 62));
    EXPECT_EQ(title[2].topLeft.x() - title[1].topLeft.x(), 56);

    // Pictures lie over each other by AND: white leaves what is there.
    const QImage seal = ProgramPicture(140);
    ASSERT_EQ(seal.size(), QSize(96, 96));
    QImage cover(96, 96, QImage::Format_RGB32);
    cover.fill(Qt::white);
    for (int y = 0; y < 96; ++y)
        cover.setPixel(0, y, qRgb(0, 0, 0));
    canvas.DrawImage(0, 7, seal);
    canvas.DrawImage(0, 7, cover);
    const QImage& image = canvas.Image();
    for (int y = 0; y < 96; ++y)
        for (int x = 1; x < 96; ++x)
            ASSERT_EQ(image.pixel(24 + x, 254 + y), seal.pixel(x, y) | 0xFF000000) << x << "," << y;
    EXPECT_EQ(BlackIn(image, QRect(24, 254, 1, 96)), 96);
    // Row 24 lies past the last line.
    const QImage before = image.copy();
    canvas.DrawImage(0, 24, cover);
    EXPECT_EQ(canvas.Image(), before);

    canvas.Underline(8);
    EXPECT_EQ(BlackIn(canvas.Image(), QRect(136, 155, 616, 2)), 2 * 616);
    EXPECT_EQ(BlackIn(canvas.Image(), QRect(136, 154, 616, 1)), 0);
    EXPECT_EQ(BlackIn(canvas.Image(), QRect(136, 157, 616, 1)), 0);
    EXPECT_EQ(canvas.Image().pixel(135, 156), kWhite);
    EXPECT_EQ(canvas.Image().pixel(752, 156), kWhite);
}
