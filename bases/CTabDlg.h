#pragma once

#include "goods/base/CMainDlg.h"

#include <QString>

#include <vector>

class CColumnData;
class CDataManager;
class QTabWidget;

namespace dunmarel {

class CPageDlg;

// The one window of a run: a tab per page of the mode; OK checks every page,
// asks, and saves all pages in one transaction.
class CTabDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint { IDC_TAB = 23002 };

    // detail: the manager of the setting detail page 3018, or nullptr.
    CTabDlg(CDataManager* manager, uint templateId, int windowKind, CDataManager* detail);
    ~CTabDlg() override;

    const std::vector<CPageDlg*>& Pages() const { return m_pages; }
    QTabWidget* TabControl() const { return m_pTab; }

protected:
    bool OnInitDialog() override;
    bool event(QEvent* event) override;
    void OnOK() override;
    // The page objects of the mode, in tab order.
    virtual std::vector<CPageDlg*> CreatePages();

private:
    void BuildFrame(uint templateId);
    void FitToPages();
    void SetTabOrder();
    void ShowPage(int index);
    bool SaveAllPages();

    CDataManager* m_pDataManager; // not owned
    CDataManager* m_pDetail;      // not owned
    QTabWidget* m_pTab = nullptr;
    std::vector<CPageDlg*> m_pages; // children of the tab control
};

} // namespace dunmarel
