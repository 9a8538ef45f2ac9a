#pragma once

#include "goods/CListDlg.h"

namespace brelkin {

// The list window of set menus and mix & match offers: one record at a time,
// changed only in the record editor, whose page also edits the record's
// child rows; deleting a record deletes its child rows with it.
class CSetMixListDlg : public CListDlg
{
    Q_OBJECT

public:
    CSetMixListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
                   bool winpos);
    ~CSetMixListDlg() override;

    // Window kinds 6 (SM) and 12 (SM_RES) edit set menus, the others offers.
    static bool IsSetMenuKind(int windowKind) { return windowKind == 6 || windowKind == 12; }
    int MMDiscountTypeColumn() const { return m_nMMDiscountTypeColumn; }

protected:
    bool OnInitDialog() override;
    CTabDlg* CreateTabDlg(int recordNo, bool newRecord) override;
    CRecordListModel* CreateListModel() override;
    bool DeleteChildRecords(const QString& code, int& err) override;
    CPageDlg* CreatePageDlg() override;
    void ShowContextMenu(const QPoint& position) override;

private:
    int m_nMMDiscountTypeColumn = 0;
};

} // namespace brelkin
