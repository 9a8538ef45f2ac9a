#pragma once

#include "goods/CMainDlgEx.h"

class CDataManager;
class CRecordListModel;

namespace brelkin {

// The floating departments, from which the floating price window opens for
// every item (OK, a double click) or every department (23048).
class CPrFloatingPriceListDlg : public CMainDlgEx
{
    Q_OBJECT

public:
    enum : uint { IDC_STATUS = 23053, IDC_DEPTMODE = 23048 };
    static constexpr uint IDD = 3044;
    static constexpr uint IDD_PRICE = 3043;

    CPrFloatingPriceListDlg(CDataManager* manager, uint templateId, QWidget* parent,
                            int windowKind);
    ~CPrFloatingPriceListDlg() override;

    CRecordListModel* Model() const { return m_pModel; }
    bool OnCommand(uint id) override;
    // Builds the price window for the selected department and runs it.
    void OpenFloatingPriceDlg(bool itemMode);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateButtons();

    CRecordListModel* m_pModel = nullptr;
};

// Command 23049 of the list windows: the floating department list, built
// and freed here.
void LaunchFloatingDeptList(QWidget* parent);

} // namespace brelkin
