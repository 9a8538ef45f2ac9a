#include "bases/CPageDlg.h"

#include "bases/CColumnApartData.h"
#include "bases/CSettingDetailList.h"
#include "bases/CTaxTables.h"
#include "goods/base/CMessageEdit.h"
#include "bases/PageLayouts.h"

#include "goods/base/CEnterKeyFilter.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/PitchFontName.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>

namespace dunmarel {

namespace {

// The controls a cleaning check page leaves out: the reset combos and their labels.
constexpr unsigned kCleaningHidden[] = {1077, 1078, 1079, 1080};
constexpr int kMessageLines = 3;
constexpr unsigned kReservationOn = 1168;
constexpr unsigned kReservationOff = 1169;
constexpr unsigned kReservationPickers[] = {1170, 1171};

bool SaveFailed(QWidget* page, int err)
{
    ShowProgramMessage(page, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                       platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
    return false;
}

} // namespace

CPageDlg::CPageDlg() = default;

CPageDlg::~CPageDlg() = default;

bool CPageDlg::IsDetailPage() const
{
    const char* key = m_pDataManager ? m_pDataManager->m_pszModeKey : nullptr;
    return key && (qstrcmp(key, "AS_DETAIL_CL") == 0 || qstrcmp(key, "AS_RES") == 0) &&
           m_pDataManager->GetColumnDataList() &&
           !m_pDataManager->GetColumnDataList()->m_strTableName.isEmpty();
}

void CPageDlg::UpdateReservationControls()
{
    auto* off = qobject_cast<QAbstractButton*>(FindControlById(this, kReservationOff));
    const bool enable = !(off && off->isChecked());
    for (unsigned id : kReservationPickers)
        if (QWidget* picker = FindControlById(this, id))
            picker->setEnabled(enable);
}

bool CPageDlg::CreateDetailList()
{
    m_pDetailList = std::make_unique<CSettingDetailList>(this);
    return m_pDetailList->LoadValueNames(*m_pDataManager) &&
           m_pDetailList->LoadDefinitions(*m_pDataManager) && m_pDetailList->Fill(*m_pDataManager);
}

void CPageDlg::SetDataManager(CDataManager* manager, int recordNo, int newRecord)
{
    m_pDataManager = manager;
    m_nRecordNo = recordNo;
    m_nNewRecord = newRecord;
}

bool CPageDlg::Create(unsigned pageId, QWidget* parent)
{
    m_nPageId = pageId;
    setParent(parent);
    SetControlId(this, pageId);
    if (!m_pDataManager || !BuildPageControls(pageId, this))
        return false;
    SetDialogLangTexts(this);
    // Enter on a combo box does nothing; on a button it clicks once.
    new CEnterKeyFilter(this, true);
    if (qstrcmp(m_pDataManager->m_pszModeKey, "AS_CL") == 0)
        for (unsigned id : kCleaningHidden)
            if (QWidget* control = FindControlById(this, id))
                control->hide();
    for (unsigned id : {kReservationOn, kReservationOff})
        if (auto* radio = qobject_cast<QAbstractButton*>(FindControlById(this, id)))
            connect(radio, &QAbstractButton::clicked, this,
                    [this] { UpdateReservationControls(); });
    const bool shown = IsDetailPage() ? CreateDetailList() : ShowData();
    UpdateReservationControls();
    return shown;
}

QWidget* CPageDlg::Control(const CColumnData* column) const
{
    return column ? FindControlById(const_cast<CPageDlg*>(this), column->m_nCtrlID) : nullptr;
}

bool CPageDlg::ShowData()
{
    CColumnDataList* list = m_pDataManager ? m_pDataManager->GetColumnDataList() : nullptr;
    const CRecord* record = list ? list->CachedRecord(m_nRecordNo) : nullptr;
    if (!record)
        return false;
    QFont font = this->font();
    font.setFamily(GetFixPitchFontName());
    m_shown.assign(size_t(list->m_nColumnCount), QString());
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        if (!control)
            continue;
        column->ReadCandidate(control);
        column->SetControlValue(control, record->value(i));
        if (!qobject_cast<QAbstractButton*>(control))
            control->setFont(font);
        const auto* apart = dynamic_cast<const CColumnApartData*>(column);
        const int width = apart && apart->m_nEditWidth ? apart->m_nEditWidth : column->m_nSize;
        if (auto* edit = qobject_cast<CEcrEdit*>(control)) {
            edit->LimitText(column->m_nSize);
            SetEditSize(font, edit, 1, width, EDITSIZE_WIDTH);
            edit->setFixedWidth(edit->width());
        } else if (auto* message = qobject_cast<CMessageEdit*>(control)) {
            message->LimitText(column->m_nSize);
            SetEditSize(font, message, kMessageLines, width, EDITSIZE_WIDTH | EDITSIZE_HEIGHT);
            message->setFixedSize(message->size());
        }
        column->GetControlValue(control, m_shown[size_t(i)]);
    }
    return true;
}

bool CPageDlg::ConfirmTaxScheduler()
{
    auto* on = qobject_cast<QAbstractButton*>(FindControlById(this, kReservationOn));
    CColumnDataList* list = m_pDataManager ? m_pDataManager->GetColumnDataList() : nullptr;
    CSQliteDB* db = list ? list->GetCSQliteDBPtr() : nullptr;
    QString name;
    if (!on || !on->isChecked() || !db || CTaxTables::CheckTaxScheduler(*db, name))
        return true;
    return ShowProgramMessage(this, QStringLiteral("CRDS_BS_ERROR_NOTAXSCHEDULER"),
                              platform::MessageIcon::None, platform::MessageButtons::OkCancel,
                              name) == platform::IDOK;
}

unsigned CPageDlg::CheckInput()
{
    if (!ConfirmTaxScheduler())
        return kReservationOn;
    CColumnDataList* list = m_pDataManager ? m_pDataManager->GetColumnDataList() : nullptr;
    if (!list || IsDetailPage())
        return 0;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        if (!control || !control->isEnabled())
            continue;
        if (!column->CheckControlValue(control)) {
            const QString text = column->m_strErrMsg;
            ShowProgramMessageText(this, QStringLiteral("CRDS_CMN_ERR_INPUT"), text,
                                   platform::MessageIcon::Warning, platform::MessageButtons::Ok);
            return column->m_nCtrlID;
        }
    }
    return 0;
}

bool CPageDlg::ValueToSave(int index, QWidget* control, QString& value) const
{
    CColumnData* column = m_pDataManager->GetColumnData(index);
    const CRecord* record = m_pDataManager->GetColumnDataList()->CachedRecord(m_nRecordNo);
    const QString stored = record ? record->value(index) : QString();
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->currentIndex() < 0)
        return false;
    if (auto* button = qobject_cast<QAbstractButton*>(control);
        button && button->isCheckable() && button->autoExclusive()) {
        bool any = false;
        for (QAbstractButton* radio : RadioGroupOf(button))
            any = any || radio->isChecked();
        if (!any)
            return false;
    }
    column->GetControlValue(control, value);
    if (size_t(index) < m_shown.size() && value == m_shown[size_t(index)])
        value = stored;
    return true;
}

bool CPageDlg::SaveData(int& err)
{
    err = 0;
    if (IsDetailPage()) {
        if (m_pDetailList && m_pDetailList->SaveChanges(*m_pDataManager, err))
            return true;
        return SaveFailed(this, err);
    }
    CColumnDataList* list = m_pDataManager ? m_pDataManager->GetColumnDataList() : nullptr;
    const CRecord* record = list ? list->CachedRecord(m_nRecordNo) : nullptr;
    if (!record)
        return false;
    QStringList row;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        QString value;
        column->m_bOwnTable = control && control->isEnabled() && ValueToSave(i, control, value);
        row << (column->m_bOwnTable ? value : record->value(i));
    }
    if (list->SaveRecord(m_nRecordNo, row, err))
        return true;
    return SaveFailed(this, err);
}

} // namespace dunmarel
