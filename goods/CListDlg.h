#pragma once

#include "goods/IListInPlaceHost.h"
#include "goods/base/CMainDlg.h"

#include <memory>

class CDataManager;
class CMainListCtrl;
class CRecordListModel;
class QLabel;
class QToolButton;

namespace brelkin {

class CListInPlaceEditor;
class CPageDlg;
class CSelectRadioDlg;
class CTabDlg;

// The main window of a standard mode: the mode's table as a list, one row
// per record, from which records are opened in the record editor, added
// under a new code, deleted, and sorted by any column.
class CListDlg : public CMainDlg, public IListInPlaceHost
{
    Q_OBJECT

public:
    enum : uint {
        IDC_LIST = 23001,
        IDC_STATUS = 23053,
        IDC_FLOATINGPRICE = 23049,
        IDC_INSERT = 23048,
        IDC_DELETE = 23047,
        // The easy list's own buttons; the standard list lacks them.
        IDC_EXPORT = 23083,
        IDC_IMPORT = 23080,
        IDC_ALLDELETE = 23204,
    };
    // The commands of the table's text files (the system menu's items).
    enum : uint { SC_DATADELETE = 16, SC_DATAIMPORT = 32, SC_DATAEXPORT = 48, SC_OESIMPORT = 64 };

    CListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
             bool winpos);
    ~CListDlg() override;

    void SetSecondDataManager(CDataManager* second) { m_pSecondDataManager = second; }
    QWidget& Window() override { return *this; }
    CDataManager* DataManager() const override { return m_pDataManager; }
    CRecordListModel* Model() const override { return m_pModel; }
    CMainListCtrl* List() const override { return m_pList; }
    QToolButton* MenuButton() const { return m_pMenuButton; }

    bool OnCommand(uint id) override;
    // The title of the code in the new-code dialog, by window kind.
    static QString GetCodeLabelKey(int windowKind);

    // In-place cell editing (CListInPlaceEditor): a single click opens the
    // column's own page control (or the radio popup) over the cell once the
    // double-click time has passed; leaving the cell saves the record and the
    // same value into every other selected row.
    void StartInPlaceEdit() override;
    // Mode 0 saves, mode 1 only a changed value; true when it saved.
    bool EndInPlaceEdit(int mode) override;
    bool ApplyToSelectedRows(const QString& value);
    // Key 0x0D (Enter) moves by rows, 0x09 (Tab) by columns, any other only
    // keeps the row; shift moves backwards. Mode as EndInPlaceEdit.
    void MoveInPlaceEdit(int mode, int key, bool shift);
    void EndInPlaceEditByScroll();
    QWidget* InPlaceControl() const;
    CSelectRadioDlg* RadioPopup() const;
    int EditRow() const;
    int EditColumn() const;

protected:
    // For a window with its own kind of record list (null: the standard one).
    CListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
             bool winpos, CMainListCtrl* list);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void done(int result) override;

    virtual CTabDlg* CreateTabDlg(int recordNo, bool newRecord);
    // The model behind the list (the cell texts), made once the records are read.
    virtual CRecordListModel* CreateListModel();
    // The hidden page that lends its control to the in-place editor.
    CPageDlg* CreatePageDlg() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void SetInPlaceEditing(bool enable);
    // The table's text commands in the window menu (where the kind has them).
    void SetSystemMenuItems(bool enable) { m_bSystemMenu = enable; }
    // Rows of other tables that belong to a deleted record (none here).
    virtual bool DeleteChildRecords(const QString& code, int& err);
    virtual void OnSysCommand(uint command);
    virtual void ShowContextMenu(const QPoint& position);

    // A double click on the list (by default: OK).
    virtual void OnListDoubleClick();
    // A row was selected alone (opening, adding, deleting, reading again).
    virtual void OnRowSelectedAlone(int row) { Q_UNUSED(row); }

    void OpenEditor(int row, bool newRecord);
    void AddRecord();
    void DeleteSelectedRecord();
    void ReloadRecords();
    void SelectOnly(int row);
    int FirstSelectedRow() const;
    void EnableButton(uint id, bool enable);
    // Export and delete-all need records.
    void UpdateDataButtons();
    void SetEditCell(int row, int column);
    // Mode 1 ends an open editor, saving a changed value.
    void CloseInPlaceEdit() { EndInPlaceEditByScroll(); }
    CPageDlg* InPlacePage() const;

private:
    bool OpenDatabase(int& err);
    // After a failed start: the window ends with IDCANCEL once it runs.
    void EndAfterFailure();
    void ShowReadFailure(int err);
    void BuildListColumns();
    void InitialSelection();
    void AddSystemMenuItems();
    void UpdateButtons();

    CDataManager* m_pDataManager;
    CDataManager* m_pSecondDataManager = nullptr;
    bool m_bWinpos;
    CMainListCtrl* m_pList = nullptr;
    CRecordListModel* m_pModel = nullptr;
    QLabel* m_pStatus = nullptr;
    QToolButton* m_pMenuButton = nullptr;
    bool m_bFailed = false;
    bool m_bSystemMenu = true;
    std::unique_ptr<CListInPlaceEditor> m_pEditor;
};

} // namespace brelkin
