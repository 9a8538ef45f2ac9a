#pragma once

// The rectangular cell selection of the easy list, without widgets: the
// list control feeds it the cells' geometry in content coordinates (client
// x plus the horizontal scroll position, client y plus the top row times the
// row height) and the mouse points, and turns what comes back into timers,
// mouse capture and repaints.
//
// A drag only ever widens the selection; a new press starts from none.

#include <QPoint>
#include <QRect>

#include <vector>

namespace brelkin {

struct CellRange
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr CellRange None() { return {-1, -1, -1, -1}; }
    bool IsNone() const { return left < 0 || top < 0 || right < 0 || bottom < 0; }
    bool Contains(int row, int column) const
    {
        return !IsNone() && left <= column && column <= right && top <= row && row <= bottom;
    }
    bool operator==(const CellRange&) const = default;
};

class CCellSelection
{
public:
    // What a press asks of the control.
    enum class Press {
        Ignored,  // Ctrl held: not even the list's own click handling
        Default,  // the list's own handling and nothing more (a drag runs)
        Started,  // the pressed cell is selected: update the current cell, arm the timer
        Extended, // Shift after a drag: release capture, stop the timer, update, repaint
    };
    // What a timer tick asks of the control.
    enum class Tick {
        StopTimer, // the button is up and no drag ran
        Nothing,   // Ctrl held
        Began,     // a drag began: update the current cell, capture the mouse
        Moved,     // the drag goes on: scroll if outside, repaint, keep the capture
        Ended,     // the drag ended: stop the timer, release capture, repaint
    };
    // Cell colours of the easy list.
    enum class Look { Window, Highlight, Disabled };

    // Column label spans [left, right) and rows [rowTop + i * rowHeight, ...),
    // both in content coordinates.
    void SetColumns(std::vector<std::pair<int, int>> spans) { m_columns = std::move(spans); }
    void SetRows(int count, int rowTop, int rowHeight);
    int ColumnCount() const { return int(m_columns.size()); }
    int RowCount() const { return m_nRows; }

    const CellRange& Selection() const { return m_selection; }
    void SetSelection(const CellRange& selection) { m_selection = selection; }
    // The current cell a mouse selection leaves: (top row, left column).
    QPoint CurrentCell() const { return {m_selection.left, m_selection.top}; }

    Press OnPress(QPoint content, bool shift, bool ctrl);
    Tick OnTick(QPoint content, bool primaryDown, bool ctrl);
    bool IsDragging() const { return m_bDragging; }
    bool IsExtendable() const { return m_bExtendable; }

    // The rectangle of anchor and point, normalised; one pixel when they are
    // one point. It takes part only when none of its sides lies on 0.
    QRect DragRect() const;
    bool DragRectTakesPart() const;
    // Widens the selection to the cells under the drag rectangle; true when
    // it changed.
    bool ComputeCellSelection();

    // Moves a one-cell selection by a key (Qt::Key_Left, _Right, _Up,
    // _Down, _PageUp, _PageDown); false when nothing happens at all (Left on
    // column 0, Right on the last column). scroll is set when a row was
    // clamped, which forces the list to scroll.
    bool MoveCellCursor(int key, int rowsPerPage, bool& scroll);

    // How far the list scrolls while the pointer is outside the client
    // area during a drag (x, y in pixels).
    static QPoint AutoScrollDistance(QPoint client, const QRect& clientRect, int topIndex);

    // The colours of one cell. editorAction: the double-click option opens
    // the record editor (rows, not cells). cell in content coordinates.
    // During a drag the cells under the rectangle show with the selection.
    Look LookOf(int row, int column, const QRect& cell, bool enabled, bool editorAction,
                int firstSelectedRow) const;

private:
    void StartAt(QPoint content);

    std::vector<std::pair<int, int>> m_columns;
    int m_nRows = 0;
    int m_nRowTop = 0;
    int m_nRowHeight = 1;
    CellRange m_selection;
    QPoint m_anchor;
    QPoint m_point;
    bool m_bDragging = false;
    bool m_bExtendable = false;
};

} // namespace brelkin
