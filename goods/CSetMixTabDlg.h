#pragma once

#include "goods/CTabDlg.h"

namespace brelkin {

// The record editor of a set menu or mix & match offer: its pages edit the
// record and its child rows, all saved in the editor's one transaction.
class CSetMixTabDlg : public CTabDlg
{
    Q_OBJECT

public:
    CSetMixTabDlg(CDataManager* dataManager, int recordNo, bool newRecord, QWidget* parent,
                  uint templateId, int windowKind);
    ~CSetMixTabDlg() override;

protected:
    std::vector<CPageDlg*> CreatePages() override;
};

} // namespace brelkin
