#include "shared/controls/CColorButton.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QRect kClient(0, 0, 640, 480);

struct AdjustCase
{
    int border;
    uint align;
    int index;
    int count;
    int row;
    bool wide;
    QRect expected;
};

void PrintTo(const AdjustCase& c, std::ostream* os)
{
    *os << "border " << c.border << " align " << c.align << " index " << c.index << " of "
        << c.count << " row " << c.row << (c.wide ? " wide" : " narrow");
}

class AdjustTable : public ::testing::TestWithParam<AdjustCase>
{
};

TEST_P(AdjustTable, PlacesTheButtonInItsRow)
{
    const AdjustCase& c = GetParam();
    const auto rect =
        CColorButton::AdjustRect(kClient, c.border, c.align, c.index, c.count, c.row, c.wide);
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(*rect, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CColorButton, AdjustTable,
    ::testing::Values(
        // centred: half the client width less half the row, plus the pitch per index
        AdjustCase{0, 0, 0, 2, 0, false, QRect(200, 440, 112, 32)},
        AdjustCase{0, 0, 1, 2, 0, false, QRect(328, 440, 112, 32)},
        AdjustCase{0, 0, 1, 2, 1, true, QRect(328, 396, 240, 32)},
        AdjustCase{4, 0, 0, 1, 0, true, QRect(200, 436, 240, 32)},
        // from the right: index 0's right edge lies 32 - border inside the client
        AdjustCase{4, 1, 0, 1, 0, false, QRect(500, 436, 112, 32)},
        AdjustCase{0, 1, 1, 1, 1, false, QRect(368, 396, 112, 32)},
        AdjustCase{0, 1, 0, 1, 0, true, QRect(368, 440, 240, 32)},
        // from the left
        AdjustCase{0, 2, 0, 1, 0, false, QRect(32, 440, 112, 32)},
        AdjustCase{4, 2, 1, 1, 1, true, QRect(284, 392, 240, 32)},
        AdjustCase{0, 2, 2, 1, 0, false, QRect(288, 440, 112, 32)}));

TEST(CColorButton, OtherAlignmentsLeaveTheButtonWhereItIs)
{
    EXPECT_FALSE(CColorButton::AdjustRect(kClient, 0, 3, 0, 1, 0, false).has_value());

    QWidget parent;
    parent.resize(640, 480);
    CColorButton button(&parent);
    button.setGeometry(10, 20, 30, 40);
    button.Adjust(&parent, 3, 0, 1, 0, false);
    EXPECT_EQ(button.geometry(), QRect(10, 20, 30, 40));
    button.Adjust(&parent, 2, 0, 1, 1, false);
    EXPECT_EQ(button.geometry(), QRect(32, 396, 112, 32));
}

TEST(CColorButton, RowsAndRightAlignedButtonsKeepTheirSpacing)
{
    for (int index = 0; index < 5; ++index) {
        const QRect low = CColorButton::AdjustRight(kClient, 0, index, 0, false);
        const QRect high = CColorButton::AdjustRight(kClient, 0, index, 1, false);
        EXPECT_EQ(low.top() - high.top(), 44);
        EXPECT_EQ(low.width(), 112);
        if (index > 0) {
            const QRect right = CColorButton::AdjustRight(kClient, 0, index - 1, 0, false);
            EXPECT_EQ(right.left() - (low.left() + low.width()), 16) << index;
        }
    }
}

TEST(CColorButton, FontHeightShrinksTowardZeroUntilTheTextFits)
{
    const auto tenPerPixel = [](int h) { return h * 10; };
    EXPECT_EQ(CColorButton::FitFontHeight(20, 100, tenPerPixel), 10);
    EXPECT_EQ(CColorButton::FitFontHeight(5, 100, tenPerPixel), 5);
    EXPECT_EQ(CColorButton::FitFontHeight(20, 100, [](int) { return 1000; }), 0);
}

// Samples the face away from the text and the focus mark.
QColor facePixel(CColorButton& button, const QPoint& at)
{
    return QColor(button.grab().toImage().pixel(at));
}

TEST(CColorButton, PaintsItsFaceColourWithAndWithoutTextOrFocus)
{
    QWidget parent;
    parent.resize(300, 100);
    CColorButton button(&parent);
    const QColor blue(191, 201, 255);
    button.SetColor(blue);
    button.setGeometry(10, 10, 112, 32);
    parent.show();

    EXPECT_EQ(facePixel(button, {8, 8}), blue);
    EXPECT_EQ(facePixel(button, {56, 16}), blue) << "an empty text shows only the face";

    button.setText(QStringLiteral("OK"));
    EXPECT_EQ(facePixel(button, {8, 8}), blue);
    button.setFocus();
    EXPECT_EQ(facePixel(button, {8, 16}), blue);

    button.setText(QString(400, u'W'));
    button.setEnabled(false);
    EXPECT_EQ(facePixel(button, {8, 8}), blue)
        << "a text that never fits is not drawn over the face";
    EXPECT_EQ(facePixel(button, {56, 16}), blue);
}

} // namespace
