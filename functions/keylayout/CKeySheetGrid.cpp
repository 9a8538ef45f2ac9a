#include "functions/keylayout/CKeySheetGrid.h"

#include "functions/keylayout/CFcKeyLayCSB023.h"

#include <algorithm>

namespace kesmond {

void CKeySheetGrid::SetGrid(int columns, int rows)
{
    m_nColumns = std::clamp(columns, kMinCells, kMaxCells);
    m_nRows = std::clamp(rows, kMinCells, kMaxCells);
    const int preset = m_pGeometry ? m_pGeometry->FindPreset(m_nColumns, m_nRows) : -1;
    if (preset >= 0) {
        m_cell = m_pGeometry->KeySize(preset);
    } else {
        m_cell = QSize((m_page.width() - 10) / m_nColumns - m_nGapX,
                       (m_page.height() - 16) / m_nRows - m_nGapY);
    }
    m_cell = QSize(std::max(0, m_cell.width()), std::max(0, m_cell.height()));
}

QPoint CKeySheetGrid::CellTopLeft(int column, int row) const
{
    return {m_origin.x() + std::max(0, column) * StepX(),
            m_origin.y() + std::max(0, row) * StepY()};
}

QPoint CKeySheetGrid::CellBottomRight(int column, int row) const
{
    return CellTopLeft(column, row) + QPoint(m_cell.width(), m_cell.height());
}

QPoint CKeySheetGrid::CellAt(int x, int y) const
{
    const int column =
        x < m_origin.x() ? -1 : std::min((x - m_origin.x()) / StepX(), m_nColumns - 1);
    const int row = y < m_origin.y() ? -1 : std::min((y - m_origin.y()) / StepY(), m_nRows - 1);
    return {column, row};
}

bool CKeySheetGrid::IsCellOrigin(int x, int y) const
{
    const int dx = x - m_origin.x();
    const int dy = y - m_origin.y();
    return dx >= 0 && dy >= 0 && dx % StepX() == 0 && dy % StepY() == 0 &&
           dx / StepX() <= m_nColumns && dy / StepY() <= m_nRows;
}

bool CKeySheetGrid::IsLastCell(int column, int row) const
{
    return column + 1 == m_nColumns && row + 1 == m_nRows;
}

} // namespace kesmond
