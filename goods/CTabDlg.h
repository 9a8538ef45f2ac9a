#pragma once

#include "goods/base/CTabbedDlg.h"

#include <vector>

class CDataManager;

namespace brelkin {

class CPageDlg;

// The record editor: one tab per page of the mode, OK checks every page,
// asks, and writes all pages in one transaction.
class CTabDlg : public CTabbedDlg
{
    Q_OBJECT

public:
    CTabDlg(CDataManager* dataManager, int recordNo, bool newRecord, QWidget* parent,
            uint templateId, int windowKind);
    ~CTabDlg() override;

    void SetSecondDataManager(CDataManager* second) { m_pSecondDataManager = second; }
    const std::vector<CPageDlg*>& Pages() const { return m_pages; }
    CDataManager* DataManager() const { return m_pDataManager; }

protected:
    bool OnInitDialog() override;
    virtual std::vector<CPageDlg*> CreatePages();
    unsigned CheckPage(int index) override;
    bool SaveAllPages() override;

private:
    QWidget* ScrolledIfTall(CPageDlg* page);
    bool IsSecondManagersPage(unsigned pageId) const;
    QString SetPriceKey() const;

    CDataManager* m_pDataManager;
    CDataManager* m_pSecondDataManager = nullptr;
    int m_nRecordNo;
    bool m_bNewRecord;
    std::vector<CPageDlg*> m_pages; // children of the tab control
};

} // namespace brelkin
