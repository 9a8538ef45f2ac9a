#pragma once

#include "functions/CFkListDlg.h"

class QComboBox;

namespace kesmond {

// The function lists: the keys of the chosen list type in the list's order.
// Keys are added (a new key, changed at once in the function-key editor),
// deleted, moved up or down, and changed.
class CFlListDlg : public CFkListDlg
{
    Q_OBJECT

public:
    CFlListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind);
    ~CFlListDlg() override;

    QComboBox* TypeCombo() const { return m_pType; }
    bool OnCommand(uint id) override;

public slots:
    // The chosen type's list, renumbered when its numbers need it.
    void OnTypeChange();

protected:
    bool OnInitDialog() override;
    void UpdateButtons() override;

private:
    // The current list's keys read again and shown; false when the read failed.
    bool Reload();
    void OnInsert();
    void OnDelete();
    void OnMove(bool up);
    // Takes the key off the list, renumbers and shows the list again with
    // the row before the removed one selected.
    void RemoveKey(const QString& key, int row);
    // The list id of the chosen type ("" when its list row is missing).
    QString ChosenListId() const;

    QComboBox* m_pType = nullptr;
};

} // namespace kesmond
