#pragma once

#include "goods/base/CMainDlg.h"

#include <functional>

class CDataManager;
class CMainListCtrl;

namespace brelkin {

// The base of the floating price windows: a list over its own data
// manager's connection, opened with the window, and a placement restored at
// the start and saved at the end (the window title names it).
class CMainDlgEx : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint { IDC_LIST = 23001 };

    CMainDlgEx(CDataManager* manager, uint templateId, QWidget* parent, int windowKind);
    ~CMainDlgEx() override;

    CMainListCtrl* List() const { return m_pList; }

protected:
    // Title, list font, the manager's connection and read. A connection
    // that cannot be made shows its message; a failed open or read gives
    // its status for the caller's message. False on failure.
    bool OpenWindowData(const std::function<bool(int&)>& read, int& err, bool& messageShown);
    // After a failure: the window ends with IDCANCEL once it runs.
    void EndAfterFailure();
    void done(int result) override;

    CDataManager* m_pManager; // not owned
    CMainListCtrl* m_pList = nullptr;

private:
    bool m_bFailed = false;
};

} // namespace brelkin
