#include "goods/CCellSelection.h"

#include <Qt>

#include <algorithm>

namespace brelkin {

namespace {

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

void CCellSelection::SetRows(int count, int rowTop, int rowHeight)
{
    m_nRows = std::max(0, count);
    m_nRowTop = rowTop;
    m_nRowHeight = std::max(1, rowHeight);
}

void CCellSelection::StartAt(QPoint content)
{
    m_anchor = content;
    m_point = content + QPoint(2, 2);
    m_selection = CellRange::None();
    ComputeCellSelection();
}

CCellSelection::Press CCellSelection::OnPress(QPoint content, bool shift, bool ctrl)
{
    if (shift && m_bExtendable) {
        m_bExtendable = false;
        m_bDragging = false;
        m_point = content;
        ComputeCellSelection();
        return Press::Extended;
    }
    if (ctrl)
        return Press::Ignored;
    if (m_bDragging)
        return Press::Default;
    StartAt(content);
    return Press::Started;
}

CCellSelection::Tick CCellSelection::OnTick(QPoint content, bool primaryDown, bool ctrl)
{
    if (!primaryDown) {
        if (!m_bDragging)
            return Tick::StopTimer;
        m_point = content;
        m_bDragging = false;
        ComputeCellSelection();
        m_bExtendable = true;
        return Tick::Ended;
    }
    if (ctrl)
        return Tick::Nothing;
    if (!m_bDragging) {
        StartAt(content);
        m_bExtendable = false;
        m_bDragging = true;
        return Tick::Began;
    }
    // The selection grows with the drag, so dragging back keeps what was
    // passed over until the button is released.
    m_point = content;
    ComputeCellSelection();
    return Tick::Moved;
}

QRect CCellSelection::DragRect() const
{
    int left = std::min(m_anchor.x(), m_point.x());
    int top = std::min(m_anchor.y(), m_point.y());
    int right = std::max(m_anchor.x(), m_point.x());
    int bottom = std::max(m_anchor.y(), m_point.y());
    if (m_anchor == m_point) {
        right = left + 1;
        bottom = top + 1;
    }
    return QRect(left, top, right - left, bottom - top);
}

bool CCellSelection::DragRectTakesPart() const
{
    const QRect drag = DragRect();
    return drag.x() != 0 && drag.y() != 0 && drag.x() + drag.width() != 0 &&
           drag.y() + drag.height() != 0;
}

bool CCellSelection::ComputeCellSelection()
{
    const CellRange before = m_selection;
    if (DragRectTakesPart()) {
        const QRect drag = DragRect();
        const int dragLeft = drag.x();
        const int dragRight = drag.x() + drag.width();
        for (int i = 0; i < int(m_columns.size()); ++i) {
            if (std::max(m_columns[i].first, dragLeft) >= std::min(m_columns[i].second, dragRight))
                continue;
            if (i <= m_selection.left || m_selection.left < 0)
                m_selection.left = i;
            if (i >= m_selection.right)
                m_selection.right = i;
        }
        // Rows are all one height: the rows under the rectangle by division.
        const int dragTop = drag.y();
        const int dragBottom = drag.y() + drag.height();
        if (m_nRows > 0 && dragBottom > dragTop) {
            const int first = std::max(0, FloorDiv(dragTop - m_nRowTop, m_nRowHeight));
            const int last =
                std::min(m_nRows - 1, FloorDiv(dragBottom - 1 - m_nRowTop, m_nRowHeight));
            if (first <= last) {
                if (first <= m_selection.top || m_selection.top < 0)
                    m_selection.top = first;
                if (last >= m_selection.bottom)
                    m_selection.bottom = last;
            }
        }
    }
    if (m_selection.right < m_selection.left)
        std::swap(m_selection.left, m_selection.right);
    if (m_selection.bottom < m_selection.top)
        std::swap(m_selection.top, m_selection.bottom);
    return !(m_selection == before);
}

bool CCellSelection::MoveCellCursor(int key, int rowsPerPage, bool& scroll)
{
    scroll = false;
    const int columns = ColumnCount();
    if (columns == 0 || m_nRows == 0)
        return false;
    int row = m_selection.top;
    int column = m_selection.left;
    const auto clampRow = [&](int wanted) {
        const int clamped = std::clamp(wanted, 0, m_nRows - 1);
        scroll = clamped != wanted;
        return clamped;
    };
    switch (key) {
    case Qt::Key_Left:
        if (column - 1 < 0)
            return false;
        --column;
        break;
    case Qt::Key_Right:
        if (column + 1 > columns - 1)
            return false;
        ++column;
        break;
    case Qt::Key_Up:
        row = clampRow(row - 1);
        break;
    case Qt::Key_Down:
        row = clampRow(row + 1);
        break;
    case Qt::Key_PageUp:
        row = clampRow(row - rowsPerPage);
        break;
    case Qt::Key_PageDown:
        row = clampRow(row + rowsPerPage);
        break;
    default:
        break;
    }
    m_selection = {column, row, column, row};
    return true;
}

QPoint CCellSelection::AutoScrollDistance(QPoint client, const QRect& clientRect, int topIndex)
{
    const int right = clientRect.x() + clientRect.width();
    const int bottom = clientRect.y() + clientRect.height();
    int dy = 0;
    if (client.y() > bottom)
        dy = client.y() - bottom;
    else if (client.y() < 0 && topIndex > 0)
        dy = client.y();
    int dx = 0;
    if (client.x() > right)
        dx = client.x() - right;
    else if (client.x() < clientRect.x())
        dx = client.x();
    return {dx, dy};
}

CCellSelection::Look CCellSelection::LookOf(int row, int column, const QRect& cell, bool enabled,
                                            bool editorAction, int firstSelectedRow) const
{
    if (!enabled)
        return Look::Disabled;
    if (editorAction)
        return row == firstSelectedRow ? Look::Highlight : Look::Window;
    if (m_selection.Contains(row, column))
        return Look::Highlight;
    return m_bDragging && DragRectTakesPart() && DragRect().intersects(cell) ? Look::Highlight
                                                                             : Look::Window;
}

} // namespace brelkin
