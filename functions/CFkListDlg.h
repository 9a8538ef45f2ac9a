#pragma once

#include "functions/CFcMainDlg.h"

class CDataManager;

namespace kesmond {

class CFcListModel;
class CFcMainListCtrl;
class CFcTabDlg;

// The function-key list: the register's keys whose function is in the
// function master, each changed in the function-key editor. Keys are
// neither added nor deleted here.
class CFkListDlg : public CFcMainDlg
{
    Q_OBJECT

public:
    CFkListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind);
    ~CFkListDlg() override;

    CFcListModel* Model() const { return m_pModel; }
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

private:
    void ShowReadFailure(int err);
    void EndAfterFailure();
    void BuildListColumns();
    void UpdateButtons();
    void EnableButton(uint id, bool enable);
    int SelectedRow() const;

    CDataManager* m_pDataManager;
    CFcMainListCtrl* m_pList = nullptr;
    CFcListModel* m_pModel = nullptr;
};

} // namespace kesmond
