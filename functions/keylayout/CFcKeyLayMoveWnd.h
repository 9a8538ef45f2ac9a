#pragma once

#include "functions/keylayout/KeySnap.h"

#include <QWidget>

namespace kesmond {

class CFcKeyLayButton;
class CKeyButtonHost;
class CKeySheetGrid;

// The rubber band of a drag: a child of the canvas over the key that holds
// the mouse until the button is released, then hands its rectangle on.
class CFcKeyLayMoveWnd : public QWidget
{
    Q_OBJECT
public:
    // key, grid and host are not owned.
    CFcKeyLayMoveWnd(CFcKeyLayButton& key, const CKeySheetGrid& grid, CKeyButtonHost* host,
                     QWidget* canvas);
    ~CFcKeyLayMoveWnd() override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CFcKeyLayButton& m_key;
    const CKeySheetGrid& m_grid;
    CKeyButtonHost* m_pHost;
    QPoint m_clickPoint;
    QSize m_pressSize;
    KeyCursorZone m_zone;
    bool m_bDone = false;
};

} // namespace kesmond
