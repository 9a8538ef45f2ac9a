#pragma once

#include "functions/keylayout/CFcKeyLayButton.h"
#include "functions/keylayout/CFcKeyLayMoveWnd.h"
#include "functions/keylayout/CKeyLayoutEditor.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace kesmond {

class CFcKeySheetButton;

// The editor's keys on screen: the key windows on the canvas, the tab
// windows on the strip, timer 99 that starts a drag, the double-click flag
// and the move window. Input goes to the editor; commands the window
// handles (key and page settings) are posted as commandPosted.
class CKeySheetController : public QObject, public CKeyLayoutView, public CKeyButtonHost
{
    Q_OBJECT
public:
    enum : uint { IDC_PAGE_SET = 23147, IDC_BUTTON_SET = 23149 };

    // Editor and widgets are not owned and outlive the controller.
    CKeySheetController(CKeyLayoutEditor& editor, CFcKeySheetButton* canvas,
                        CFcKeySheetButton* strip);
    ~CKeySheetController() override;

    // The key windows of the shown page and the tab windows of the strip page.
    const std::vector<CFcKeyLayButton*>& KeyWindows() const { return m_keys; }
    const std::vector<CFcKeyLayButton*>& TabWindows() const { return m_tabs; }
    CFcKeyLayMoveWnd* MoveWindow() const { return m_moveWnd; }
    bool DoubleClicked() const { return m_bDoubleClick; }
    // The press-to-drag wait: a third of the double-click time and 10 ms.
    static int DragDelay();

    // CKeyLayoutView
    void ShowRecord(CButtonProperty& record, bool place) override;
    void PageShown() override;
    void StripShown() override;
    void KeyAdded(CButtonProperty& key) override;
    void KeyRemoved(CButtonProperty& key) override;
    void StateChanged() override;

    // CKeyButtonHost
    void KeyPressed(CFcKeyLayButton& key) override;
    void KeyReleased(CFcKeyLayButton& key) override;
    void KeyDoubleClicked(CFcKeyLayButton& key) override;
    void TabPressed(CFcKeyLayButton& tab) override;
    void MoveTo(CFcKeyLayButton& key, const QRect& rect) override;

signals:
    void commandPosted(uint id);
    // The editor's state changed: what the window enables may follow.
    void stateChanged();

private:
    void OnDragTimer();
    CFcKeyLayButton* MakeKey(CButtonProperty& record);
    static void DestroyWindows(std::vector<CFcKeyLayButton*>& windows);

    CKeyLayoutEditor& m_editor;
    CFcKeySheetButton* m_pCanvas;
    CFcKeySheetButton* m_pStrip;
    std::vector<CFcKeyLayButton*> m_keys;
    std::vector<CFcKeyLayButton*> m_tabs;
    QTimer m_dragTimer;
    bool m_bDoubleClick = false;
    QPointer<CFcKeyLayMoveWnd> m_moveWnd;
    QRect m_shownGrid; // columns, rows and cell size the canvas last drew
};

} // namespace kesmond
