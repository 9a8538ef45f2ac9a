// Every goods window, built as the program builds it for its mode, keeps the
// layout rules with a shop's data: the sample archive's rows and 16-digit
// item codes and 40-character names in every list, record editor page and
// item chooser.
#include "goods/CHourlyListDlg.h"
#include "goods/CListDlgEasy.h"
#include "goods/CPrFloatingPriceDlg.h"
#include "goods/CPrFloatingPriceListDlg.h"
#include "goods/CSetMixListDlg.h"
#include "goods/CSetMixPageDlg.h"
#include "goods/CTabDlg.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "shared/dialogs/CSelectItemDlg.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/WideRows.h"

#include <QAbstractButton>
#include <QTabWidget>

using namespace brelkin;
using korvane::test::LayoutFaults;
using korvane::test::WhenModal;

namespace {

class WideDataLayoutTest : public ListDlgFixture
{
protected:
    // The sample archive's rows, and a row of the widest texts in the tables
    // of every list and those their editors and choosers read.
    void FillEveryGoodsTable()
    {
        QStringList tables = {"CIA001", "CIA002", "CIA003", "CIB001", "CIB002", "CIB003", "CSM001"};
        const CGoodsModeTable modes;
        for (int entry = 0; entry < CGoodsModeTable::kEntryCount; ++entry)
            if (const QString table = modes.Entry(entry)->GetColumnDataList()->m_strTableName;
                !table.isEmpty() && !tables.contains(table))
                tables << table;
        for (const QString& statement :
             korvane::test::SampleRowStatements() + korvane::test::WideRowStatements(tables))
            Exec(statement);
    }

    // The window of a command line, as the program builds it, shown.
    std::unique_ptr<CMainDlg> Build(const GoodsModeChoice& choice)
    {
        CDataManager* entry = m_modes->Entry(choice.entry);
        std::unique_ptr<CMainDlg> window;
        switch (choice.windowClass) {
        case GoodsWindowClass::HourlyList:
            window = std::make_unique<CHourlyListDlg>(entry, m_modes->Entry(choice.secondEntry),
                                                      choice.listDlgId, nullptr, choice.windowKind);
            break;
        case GoodsWindowClass::SetMixList:
            window = std::make_unique<CSetMixListDlg>(entry, choice.listDlgId, nullptr,
                                                      choice.windowKind, false);
            break;
        case GoodsWindowClass::EasyList:
            window = std::make_unique<CListDlgEasy>(entry, choice.listDlgId, nullptr,
                                                    choice.windowKind, false);
            break;
        case GoodsWindowClass::List:
            window = std::make_unique<CListDlg>(entry, choice.listDlgId, nullptr, choice.windowKind,
                                                false);
            break;
        }
        if (auto* list = dynamic_cast<CListDlg*>(window.get()); list && choice.setPriceEntry)
            list->SetSecondDataManager(m_modes->SetPriceEntry());
        window->Create();
        window->show();
        return window;
    }

    // Every page of the record editor; on a set menu or mix & match page
    // also the item chooser its Add opens, down to the items.
    static void CheckEditor(CTabDlg& editor, const std::string& mode)
    {
        QTabWidget* tabs = editor.TabControl();
        for (int tab = 0; tab < (tabs ? tabs->count() : 1); ++tab) {
            if (tabs)
                tabs->setCurrentIndex(tab);
            EXPECT_EQ(LayoutFaults(&editor), QStringList()) << mode << " tab " << tab;
        }
        auto* page = dynamic_cast<CSetMixPageDlg*>(editor.Pages()[0]);
        if (!page)
            return;
        WhenModal<CSelectItemDlg>([mode](CSelectItemDlg& kind) {
            EXPECT_EQ(LayoutFaults(&kind), QStringList()) << mode;
            kind.ListCtrl()->selectRow(0);
            kind.accept();
            WhenModal<CSelectCustomItemDlg>([mode](CSelectCustomItemDlg& dept) {
                EXPECT_EQ(LayoutFaults(&dept), QStringList()) << mode;
                // The last department is the wide row's, with its item.
                dept.ListCtrl()->selectRow(dept.ListCtrl()->model()->rowCount() - 1);
                dept.accept();
                WhenModal<CSelectCustomItemDlg>([mode](CSelectCustomItemDlg& item) {
                    EXPECT_EQ(item.ListCtrl()->model()->index(0, 0).data().toString(),
                              "1234567890123456");
                    EXPECT_EQ(LayoutFaults(&item), QStringList()) << mode;
                    item.reject();
                });
            });
        });
        page->InsertChildRow(0);
    }
};

TEST_F(WideDataLayoutTest, EveryWindowShowsWideCodesAndNamesWhole)
{
    FillEveryGoodsTable();
    m_modes = std::make_unique<CGoodsModeTable>();
    for (const char* key : {"S", "P", "C", "G", "PC", "H", "SM", "MX", "C_CL", "P_CL", "PC_CL",
                            "MX_CL", "SM_RES", "P_RES", "PC_RES"}) {
        // The launcher's easy menu opens the items alone.
        for (const char* second : {"", "EASY"}) {
            if (*second && std::string(key) != "P")
                continue;
            const std::string mode = std::string(key) + " " + second;
            const GoodsModeChoice choice = ChooseMode(key, second);
            std::unique_ptr<CMainDlg> window = Build(choice);
            EXPECT_EQ(LayoutFaults(window.get()), QStringList()) << mode;
            auto* list = dynamic_cast<CListDlg*>(window.get());
            if (list) {
                ASSERT_GT(list->Model()->rowCount(), 0) << mode;
                // The editor of the wide row, the last by its code.
                const int last = list->Model()->rowCount() - 1;
                list->List()->selectRow(last);
                bool opened = false;
                WhenModal<QDialog>([&](QDialog& editor) {
                    opened = true;
                    if (auto* tabbed = qobject_cast<CTabDlg*>(&editor))
                        CheckEditor(*tabbed, mode);
                    else
                        EXPECT_EQ(LayoutFaults(&editor), QStringList()) << mode;
                    editor.reject();
                });
                list->accept();
                EXPECT_TRUE(opened) << mode;
            }
            window->reject();
        }
    }

    // The floating price windows the item list opens: the floating
    // departments, then the prices of the wide department's items, by item
    // and by department.
    Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT01', '123456')");
    Exec("UPDATE CSA001 SET ITEMTYPE = '1' WHERE ITEMPARMCODE = '123456'");
    int prices = 0;
    WhenModal<CPrFloatingPriceListDlg>([&](CPrFloatingPriceListDlg& list) {
        EXPECT_EQ(LayoutFaults(&list), QStringList());
        list.List()->selectRow(0);
        for (uint button : {uint(platform::IDOK), uint(CPrFloatingPriceListDlg::IDC_DEPTMODE)}) {
            WhenModal<CPrFloatingPriceDlg>([&](CPrFloatingPriceDlg& window) {
                ++prices;
                EXPECT_EQ(LayoutFaults(&window), QStringList()) << button;
                window.reject();
            });
            qobject_cast<QAbstractButton*>(FindControlById(&list, button))->click();
        }
        list.reject();
    });
    LaunchFloatingDeptList(nullptr);
    EXPECT_EQ(prices, 2);
}

} // namespace
