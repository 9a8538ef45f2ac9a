#pragma once

#include "goods/CGoodsModeTable.h"
#include "goods/CSetMixListDlg.h"
#include "goods/CSetMixPageDlg.h"
#include "goods/ChooseMode.h"
#include "goods/GoodsButtonTable.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "testsupport/ModalDriver.h"

#include <QTableView>

#include <memory>

// The set menu and mix & match list window of one mode entry (SM 7, MX 8,
// MX_CL 12, SM_RES 13), shown on the work database of the goods tests, with
// departments, items and set menus to choose from.
class SetMixFixture : public GoodsDbFixture
{
protected:
    enum : int { kSetMenuEntry = 7, kMixMatchEntry = 8 };

    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        CMainDlg::SetButtonTable(brelkin::GoodsButtonTable());
        Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('01', 'Food'), "
             "('02', 'Drinks')");
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE) VALUES ('0001', 'Soup', "
             "'01'), ('0002', 'Bread', '01'), ('0003', 'Tea', '02')");
    }
    void TearDown() override
    {
        m_window.reset();
        m_modes.reset();
        CMainDlg::SetButtonTable({});
        GoodsDbFixture::TearDown();
    }

    brelkin::CSetMixListDlg& Open(int entry)
    {
        m_window.reset(); // before the entries it points at
        m_modes = std::make_unique<brelkin::CGoodsModeTable>();
        m_window = std::make_unique<brelkin::CSetMixListDlg>(
            m_modes->Entry(entry), 3001, nullptr, brelkin::WindowKindOfEntry(entry), false);
        m_window->Create();
        m_window->show();
        m_entry = entry;
        return *m_window;
    }

    // The editor's page of the window's record, built on its own.
    std::unique_ptr<brelkin::CSetMixPageDlg> OpenPage(int recordNo = 1)
    {
        auto page = std::make_unique<brelkin::CSetMixPageDlg>();
        page->SetWindowKind(brelkin::WindowKindOfEntry(m_entry));
        page->BindPage(m_modes->Entry(m_entry), recordNo, false);
        EXPECT_TRUE(page->Create(m_modes->Entry(m_entry)->m_pPageDlgIDs[0], nullptr));
        return page;
    }

    // Picks row of a chooser once it is up; then runs next.
    template <class Dialog> static void Pick(int row, std::function<void()> next = {})
    {
        korvane::test::WhenModal<Dialog>([row, next](Dialog& dialog) {
            if (next)
                next();
            dialog.ListCtrl()->selectRow(row);
            dialog.accept();
        });
    }

    // The choosers of a child: the kind (0 item, 1 set menu or department),
    // then the department and item, or the one row of the second kind.
    static void ChooseItem(int deptRow, int itemRow)
    {
        Pick<CSelectItemDlg>(0, [deptRow, itemRow] {
            Pick<CSelectCustomItemDlg>(deptRow, [itemRow] { Pick<CSelectCustomItemDlg>(itemRow); });
        });
    }
    static void ChooseOther(int row)
    {
        Pick<CSelectItemDlg>(1, [row] { Pick<CSelectCustomItemDlg>(row); });
    }

    std::unique_ptr<brelkin::CGoodsModeTable> m_modes;
    std::unique_ptr<brelkin::CSetMixListDlg> m_window;
    int m_entry = 0;
};
