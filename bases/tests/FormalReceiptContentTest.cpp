// The formal-receipt previews without widgets: the vertical lines and canvas
// sizes, where each block goes, the sample lines' columns, the cutting of
// the page's texts and the horizontal form's draws.
#include "bases/CRyoushuuCanvas.h"
#include "bases/CYokoRyoushuCanvas.h"
#include "bases/FormalReceiptContent.h"
#include "bases/FormalReceiptSamples.h"
#include "bases/ReceiptText.h"
#include "bases/StampPicture.h"

#include "bases/tests/CanvasTestSupport.h"

#include "shared/controls/TextColumns.h"

using namespace dunmarel;

namespace {

// The first line of each vertical text: title, dates, addressee, amount, tax.
std::vector<int> FirstLines(const FormalReceiptContent& content)
{
    std::vector<int> lines;
    for (const FormalTextDraw& text : content.texts)
        lines.push_back(text.line);
    return lines;
}

// Columns with box drawing counted narrow, as a Western font would.
int NarrowBoxColumns(const QString& text)
{
    return GetColumnCountOfUnicode(text);
}

} // namespace

TEST_F(CanvasTest, FormalVerticalLinesFollowTheInputs)
{
    FormalReceiptInput input;
    FormalReceiptContent content = BuildVerticalFormalReceipt(input);
    EXPECT_EQ(content.lineCount, 56);
    CRyoushuuCanvas canvas;
    ASSERT_TRUE(DrawVerticalFormalReceipt(content, canvas, {}));
    EXPECT_EQ(canvas.Image().size(), QSize(448, 840));

    input.paper58 = false;
    content = BuildVerticalFormalReceipt(input);
    EXPECT_EQ(content.lineCount, 48);
    canvas.SetGeometry(CanvasGeometry::Paper80mm());
    ASSERT_TRUE(DrawVerticalFormalReceipt(content, canvas, {}));
    EXPECT_EQ(canvas.Image().size(), QSize(604, 728));

    input.paper58 = true;
    input.breakdown = true;
    EXPECT_EQ(BuildVerticalFormalReceipt(input).lineCount, 64);
    input.title = QStringLiteral("T");
    EXPECT_EQ(BuildVerticalFormalReceipt(input).lineCount, 66);
    input.stampOn = true;
    input.stampImage = ProgramPicture(139).size();
    EXPECT_EQ(BuildVerticalFormalReceipt(input).lineCount, 74);
}

TEST_F(CanvasTest, FormalVerticalBlocksGoBelowTheStamp)
{
    FormalReceiptInput input;
    FormalReceiptContent content = BuildVerticalFormalReceipt(input);
    EXPECT_EQ(FirstLines(content), (std::vector<int>{2, 8, 14, 18, 24, 44, 44}));
    EXPECT_EQ(content.texts[0].sizeKind, 3);
    EXPECT_EQ(content.texts[0].doubleWidth, 1);
    EXPECT_EQ(content.texts[0].lines, QStringList{QStringLiteral(u"   領  収  書")});
    input.stampOn = true;
    input.stampImage = QSize(100, 200);
    input.titleWord = 1;
    content = BuildVerticalFormalReceipt(input);
    EXPECT_EQ(FirstLines(content), (std::vector<int>{16, 22, 28, 32, 38, 58, 58}));
    EXPECT_EQ(content.texts[0].lines, QStringList{QStringLiteral(u"   領  収  証")});
}

TEST_F(CanvasTest, FormalSampleLinesFillThePaper)
{
    for (bool paper58 : {true, false}) {
        const FormalReceiptSamples& s = VerticalSamples(paper58);
        const int width = paper58 ? 32 : 40;
        int boxed = 0;
        for (const QStringList& block : {s.date, s.tax, s.breakdown, s.proviso, s.revenueStamp})
            for (const QString& line : block) {
                // Three 58 mm proviso lines are given one column longer.
                const bool longer = paper58 && (line.startsWith(u" (") ||
                                                line.startsWith(QStringLiteral("  \u3068")) ||
                                                line == QString(33, u' '));
                EXPECT_EQ(PrintColumnsOf(line), longer ? 33 : width) << line.toStdString();
                if (line.contains(u'\u250C')) {
                    EXPECT_EQ(NarrowBoxColumns(line), width - 2) << line.toStdString();
                    ++boxed;
                }
            }
        EXPECT_EQ(boxed, 2);
    }
    for (const QString& line : HorizontalSampleLines())
        EXPECT_EQ(PrintColumnsOf(line), 76) << line.toStdString();
}

TEST_F(CanvasTest, FormalTextsAreCutToThePaper)
{
    const QString forty(40, u'x');
    EXPECT_EQ(CutFormalText(forty, 32, false), QString(32, u'x'));
    EXPECT_EQ(CutFormalText(forty, 40, true), QStringLiteral("    ") + forty);
    EXPECT_EQ(CutFormalText(QString(31, u'x') + QStringLiteral(u"領x"), 32, false),
              QString(31, u'x'));
    FormalReceiptInput input;
    input.messages[2] = QStringLiteral("three");
    EXPECT_EQ(FormalMessageBlock(input), (QStringList{QString(), QString(), "three"}));
    input.paper58 = false;
    EXPECT_EQ(FormalMessageBlock(input), (QStringList{"    ", "    ", "    three"}));
    input.title = forty;
    input.messages[2].clear();
    EXPECT_EQ(FormalMessageBlock(input), QStringList{QStringLiteral("    ") + forty});
    const HorizontalFormalReceipt form = BuildHorizontalFormalReceipt(input, true, true);
    EXPECT_EQ(form.texts.back().column, 44);
    EXPECT_EQ(form.texts[form.texts.size() - 4].lines, QStringList{QString(32, u'x')});
}

TEST_F(CanvasTest, FormalHorizontalDraws)
{
    FormalReceiptInput input;
    HorizontalFormalReceipt form = BuildHorizontalFormalReceipt(input, true, true);
    CYokoRyoushuCanvas canvas;
    ASSERT_TRUE(canvas.Create());
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(form.texts[size_t(k)].line, 2 * k);
        EXPECT_EQ(
            canvas.PlaceText(form.texts[size_t(k)].line, QStringLiteral("x"), 0, 0)[0].topLeft,
            QPoint(24, 30 + 32 * k));
    }
    const auto find = [&form](const QString& text) {
        for (const FormalTextDraw& draw : form.texts)
            if (draw.lines.value(0) == text)
                return draw;
        return FormalTextDraw{-1, {}, -1, -1, -1};
    };
    EXPECT_EQ(find(QStringLiteral(u"収入印紙")).line, 17);
    const FormalTextDraw title = find(QStringLiteral(u"領  収  書"));
    EXPECT_EQ(title.column, 26);
    EXPECT_EQ(title.sizeKind, 3);
    const FormalTextDraw sama = find(QStringLiteral(u"様"));
    EXPECT_EQ(QPoint(sama.line, sama.column), QPoint(4, 48));
    EXPECT_EQ(form.underlines[0], 8);
    EXPECT_EQ(form.underlines[1], 12);
    // No logo flag: the title at line 18, column 8, size 1, messages at 44.
    EXPECT_EQ(form.pictures.size(), 2u);
    EXPECT_EQ(find(QString()).line, 18);
    input.logo = true;
    form = BuildHorizontalFormalReceipt(input, true, true);
    ASSERT_EQ(form.pictures.size(), 4u);
    const auto at = [](const HorizontalFormalReceipt::Picture& p) {
        return QPoint(p.column * 14 + 24, p.row * 32 + 30);
    };
    EXPECT_EQ(at(form.pictures[0]), QPoint(1004, 158));
    EXPECT_EQ(at(form.pictures[1]), QPoint(24, 254));
    EXPECT_EQ(at(form.pictures[2]), QPoint(192, 286));
    EXPECT_EQ(at(form.pictures[3]), QPoint(640, 286));
    EXPECT_EQ(form.texts.size(), 16u);
}

TEST_F(CanvasTest, FormalHorizontalGoldenWithoutTexts)
{
    FormalReceiptInput input;
    input.logo = true;
    HorizontalFormalReceipt form = BuildHorizontalFormalReceipt(input, true, true);
    form.texts.clear();
    const QImage pictures[] = {ProgramPicture(141), ProgramPicture(140), ProgramPicture(142),
                               ProgramPicture(143)};
    CYokoRyoushuCanvas canvas;
    ASSERT_TRUE(DrawHorizontalFormalReceipt(form, canvas, pictures));
    const QImage& image = canvas.Image();
    const struct
    {
        int picture;
        QPoint at;
    } placed[] = {{0, {1004, 158}}, {1, {24, 254}}, {2, {192, 286}}, {3, {640, 286}}};
    int black = 0;
    for (const auto& p : placed) {
        const QImage& picture = pictures[p.picture];
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                // Inside the paper the picture is all there is, ANDed onto white.
                const QRgb want = picture.pixel(x, y) | 0xFF000000;
                ASSERT_EQ(image.pixel(p.at.x() + x, p.at.y() + y) | 0xFF000000, want)
                    << p.picture << " " << x << "," << y;
            }
        black += BlackIn(image, QRect(p.at, picture.size()));
    }
    EXPECT_EQ(BlackIn(image, QRect(136, 155, 616, 2)), 2 * 616);
    EXPECT_GT(black, 0);
    // Outside the pictures, underlines and frame: white paper.
    EXPECT_EQ(BlackIn(image, QRect(7, 6, 1000, 140)), 0);
}
