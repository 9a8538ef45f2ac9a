#pragma once

// The record list of the easy list window: every cell drawn with its grid,
// and a rectangular cell selection set by dragging or moved by keys. With
// the editor double-click option it leaves the mouse to the row selection
// and highlights the first selected row instead.

#include "goods/CCellSelection.h"
#include "goods/base/CMainListCtrl.h"

#include <QTimer>

namespace brelkin {

class CMainListCtrlEasy : public CMainListCtrl
{
    Q_OBJECT

public:
    // Double-click options of the easy list window.
    enum { ACTION_EDIT_IN_PLACE = 0, ACTION_RECORD_EDITOR = 1 };
    // Drag timer periods: at once after a press, then while the pointer rests.
    static constexpr int kPressTickMs = 1;
    static constexpr int kMoveTickMs = 50;

    explicit CMainListCtrlEasy(QWidget* parent = nullptr);

    void SetDblClkAction(int action);
    int DblClkAction() const { return m_nDblClkAction; }
    void SetRowHeight(int height);
    // An open in-place edit keeps the drag timer from starting on a move.
    void SetInPlaceEditOpen(bool open) { m_bInPlaceEditOpen = open; }

    const CellRange& CellSelection() const { return m_cells.Selection(); }
    void SetCellSelection(const CellRange& selection);
    // Moves a one-cell selection by a cursor key and scrolls it into view;
    // false when the key changed nothing.
    bool MoveCellCursor(int key);
    int RowsPerPage() const;
    bool DragTimerRunning() const { return m_dragTimer.isActive(); }

signals:
    // The mouse set the cell selection: its top row and left column.
    void currentCellChanged(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void RefreshGeometry();
    QPoint ToContent(QPoint viewportPoint) const;
    // The cell's rectangle in viewport coordinates; model row and column.
    QRect CellRect(int row, int column) const;
    void StartDragTimer(int ms);
    void StopDragTimer();
    void OnDragTick();
    void ReportCurrentCell();
    void AutoScroll();

    CCellSelection m_cells;
    QTimer m_dragTimer;
    QPoint m_lastPos; // viewport coordinates of the last mouse event
    bool m_bPrimaryDown = false;
    bool m_bCtrl = false;
    int m_nDblClkAction = ACTION_EDIT_IN_PLACE;
    int m_nRowHeight = 0;
    bool m_bInPlaceEditOpen = false;
};

} // namespace brelkin
