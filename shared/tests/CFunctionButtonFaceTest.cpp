#include "shared/controls/CFunctionButtonFace.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include <gtest/gtest.h>

namespace {

using Face = CFunctionButtonFace;

struct HeightCase
{
    int widthPerHeightUnit; // the label's width at height h is h * this
    int imageWidth;
    int expected;
};

void PrintTo(const HeightCase& c, std::ostream* os)
{
    *os << "label " << c.widthPerHeightUnit << " per height unit, image " << c.imageWidth;
}

class FontHeightTable : public ::testing::TestWithParam<HeightCase>
{
};

// A label measured at height h; fits when 8 * width - 136 holds it.
TEST_P(FontHeightTable, ShrinksInStepsUntilItFitsButNotBelowTheSmallest)
{
    const HeightCase& c = GetParam();
    QList<int> measured;
    const int height = Face::GetCustomFontHeight(
        [&](int h) {
            measured << h;
            return h * c.widthPerHeightUnit;
        },
        c.imageWidth);
    EXPECT_EQ(height, c.expected);
    // Every step is 16 (two pixels at the final size), from 128 down.
    for (int i = 0; i < measured.size(); ++i)
        EXPECT_EQ(measured[i], 128 - 16 * i);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, FontHeightTable,
    ::testing::Values(HeightCase{10, 208, 128}, // 1280 <= 1528: fits at once
                      HeightCase{12, 208, 112}, // 1536 > 1528, 1344 fits
                      HeightCase{30, 208, 48},  // 1440 at 48
                      HeightCase{200, 208, 16}, // never fits: stops at the smallest
                      HeightCase{1, 17, 16}));  // an image narrower than the margin

TEST(CFunctionButtonFace, ImageNamesFollowTheColourType)
{
    EXPECT_EQ(Face::GetImageName(0, "BTNBLUE"), "BTNBLUE");
    EXPECT_EQ(Face::GetImageName(1, "x"), "BTNDARK");
    EXPECT_EQ(Face::GetImageName(2, "x"), "BTNPINK");
    EXPECT_EQ(Face::GetImageName(3, "x"), "BTNPURPLE");
    EXPECT_EQ(Face::GetImageName(4, "x"), "BTNGREEN");
    EXPECT_EQ(Face::GetImageName(9, "x"), "BTNDARK");
}

TEST(CFunctionButtonFace, TextColourAndPlaceFollowTypeAndState)
{
    EXPECT_EQ(Face::GetDrawTextColor(1, Face::BTNCOND_NORMAL), QColor(Qt::white));
    EXPECT_EQ(Face::GetDrawTextColor(0, Face::BTNCOND_FOCUS), QColor(Qt::white));
    EXPECT_EQ(Face::GetDrawTextColor(3, Face::BTNCOND_SELECT), QColor(Qt::black));
    EXPECT_EQ(Face::GetDrawTextColor(2, Face::BTNCOND_DISABLE), QColor(96, 96, 96));

    const QSize size(208, 48);
    // Dark labels start at the left; the others are centred.
    EXPECT_EQ(Face::GetDrawTextGeometry(1, Face::BTNCOND_NORMAL, size, 800, 128), QPoint(12, 14));
    EXPECT_EQ(Face::GetDrawTextGeometry(2, Face::BTNCOND_NORMAL, size, 800, 128), QPoint(52, 14));
    // Type 0 puts the label near the bottom; pressed moves it by 2.
    EXPECT_EQ(Face::GetDrawTextGeometry(0, Face::BTNCOND_SELECT, size, 800, 128), QPoint(54, 26));
    // A smaller label moves down to stay in the middle.
    EXPECT_EQ(Face::GetDrawTextGeometry(1, Face::BTNCOND_NORMAL, size, 800, 96), QPoint(12, 16));
}

TEST(CFunctionButtonFace, DrawsItsOwnColoursAndRefusesUnknownNames)
{
    Face::Images images;
    EXPECT_FALSE(Face::LoadImages("BTNBLUE", images));
    EXPECT_FALSE(Face::LoadImages("", images));
    ASSERT_TRUE(Face::LoadImages("BTNGREEN", images));
    for (const QImage& image : images)
        EXPECT_EQ(image.size(), images[0].size());
    // Four different faces, so each state can be told apart.
    EXPECT_NE(images[Face::BTNCOND_NORMAL], images[Face::BTNCOND_FOCUS]);
    EXPECT_NE(images[Face::BTNCOND_NORMAL], images[Face::BTNCOND_SELECT]);
    EXPECT_NE(images[Face::BTNCOND_NORMAL], images[Face::BTNCOND_DISABLE]);
}

TEST(CFunctionButtonFace, TheLabelLandsOnEveryImageInItsColour)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    Face::Images images, plain;
    ASSERT_TRUE(Face::LoadImages("BTNPINK", images));
    plain = images;
    Face::SetButtonText(images, Face::BTNTYPE_PINK, "Items");
    for (int state = 0; state < 4; ++state) {
        ASSERT_NE(images[state], plain[state]) << state;
        // The darkest pixel is the text's: black, or the grey when disabled.
        int darkest = 255;
        for (int y = 0; y < images[state].height(); ++y)
            for (int x = 0; x < images[state].width(); ++x) {
                const QRgb pixel = images[state].pixel(x, y);
                if (qAlpha(pixel) == 255) // the rounded corners are transparent
                    darkest = qMin(darkest, qGray(pixel));
            }
        if (state == Face::BTNCOND_DISABLE)
            EXPECT_GE(darkest, 80);
        else
            EXPECT_LT(darkest, 60);
    }
}

} // namespace
