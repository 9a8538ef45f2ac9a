#include "functions/CFlListDlg.h"

#include "functions/CFcColumnDataList.h"
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMainListCtrl.h"
#include "functions/FcDialogIds.h"

#include "goods/base/ListIndex.h"
#include "goods/base/ProgramMessage.h"

#include "shared/controls/CColorButton.h"
#include "shared/controls/CWaitCursor.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace kesmond {

CFlListDlg::CFlListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind)
    : CFkListDlg(dataManager, templateId, parent, windowKind)
{
    auto* box = qobject_cast<QVBoxLayout*>(layout());
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(QStringLiteral("CRDC_STATIC_FUNCLISTTYPE"), this));
    m_pType = new QComboBox(this);
    SetControlId(m_pType, IDC_FC_LIST_TYPE);
    typeRow->addWidget(m_pType);
    typeRow->addStretch(1);
    // The move buttons beside the list.
    box->removeWidget(m_pList);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_pList, 1);
    auto* moves = new QVBoxLayout;
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_FC_MOVE_UP, "CRDC_FC_MOVE_UP"},
                                  {IDC_FC_MOVE_DOWN, "CRDC_FC_MOVE_DOWN"}}) {
        CColorButton* button = AddButton(id, QLatin1String(key));
        button->setAutoDefault(false);
        button->setFixedSize(112, 28);
        moves->addWidget(button);
    }
    moves->addStretch(1);
    listRow->addLayout(moves);
    box->addLayout(typeRow);
    box->addWidget(new QLabel(QStringLiteral("CRDC_STATIC_FUNCLIST"), this));
    box->addLayout(listRow, 1);
    // Tab runs from the type through the list and its moves to the buttons.
    QWidget* last = m_pType;
    for (uint id : {uint(IDC_FC_LIST), uint(IDC_FC_MOVE_UP), uint(IDC_FC_MOVE_DOWN),
                    uint(IDC_FC_INSERT), uint(IDC_FC_DELETE), 1u, 2u, uint(IDC_FC_HELP)}) {
        QWidget* next = FindControlById(this, id);
        QWidget::setTabOrder(last, next);
        last = next;
    }
}

CFlListDlg::~CFlListDlg() = default;

bool CFlListDlg::OnInitDialog()
{
    CFcMainDlg::OnInitDialog();
    if (!OpenWorkDatabase())
        return true;
    ChooseFunctionTables();
    int err = 0;
    if (!FcList()->ReadListIds(err)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        EndAfterFailure();
        return true;
    }
    for (const FcListType& type : FcList()->ListTypes())
        m_pType->addItem(type.text);
    m_pType->setCurrentIndex(0);
    AttachModel();
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->horizontalHeader()->setSectionsClickable(false);
    EnableButton(platform::IDOK, false);
    connect(m_pType, &QComboBox::currentIndexChanged, this, &CFlListDlg::OnTypeChange);
    // The first list loads as a type change does, once the window runs.
    QTimer::singleShot(0, this, [this] {
        OnTypeChange();
        FocusControl(IDC_FC_LIST);
    });
    return true;
}

QString CFlListDlg::ChosenListId() const
{
    const std::vector<FcListType>& types = FcList()->ListTypes();
    const int chosen = m_pType->currentIndex();
    return chosen >= 0 && size_t(chosen) < types.size() ? types[size_t(chosen)].listId : QString();
}

void CFlListDlg::OnTypeChange()
{
    if (!m_pModel)
        return;
    CFcColumnDataList* list = FcList();
    list->SetCurrentList(ChosenListId());
    int err = 0;
    bool renumbered = false;
    if (!list->ListAccess()->RenumberItems(err, renumbered, false))
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
    Reload();
}

bool CFlListDlg::Reload()
{
    int err = 0;
    const bool read = FcList()->ReadRecords(err, QString());
    BuildListColumns();
    EnableButton(platform::IDOK, false);
    if (m_pModel->rowCount() > 0) {
        m_pList->selectionModel()->clearSelection();
        SelectRow(0);
        UpdateButtons();
    } else {
        SelectFirstRow();
        // A type without its list row cannot take keys.
        EnableButton(IDC_FC_INSERT, !FcList()->GetCurrentList().isEmpty());
    }
    if (!read)
        ShowReadFailure(err);
    return read;
}

void CFlListDlg::UpdateButtons()
{
    if (!m_pModel)
        return;
    const int row = SelectedRow();
    CFcColumnDataList* list = FcList();
    bool usable = false;
    if (const CRecord* record = row >= 0 ? list->CachedRecord(GetRecordNo(row)) : nullptr)
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (list->m_ppColumnData[i]->m_nCtrlID == IDC_FC_FUNCTION)
                usable = list->IsFunctionInMaster(record->value(i));
    EnableButton(platform::IDOK, usable);
    EnableButton(IDC_FC_DELETE, usable);
    EnableButton(IDC_FC_MOVE_UP, row != 0);
    EnableButton(IDC_FC_MOVE_DOWN, row < m_pModel->rowCount() - 1);
    EnableButton(IDC_FC_INSERT, !list->GetCurrentList().isEmpty());
}

bool CFlListDlg::OnCommand(uint id)
{
    switch (id) {
    case IDC_FC_INSERT:
        OnInsert();
        return true;
    case IDC_FC_DELETE:
        OnDelete();
        return true;
    case IDC_FC_MOVE_UP:
        OnMove(true);
        return true;
    case IDC_FC_MOVE_DOWN:
        OnMove(false);
        return true;
    default:
        return CFkListDlg::OnCommand(id);
    }
}

void CFlListDlg::OnInsert()
{
    const QWidget* insert = FindControlById(this, IDC_FC_INSERT);
    if (!m_pModel || !insert || !insert->isEnabled())
        return;
    CFcColumnDataList* list = FcList();
    QString key;
    int err = 0;
    CFcColumnDataList::AddResult added;
    {
        CWaitCursor wait;
        list->SetCurrentList(ChosenListId());
        added = list->AddListKey(err, key);
    }
    if (added != CFcColumnDataList::AddResult::Added) {
        Reload();
        if (added == CFcColumnDataList::AddResult::SaveFailed)
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                               platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        else
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_INSERT_FAILED"),
                               platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return;
    }
    Reload();
    int row = -1;
    for (int r = 0; r < m_pModel->rowCount(); ++r)
        if (const CRecord* record = list->CachedRecord(GetRecordNo(r));
            record && record->value(list->m_nKeyIndex) == key)
            row = r;
    if (row < 0)
        return;
    SelectRow(row);
    if (RunEditor(row, true) != platform::IDOK)
        RemoveKey(key, row);
}

void CFlListDlg::OnDelete()
{
    const QWidget* remove = FindControlById(this, IDC_FC_DELETE);
    const int row = SelectedRow();
    if (!m_pModel || !remove || !remove->isEnabled() || row < 0)
        return;
    const CRecord* record = FcList()->CachedRecord(GetRecordNo(row));
    if (!record)
        return;
    const QString key = record->value(FcList()->m_nKeyIndex);
    if (ShowProgramMessage(this, QStringLiteral("CRDS_FC_DELETE"), platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel, record->value(0)) != platform::IDOK)
        return;
    RemoveKey(key, row);
}

void CFlListDlg::RemoveKey(const QString& key, int row)
{
    CFcColumnDataList* list = FcList();
    int err = 0;
    {
        CWaitCursor wait;
        list->SetCurrentList(ChosenListId());
        if (!list->RemoveListKey(err, key)) {
            Reload();
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_DELETE_FAILED"),
                               platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
            return;
        }
        bool renumbered = false;
        if (!list->ListAccess()->RenumberItems(err, renumbered, true))
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                               platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
    }
    if (!Reload())
        return;
    SelectRow(row - 1);
    if (m_pModel->rowCount() == 0 || row == 0) {
        EnableButton(platform::IDOK, false);
        EnableButton(IDC_FC_DELETE, false);
    }
}

void CFlListDlg::OnMove(bool up)
{
    const int row = SelectedRow();
    const QWidget* button = FindControlById(this, up ? IDC_FC_MOVE_UP : IDC_FC_MOVE_DOWN);
    if (!m_pModel || row < 0 || !button || !button->isEnabled())
        return;
    CFcColumnDataList* list = FcList();
    list->SetCurrentList(ChosenListId());
    int err = 0;
    const bool moved =
        up ? list->ListAccess()->MoveItemUp(err, row) : list->ListAccess()->MoveItemDown(err, row);
    if (!moved) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return;
    }
    if (Reload())
        SelectRow(up ? row - 1 : row + 1);
}

} // namespace kesmond
