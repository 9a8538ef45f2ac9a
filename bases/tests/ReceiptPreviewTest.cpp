// The 58/80 mm receipt preview without widgets: its lines and canvas sizes,
// where each block and character goes, the paper and pictures by pixels,
// and the band a list box shows.
#include "bases/CReceipt80Canvas.h"
#include "bases/PreviewBand.h"
#include "bases/ReceiptPreviewContent.h"

#include "bases/tests/CanvasTestSupport.h"

using namespace dunmarel;

namespace {

// The sample lines with empty texts, so that only paper and pictures show.
QStringList Blank(const QStringList& keys)
{
    return QStringList(keys.size(), QString());
}

ReceiptPreviewContent Content(const ReceiptPreviewInput& input)
{
    return BuildReceiptPreview(input, Blank(ReceiptHeaderKeys(input.paper58)),
                               Blank(ReceiptItemKeys(input.paper58, input.taxContents)));
}

CReceipt80Canvas Canvas(bool paper58)
{
    CReceipt80Canvas canvas;
    canvas.SetGeometry(paper58 ? CanvasGeometry::Paper58mm() : CanvasGeometry::Paper80mm());
    return canvas;
}

// 400 x 200 in 8-pixel squares just on either side of the printer's
// threshold: r + g + b = 383 (white) and 382 (black).
QImage ThresholdStamp()
{
    QImage image(400, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x / 8 + y / 8) % 2 ? qRgb(127, 128, 127) : qRgb(127, 128, 128));
    return image;
}

} // namespace

TEST_F(CanvasTest, ReceiptLinesAndCanvasSizeFollowTheContent)
{
    const struct
    {
        bool paper58;
        int tax;
        int lines;
        QSize size;
    } cases[] = {
        {true, 0, 22, {448, 364}},  {true, 1, 30, {448, 476}},  {true, 2, 26, {448, 420}},
        {false, 0, 20, {604, 336}}, {false, 1, 28, {604, 448}},
    };
    for (const auto& c : cases) {
        ReceiptPreviewInput input;
        input.paper58 = c.paper58;
        input.taxContents = c.tax;
        const ReceiptPreviewContent content = Content(input);
        EXPECT_EQ(content.lineCount, c.lines) << c.paper58 << c.tax;
        CReceipt80Canvas canvas = Canvas(c.paper58);
        ASSERT_TRUE(DrawReceiptPreview(content, canvas, {}, {}));
        EXPECT_EQ(canvas.Image().size(), c.size) << c.paper58 << c.tax;
    }
}

TEST_F(CanvasTest, ReceiptBlocksFollowEachOtherFromTheTopPicture)
{
    ReceiptPreviewInput input;
    input.topImage = QSize(384, 112); // 8 lines
    input.topImageOn = true;
    input.bottomImage = QSize(96, 96); // 6 lines
    input.bottomImageOn = true;
    input.messages[ReceiptPreviewInput::TOP1] = QStringList{"a", "b"};
    input.messages[ReceiptPreviewInput::BOTTOM2] = QStringList{"z"};
    input.attrs[ReceiptPreviewInput::TOP1] = {1, 1, 0};
    const ReceiptPreviewContent content = Content(input);
    std::vector<std::pair<int, int>> kindLines;
    for (const ReceiptPreviewBlock& block : content.blocks)
        kindLines.emplace_back(int(block.kind), block.line);
    const int image = ReceiptPreviewBlock::TopImage;
    const int text = ReceiptPreviewBlock::Text;
    // Picture, top 1 (2 lines), top 2 (none), header (5), items (6), bottom 1, bottom 2 (1),
    // picture.
    EXPECT_EQ(kindLines,
              (std::vector<std::pair<int, int>>{{image, 0},
                                                {text, 8},
                                                {text, 12},
                                                {text, 12},
                                                {text, 22},
                                                {text, 34},
                                                {text, 34},
                                                {ReceiptPreviewBlock::BottomImage, 36}}));
    EXPECT_EQ(content.lineCount, 42);
    EXPECT_EQ(content.blocks[1].doubleWidth, 1);
    EXPECT_EQ(content.blocks[1].align, 0);
    EXPECT_EQ(content.blocks[3].align, 2); // the sample lines: left
}

TEST_F(CanvasTest, ReceiptCharactersGoToTheirCells)
{
    CReceipt80Canvas canvas = Canvas(true);
    const QList<PlacedChar> placed = canvas.PlaceText(3, QString::fromUcs4(U"a\u3042b"), 0, 2);
    ASSERT_EQ(placed.size(), 3);
    EXPECT_EQ(placed[0].topLeft, QPoint(34, 72)); // y = 3 x 14 + 30
    EXPECT_EQ(placed[1].topLeft, QPoint(46, 72));
    EXPECT_EQ(placed[2].topLeft, QPoint(70, 72));
    const QList<PlacedChar> wide = canvas.PlaceText(0, QString::fromUcs4(U"a\u3042b"), 1, 2);
    EXPECT_EQ(wide[1].topLeft.x(), 58);
    EXPECT_EQ(wide[2].topLeft.x(), 106);
    // Right-aligned "AB" on 58 mm: 30 spaces before it.
    const QList<PlacedChar> right = canvas.PlaceText(0, QStringLiteral("AB"), 0, 0);
    EXPECT_EQ(right.size(), 32);
    EXPECT_EQ(right[30].topLeft.x(), 34 + 30 * 12);
}

TEST_F(CanvasTest, ReceiptPaperHasTornEdgesAndSolidSides)
{
    CReceipt80Canvas canvas = Canvas(true);
    ASSERT_TRUE(canvas.Create(10));
    const QImage& image = canvas.Image();
    ASSERT_EQ(image.size(), QSize(448, 196));
    for (int y = 5; y < 190; ++y) {
        EXPECT_EQ(image.pixel(4, y), kBlack) << y;
        EXPECT_EQ(image.pixel(444, y), kBlack) << y;
    }
    // The edges are hatched bands 5 pixels high around y = 5 and y = 190.
    for (int edge : {5, 190}) {
        int black = 0;
        for (int y = edge - 2; y <= edge + 2; ++y)
            for (int x = 5; x < 443; ++x)
                black += image.pixel(x, y) == kBlack;
        EXPECT_GT(black, 5 * 438 / 8) << edge;
        EXPECT_LT(black, 5 * 438 * 3 / 4) << edge;
    }
    EXPECT_TRUE(InsideIsWhite(image, QRect(0, 0, 448, 3)));
    EXPECT_TRUE(InsideIsWhite(image, QRect(0, 193, 448, 3)));
    EXPECT_TRUE(InsideIsWhite(image, QRect(5, 8, 439, 180)));
    EXPECT_TRUE(InsideIsWhite(image, QRect(0, 0, 4, 196)));
    EXPECT_TRUE(InsideIsWhite(image, QRect(445, 0, 3, 196)));
}

TEST_F(CanvasTest, ReceiptStampOn58mmIsBlackAndWhiteAndCut)
{
    ReceiptPreviewInput input;
    const QImage stamp = ThresholdStamp();
    input.topImage = stamp.size();
    input.topImageOn = true;
    CReceipt80Canvas canvas = Canvas(true);
    ASSERT_TRUE(DrawReceiptPreview(Content(input), canvas, stamp, {}));
    const QImage& image = canvas.Image();
    ASSERT_EQ(image.height(), (14 + 22) * 14 + 56);
    for (int y = 0; y < 168; ++y)
        for (int x = 0; x < 384; ++x) {
            const QRgb want = (x / 8 + y / 8) % 2 ? kBlack : kWhite;
            ASSERT_EQ(image.pixel(34 + x, 30 + y), want) << x << "," << y;
        }
    // Past 384 x 168 the picture is cut.
    EXPECT_TRUE(InsideIsWhite(image, QRect(34 + 384, 30, 16, 200)));
    EXPECT_TRUE(InsideIsWhite(image, QRect(34, 30 + 168, 400, 32)));
    // Nothing left of it.
    EXPECT_TRUE(InsideIsWhite(image, QRect(5, 8, 29, 300)));
}

TEST_F(CanvasTest, ReceiptStampOn80mmKeepsItsColoursFrom16Pixels)
{
    ReceiptPreviewInput input;
    input.paper58 = false;
    QImage stamp = ThresholdStamp();
    stamp.setPixel(399, 199, qRgb(10, 200, 30));
    input.topImage = stamp.size();
    input.topImageOn = true;
    CReceipt80Canvas canvas = Canvas(false);
    ASSERT_TRUE(DrawReceiptPreview(Content(input), canvas, stamp, {}));
    const QImage& image = canvas.Image();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x)
            ASSERT_EQ(image.pixel(16 + x, 30 + y), stamp.pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(InsideIsWhite(image, QRect(5, 30, 11, 200)));
}

TEST_F(CanvasTest, ReceiptSmallBottomStampShowsNothingOfTheTopOne)
{
    ReceiptPreviewInput input;
    QImage top(384, 168, QImage::Format_RGB32);
    top.fill(Qt::black);
    QImage bottom(96, 28, QImage::Format_RGB32);
    bottom.fill(Qt::white);
    bottom.setPixel(0, 0, qRgb(0, 0, 0));
    input.topImage = top.size();
    input.topImageOn = true;
    input.bottomImage = bottom.size();
    input.bottomImageOn = true;
    const ReceiptPreviewContent content = Content(input);
    CReceipt80Canvas canvas = Canvas(true);
    ASSERT_TRUE(DrawReceiptPreview(content, canvas, top, bottom));
    const QImage& image = canvas.Image();
    const int y = content.blocks.back().line * 14 + 30;
    EXPECT_EQ(image.pixel(34, y), kBlack);
    // The bottom picture is white but its first pixel, and so is the paper
    // beside and below it, down to the torn edge, which stays whole.
    const int edge = image.height() - 6;
    EXPECT_TRUE(InsideIsWhite(image, QRect(35, y, 409, 1)));
    EXPECT_TRUE(InsideIsWhite(image, QRect(5, y + 1, 439, edge - 3 - (y + 1))));
    int black = 0;
    for (int x = 5; x < 443; ++x)
        black += image.pixel(x, edge) == kBlack;
    EXPECT_GT(black, 438 / 8);
}

TEST_F(CanvasTest, ReceiptCanvasStopsAt32000Pixels)
{
    ReceiptPreviewInput input;
    input.topImage = QSize(16, 400000);
    input.topImageOn = true;
    input.messages[ReceiptPreviewInput::BOTTOM1] = QStringList{"x"};
    const ReceiptPreviewContent content = Content(input);
    EXPECT_GT(content.lineCount, 28000);
    CReceipt80Canvas canvas = Canvas(true);
    ASSERT_TRUE(DrawReceiptPreview(content, canvas, {}, {}));
    EXPECT_EQ(canvas.Lines(), CReceipt80Canvas::MaxLines());
    EXPECT_LE(canvas.Image().height(), 32000);
    EXPECT_EQ(canvas.DrawText(canvas.Lines(), QStringLiteral("x"), 0, 0, 2), 0);
    EXPECT_EQ(canvas.DrawText(canvas.Lines() - 1, QStringLiteral("x"), 0, 0, 2), 1);
}

TEST_F(CanvasTest, ReceiptListBoxBandScalesToTheBoxWidth)
{
    const QSize canvas(448, 364);
    EXPECT_EQ(PreviewItemCount(canvas, 224), 7);
    PreviewBand band = PreviewBandAt(canvas, QSize(224, 140), 0);
    EXPECT_DOUBLE_EQ(band.top, 0);
    EXPECT_DOUBLE_EQ(band.bottom, 280);
    EXPECT_DOUBLE_EQ(band.destHeight, 140);
    // The last position: the band moves up to end with the canvas.
    band = PreviewBandAt(canvas, QSize(224, 140), 2);
    EXPECT_DOUBLE_EQ(band.top, 84);
    EXPECT_DOUBLE_EQ(band.bottom, 364);
    // A box taller than the scaled canvas: all of it at half scale.
    band = PreviewBandAt(canvas, QSize(224, 280), 0);
    EXPECT_DOUBLE_EQ(band.top, 0);
    EXPECT_DOUBLE_EQ(band.bottom, 364);
    EXPECT_DOUBLE_EQ(band.destHeight, 182);

    CReceipt80Canvas paper = Canvas(true);
    ASSERT_TRUE(paper.Create(22));
    const QImage shown = PaintPreviewBand(paper.Image(), QSize(224, 280), 0);
    EXPECT_TRUE(InsideIsWhite(shown, QRect(0, 183, 224, 97)));
    EXPECT_LT(qGray(shown.pixel(2, 90)), 200);   // the left side, at x 4 / 2
    EXPECT_LT(qGray(shown.pixel(222, 90)), 200); // the right side, at x 444 / 2
    EXPECT_EQ(shown.pixel(100, 90), kWhite);
}
