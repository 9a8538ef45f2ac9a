#pragma once

#include "goods/base/CMainDlg.h"

class QTabWidget;

// A top-level window whose pages sit on the tabs of one tab control (the
// record editors): OK checks the pages in tab order and shows the first
// control holding a wrong value on its page, else asks and saves every page.
class CTabbedDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint { IDC_TAB = 23002 };

    CTabbedDlg(QWidget* parent, uint templateId, int windowKind);
    ~CTabbedDlg() override;

    QTabWidget* TabControl() const { return m_pTab; }

protected:
    // The tab control the pages are added to, made by the window (a child).
    void SetTabControl(QTabWidget* tab);
    // Tab runs from first through the pages, then OK, Cancel and Help.
    void SetTabOrder(QWidget* first);
    // Brings a page to the front and gives the focus to its first control
    // that takes it by Tab, is enabled and is shown.
    void ShowPage(int index);

    void OnOK() override;
    // The control id of a page's first wrong value; 0 when all are right.
    virtual unsigned CheckPage(int index) = 0;
    // Writes every page in one transaction; false leaves all as before.
    virtual bool SaveAllPages() = 0;

private:
    QTabWidget* m_pTab = nullptr;
};
