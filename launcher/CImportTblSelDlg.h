#pragma once

#include "launcher/CTovanelDialog.h"

#include <QStringList>

class CSQliteDB;
class QTableView;

namespace tovanel {

class CTableSelectModel;

// The tables to take from another archive: the work database's tables (only
// those of "TARGETTABLE" in section "IMPORT_CRX" of the launcher INI, every
// table when it is empty), with the two groups "ITEM_CLERK" and
// "RELATEDITEM" marked. OK hands the ticked codes over; with none it asks
// for a choice and stays.
class CImportTblSelDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 3020;
    static constexpr uint IDC_LIST = 1003;
    static constexpr uint IDC_BUTTON_SELITEMOPER = 1010;
    static constexpr uint IDC_BUTTON_SELITEMSET = 1011;
    static constexpr uint IDC_BUTTON_SELALL = 1071;
    static constexpr uint IDC_BUTTON_CALCELALL = 1072;

    // Reads the three lists of the launcher INI; a missing INI shows its
    // message and throws CUserException.
    explicit CImportTblSelDlg(QWidget* parent = nullptr);
    ~CImportTblSelDlg() override;

    // Set before DoModal: the caller's list for the chosen codes, and the
    // work database the caller opened.
    QStringList* m_pImportList = nullptr;
    CSQliteDB* m_pDb = nullptr;

    CTableSelectModel& Model() const { return *m_pModel; }
    QTableView* List() const { return m_pList; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnGroup(int group);
    void SetColumnWidths();

    QStringList m_targetTables;
    QStringList m_itemClerk;
    QStringList m_relatedItem;
    CTableSelectModel* m_pModel = nullptr;
    QTableView* m_pList = nullptr;
};

} // namespace tovanel
