#include "functions/keylayout/NineSliceRects.h"

#include <gtest/gtest.h>

using kesmond::NineSliceRects;

// A 100 x 50 key at (10, 20) from a 48 x 48 image, corner 8, dx 3, dy 1:
// the image reaches 3 beyond the sides, 1 above and 3 below; the bottom row
// is 10 high.
TEST(NineSliceRects, GoldenTable)
{
    const auto slices = NineSliceRects(QRect(10, 20, 100, 50), QSize(48, 48), 8, 3, 1);
    ASSERT_TRUE(slices);
    const QRect expected[9][2] = {
        {{7, 19, 8, 8}, {0, 0, 8, 8}},      // top left
        {{7, 63, 8, 10}, {0, 40, 8, 8}},    // bottom left
        {{105, 19, 8, 8}, {40, 0, 8, 8}},   // top right
        {{105, 63, 8, 10}, {40, 40, 8, 8}}, // bottom right
        {{7, 27, 8, 36}, {0, 8, 8, 32}},    // left
        {{15, 19, 90, 8}, {8, 0, 32, 8}},   // top
        {{105, 27, 8, 36}, {40, 8, 8, 32}}, // right
        {{15, 63, 90, 10}, {8, 40, 32, 8}}, // bottom
        {{15, 27, 90, 36}, {8, 8, 32, 32}}, // centre
    };
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ((*slices)[size_t(i)].target, expected[i][0]) << i;
        EXPECT_EQ((*slices)[size_t(i)].source, expected[i][1]) << i;
    }
    // Rows and columns meet without gaps: the slices tile 106 x 54.
    QRect united;
    for (const auto& slice : *slices)
        united = united.united(slice.target);
    EXPECT_EQ(united, QRect(7, 19, 106, 54));
}

TEST(NineSliceRects, TooSmallGivesNone)
{
    struct Case
    {
        QRect rect;
        QSize image;
        bool drawn;
    } cases[] = {
        {{0, 0, 17, 17}, {48, 48}, true},  // 2m + 1 is enough
        {{0, 0, 16, 40}, {48, 48}, false}, // too narrow
        {{0, 0, 40, 16}, {48, 48}, false}, // too low
        {{0, 0, 40, 40}, {16, 48}, false}, // image too narrow
        {{0, 0, 40, 40}, {48, 16}, false}, // image too low
        {{0, 0, 40, 40}, {0, 0}, false},   // no image
        {{0, 0, 40, 40}, {17, 17}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bool(NineSliceRects(c.rect, c.image, 8, 3, 1)), c.drawn)
            << c.rect.width() << "x" << c.rect.height() << " image " << c.image.width();
}
