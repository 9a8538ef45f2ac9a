#include "goods/CSetMixTabDlg.h"

#include "goods/CSetMixPageDlg.h"

#include "shared/data/CDataManager.h"

namespace brelkin {

CSetMixTabDlg::CSetMixTabDlg(CDataManager* dataManager, int recordNo, bool newRecord,
                             QWidget* parent, uint templateId, int windowKind)
    : CTabDlg(dataManager, recordNo, newRecord, parent, templateId, windowKind)
{
}

CSetMixTabDlg::~CSetMixTabDlg() = default;

std::vector<CPageDlg*> CSetMixTabDlg::CreatePages()
{
    std::vector<CPageDlg*> pages;
    for (int i = 0; i < DataManager()->m_nPageCount; ++i) {
        auto* page = new CSetMixPageDlg();
        page->SetWindowKind(WindowKind());
        pages.push_back(page);
    }
    return pages;
}

} // namespace brelkin
