#include "functions/keylayout/CKeySheetController.h"

#include "functions/keylayout/CFcKeyLayMoveWnd.h"
#include "functions/keylayout/CFcKeySheetButton.h"

#include <QApplication>

#include <algorithm>

namespace kesmond {

CKeySheetController::CKeySheetController(CKeyLayoutEditor& editor, CFcKeySheetButton* canvas,
                                         CFcKeySheetButton* strip)
    : m_editor(editor), m_pCanvas(canvas), m_pStrip(strip)
{
    m_dragTimer.setSingleShot(true);
    connect(&m_dragTimer, &QTimer::timeout, this, &CKeySheetController::OnDragTimer);
    if (m_pCanvas) {
        m_pCanvas->SetGrid(&m_editor.Grid());
        connect(m_pCanvas, &CFcKeySheetButton::backgroundReleased, this,
                [this] { m_editor.Deselect(); });
    }
    m_editor.SetView(this);
}

CKeySheetController::~CKeySheetController()
{
    m_editor.SetView(nullptr);
    delete m_moveWnd.data();
    DestroyWindows(m_keys);
    DestroyWindows(m_tabs);
}

int CKeySheetController::DragDelay()
{
    return QApplication::doubleClickInterval() / 3 + 10;
}

CFcKeyLayButton* CKeySheetController::MakeKey(CButtonProperty& record)
{
    auto key = new CFcKeyLayButton(CFcKeyLayButton::Mode::Key, this, m_pCanvas);
    key->SetProperty(&record);
    key->show();
    m_keys.push_back(key);
    return key;
}

// The windows go; their records stay, no longer shown.
void CKeySheetController::DestroyWindows(std::vector<CFcKeyLayButton*>& windows)
{
    for (CFcKeyLayButton* window : windows) {
        if (window->Record())
            window->Record()->m_pWindow = nullptr;
        delete window;
    }
    windows.clear();
}

void CKeySheetController::ShowRecord(CButtonProperty& record, bool)
{
    if (auto window = static_cast<CFcKeyLayButton*>(record.m_pWindow))
        window->SetProperty(&record);
}

void CKeySheetController::PageShown()
{
    DestroyWindows(m_keys);
    if (m_pCanvas)
        m_pCanvas->SetAutoLayout(m_editor.IsAutomaticPage());
    for (CButtonProperty* record : m_editor.ShownKeys())
        MakeKey(*record);
}

void CKeySheetController::StripShown()
{
    DestroyWindows(m_tabs);
    for (CButtonProperty* record : m_editor.StripWindows()) {
        auto tab = new CFcKeyLayButton(CFcKeyLayButton::Mode::Tab, this, m_pStrip);
        tab->SetProperty(record);
        tab->show();
        m_tabs.push_back(tab);
    }
}

void CKeySheetController::KeyAdded(CButtonProperty& key)
{
    if (key.m_nSheetNumber != m_editor.CurrentPage() || m_editor.IsAutomaticPage())
        return;
    CFcKeyLayButton* window = MakeKey(key);
    // Only a selected key takes the focus: a focused key is drawn selected.
    if (&key != m_editor.SelectedKey())
        return;
    window->raise();
    window->setFocus();
}

void CKeySheetController::KeyRemoved(CButtonProperty& key)
{
    auto window = static_cast<CFcKeyLayButton*>(key.m_pWindow);
    const auto at = std::find(m_keys.begin(), m_keys.end(), window);
    if (at == m_keys.end())
        return;
    m_keys.erase(at);
    key.m_pWindow = nullptr;
    delete window;
}

void CKeySheetController::StateChanged()
{
    for (CFcKeyLayButton* key : m_keys)
        key->SetSelected(key->Record() == m_editor.SelectedKey());
    for (CFcKeyLayButton* tab : m_tabs)
        tab->SetSelected(tab->Record() == m_editor.CurrentTab());
    // The grid picture is made again only for a new grid.
    const QRect grid(QPoint(m_editor.Grid().Columns(), m_editor.Grid().Rows()),
                     m_editor.Grid().CellSize());
    if (m_pCanvas && grid != m_shownGrid) {
        m_shownGrid = grid;
        m_pCanvas->GridChanged();
    }
    emit stateChanged();
}

void CKeySheetController::KeyPressed(CFcKeyLayButton& key)
{
    m_editor.SelectKey(key.Record());
    key.raise();
    m_dragTimer.start(DragDelay());
    m_bDoubleClick = false;
}

void CKeySheetController::KeyReleased(CFcKeyLayButton&)
{
    m_dragTimer.stop();
}

void CKeySheetController::KeyDoubleClicked(CFcKeyLayButton& key)
{
    m_bDoubleClick = true;
    m_dragTimer.stop();
    emit commandPosted(key.GetMode() == CFcKeyLayButton::Mode::Key ? uint(IDC_BUTTON_SET)
                                                                   : uint(IDC_PAGE_SET));
}

void CKeySheetController::TabPressed(CFcKeyLayButton& tab)
{
    m_editor.SelectTab(tab.Record());
}

void CKeySheetController::OnDragTimer()
{
    if (m_bDoubleClick || !m_editor.SelectedKey() || !m_pCanvas)
        return;
    auto key = static_cast<CFcKeyLayButton*>(m_editor.SelectedKey()->m_pWindow);
    if (!key)
        return;
    delete m_moveWnd.data();
    m_moveWnd = new CFcKeyLayMoveWnd(*key, m_editor.Grid(), this, m_pCanvas);
}

void CKeySheetController::MoveTo(CFcKeyLayButton& key, const QRect& rect)
{
    if (key.Record() == m_editor.SelectedKey())
        m_editor.MoveSelectedKey(rect);
}

} // namespace kesmond
