#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kesmond {

class CFcKeyLayCSB023;

// The grid of the key-layout canvas: cells from an origin with gaps after
// each, as many columns and rows as the grid dialog allows (1 to 48). Cell
// arithmetic divides, never loops, and a cell is never smaller than 0 x 0.
class CKeySheetGrid
{
public:
    static constexpr int kMinCells = 1;
    static constexpr int kMaxCells = 48;

    // geometry (not owned) gives the presets; the page is the canvas.
    void SetGeometry(const CFcKeyLayCSB023* geometry) { m_pGeometry = geometry; }
    void SetPageRect(const QRect& page) { m_page = page; }
    // Columns and rows within 1 to 48; a preset with exactly these takes its
    // key size as the cell, otherwise the page is divided.
    void SetGrid(int columns, int rows);

    QPoint CellTopLeft(int column, int row) const;
    QPoint CellBottomRight(int column, int row) const;
    // -1 left of or above the grid; a point beyond it belongs to the last
    // column or row.
    QPoint CellAt(int x, int y) const;
    bool IsCellOrigin(int x, int y) const;
    bool IsLastCell(int column, int row) const;

    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    QPoint Origin() const { return m_origin; }
    QSize CellSize() const { return m_cell; }
    int StepX() const { return m_cell.width() + m_nGapX; }
    int StepY() const { return m_cell.height() + m_nGapY; }
    QSize GridSize() const { return {StepX() * m_nColumns, StepY() * m_nRows}; }

private:
    const CFcKeyLayCSB023* m_pGeometry = nullptr;
    QRect m_page;
    QPoint m_origin{2, 2};
    QSize m_cell{127, 68};
    int m_nGapX = 1;
    int m_nGapY = 3;
    int m_nColumns = 3;
    int m_nRows = 5;
};

} // namespace kesmond
