#pragma once

#include "goods/base/CMainDlg.h"

class CDataManager;
class CMainListCtrl;
class QLabel;
class QToolButton;

namespace brelkin {

class CRecordListModel;
class CTabDlg;

// The main window of a standard mode: the mode's table as a list, one row
// per record, from which records are opened in the record editor, added
// under a new code, deleted, and sorted by any column.
class CListDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDC_LIST = 23001,
        IDC_STATUS = 23053,
        IDC_FLOATINGPRICE = 23049,
        IDC_INSERT = 23048,
        IDC_DELETE = 23047,
    };
    // The commands of the table's text files (the system menu's items).
    enum : uint { SC_DATADELETE = 16, SC_DATAIMPORT = 32, SC_DATAEXPORT = 48, SC_OESIMPORT = 64 };

    CListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
             bool winpos);
    ~CListDlg() override;

    void SetSecondDataManager(CDataManager* second) { m_pSecondDataManager = second; }
    CRecordListModel* Model() const { return m_pModel; }
    CMainListCtrl* List() const { return m_pList; }
    QToolButton* MenuButton() const { return m_pMenuButton; }

    bool OnCommand(uint id) override;
    // The title of the code in the new-code dialog, by window kind.
    static QString GetCodeLabelKey(int windowKind);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void done(int result) override;

    virtual CTabDlg* CreateTabDlg(int recordNo, bool newRecord);
    // Rows of other tables that belong to a deleted record (none here).
    virtual bool DeleteChildRecords(const QString& code, int& err);
    virtual void OnSysCommand(uint command);
    virtual void ShowContextMenu(const QPoint& position);

    void OpenEditor(int row, bool newRecord);
    void AddRecord();
    void DeleteSelectedRecord();
    void ReloadRecords();

private:
    bool OpenDatabase(int& err);
    // After a failed start: the window ends with IDCANCEL once it runs.
    void EndAfterFailure();
    void ShowReadFailure(int err);
    void BuildListColumns();
    void InitialSelection();
    void AddSystemMenuItems();
    void SelectOnly(int row);
    int FirstSelectedRow() const;
    void UpdateButtons();
    void EnableButton(uint id, bool enable);

    CDataManager* m_pDataManager;
    CDataManager* m_pSecondDataManager = nullptr;
    bool m_bWinpos;
    CMainListCtrl* m_pList = nullptr;
    CRecordListModel* m_pModel = nullptr;
    QLabel* m_pStatus = nullptr;
    QToolButton* m_pMenuButton = nullptr;
    bool m_bFailed = false;
};

} // namespace brelkin
