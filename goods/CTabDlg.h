#pragma once

#include "goods/base/CMainDlg.h"

#include <vector>

class CDataManager;
class QTabWidget;

namespace brelkin {

class CPageDlg;

// The record editor: one tab per page of the mode, OK checks every page,
// asks, and writes all pages in one transaction.
class CTabDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint { IDC_TAB = 23002 };

    CTabDlg(CDataManager* dataManager, int recordNo, bool newRecord, QWidget* parent,
            uint templateId, int windowKind);
    ~CTabDlg() override;

    void SetSecondDataManager(CDataManager* second) { m_pSecondDataManager = second; }
    const std::vector<CPageDlg*>& Pages() const { return m_pages; }
    CDataManager* DataManager() const { return m_pDataManager; }
    QTabWidget* TabControl() const { return m_pTab; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    virtual std::vector<CPageDlg*> CreatePages();

private:
    QWidget* ScrolledIfTall(CPageDlg* page);
    bool SaveAllPages();
    bool IsSecondManagersPage(unsigned pageId) const;
    QString SetPriceKey() const;

    CDataManager* m_pDataManager;
    CDataManager* m_pSecondDataManager = nullptr;
    int m_nRecordNo;
    bool m_bNewRecord;
    QTabWidget* m_pTab = nullptr;
    std::vector<CPageDlg*> m_pages; // children of the tab control
};

} // namespace brelkin
