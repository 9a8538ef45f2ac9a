#pragma once

#include "goods/CGoodsModeTable.h"
#include "goods/CListDlg.h"
#include "goods/ChooseMode.h"
#include "goods/GoodsButtonTable.h"

#include "goods/base/CRecordListModel.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/tests/GoodsDbFixture.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"

#include <memory>

// The easy item list's entry in the goods mode table.
constexpr int kPluEasy = 16;

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
        m_window.reset(); // before the entries it points at
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

    // Departments (two named alike) and taxes that item columns choose from.
    void InsertDepartmentsAndTaxes()
    {
        Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
             "('000002', 'Drink'), ('000003', 'Wine'), ('000004', 'Wine')");
        Exec("INSERT INTO CSM001 (TAXCODE, TAXAMTNAME) VALUES ('00', 'None'), ('01', 'Std')");
    }

    // The list column showing a table column (by name or label key).
    static int ListColumnOf(const brelkin::CListDlg& window, const QString& name)
    {
        const CColumnDataList* list = window.DataManager()->GetColumnDataList();
        for (int c = 0; c < window.Model()->columnCount(); ++c)
            if (const CColumnData* column = list->m_ppColumnData[window.Model()->ColumnIndex(c)];
                column->m_strColumnName == name || column->m_strLabelKey == name)
                return c;
        ADD_FAILURE() << name.toStdString();
        return -1;
    }

    // The middle of a cell, scrolled into view.
    static QPoint CellCenterOf(const brelkin::CListDlg& window, int row, int column)
    {
        const QModelIndex index = window.Model()->index(row, column);
        window.List()->scrollTo(index);
        return window.List()->visualRect(index).center();
    }

    std::unique_ptr<brelkin::CGoodsModeTable> m_modes;
    std::unique_ptr<brelkin::CListDlg> m_window;
    int m_entry = 0;
};
