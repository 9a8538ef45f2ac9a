#include "goods/CCellSelection.h"

#include <gtest/gtest.h>

#include <Qt>

namespace brelkin::test {

namespace {

// Five columns of 50 pixels; ten rows of 20 pixels below a 20-pixel header.
constexpr int kColumnWidth = 50;
constexpr int kRowTop = 20;
constexpr int kRowHeight = 20;

CCellSelection MakeSelection(int rows = 10)
{
    CCellSelection selection;
    std::vector<std::pair<int, int>> columns;
    for (int i = 0; i < 5; ++i)
        columns.emplace_back(i * kColumnWidth, (i + 1) * kColumnWidth);
    selection.SetColumns(std::move(columns));
    selection.SetRows(rows, kRowTop, kRowHeight);
    return selection;
}

// The middle of a cell in content coordinates.
QPoint Cell(int column, int row)
{
    return {column * kColumnWidth + kColumnWidth / 2, kRowTop + row * kRowHeight + kRowHeight / 2};
}

// A press, the ticks of a drag through points, and the release.
void Drag(CCellSelection& selection, std::initializer_list<QPoint> points)
{
    auto point = points.begin();
    ASSERT_EQ(selection.OnPress(*point, false, false), CCellSelection::Press::Started);
    for (; point != points.end(); ++point)
        selection.OnTick(*point, true, false);
    EXPECT_EQ(selection.OnTick(*(points.end() - 1), false, false), CCellSelection::Tick::Ended);
}

TEST(CCellSelectionTest, PressAndReleaseSelectsThePressedCellAndMakesItCurrent)
{
    CCellSelection selection = MakeSelection();
    EXPECT_EQ(selection.OnPress(Cell(2, 3), false, false), CCellSelection::Press::Started);
    EXPECT_EQ(selection.Selection(), (CellRange{2, 3, 2, 3}));
    EXPECT_EQ(selection.CurrentCell(), QPoint(2, 3));
    // The button was up by the first tick: no drag ran.
    EXPECT_EQ(selection.OnTick(Cell(2, 3), false, false), CCellSelection::Tick::StopTimer);
    EXPECT_EQ(selection.Selection(), (CellRange{2, 3, 2, 3}));
    EXPECT_FALSE(selection.IsExtendable());
}

TEST(CCellSelectionTest, DragSelectsTheBlockAndOnlyGrowsUntilANewPress)
{
    CCellSelection selection = MakeSelection();
    Drag(selection, {Cell(1, 2), Cell(2, 4), Cell(3, 5), Cell(1, 2)});
    // Dragging back to the start did not shrink it.
    EXPECT_EQ(selection.Selection(), (CellRange{1, 2, 3, 5}));
    EXPECT_EQ(selection.CurrentCell(), QPoint(1, 2));
    EXPECT_TRUE(selection.IsExtendable());

    // A drag upwards and leftwards selects the same way.
    Drag(selection, {Cell(4, 9), Cell(2, 6)});
    EXPECT_EQ(selection.Selection(), (CellRange{2, 6, 4, 9}));

    // A new press starts from the pressed cell alone.
    selection.OnPress(Cell(0, 0), false, false);
    EXPECT_EQ(selection.Selection(), (CellRange{0, 0, 0, 0}));
}

TEST(CCellSelectionTest, ShiftClickAfterADragWidensTheBlockOnce)
{
    CCellSelection selection = MakeSelection();
    Drag(selection, {Cell(1, 1), Cell(2, 2)});
    EXPECT_EQ(selection.OnPress(Cell(4, 7), true, false), CCellSelection::Press::Extended);
    EXPECT_EQ(selection.Selection(), (CellRange{1, 1, 4, 7}));
    EXPECT_FALSE(selection.IsExtendable());
    // A second Shift+click is a plain press.
    EXPECT_EQ(selection.OnPress(Cell(3, 3), true, false), CCellSelection::Press::Started);
    EXPECT_EQ(selection.Selection(), (CellRange{3, 3, 3, 3}));
}

TEST(CCellSelectionTest, CtrlClickAndCtrlDragDoNothing)
{
    CCellSelection selection = MakeSelection();
    selection.OnPress(Cell(1, 1), false, false);
    EXPECT_EQ(selection.OnPress(Cell(3, 3), false, true), CCellSelection::Press::Ignored);
    EXPECT_EQ(selection.OnTick(Cell(4, 4), true, true), CCellSelection::Tick::Nothing);
    EXPECT_EQ(selection.Selection(), (CellRange{1, 1, 1, 1}));
    EXPECT_FALSE(selection.IsDragging());
}

TEST(CCellSelectionTest, ARectangleOnTheZeroLineSelectsNothing)
{
    CCellSelection selection = MakeSelection();
    selection.OnPress(QPoint(0, 30), false, false);
    EXPECT_TRUE(selection.Selection().IsNone());
}

TEST(CCellSelectionTest, KeysMoveAOneCellSelection)
{
    const struct
    {
        CellRange from;
        int key;
        bool moved;
        CellRange to;
        bool scroll;
    } cases[] = {
        {{0, 4, 0, 4}, Qt::Key_Left, false, {0, 4, 0, 4}, false},
        {{4, 4, 4, 4}, Qt::Key_Right, false, {4, 4, 4, 4}, false},
        {{1, 4, 3, 6}, Qt::Key_Right, true, {2, 4, 2, 4}, false},
        {{2, 9, 2, 9}, Qt::Key_Down, true, {2, 9, 2, 9}, true},
        {{2, 0, 2, 0}, Qt::Key_Up, true, {2, 0, 2, 0}, true},
        {{2, 3, 2, 3}, Qt::Key_PageDown, true, {2, 7, 2, 7}, false},
        {{2, 7, 2, 7}, Qt::Key_PageDown, true, {2, 9, 2, 9}, true},
        {{2, 3, 2, 3}, Qt::Key_PageUp, true, {2, 0, 2, 0}, true},
        {{1, 2, 3, 5}, Qt::Key_A, true, {1, 2, 1, 2}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        CCellSelection selection = MakeSelection();
        selection.SetSelection(c.from);
        bool scroll = false;
        EXPECT_EQ(selection.MoveCellCursor(c.key, 4, scroll), c.moved);
        EXPECT_EQ(selection.Selection(), c.to);
        EXPECT_EQ(scroll, c.scroll);
    }
}

TEST(CCellSelectionTest, ScrollDistances)
{
    const QRect client(0, 0, 200, 100);
    // Below the list it scrolls down; above only while rows are hidden above.
    EXPECT_EQ(CCellSelection::AutoScrollDistance({50, 130}, client, 0), QPoint(0, 30));
    EXPECT_EQ(CCellSelection::AutoScrollDistance({50, -10}, client, 3), QPoint(0, -10));
    EXPECT_EQ(CCellSelection::AutoScrollDistance({50, -10}, client, 0), QPoint(0, 0));
    EXPECT_EQ(CCellSelection::AutoScrollDistance({-5, 50}, client, 0), QPoint(-5, 0));
    EXPECT_EQ(CCellSelection::AutoScrollDistance({260, 50}, client, 0), QPoint(60, 0));
}

TEST(CCellSelectionTest, LookOfACell)
{
    CCellSelection selection = MakeSelection();
    selection.SetSelection({1, 1, 2, 2});
    const QRect anyCell(50, 40, 50, 20);
    using Look = CCellSelection::Look;
    EXPECT_EQ(selection.LookOf(1, 1, anyCell, false, false, -1), Look::Disabled);
    EXPECT_EQ(selection.LookOf(1, 1, anyCell, true, false, -1), Look::Highlight);
    EXPECT_EQ(selection.LookOf(3, 1, anyCell, true, false, -1), Look::Window);
    // With the record editor only the first selected row is highlighted.
    EXPECT_EQ(selection.LookOf(1, 1, anyCell, true, true, 5), Look::Window);
    EXPECT_EQ(selection.LookOf(5, 0, anyCell, true, true, 5), Look::Highlight);
    // During a drag the block passed over shows, and the cells under the
    // rectangle.
    selection.OnPress(Cell(3, 3), false, false);
    selection.OnTick(Cell(3, 3), true, false);
    selection.OnTick(Cell(4, 4), true, false);
    EXPECT_EQ(selection.LookOf(3, 3, QRect(150, 80, 50, 20), true, false, -1), Look::Highlight);
    EXPECT_EQ(selection.LookOf(4, 4, QRect(200, 100, 50, 20), true, false, -1), Look::Highlight);
    EXPECT_EQ(selection.LookOf(1, 1, anyCell, true, false, -1), Look::Window);
}

} // namespace

} // namespace brelkin::test
