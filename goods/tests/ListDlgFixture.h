#pragma once

#include "goods/CGoodsModeTable.h"
#include "goods/CListDlg.h"
#include "goods/ChooseMode.h"
#include "goods/GoodsButtonTable.h"

#include "goods/tests/GoodsDbFixture.h"

#include <memory>

// A standard list window of one mode of the goods mode table, shown, on the
// work database of the goods tests.
class ListDlgFixture : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        CMainDlg::SetButtonTable(brelkin::GoodsButtonTable());
    }
    void TearDown() override
    {
        m_window.reset();
        m_modes.reset();
        CMainDlg::SetButtonTable({});
        GoodsDbFixture::TearDown();
    }

    brelkin::CListDlg& Open(int entry)
    {
        m_modes = std::make_unique<brelkin::CGoodsModeTable>();
        const int kind = brelkin::WindowKindOfEntry(entry);
        m_window =
            std::make_unique<brelkin::CListDlg>(m_modes->Entry(entry), 3001, nullptr, kind, false);
        if (kind == 13)
            m_window->SetSecondDataManager(m_modes->SetPriceEntry());
        m_window->Create();
        m_window->show();
        m_entry = entry;
        return *m_window;
    }

    std::unique_ptr<brelkin::CGoodsModeTable> m_modes;
    std::unique_ptr<brelkin::CListDlg> m_window;
    int m_entry = 0;
};
