#pragma once

#include "functions/keylayout/CNinePatchButton.h"
#include "functions/keylayout/KeySnap.h"

namespace kesmond {

class CButtonProperty;
class CFcKeyLayButton;

// The window that keys, tabs and the move window report to (the editor's).
class CKeyButtonHost
{
public:
    virtual ~CKeyButtonHost() = default;
    virtual void KeyPressed(CFcKeyLayButton& key) = 0;
    virtual void KeyReleased(CFcKeyLayButton& key) = 0;
    virtual void KeyDoubleClicked(CFcKeyLayButton& key) = 0;
    virtual void TabPressed(CFcKeyLayButton& tab) = 0;
    // The end of a drag: the key's new rectangle on the canvas.
    virtual void MoveTo(CFcKeyLayButton& key, const QRect& rect) = 0;
};

// A key on the canvas or a tab or arrow on the strip, showing its record
// (not owned) over its nine-slice background.
class CFcKeyLayButton : public CNinePatchButton
{
    Q_OBJECT
public:
    enum class Mode { Key, Tab };

    CFcKeyLayButton(Mode mode, CKeyButtonHost* host, QWidget* parent);
    ~CFcKeyLayButton() override;

    // Shows the record: image, colours, overhangs, place and size.
    void SetProperty(CButtonProperty* record);
    CButtonProperty* Record() const { return m_pRecord; }
    Mode GetMode() const { return m_mode; }
    QPoint ClickPoint() const { return m_clickPoint; }
    QSize PressSize() const { return m_pressSize; }
    KeyCursorZone PressZone() const { return m_pressZone; }

protected:
    void DrawContent(QPainter& painter, const QRect& rect) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Mode m_mode;
    CKeyButtonHost* m_pHost;
    CButtonProperty* m_pRecord = nullptr;
    QPoint m_clickPoint{-1, -1};
    QSize m_pressSize{-1, -1};
    KeyCursorZone m_pressZone = KeyCursorZone::Move;
    int m_nWidthOffset = 0;
    int m_nHeightOffset = 4;
};

// The cursor shape of a zone.
Qt::CursorShape CursorOfZone(KeyCursorZone zone);

} // namespace kesmond
