#include "launcher/CImportTblSelDlg.h"

#include "launcher/CTableSelectModel.h"
#include "launcher/IniTableList.h"
#include "launcher/TableSelectList.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

#include <QPushButton>
#include <QTableView>

namespace tovanel {

namespace {

const QString kSection = QStringLiteral("IMPORT_CRX");
constexpr int kGroupItemClerk = 0;
constexpr int kGroupRelatedItem = 1;

} // namespace

CImportTblSelDlg::CImportTblSelDlg(QWidget* parent)
    : CTovanelDialog(parent),
      m_targetTables(ReadIniTableList(kSection, QStringLiteral("TARGETTABLE"))),
      m_itemClerk(ReadIniTableList(kSection, QStringLiteral("ITEM_CLERK"))),
      m_relatedItem(ReadIniTableList(kSection, QStringLiteral("RELATEDITEM")))
{
    CDialogTemplate tmpl(this, 9, 300, 206);
    setWindowTitle(QStringLiteral("CRDD_IMPORT_TBLSEL"));
    m_pList = tmpl.Add<QTableView>(IDC_LIST, QString(), 7, 7, 286, 150);
    SetUpTableSelectList(m_pList);
    const struct
    {
        uint id;
        const char* key;
        int x;
    } buttons[] = {
        {IDC_BUTTON_SELALL, "CRDC_BUTTON_SELALL", 7},
        {IDC_BUTTON_CALCELALL, "CRDC_BUTTON_CALCELALL", 79},
        {IDC_BUTTON_SELITEMOPER, "CRDC_BUTTON_SELITEMOPER", 151},
        {IDC_BUTTON_SELITEMSET, "CRDC_BUTTON_SELITEMSET", 223},
    };
    for (const auto& b : buttons) {
        auto* button = tmpl.Add<QPushButton>(b.id, QLatin1String(b.key), b.x, 162, 70, 14);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = b.id] {
            switch (id) {
            case IDC_BUTTON_SELALL:
                m_pModel->TickRows(m_pModel->AllRows(), 1, true);
                break;
            case IDC_BUTTON_CALCELALL:
                m_pModel->UntickRows(m_pModel->AllRows());
                break;
            case IDC_BUTTON_SELITEMOPER:
                OnGroup(kGroupItemClerk);
                break;
            default:
                OnGroup(kGroupRelatedItem);
                break;
            }
        });
    }
    AddOkCancel(tmpl, 181, 184, 238, 184, 55, 15);
}

CImportTblSelDlg::~CImportTblSelDlg() = default;

bool CImportTblSelDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    CTableSelectModel::Columns columns;
    columns.code = GetLangString(QStringLiteral("CRDS_TXT_SELSTABLE"));
    columns.name = GetLangString(QStringLiteral("CRDS_TXT_SELSNAME"));
    columns.groups = QStringList{GetLangString(QStringLiteral("CRDS_TXT_SELSITEMOPE")),
                                 GetLangString(QStringLiteral("CRDS_TXT_SELSITEMETC"))};
    columns.mark = GetLangString(QStringLiteral("CRDS_TXT_SELPMARK"));
    m_pModel = new CTableSelectModel(columns, this);
    m_pModel->SetTickValue(1);
    if (m_pDb)
        m_pModel->SetTables(CTableSelectModel::ReadTables(*m_pDb, m_targetTables));
    m_pModel->SetGroups({m_itemClerk, m_relatedItem});
    m_pList->setModel(m_pModel);
    m_pModel->SetSelectionModel(m_pList->selectionModel());
    SetColumnWidths();
    return true;
}

void CImportTblSelDlg::SetColumnWidths()
{
    if (!m_pModel)
        return;
    SetTableSelectColumnWidths(m_pList, 518, {80, 188, 80, 80});
}

void CImportTblSelDlg::resizeEvent(QResizeEvent* event)
{
    CTovanelDialog::resizeEvent(event);
    SetColumnWidths();
}

void CImportTblSelDlg::OnGroup(int group)
{
    const QList<int> rows = m_pModel->GroupRows(group);
    m_pModel->TickRows(rows, 1, true);
    m_pModel->SelectRows(rows);
}

void CImportTblSelDlg::OnOK()
{
    const QStringList chosen = m_pModel ? m_pModel->CodesWithValue(1) : QStringList();
    if (m_pImportList)
        *m_pImportList = chosen;
    if (!chosen.isEmpty()) {
        EndDialog(platform::IDOK);
        return;
    }
    ShowProgramMessage({this, windowTitle()}, QStringLiteral("CRDS_MSG_NOSELECTED_IMP"),
                       platform::MessageIcon::Warning);
}

} // namespace tovanel
