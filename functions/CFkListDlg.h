#pragma once

#include "functions/CFcMainDlg.h"

class CDataManager;
class CRecordListModel;

namespace kesmond {

class CFcColumnDataList;
class CFcMainListCtrl;
class CFcTabDlg;

// The function-key list: the register's keys whose function is in the
// function master, each changed in the function-key editor. Keys are
// neither added nor deleted here. The character and function-list windows
// build on its list behaviour.
class CFkListDlg : public CFcMainDlg
{
    Q_OBJECT

public:
    CFkListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind);
    ~CFkListDlg() override;

    CRecordListModel* Model() const { return m_pModel; }
    CFcMainListCtrl* List() const { return m_pList; }
    // The page template the editor of a list row opens with.
    uint PageTemplateOfRow(int row) const;

signals:
    // The editor of a row is about to run (tests drive it from here).
    void editorOpening(kesmond::CFcTabDlg* editor);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Reads the window's records into the cache.
    virtual bool ReadList(int& err);
    // Shapes the list once its model is set.
    virtual void SetUpList() {}
    // Follows the selection with the buttons.
    virtual void UpdateButtons();

    // Title and list font; the work database's connection, opened. False
    // (the message shown, the window ending) when it cannot be used.
    bool OpenWorkDatabase();
    // The function master chosen and handed to the function column.
    void ChooseFunctionTables();
    // The model over the record cache, its columns and the list's signals.
    void AttachModel();
    // Row 0 selected, or with no rows every button but Back, Insert and
    // Help disabled.
    void SelectFirstRow();
    void ShowReadFailure(int err);
    void EndAfterFailure();
    void BuildListColumns();
    void EnableButton(uint id, bool enable);
    int SelectedRow() const;
    void SelectRow(int row);
    // Runs the function-key editor on a row; its result.
    int RunEditor(int row, bool newRecord);
    CFcColumnDataList* FcList() const;

    CDataManager* m_pDataManager;
    CFcMainListCtrl* m_pList = nullptr;
    CRecordListModel* m_pModel = nullptr;
};

} // namespace kesmond
