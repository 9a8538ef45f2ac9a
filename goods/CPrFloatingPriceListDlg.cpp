#include "goods/CPrFloatingPriceListDlg.h"

#include "goods/CPrColumnDataListFloatingDept.h"
#include "goods/CPrColumnDataListFloatingPrice.h"
#include "goods/CPrFloatingPriceDlg.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/CRecordListModel.h"
#include "goods/GoodsDialogIds.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/base/ColumnArrays.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/WindowPlacement.h"

#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace brelkin {

namespace {

constexpr uint kPricePage = 3024;
const uint kPricePages[] = {kPricePage};

} // namespace

void LaunchFloatingDeptList(QWidget* parent)
{
    CColumnData** columns = CPrColumnDataListFloatingDept::NewColumns();
    std::unique_ptr<CColumnDataList> list =
        std::make_unique<CPrColumnDataListFloatingDept>(QStringLiteral("CIA002"), columns);
    {
        CDataManager manager("P", CPrFloatingPriceListDlg::IDD, IDD_TABDLG, IDD_PAGE_CLERK,
                             QStringLiteral("CRDS_PR_WINNAME_FLOATINGDEPT"), nullptr, 0,
                             list.get());
        CPrFloatingPriceListDlg window(&manager, CPrFloatingPriceListDlg::IDD, parent, 0);
        window.DoModal();
    }
    FreeColumnList(list, columns);
}

CPrFloatingPriceListDlg::CPrFloatingPriceListDlg(CDataManager* manager, uint templateId,
                                                 QWidget* parent, int windowKind)
    : CMainDlgEx(manager, templateId, parent, windowKind)
{
    auto* status = new QLabel(this);
    SetControlId(status, IDC_STATUS);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 46); // the button row below
    layout->addWidget(m_pList, 1);
    layout->addWidget(status);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_HELP, "CRD_HELP"},
                                  {IDC_DEPTMODE, "CRDC_PR_SETFLOATINGDEPT"},
                                  {platform::IDOK, "CRDC_PR_SETFLOATINGPLU"},
                                  {platform::IDCANCEL, "CRD_BACK"}})
        AddButton(id, QLatin1String(key))->setAutoDefault(false);
    qobject_cast<QPushButton*>(FindControlById(this, platform::IDOK))->setDefault(true);
    resize(480, 400);
}

CPrFloatingPriceListDlg::~CPrFloatingPriceListDlg() = default;

bool CPrFloatingPriceListDlg::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    auto* list = static_cast<CPrColumnDataListFloatingDept*>(m_pManager->GetColumnDataList());
    int err = 0;
    bool shown = false;
    if (!OpenWindowData([list](int& status) { return list->ReadRecords(status); }, err, shown)) {
        if (!shown)
            ShowProgramMessage(this, QStringLiteral("CRDS_PR_NOSETTINGFLOATING"),
                               platform::MessageIcon::Warning, platform::MessageButtons::Ok, err);
        EndAfterFailure();
        return true;
    }
    m_pModel = new CRecordListModel(list, &m_pManager->m_arrRecords, this);
    m_pModel->SetUnlistedLabelKeys(&IsUnlistedLabelKey);
    m_pList->setModel(m_pModel);
    m_pModel->BuildColumns();
    m_pList->horizontalHeader()->setStretchLastSection(true);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CPrFloatingPriceListDlg::UpdateButtons);
    connect(m_pList, &QAbstractItemView::doubleClicked, this, [this] { OnOK(); });
    UpdateButtons();
    if (FocusControl(IDC_LIST) && m_pModel->rowCount() > 0)
        m_pList->selectRow(0);
    RestoreWindowPlacement(this);
    return true;
}

void CPrFloatingPriceListDlg::UpdateButtons()
{
    const bool selected =
        m_pList->selectionModel() && !m_pList->selectionModel()->selectedRows().isEmpty();
    for (uint id : {uint(platform::IDOK), uint(IDC_DEPTMODE)})
        if (QWidget* button = FindControlById(this, id))
            button->setEnabled(selected);
}

bool CPrFloatingPriceListDlg::OnCommand(uint id)
{
    if (id == IDC_DEPTMODE)
        OpenFloatingPriceDlg(false);
    return CMainDlg::OnCommand(id);
}

void CPrFloatingPriceListDlg::OnOK()
{
    const QWidget* ok = FindControlById(this, platform::IDOK);
    if (ok && ok->isEnabled())
        OpenFloatingPriceDlg(true);
}

void CPrFloatingPriceListDlg::OpenFloatingPriceDlg(bool itemMode)
{
    const QModelIndexList rows =
        m_pList->selectionModel() ? m_pList->selectionModel()->selectedRows() : QModelIndexList();
    if (rows.isEmpty())
        return;
    const CRecord* record = m_pManager->m_arrRecords.GetAt(rows.first().row());
    QList<QStringList> items;
    int err = 0;
    if (!record ||
        !CPrColumnDataListFloatingPrice::ReadFloatingItems(*m_pManager->m_pSQliteDB,
                                                           record->value(0), items, err) ||
        items.isEmpty())
        return; // a department without floating items opens nothing
    CColumnData** columns = CPrColumnDataListFloatingPrice::NewColumns(itemMode, items);
    std::unique_ptr<CColumnDataList> list = std::make_unique<CPrColumnDataListFloatingPrice>(
        itemMode ? QStringLiteral("CIA001") : QStringLiteral("CIA002"), columns);
    {
        CDataManager manager("P", IDD_PRICE, IDD_TABDLG, IDD_PAGE_CLERK,
                             itemMode ? QStringLiteral("CRDS_PR_WINNAME_FLOATINGPRICEPLU")
                                      : QStringLiteral("CRDS_PR_WINNAME_FLOATINGPRICEDEPT"),
                             kPricePages, 1, list.get());
        CPrFloatingPriceDlg window(&manager, IDD_PRICE, this, itemMode ? 1 : 0);
        window.DoModal();
    }
    FreeColumnList(list, columns);
}

} // namespace brelkin
