#pragma once

#include <QPixmap>
#include <QPushButton>

namespace kesmond {

class CKeySheetGrid;

// The key-layout canvas (and, in fill-only mode, the tab strip): the grid
// drawn from a cached picture that is made again only when the grid or the
// size changes, or the automatic-layout text.
class CFcKeySheetButton : public QPushButton
{
    Q_OBJECT
public:
    enum : int { kCanvasId = 9999, kStripId = 9998 };

    explicit CFcKeySheetButton(QWidget* parent = nullptr);
    ~CFcKeySheetButton() override;

    // The grid is not owned.
    void SetGrid(const CKeySheetGrid* grid);
    // The grid changed: the picture is made again at the next paint.
    void GridChanged();
    void SetAutoLayout(bool automatic);
    bool IsAutoLayout() const { return m_bAutoLayout; }
    void SetFillOnly(bool fillOnly, int colour);
    // How often the grid picture was made (a paint reuses it).
    int GridRenderCount() const { return m_nGridRenders; }

signals:
    // A release on the canvas itself deselects the editor's key.
    void backgroundReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RenderGrid();

    const CKeySheetGrid* m_pGrid = nullptr;
    bool m_bAutoLayout = false;
    bool m_bFillOnly = false;
    int m_nFillColour = 0;
    QPixmap m_gridPicture;
    bool m_bGridDirty = true;
    int m_nGridRenders = 0;
};

} // namespace kesmond
