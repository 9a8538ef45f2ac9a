#include "functions/CFcBasePageDlg.h"

#include "functions/CColumnDataCSB003Value.h"
#include "functions/CFcColumnDataList.h"
#include "functions/FcDialogIds.h"
#include "functions/IFcPageHost.h"

#include "goods/base/CEnterKeyFilter.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/CPriceEdit.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/FindControlById.h"
#include "shared/controls/NumberText.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/lang/WindowText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace kesmond {

namespace {

const QString kCreateDateTime = QStringLiteral("CREATEDATETIME");
const QString kUpdateDateTime = QStringLiteral("UPDATEDATETIME");

QLabel* AddLabel(QWidget* page, uint id, const char* key)
{
    auto* label = new QLabel(QLatin1String(key), page);
    SetControlId(label, id);
    return label;
}

} // namespace

CFcBasePageDlg::CFcBasePageDlg() = default;

CFcBasePageDlg::~CFcBasePageDlg() = default;

void CFcBasePageDlg::BindRecord(CDataManager* dataManager, int recordNo, bool newRecord)
{
    m_pDataManager = dataManager;
    m_nRecordNo = recordNo;
    m_bNewRecord = newRecord;
}

CFcColumnDataList* CFcBasePageDlg::List() const
{
    return m_pDataManager ? dynamic_cast<CFcColumnDataList*>(m_pDataManager->GetColumnDataList())
                          : nullptr;
}

bool CFcBasePageDlg::Create(unsigned templateId, IFcPageHost* tabDlg, QWidget* parent)
{
    m_nTemplateId = templateId;
    m_pTabDlg = tabDlg;
    setParent(parent);
    SetControlId(this, templateId);
    BuildControls();
    SetDialogLangTexts(this);
    // Enter in an edit or combo box does not close the editor.
    new CEnterKeyFilter(this, true);
    if (List() && ShowData()) {
        OnInitPage();
        return true;
    }
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                       platform::MessageIcon::Error);
    return false;
}

void CFcBasePageDlg::BuildControls()
{
    auto* form = new QFormLayout(this);
    auto* code = new QLabel(this);
    code->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetControlId(code, IDC_FC_KEYCODE);
    form->addRow(AddLabel(this, 0, "CRDC_STATIC_TRADINGKEYCODE"), code);
    auto* function = new QComboBox(this);
    SetControlId(function, IDC_FC_FUNCTION);
    form->addRow(AddLabel(this, 23039, "CRDC_FC_LABEL_FUNCTIONCODE"), function);
    auto* name = new CEcrEdit(this);
    SetControlId(name, IDC_FC_NAME);
    form->addRow(AddLabel(this, 23030, "CRDC_FC_LABEL_FUNCKEYNAME"), name);
    if (m_nTemplateId == IDD_FC_PAGE_AMOUNT) {
        auto* amount = new CPriceEdit(this);
        SetControlId(amount, IDC_FC_AMOUNT);
        form->addRow(AddLabel(this, 23031, "CRDC_FC_LABEL_PRICE"), amount);
    } else if (m_nTemplateId == IDD_FC_PAGE_RATE) {
        auto* row = new QWidget(this);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* rate = new CPercentEdit(row);
        SetControlId(rate, IDC_FC_RATE);
        line->addWidget(rate);
        line->addWidget(AddLabel(row, 0, "CRDC_STATIC_PERCENT"));
        line->addStretch();
        form->addRow(AddLabel(this, 23125, "CRDC_FC_LABEL_RATE"), row);
    }
}

QWidget* CFcBasePageDlg::Control(const CColumnData* column) const
{
    return column && column->m_nCtrlID != 0
               ? FindControlById(const_cast<CFcBasePageDlg*>(this), column->m_nCtrlID)
               : nullptr;
}

QString CFcBasePageDlg::KeyCode() const
{
    return GetWindowText(FindControlById(const_cast<CFcBasePageDlg*>(this), IDC_FC_KEYCODE));
}

QString CFcBasePageDlg::CurrentFunctionCode() const
{
    CFcColumnDataList* list = List();
    if (!list)
        return QString();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        if (column->m_nCtrlID != IDC_FC_FUNCTION)
            continue;
        QString code;
        if (QWidget* combo = Control(column))
            column->GetControlValue(combo, code);
        return code;
    }
    return QString();
}

bool CFcBasePageDlg::ShowData()
{
    CFcColumnDataList* list = List();
    const CRecord* record = list ? list->CachedRecord(m_nRecordNo) : nullptr;
    if (!record)
        return false;
    if (m_fixedFont.family().isEmpty() || m_fixedFont.family() != GetFixPitchFontName()) {
        m_fixedFont = font();
        m_fixedFont.setFamily(GetFixPitchFontName());
    }
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        if (!control)
            continue;
        QString value = record->value(i);
        if (column->m_nCtrlID == IDC_FC_FUNCTION && m_pTabDlg &&
            !m_pTabDlg->FunctionOverride().isEmpty())
            value = m_pTabDlg->FunctionOverride();
        column->ReadCandidate(control);
        column->SetControlValue(control, value);
        if (!qobject_cast<QAbstractButton*>(control))
            control->setFont(m_fixedFont);
        auto* edit = qobject_cast<CEcrEdit*>(control);
        if (!edit)
            continue;
        int characters = column->m_nSize;
        if (column->m_nCtrlID == IDC_FC_RATE)
            characters =
                GetPercentTextColumns(column->m_nSize - column->m_nDecimals, column->m_nDecimals);
        edit->LimitText(characters);
        SetEditSize(m_fixedFont, edit, 1, characters, EDITSIZE_WIDTH);
    }
    return true;
}

uint CFcBasePageDlg::CheckInput()
{
    CFcColumnDataList* list = List();
    for (int i = 0; list && i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        if (!control || !control->isEnabled() || column->CheckControlValue(control))
            continue;
        QString message = column->m_strErrMsg;
        if (message.isEmpty())
            message = GetLangString(QStringLiteral("CRDS_CMN_ERR_INPUT"));
        ShowProgramMessageText(this, QStringLiteral("CRDS_CMN_ERR_INPUT"), message,
                               platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        return column->m_nCtrlID;
    }
    return 0;
}

bool CFcBasePageDlg::BuildRow(QStringList& row, bool deleteSettings, int& err)
{
    err = 0;
    CFcColumnDataList* list = List();
    const CRecord* record = list ? list->CachedRecord(m_nRecordNo) : nullptr;
    if (!record) {
        err = SQLERR_ARGUMENTS;
        return false;
    }
    const QString now = GetTimestampOfNow();
    row.clear();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QString value = record->value(i);
        QWidget* control = Control(column);
        if (control && control->isEnabled())
            column->GetControlValue(control, value);
        else if (column->m_strColumnName == kCreateDateTime) {
            if (m_bNewRecord)
                value = now;
        } else if (column->m_strColumnName == kUpdateDateTime)
            value = now;
        row << value;
        if (i == list->m_nKeyIndex && deleteSettings && !list->DeleteSetValues(err, value))
            return false;
        if (auto* settings = dynamic_cast<CColumnDataCSB003Value*>(column);
            settings && control && control->isEnabled() && settings->GetLastWriteStatus() != 0) {
            err = settings->GetLastWriteStatus();
            return false;
        }
    }
    return true;
}

bool CFcBasePageDlg::SaveRow(QStringList& row, int& err)
{
    CFcColumnDataList* list = List();
    if (list->SaveRecord(m_nRecordNo, row, err))
        return true;
    if (err == 0)
        err = SQLERR_ARGUMENTS;
    return false;
}

void CFcBasePageDlg::ShowSaveFailure(int err)
{
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                       platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
}

bool CFcBasePageDlg::SaveInTransaction(const std::function<bool(int& err)>& writes)
{
    CFcColumnDataList* list = List();
    CSQliteDB* db = m_pDataManager ? m_pDataManager->m_pSQliteDB : nullptr;
    CRecord* cached = list ? list->CachedRecord(m_nRecordNo) : nullptr;
    if (!db || !cached) {
        ShowSaveFailure(SQLERR_NOT_OPEN);
        return false;
    }
    const QStringList before = cached->toList();
    CSQliteSQL sql(*db, CBasePath::GetStrDummyName());
    CSqLiteTransaction transaction(*db, sql);
    int err = transaction.StartStatus();
    if (err == 0 && writes(err))
        err = transaction.Commit();
    else if (err == 0)
        err = SQLERR_ARGUMENTS;
    if (err == 0)
        return true;
    transaction.Rollback();
    *cached = before;
    ShowSaveFailure(err);
    return false;
}

bool CFcBasePageDlg::SaveData()
{
    return true;
}

} // namespace kesmond
