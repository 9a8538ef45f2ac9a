#include "functions/CFkListDlg.h"

#include "functions/CColumnDataFcFunctionCodeCombo.h"
#include "functions/CFcColumnDataList.h"
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMainListCtrl.h"
#include "functions/CFcTabDlg.h"
#include "functions/FcDialogIds.h"
#include "functions/FcPageTemplate.h"

#include "goods/base/ListIndex.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/program/CMainWndCtrl.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace kesmond {

namespace {

const QString kDatabaseName = QStringLiteral("\\SETTING.DB");

} // namespace

CFkListDlg::CFkListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind)
    : CFcMainDlg(parent, templateId, windowKind), m_pDataManager(dataManager)
{
    m_pList = new CFcMainListCtrl(this);
    SetControlId(m_pList, IDC_FC_LIST);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 46); // the button row below
    layout->addWidget(m_pList, 1);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_FC_HELP, "CRDM_FC_HELP"},
                                  {IDC_FC_INSERT, "CRDC_FC_INSERT"},
                                  {IDC_FC_DELETE, "CRDC_FC_DELETE"},
                                  {1, "CRD_CHANGE"},
                                  {2, "CRD_BACK"}})
        AddButton(id, QLatin1String(key))->setAutoDefault(false);
    qobject_cast<QPushButton*>(FindControlById(this, 1))->setDefault(true);
    resize(640, 440);
}

CFkListDlg::~CFkListDlg() = default;

void CFkListDlg::ShowReadFailure(int err)
{
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                       platform::MessageIcon::Warning, platform::MessageButtons::Ok, err);
}

void CFkListDlg::EndAfterFailure()
{
    // Ends once the window runs, whether shown or run modally.
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

CFcColumnDataList* CFkListDlg::FcList() const
{
    return dynamic_cast<CFcColumnDataList*>(m_pDataManager->GetColumnDataList());
}

bool CFkListDlg::OpenWorkDatabase()
{
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));
    QFont font = m_pList->font();
    font.setFamily(GetFixPitchFontName());
    m_pList->setFont(font);

    const QString folder = CBasePath::GetLocalTemporaryPath();
    if (!WorkDatabaseExists() || !m_pDataManager->CreateSQLiteDB(folder)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
        EndAfterFailure();
        return false;
    }
    int err = 0;
    if (!m_pDataManager->OpenSQLiteDB(kDatabaseName, err)) {
        ShowReadFailure(err);
        EndAfterFailure();
        return false;
    }
    return true;
}

void CFkListDlg::ChooseFunctionTables()
{
    CFcColumnDataList* list = FcList();
    list->ChooseTables();
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (auto* combo = dynamic_cast<CColumnDataFcFunctionCodeCombo*>(list->m_ppColumnData[i]))
            combo->SetMasterTable(list->GetMasterTable());
}

bool CFkListDlg::ReadList(int& err)
{
    ChooseFunctionTables();
    return FcList()->ReadRecords(err, QString());
}

void CFkListDlg::AttachModel()
{
    m_pModel = new CRecordListModel(m_pDataManager->GetColumnDataList(),
                                    &m_pDataManager->m_arrRecords, this);
    m_pModel->SetNumberColumns(CRecordListModel::NumberColumns::FirstAndByType);
    m_pList->setModel(m_pModel);
    SetUpList();
    BuildListColumns();
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CFkListDlg::UpdateButtons);
    connect(m_pList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_pModel->ClickColumn(section); });
    connect(m_pList, &QAbstractItemView::doubleClicked, this, [this] { OnOK(); });
}

bool CFkListDlg::OnInitDialog()
{
    CFcMainDlg::OnInitDialog();
    if (!OpenWorkDatabase())
        return true;
    int err = 0;
    if (!ReadList(err)) {
        ShowReadFailure(err);
        EndAfterFailure();
        return true;
    }
    AttachModel();
    EnableButton(platform::IDOK, false);
    // The window neither adds nor deletes keys.
    for (uint id : {uint(IDC_FC_INSERT), uint(IDC_FC_DELETE)})
        if (QWidget* button = FindControlById(this, id))
            button->hide();
    FocusControl(IDC_FC_LIST);
    SelectFirstRow();
    return true;
}

void CFkListDlg::SelectFirstRow()
{
    if (m_pModel->rowCount() > 0) {
        SelectRow(0);
        return;
    }
    const CButtonTable& table = ButtonTable();
    for (int i = 0; i < table.count; ++i) {
        const uint id = table.rows[i].ctrlId;
        if (id != platform::IDCANCEL && id != IDC_FC_INSERT && id != IDC_FC_HELP)
            EnableButton(id, false);
    }
}

void CFkListDlg::SelectRow(int row)
{
    if (row < 0 || row >= m_pModel->rowCount()) {
        m_pList->selectionModel()->clearSelection();
        return;
    }
    m_pList->selectionModel()->setCurrentIndex(
        m_pModel->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pList->scrollTo(m_pModel->index(row, 0));
}

void CFkListDlg::BuildListColumns()
{
    m_pModel->BuildColumns();
    const int w = GetEditOneCharRect(m_pList->font(), m_pList).width();
    if (w == 0)
        return;
    for (int c = 0; c < m_pModel->columnCount(); ++c) {
        // A column also has room for its stored value where it shows a shorter name.
        const CColumnData* column = m_pModel->ColumnData(c);
        const int stored = column->m_nSize + (column->m_nDecimals != 0 ? 1 : 0);
        m_pList->setColumnWidth(c, (std::max(m_pModel->ColumnChars(c), stored) + 2) * w);
    }
}

void CFkListDlg::EnableButton(uint id, bool enable)
{
    if (QWidget* control = FindControlById(this, id))
        control->setEnabled(enable);
}

int CFkListDlg::SelectedRow() const
{
    if (!m_pList->selectionModel())
        return -1;
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CFkListDlg::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    EnableButton(platform::IDOK, selected);
    EnableButton(IDC_FC_DELETE, selected);
}

uint CFkListDlg::PageTemplateOfRow(int row) const
{
    CFcColumnDataList* list = FcList();
    const CRecord* record = list->CachedRecord(GetRecordNo(row));
    QString function;
    for (int i = 0; record && i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_nCtrlID == IDC_FC_FUNCTION)
            function = record->value(i);
    return ChoosePageTemplate(list->HasFunctionProperties(), function);
}

int CFkListDlg::RunEditor(int row, bool newRecord)
{
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    CRecord* record = list->CachedRecord(GetRecordNo(row));
    const QString number = record ? record->value(0) : QString();
    m_pList->scrollTo(m_pModel->index(row, 0));
    auto editor = std::make_unique<CFcTabDlg>(m_pDataManager, GetRecordNo(row), newRecord, this,
                                              m_pDataManager->m_nTabDlgID, PageTemplateOfRow(row),
                                              WindowKind());
    emit editorOpening(editor.get());
    const int result = editor->DoModal();
    if (result != platform::IDOK)
        return result;
    // The saved row carries the record's running number back.
    if (CRecord* saved = list->CachedRecord(GetRecordNo(row)); saved && !saved->isEmpty())
        saved->replace(0, number);
    m_pModel->RowChanged(row);
    return result;
}

void CFkListDlg::OnOK()
{
    const QWidget* change = FindControlById(this, platform::IDOK);
    const int row = SelectedRow();
    if (!m_pModel || !change || !change->isEnabled() || row < 0)
        return;
    RunEditor(row, false);
}

void CFkListDlg::OnCancel()
{
    // Back (and the title bar's close) first brings the launcher back.
    CMainWndCtrl::BringMainWndToFront();
    EndDialog(platform::IDCANCEL);
}

} // namespace kesmond
