#pragma once

#include "images/CMainDlg.h"

#include "shared/data/CStringArrayPtrArray.h"

#include <array>

class CSQliteDB;
class QTabBar;

namespace pellark {

class CGpSmartDlg;

// The easy mode's window: three tabs of stamp pages (print logo inside,
// formal receipt, print logo outside). A changed page is offered for saving
// when its tab is left; a page's OK or Cancel ends the window.
class CGpSmartTab : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint { IDD = 4019, IDC_TAB = 24049 };
    static constexpr int kPageCount = 3;

    explicit CGpSmartTab(CSQliteDB* db, QWidget* parent = nullptr);
    ~CGpSmartTab() override;

    QTabBar* TabBar() const { return m_pTab; }
    CGpSmartDlg* Page(int index) const { return m_pages.at(index); }
    int ShownPage() const { return m_nShown; }

protected:
    bool OnInitDialog() override;

private:
    void OnTabChanged(int index);
    void ShowPage(int index);
    void EndAfterFailure();

    QTabBar* m_pTab = nullptr;
    CSQliteDB* m_pDB;
    std::array<CGpSmartDlg*, kPageCount> m_pages{};
    int m_nShown = 0;
    CStringArrayPtrArray m_records;
};

} // namespace pellark
