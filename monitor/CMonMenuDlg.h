#pragma once

#include "monitor/CMainDlg.h"
#include "monitor/CXmlDataArray.h"

#include <functional>

class CDataManager;

namespace mervolt {

// The program's one top-level window: the idle and transaction media
// windows, the item and recommendation image lists, help and Back. It holds
// the content of Preference.xml while the program runs and writes it after
// every sub-window confirmed with OK.
class CMonMenuDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDD = 3044,
        IDC_TITLE = 23204,
        IDC_FULLDATA = 23200,
        IDC_HALFDATA = 23201,
        IDC_ITEMIMAGE = 23203,
        IDC_RECOMMEND = 23202,
    };

    CMonMenuDlg();
    // When a sub-window was confirmed, the work database's last-write time
    // becomes now (how the launcher learns of the change).
    ~CMonMenuDlg() override;

    void SetRegistered(int registered) { m_nRegistered = registered; }
    int Registered() const { return m_nRegistered; }
    void SetDataManager(CDataManager* manager) { m_pDataManager = manager; }
    int Modified() const { return m_nModified; }
    CXmlDataArray& PreferenceItems() { return m_items; }

    void OnSubWindowConfirmed() override;

    // The buttons.
    void OnFullData();
    void OnHalfData();
    // listMode 1: item images, 0: recommendation images. The list's result.
    int OpenItemImageList(int listMode);
    // Writes the items to Preference.xml; false (and the message) on failure.
    bool SavePreference();

    // Runs a media window over the items (used by the buttons); its result.
    template <class Window> int RunMediaWindow(const char* titleKey);

protected:
    bool OnInitDialog() override;

private:
    // Prepares the signage folders, runs a sub-window under its title and
    // writes Preference.xml after OK.
    int RunSubWindow(const char* titleKey, const std::function<int()>& run);

    CDataManager* m_pDataManager = nullptr;
    CXmlDataArray m_items;
    int m_nRegistered = 1;
    int m_nModified = 0;
};

} // namespace mervolt
