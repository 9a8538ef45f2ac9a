#include "goods/CMainListCtrlEasy.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <climits>

namespace brelkin {

namespace {

// Pixels between a cell's text and its right line.
constexpr int kTextInset = 3;

} // namespace

CMainListCtrlEasy::CMainListCtrlEasy(QWidget* parent) : CMainListCtrl(parent)
{
    setShowGrid(false); // the cells draw their own frames
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_dragTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_dragTimer, &QTimer::timeout, this, &CMainListCtrlEasy::OnDragTick);
}

void CMainListCtrlEasy::SetDblClkAction(int action)
{
    m_nDblClkAction = action;
    viewport()->update();
}

void CMainListCtrlEasy::SetRowHeight(int height)
{
    m_nRowHeight = height;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void CMainListCtrlEasy::SetCellSelection(const CellRange& selection)
{
    m_cells.SetSelection(selection);
    viewport()->update();
}

int CMainListCtrlEasy::RowsPerPage() const
{
    const int height = verticalHeader()->defaultSectionSize();
    return qMax(1, viewport()->height() / qMax(1, height));
}

void CMainListCtrlEasy::RefreshGeometry()
{
    const int columns = model() ? model()->columnCount() : 0;
    std::vector<std::pair<int, int>> spans;
    spans.reserve(size_t(columns));
    const QHeaderView* header = horizontalHeader();
    for (int i = 0; i < columns; ++i) {
        // A hidden column spans nothing, so no drag ever selects it.
        const int left = header->sectionPosition(i);
        const int width = header->isSectionHidden(i) ? 0 : header->sectionSize(i);
        spans.emplace_back(left, left + width);
    }
    m_cells.SetColumns(std::move(spans));
    m_cells.SetRows(model() ? model()->rowCount() : 0, 0, verticalHeader()->defaultSectionSize());
}

QPoint CMainListCtrlEasy::ToContent(QPoint viewportPoint) const
{
    return viewportPoint + QPoint(horizontalOffset(), verticalOffset());
}

QRect CMainListCtrlEasy::CellRect(int row, int column) const
{
    return QRect(columnViewportPosition(column), rowViewportPosition(row), columnWidth(column),
                 rowHeight(row));
}

void CMainListCtrlEasy::StartDragTimer(int ms)
{
    m_dragTimer.start(ms);
}

void CMainListCtrlEasy::StopDragTimer()
{
    m_dragTimer.stop();
}

void CMainListCtrlEasy::ReportCurrentCell()
{
    const CellRange& selection = m_cells.Selection();
    if (!selection.IsNone())
        emit currentCellChanged(selection.top, selection.left);
}

void CMainListCtrlEasy::mousePressEvent(QMouseEvent* event)
{
    if (m_nDblClkAction == ACTION_RECORD_EDITOR || event->button() != Qt::LeftButton) {
        CMainListCtrl::mousePressEvent(event);
        return;
    }
    m_bPrimaryDown = true;
    m_lastPos = event->position().toPoint();
    m_bCtrl = event->modifiers().testFlag(Qt::ControlModifier);
    RefreshGeometry();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    switch (m_cells.OnPress(ToContent(m_lastPos), shift, m_bCtrl)) {
    case CCellSelection::Press::Ignored:
        return;
    case CCellSelection::Press::Default:
        CMainListCtrl::mousePressEvent(event);
        return;
    case CCellSelection::Press::Extended:
        StopDragTimer();
        ReportCurrentCell();
        viewport()->update();
        CMainListCtrl::mousePressEvent(event);
        return;
    case CCellSelection::Press::Started:
        CMainListCtrl::mousePressEvent(event);
        ReportCurrentCell();
        if (!m_cells.IsDragging() && !m_dragTimer.isActive())
            StartDragTimer(kPressTickMs);
        viewport()->update();
        return;
    }
}

void CMainListCtrlEasy::mouseReleaseEvent(QMouseEvent* event)
{
    CMainListCtrl::mouseReleaseEvent(event);
    if (m_nDblClkAction == ACTION_RECORD_EDITOR || event->button() != Qt::LeftButton)
        return;
    m_bPrimaryDown = false;
    m_lastPos = event->position().toPoint();
    // The drag ends with the release, not a tick later.
    OnDragTick();
}

void CMainListCtrlEasy::mouseMoveEvent(QMouseEvent* event)
{
    CMainListCtrl::mouseMoveEvent(event);
    if (m_nDblClkAction == ACTION_RECORD_EDITOR)
        return;
    m_bCtrl = event->modifiers().testFlag(Qt::ControlModifier);
    m_bPrimaryDown = event->buttons().testFlag(Qt::LeftButton);
    // A move before the first tick after a press begins the drag where the
    // press was.
    if (m_bPrimaryDown && !m_cells.IsDragging() && m_dragTimer.isActive())
        OnDragTick();
    m_lastPos = event->position().toPoint();
    if (m_bPrimaryDown && m_cells.IsDragging()) {
        // The selection follows the pointer; the timer keeps scrolling
        // while it rests outside the list.
        OnDragTick();
        return;
    }
    if (!m_bInPlaceEditOpen && !m_bPrimaryDown && !m_dragTimer.isActive())
        StartDragTimer(kMoveTickMs);
}

void CMainListCtrlEasy::OnDragTick()
{
    RefreshGeometry();
    switch (m_cells.OnTick(ToContent(m_lastPos), m_bPrimaryDown, m_bCtrl)) {
    case CCellSelection::Tick::StopTimer:
        StopDragTimer();
        return;
    case CCellSelection::Tick::Nothing:
        return;
    case CCellSelection::Tick::Began:
        ReportCurrentCell();
        StartDragTimer(kMoveTickMs);
        viewport()->update();
        return;
    case CCellSelection::Tick::Moved:
        AutoScroll();
        viewport()->update();
        return;
    case CCellSelection::Tick::Ended:
        StopDragTimer();
        ReportCurrentCell();
        viewport()->update();
        return;
    }
}

void CMainListCtrlEasy::AutoScroll()
{
    const QPoint distance =
        CCellSelection::AutoScrollDistance(m_lastPos, viewport()->rect(), rowAt(0));
    if (distance.y() != 0) {
        // Rows scroll whole: a distance of part of a row still moves one.
        const int height = qMax(1, verticalHeader()->defaultSectionSize());
        const int rows = distance.y() > 0 ? (distance.y() + height - 1) / height
                                          : -((-distance.y() + height - 1) / height);
        verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
    }
    if (distance.x() != 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + distance.x());
}

bool CMainListCtrlEasy::MoveCellCursor(int key)
{
    RefreshGeometry();
    bool forceScroll = false;
    if (!m_cells.MoveCellCursor(key, RowsPerPage(), forceScroll))
        return false;
    const CellRange& cell = m_cells.Selection();
    const QRect rect = CellRect(cell.top, cell.left);
    if (forceScroll || !viewport()->rect().contains(rect))
        scrollTo(model()->index(cell.top, cell.left));
    viewport()->update();
    return true;
}

void CMainListCtrlEasy::paintEvent(QPaintEvent* event)
{
    if (!model())
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int rows = model()->rowCount();
    if (rows == 0)
        return;
    int firstRow = rowAt(area.top());
    int lastRow = rowAt(area.bottom());
    if (firstRow < 0)
        firstRow = 0;
    if (lastRow < 0)
        lastRow = rows - 1;

    RefreshGeometry();
    // The first selected row, for the editor option's look.
    int firstSelected = -1;
    if (m_nDblClkAction == ACTION_RECORD_EDITOR && selectionModel()) {
        int top = INT_MAX;
        for (const QItemSelectionRange& range : selectionModel()->selection())
            top = qMin(top, range.top());
        firstSelected = top == INT_MAX ? -1 : top;
    }

    const QPalette& colours = palette();
    const QColor shadow = colours.color(QPalette::Dark);
    const QHeaderView* header = horizontalHeader();
    const int columns = header->count();
    const QPoint offset(horizontalOffset(), verticalOffset());
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int visual = 0; visual < columns; ++visual) {
            const int column = header->logicalIndex(visual);
            if (header->isSectionHidden(column))
                continue;
            const QRect cell = CellRect(row, column);
            if (cell.right() < area.left() || cell.left() > area.right() + 1)
                continue;
            QColor background;
            QColor text;
            switch (m_cells.LookOf(row, column, cell.translated(offset), isEnabled(),
                                   m_nDblClkAction == ACTION_RECORD_EDITOR, firstSelected)) {
            case CCellSelection::Look::Disabled:
                background = colours.color(QPalette::Button);
                text = colours.color(QPalette::Disabled, QPalette::Text);
                break;
            case CCellSelection::Look::Highlight:
                background = colours.color(QPalette::Active, QPalette::Highlight);
                text = colours.color(QPalette::Active, QPalette::HighlightedText);
                break;
            case CCellSelection::Look::Window:
                background = colours.color(QPalette::Base);
                text = colours.color(QPalette::Text);
                break;
            }
            // The frames are the grid: each cell draws its left and top line
            // one pixel outside itself, the first from the list's edge.
            const int frameLeft = visual == 0 ? -1 : cell.left() - 1;
            const int frameRight = cell.left() + cell.width();
            const QRect frame(frameLeft, cell.top() - 1, frameRight - frameLeft, cell.height());
            painter.setPen(shadow);
            painter.setBrush(background);
            painter.drawRect(frame);

            const QModelIndex index = model()->index(row, column);
            const QString value = index.data(Qt::DisplayRole).toString();
            if (value.isEmpty())
                continue;
            const Qt::Alignment horizontal =
                Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
            // Texts keep clear of the lines on either side (digits are set
            // to the right).
            const int textLeft = cell.left() + (visual == 0 ? 1 : 3);
            const QRect textRect(textLeft, cell.top() - 1,
                                 cell.left() + cell.width() - kTextInset - textLeft,
                                 cell.height() + 1);
            painter.setPen(text);
            painter.drawText(
                textRect,
                (horizontal ? horizontal : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine,
                painter.fontMetrics().elidedText(value, Qt::ElideRight, textRect.width()));
        }
    }
}

} // namespace brelkin
