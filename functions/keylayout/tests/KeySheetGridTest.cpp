#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CKeySheetGrid.h"
#include "functions/keylayout/KeySnap.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kesmond;

// The canvas's first grid: origin 2, cells 127 x 68, gaps 1 and 3, 3 x 5.
TEST(CKeySheetGrid, CellArithmetic)
{
    const CKeySheetGrid grid;
    ASSERT_EQ(grid.StepX(), 128);
    ASSERT_EQ(grid.StepY(), 71);
    const struct
    {
        QPoint point, cell;
    } cells[] = {
        {{1, 10}, {-1, 0}},   // left of the grid
        {{10, 1}, {0, -1}},   // above it
        {{2, 2}, {0, 0}},     // on an origin
        {{130, 73}, {1, 1}},  // on the next
        {{129, 72}, {0, 0}},  // in the gaps after cell (0, 0)
        {{257, 141}, {1, 1}}, // a key's far corner
        {{10, 1000}, {0, 4}}, // below: the last row
        {{1000, 10}, {2, 0}}, // right of it: the last column
    };
    for (const auto& c : cells)
        EXPECT_EQ(grid.CellAt(c.point.x(), c.point.y()), c.cell)
            << c.point.x() << "," << c.point.y();
    EXPECT_EQ(grid.CellTopLeft(1, 2), QPoint(130, 144));
    EXPECT_EQ(grid.CellTopLeft(-3, -1), QPoint(2, 2));
    EXPECT_EQ(grid.CellBottomRight(1, 2), QPoint(257, 212));
    EXPECT_TRUE(grid.IsCellOrigin(2, 2));
    EXPECT_TRUE(grid.IsCellOrigin(130, 73));
    EXPECT_TRUE(grid.IsCellOrigin(386, 357)); // the far corner counts
    EXPECT_FALSE(grid.IsCellOrigin(514, 2));
    EXPECT_FALSE(grid.IsCellOrigin(3, 2));
    EXPECT_FALSE(grid.IsCellOrigin(0, 0));
    EXPECT_TRUE(grid.IsLastCell(2, 4));
    EXPECT_FALSE(grid.IsLastCell(1, 4));
    EXPECT_FALSE(grid.IsLastCell(2, 3));
}

TEST(CKeySheetGrid, SetGridUsesAPresetsKeySizeOrDividesThePage)
{
    CFcKeyLayCSB023 geometry;
    geometry.SetValue(QStringLiteral("ITEMBUTTON.1.WIDTH"), QStringLiteral("127"));
    geometry.SetValue(QStringLiteral("ITEMBUTTON.1.HEIGHT"), QStringLiteral("68"));
    geometry.SetSheetRect(QRect(0, 0, 800, 420));
    CKeySheetGrid grid;
    grid.SetGeometry(&geometry);
    grid.SetPageRect(QRect(520, 20, 800, 420));
    grid.SetGrid(6, 5);
    EXPECT_EQ(grid.CellSize(), QSize(127, 68));
    grid.SetGrid(7, 5);
    EXPECT_EQ(grid.CellSize(), QSize((800 - 10) / 7 - 1, (420 - 16) / 5 - 3));
    EXPECT_EQ(grid.GridSize(), QSize(7 * 112, 5 * 80));

    // Stored values out of the dialog's range, and a page too small for its
    // grid, give a usable grid.
    grid.SetGrid(-5, 1000);
    EXPECT_EQ(QSize(grid.Columns(), grid.Rows()), QSize(1, 48));
    grid.SetPageRect(QRect(0, 0, 5, 5));
    grid.SetGrid(3, 3);
    EXPECT_EQ(grid.CellSize(), QSize(0, 0));
    EXPECT_EQ(grid.CellAt(100, 100), QPoint(2, 2));
    // Snapping on it ends (the steps are the gaps alone).
    EXPECT_EQ(SnapMove({QRect(2, 2, 40, 40), {50, 50}, {1, 1}, {40, 40}, {500, 500}, false}, grid),
              QRect(4, 8, 40, 40));
}

TEST(KeySnap, Move)
{
    const CKeySheetGrid grid;
    const QRect onGrid(130, 73, 127, 68);
    const QSize canvas(800, 420);
    const QPoint click(10, 10);
    const struct
    {
        const char* name;
        QRect rect;
        QPoint pointer;
        bool alt;
        std::optional<QRect> result;
    } cases[] = {
        {"within its cell", onGrid, click + QPoint(50, 20), false, std::nullopt},
        {"a cell and a pixel right", onGrid, click + QPoint(129, 0), false,
         QRect(258, 73, 127, 68)},
        {"a cell down", onGrid, click + QPoint(0, 71), false, QRect(130, 144, 127, 68)},
        {"left by a cell", onGrid, click + QPoint(-128, 0), false, std::nullopt},
        {"left by a cell and a pixel", onGrid, click + QPoint(-129, 0), false,
         QRect(2, 73, 127, 68)},
        {"off the grid", QRect(135, 80, 127, 68), click, false, QRect(130, 73, 127, 68)},
        {"with Alt", onGrid, click + QPoint(7, 5), true, QRect(137, 78, 127, 68)},
        {"with Alt, inside the canvas", onGrid, click + QPoint(1000, -500), true,
         QRect(673, 0, 127, 68)},
    };
    for (const auto& c : cases) {
        const SnapInput in{c.rect, c.pointer, click, c.rect.size(), canvas, c.alt};
        EXPECT_EQ(SnapMove(in, grid), c.result) << c.name;
    }
}

TEST(KeySnap, Resize)
{
    const CKeySheetGrid grid;
    const QRect key(130, 73, 127, 68);
    const QSize canvas(800, 420);
    const QPoint click(120, 60);
    const struct
    {
        const char* name;
        KeyCursorZone mode;
        QPoint pointer;
        bool alt;
        std::optional<QRect> result;
    } cases[] = {
        {"to a cell's corner", KeyCursorZone::SizeDiagonal, click + QPoint(130, 75), false,
         QRect(130, 73, 255, 210)},
        {"width only", KeyCursorZone::SizeHorizontal, click + QPoint(130, 75), false,
         QRect(130, 73, 255, 68)},
        {"height only", KeyCursorZone::SizeVertical, click + QPoint(130, 75), false,
         QRect(130, 73, 127, 210)},
        {"within its cell", KeyCursorZone::SizeDiagonal, click, false, std::nullopt},
        {"left of its first cell", KeyCursorZone::SizeDiagonal, QPoint(-200, 60), false,
         std::nullopt},
        {"never below 40", KeyCursorZone::SizeDiagonal, QPoint(0, 0), true, QRect(130, 73, 40, 40)},
        {"with Alt to the canvas edge", KeyCursorZone::SizeDiagonal, QPoint(1000, 1000), true,
         QRect(130, 73, 670, 347)},
        {"with Alt freely", KeyCursorZone::SizeDiagonal, click + QPoint(5, 7), true,
         QRect(130, 73, 132, 75)},
    };
    for (const auto& c : cases) {
        const SnapInput in{key, c.pointer, click, key.size(), canvas, c.alt};
        EXPECT_EQ(SnapResize(in, c.mode, grid), c.result) << c.name;
    }
    // Its own first cell is as small as a snapped key gets (cells are 127 x 68).
    const SnapInput shrink{key, QPoint(20, 20), click, key.size(), canvas, false};
    EXPECT_EQ(SnapResize(shrink, KeyCursorZone::SizeDiagonal, grid), std::nullopt);
}

TEST(KeySnap, CursorZones)
{
    const QSize size(100, 60);
    const struct
    {
        QPoint point;
        KeyCursorZone zone;
    } cases[] = {
        {{-1, 10}, KeyCursorZone::Outside},      {{50, 60}, KeyCursorZone::Outside},
        {{10, 10}, KeyCursorZone::Move},         {{95, 30}, KeyCursorZone::SizeHorizontal},
        {{95, 10}, KeyCursorZone::Move},         {{95, 55}, KeyCursorZone::SizeDiagonal},
        {{50, 55}, KeyCursorZone::SizeVertical}, {{30, 55}, KeyCursorZone::Move},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CursorZoneAt(c.point, size), c.zone) << c.point.x() << "," << c.point.y();
}
