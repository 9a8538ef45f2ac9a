#pragma once

#include "goods/base/CTabbedDlg.h"

#include <QSize>
#include <QString>

#include <vector>

class CColumnData;
class CDataManager;

namespace dunmarel {

class CPageDlg;

// The one window of a run: a tab per page of the mode; OK checks every page,
// asks, and saves all pages in one transaction.
class CTabDlg : public CTabbedDlg
{
    Q_OBJECT

public:
    // detail: the manager of the setting detail page 3018, or nullptr.
    CTabDlg(CDataManager* manager, uint templateId, int windowKind, CDataManager* detail);
    ~CTabDlg() override;

    const std::vector<CPageDlg*>& Pages() const { return m_pages; }

protected:
    bool OnInitDialog() override;
    unsigned CheckPage(int index) override;
    bool SaveAllPages() override;
    bool event(QEvent* event) override;

private:
    // The page objects of the mode, in tab order.
    std::vector<CPageDlg*> CreatePages();
    void BuildFrame(uint templateId);
    void FitToPages();

    CDataManager* m_pDataManager;   // not owned
    CDataManager* m_pDetail;        // not owned
    QSize m_frameSize;              // the template's, the least the frame takes
    std::vector<CPageDlg*> m_pages; // children of the tab control
};

} // namespace dunmarel
