#include "goods/CListDlg.h"

#include "goods/CListInPlaceEditor.h"
#include "goods/CPageDlg.h"
#include "goods/CPrFloatingPriceListDlg.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/CRecordListModel.h"
#include "goods/CSetGrpPageDlg.h"
#include "goods/CTabDlg.h"
#include "goods/CTextImpExpDlg.h"
#include "goods/ChooseMode.h"
#include "goods/CColumnDataDallasKey.h"
#include "goods/DepartmentUses.h"
#include "goods/GoodsDialogIds.h"
#include "goods/HiddenColumns.h"
#include "goods/base/CAddDlg.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/base/ListIndex.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/WindowPlacement.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/CWaitCursor.h"
#include "shared/controls/EditSize.h"
#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/program/CMainWndCtrl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brelkin {

namespace {

const QString kDatabaseName = QStringLiteral("\\SETTING.DB");

// The delete question of a record: true to delete. A department in use
// names each use and how many keep its code, and Return keeps it.
bool ConfirmDelete(QWidget* parent, const CColumnDataList* list, const QString& code)
{
    CSQliteDB* db = list->GetCSQliteDBPtr();
    const QStringList uses = db && list->m_strTableName == QLatin1String("CIA002")
                                 ? DepartmentUseLines(*db, code)
                                 : QStringList();
    if (uses.isEmpty())
        return ShowProgramMessage(parent, QStringLiteral("CRDS_PR_DELETE"),
                                  platform::MessageIcon::Warning,
                                  platform::MessageButtons::OkCancel, code) == platform::IDOK;
    MessageOwner owner = ProgramMessageOwner(parent);
    owner.defaultButton = platform::IDNO;
    const QString lines = QLatin1Char('\n') + uses.join(QLatin1Char('\n'));
    return ShowProgramMessage(owner, QStringLiteral("CRDS_PR_DELETE_USEDDEPT"),
                              platform::MessageIcon::Warning, platform::MessageButtons::YesNo, code,
                              lines) == platform::IDYES;
}

} // namespace

CListDlg::CListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
                   bool winpos)
    : CListDlg(dataManager, templateId, parent, windowKind, winpos, nullptr)
{
}

CListDlg::CListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
                   bool winpos, CMainListCtrl* list)
    : CMainDlg(parent, templateId, windowKind), m_pDataManager(dataManager), m_bWinpos(winpos)
{
    m_pMenuButton = new QToolButton(this);
    m_pMenuButton->setPopupMode(QToolButton::InstantPopup);
    m_pMenuButton->setText(QStringLiteral("\u2630"));
    m_pMenuButton->setMenu(new QMenu(m_pMenuButton));
    m_pMenuButton->hide();
    m_pList = list ? list : new CMainListCtrl(this);
    m_pList->setParent(this);
    SetControlId(m_pList, IDC_LIST);
    m_pStatus = new QLabel(this);
    SetControlId(m_pStatus, IDC_STATUS);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 46); // the button row below
    layout->addWidget(m_pMenuButton, 0, Qt::AlignLeft);
    layout->addWidget(m_pList, 1);
    layout->addWidget(m_pStatus);
    for (const auto& [id, key] : {std::pair<uint, const char*>{33002, "CRD_HELP"},
                                  {IDC_FLOATINGPRICE, "CRD_PR_FLOATINGPRICE"},
                                  {IDC_INSERT, "CRD_INSERT"},
                                  {IDC_DELETE, "CRD_DELETE"},
                                  {1, "CRD_UPDATE"},
                                  {2, "CRD_BACK"}})
        AddButton(id, QLatin1String(key))->setAutoDefault(false);
    qobject_cast<QPushButton*>(FindControlById(this, 1))->setDefault(true);
    resize(760, 480);
    m_pEditor = std::make_unique<CListInPlaceEditor>(*this);
    // Mouse presses and keys anywhere in the window end or move an editor.
    qApp->installEventFilter(this);
}

CListDlg::~CListDlg()
{
    qApp->removeEventFilter(this);
    m_pEditor->Discard();
}

QString CListDlg::GetCodeLabelKey(int windowKind)
{
    // By window kind: S, P, C, G, PC, H, SM, MX, C_CL, P_CL, PC_CL, MX_CL,
    // SM_RES, P_RES, PC_RES.
    static const char* const keys[] = {
        "CRDS_PR_CLMN_SECTIONCODE", "CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_PLUGROUPCODE",
        "CRDS_PR_CLMN_GROUPCODE",   "CRDS_PR_CLMN_CLKCODE", "",
        "CRDS_PR_CLMN_SETMENUCODE", "CRDC_PR_MIXMATCHCODE", "CRDS_PR_CLMN_PLUGROUPCODE",
        "CRDS_PR_CLMN_PLUCODE",     "CRDS_PR_CLMN_CLKCODE", "CRDC_PR_MIXMATCHCODE",
        "CRDS_PR_CLMN_SETMENUCODE", "CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_CLKCODE",
    };
    return windowKind >= 0 && windowKind < int(std::size(keys)) ? QLatin1String(keys[windowKind])
                                                                : QString();
}

void CListDlg::ShowReadFailure(int err)
{
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                       platform::MessageIcon::Warning, platform::MessageButtons::Ok, err);
}

void CListDlg::EndAfterFailure()
{
    m_bFailed = true;
    // Ends once the window runs, whether shown or run modally.
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

bool CListDlg::OpenDatabase(int& err)
{
    err = 0;
    if (!m_pDataManager->OpenSQLiteDB(kDatabaseName, err))
        return false;
    return m_pDataManager->GetColumnDataList()->ReadRecords(err, QString());
}

bool CListDlg::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));
    const QString folder = CBasePath::GetLocalTemporaryPath();
    if (!WorkDatabaseExists() || !m_pDataManager->CreateSQLiteDB(folder)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
        EndAfterFailure();
        return true;
    }
    int err = 0;
    if (!OpenDatabase(err)) {
        ShowReadFailure(err);
        EndAfterFailure();
        return true;
    }
    // The set prices share the window's connection, so that the editor's
    // one transaction covers both tables; failures here are not reported.
    if (WindowKind() == 13 && m_pSecondDataManager) {
        CColumnDataList* second = m_pSecondDataManager->GetColumnDataList();
        second->SetSQliteDB(m_pDataManager->m_pSQliteDB, &m_pSecondDataManager->m_arrRecords);
        int ignored = 0;
        if (second->ReadTableInfo(ignored))
            second->ReadRecords(ignored, QString());
    }
    if (!ReadHiddenColumns(*m_pDataManager->GetColumnDataList(), WindowKind(), m_bWinpos, err)) {
        ShowReadFailure(err);
        EndAfterFailure();
        return true;
    }
    m_pModel = CreateListModel();
    m_pModel->SetUnlistedLabelKeys(&IsUnlistedLabelKey);
    m_pList->setModel(m_pModel);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CListDlg::UpdateButtons);
    connect(m_pList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_pModel->ClickColumn(section); });
    connect(m_pList, &QAbstractItemView::doubleClicked, this, &CListDlg::OnListDoubleClick);
    connect(m_pList, &QAbstractItemView::clicked, m_pEditor.get(), &CListInPlaceEditor::OnClick);
    connect(m_pList, &CMainListCtrl::scrollStarting, this, &CListDlg::EndInPlaceEditByScroll);
    // Ctrl+A selects every row (the view's own shortcut); so does the
    // list's context menu.
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pList, &QWidget::customContextMenuRequested, this, &CListDlg::ShowContextMenu);
    BuildListColumns();
    InitialSelection();
    const int kind = WindowKind();
    if (m_bSystemMenu && (kind == 0 || kind == 1 || kind == 3 || kind == 9 || kind == 13))
        AddSystemMenuItems();
    if (!m_bWinpos)
        RestoreWindowPlacement(this);
    return true;
}

void CListDlg::BuildListColumns()
{
    QFont font = m_pList->font();
    font.setFamily(GetFixPitchFontName());
    m_pList->setFont(font);
    m_pModel->BuildColumns();
    const int w = GetEditOneCharRect(font, m_pList).width();
    const QFontMetrics metrics(font);
    for (int c = 0; c < m_pModel->columnCount(); ++c) {
        int width = (m_pModel->ColumnChars(c) + 2) * w;
        // A column of fixed choices shows its longest choice whole.
        if (auto* choices = dynamic_cast<CColumnDataStaticCombo*>(m_pModel->ColumnData(c)))
            for (int i = 0; i < choices->m_nItemCount; ++i)
                width = std::max(width, metrics.horizontalAdvance(GetLangString(
                                            QLatin1String(choices->m_pItems[i].pszKey))) +
                                            2 * w);
        m_pList->SetColumnWidthShowingTitle(c, width);
    }
}

void CListDlg::OnListDoubleClick()
{
    m_pEditor->CancelClick(true);
    accept();
}

void CListDlg::EnableButton(uint id, bool enable)
{
    if (QWidget* control = FindControlById(this, id))
        control->setEnabled(enable);
}

void CListDlg::UpdateButtons()
{
    const bool selected = FirstSelectedRow() >= 0;
    EnableButton(platform::IDOK, selected);
    EnableButton(IDC_DELETE, selected);
    UpdateDataButtons();
}

void CListDlg::UpdateDataButtons()
{
    const bool rows = m_pModel && m_pModel->rowCount() > 0;
    EnableButton(IDC_EXPORT, rows);
    EnableButton(IDC_ALLDELETE, rows);
}

int CListDlg::FirstSelectedRow() const
{
    if (!m_pList->selectionModel())
        return -1;
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : rows)
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

void CListDlg::SelectOnly(int row)
{
    if (row < 0 || row >= m_pModel->rowCount())
        return;
    const QModelIndex index = m_pModel->index(row, 0);
    m_pList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_pList->scrollTo(index);
    OnRowSelectedAlone(row);
}

void CListDlg::InitialSelection()
{
    EnableButton(platform::IDOK, false);
    EnableButton(IDC_DELETE, false);
    if (FocusControl(IDC_LIST) && m_pModel->rowCount() > 0)
        SelectOnly(0);
    UpdateDataButtons();
    if (m_pModel->rowCount() > 0)
        return;
    // An empty table: only back, insert, help and (where there is one)
    // import.
    const CButtonTable& table = ButtonTable();
    for (int i = 0; i < table.count; ++i) {
        const uint id = table.rows[i].ctrlId;
        if (id != platform::IDCANCEL && id != IDC_INSERT && id != IDC_HELP && id != IDC_IMPORT)
            EnableButton(id, false);
    }
}

void CListDlg::AddSystemMenuItems()
{
    // No window manager's system menu can carry them: an in-window menu.
    QMenu* menu = m_pMenuButton->menu();
    const struct
    {
        const char* key;
        uint command;
    } items[] = {{"CRDS_PR_DATAIMPORT", SC_DATAIMPORT},
                 {"CRDS_PR_DATAEXPORT", SC_DATAEXPORT},
                 {"CRDS_PR_DATADELETE", SC_DATADELETE}};
    auto add = [&](const char* key, uint command) {
        const QString text = GetLangString(QLatin1String(key));
        if (text.isEmpty())
            return;
        QAction* action = menu->addAction(text, this, [this, command] { OnSysCommand(command); });
        action->setData(command);
    };
    for (const auto& item : items)
        add(item.key, item.command);
    menu->addSeparator();
    const int kind = WindowKind();
    if (kind == 0 || kind == 1 || kind == 9) {
        add("CRDS_PR_OESCSVIMPORT", SC_OESIMPORT);
        menu->addSeparator();
    }
    m_pMenuButton->show();
}

void CListDlg::ShowContextMenu(const QPoint& position)
{
    m_pEditor->CancelClick(false);
    QMenu menu(this);
    menu.addAction(GetLangString(QStringLiteral("CRD_PR_SELECT_ALLLISTITEM")), m_pList,
                   &QAbstractItemView::selectAll);
    menu.exec(m_pList->viewport()->mapToGlobal(position));
}

void CListDlg::OnSysCommand(uint command)
{
    switch (command) {
    case SC_DATADELETE:
    case SC_DATAIMPORT:
    case SC_DATAEXPORT:
    case SC_OESIMPORT: {
        CTextImpExpDlg job(m_pDataManager, command, this);
        job.m_strTitle = windowTitle();
        job.DoModal();
        break;
    }
    default:
        return;
    }
    // Whatever the job did or left undone, the list shows the table.
    ReloadRecords();
}

bool CListDlg::OnCommand(uint id)
{
    switch (id) {
    case IDC_DELETE:
        DeleteSelectedRecord();
        break;
    case IDC_INSERT:
        AddRecord();
        break;
    case IDC_FLOATINGPRICE:
        if (QWidget* button = FindControlById(this, IDC_FLOATINGPRICE);
            button && button->isEnabled())
            LaunchFloatingDeptList(this);
        break;
    }
    return CMainDlg::OnCommand(id);
}

void CListDlg::OnOK()
{
    const QWidget* ok = FindControlById(this, platform::IDOK);
    const int row = FirstSelectedRow();
    if (!ok || !ok->isEnabled() || row < 0)
        return;
    SelectOnly(row);
    OpenEditor(row, false);
}

void CListDlg::OnCancel()
{
    // The title bar's close acts as Back.
    CMainWndCtrl::BringMainWndToFront();
    EndDialog(platform::IDCANCEL);
}

void CListDlg::closeEvent(QCloseEvent* event)
{
    // As a press on the frame would: an open edit ends first.
    EndInPlaceEditByScroll();
    CMainDlg::closeEvent(event);
}

void CListDlg::done(int result)
{
    if (!m_bWinpos && !m_bFailed && isVisible())
        SaveWindowPlacement(this);
    CMainDlg::done(result);
}

CPageDlg* CListDlg::CreatePageDlg()
{
    return NewPageDlg(m_pDataManager->m_nPageCount > 0 ? m_pDataManager->m_pPageDlgIDs[0] : 0);
}

CRecordListModel* CListDlg::CreateListModel()
{
    return new CRecordListModel(m_pDataManager->GetColumnDataList(), &m_pDataManager->m_arrRecords,
                                this);
}

CTabDlg* CListDlg::CreateTabDlg(int recordNo, bool newRecord)
{
    auto* editor = new CTabDlg(m_pDataManager, recordNo, newRecord, this,
                               m_pDataManager->m_nTabDlgID, WindowKind());
    if (WindowKind() == 13)
        editor->SetSecondDataManager(m_pSecondDataManager);
    return editor;
}

void CListDlg::OpenEditor(int row, bool newRecord)
{
    if (row < 0)
        return;
    SelectOnly(row);
    std::unique_ptr<CTabDlg> editor(CreateTabDlg(GetRecordNo(row), newRecord));
    if (editor->DoModal() == platform::IDOK)
        emit m_pModel->dataChanged(m_pModel->index(row, 0),
                                   m_pModel->index(row, m_pModel->columnCount() - 1));
}

void CListDlg::AddRecord()
{
    const QWidget* insert = FindControlById(this, IDC_INSERT);
    if (insert && !insert->isEnabled())
        return;
    m_pList->clearSelection();
    CAddDlg dialog(m_pDataManager, GetCodeLabelKey(WindowKind()), this);
    if (dialog.DoModal() != platform::IDOK)
        return;
    int err = 0;
    int row = -1;
    {
        CWaitCursor wait;
        QStringList record{dialog.GetNewCode()};
        const bool inserted = m_pDataManager->GetColumnDataList()->InsertRecord(record, err);
        m_pModel->Reload();
        if (inserted)
            row = m_pModel->FindRecordByKey(dialog.GetNewCode());
    }
    if (row < 0) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_INSERT_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return;
    }
    UpdateButtons();
    EnableButton(IDC_INSERT, true);
    SelectOnly(row);
    OpenEditor(row, true);
    UpdateButtons();
}

bool CListDlg::DeleteChildRecords(const QString&, int& err)
{
    err = 0;
    return true;
}

void CListDlg::DeleteSelectedRecord()
{
    const QWidget* button = FindControlById(this, IDC_DELETE);
    const int row = FirstSelectedRow();
    if ((button && !button->isEnabled()) || row < 0)
        return;
    SelectOnly(row);
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    QStringList record = list->CachedRecord(GetRecordNo(row))->toList();
    const QString code = record.value(0);
    if (!ConfirmDelete(this, list, code))
        return;
    int err = 0;
    {
        CWaitCursor wait;
        // The record, its child rows and a clerk's key row go together.
        CSQliteSQL sql(*m_pDataManager->m_pSQliteDB, CBasePath::GetStrDummyName());
        CSqLiteTransaction transaction(*m_pDataManager->m_pSQliteDB, sql);
        err = transaction.StartStatus();
        QList<CColumnDataDallasKey*> keys;
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (auto* key = dynamic_cast<CColumnDataDallasKey*>(list->m_ppColumnData[i])) {
                key->SetDeletedClerkCode(code);
                keys << key;
            }
        QString keyName, keyValue;
        if (err == 0 && !list->DeleteRecord(record, err) && err == 0)
            err = SQLERR_ARGUMENTS;
        for (CColumnDataDallasKey* key : keys)
            if (err == 0)
                err = key->GetLastWriteStatus();
        if (err == 0 && list->GetKeyNameAndValue(record, keyName, keyValue) &&
            !DeleteChildRecords(keyValue, err) && err == 0)
            err = SQLERR_ARGUMENTS;
        if (err == 0)
            err = transaction.Commit();
        if (err != 0) {
            transaction.Rollback();
            // The cache went with the delete: read what the table holds again.
            m_pDataManager->m_arrRecords.RemoveAll();
            int ignored = 0;
            list->ReadRecords(ignored, QString());
        }
    }
    m_pModel->Reload();
    if (err != 0) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_DELETE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        SelectOnly(row);
        return;
    }
    const int count = m_pModel->rowCount();
    m_pModel->SortRecords(m_pModel->SortColumn(), m_pModel->SortAscending());
    m_pList->clearSelection();
    if (count > 0)
        SelectOnly(row > 0 ? row - 1 : 0);
    if (count == 0) {
        EnableButton(platform::IDOK, false);
        EnableButton(IDC_DELETE, false);
    }
    UpdateDataButtons();
}

void CListDlg::ReloadRecords()
{
    const int remembered = FirstSelectedRow();
    {
        CWaitCursor wait;
        m_pDataManager->m_arrRecords.RemoveAll();
        int err = 0;
        if (!m_pDataManager->GetColumnDataList()->ReadRecords(err, QString()))
            ShowReadFailure(err);
    }
    m_pModel->Reload();
    EnableButton(platform::IDOK, false);
    EnableButton(IDC_DELETE, false);
    UpdateDataButtons();
    FocusControl(IDC_LIST);
    const int count = m_pModel->rowCount();
    if (count == 0)
        return;
    if (remembered < 0)
        m_pList->selectAll();
    else
        SelectOnly(remembered < count ? remembered : 0);
    UpdateButtons();
}

void CListDlg::StartInPlaceEdit()
{
    m_pEditor->Start();
}

bool CListDlg::EndInPlaceEdit(int mode)
{
    return m_pEditor->End(mode);
}

bool CListDlg::ApplyToSelectedRows(const QString& value)
{
    return m_pEditor->ApplyToSelectedRows(value);
}

void CListDlg::MoveInPlaceEdit(int mode, int key, bool shift)
{
    m_pEditor->Move(mode, key, shift);
}

void CListDlg::EndInPlaceEditByScroll()
{
    m_pEditor->EndByScroll();
}

QWidget* CListDlg::InPlaceControl() const
{
    return m_pEditor->Control();
}

CSelectRadioDlg* CListDlg::RadioPopup() const
{
    return m_pEditor->RadioPopup();
}

CPageDlg* CListDlg::InPlacePage() const
{
    return m_pEditor->Page();
}

int CListDlg::EditRow() const
{
    return m_pEditor->Row();
}

int CListDlg::EditColumn() const
{
    return m_pEditor->Column();
}

void CListDlg::SetEditCell(int row, int column)
{
    m_pEditor->SetCell(row, column);
}

void CListDlg::SetInPlaceEditing(bool enable)
{
    m_pEditor->SetClickToEdit(enable);
}

bool CListDlg::eventFilter(QObject* watched, QEvent* event)
{
    return m_pEditor->FilterEvent(watched, event) || CMainDlg::eventFilter(watched, event);
}

} // namespace brelkin
