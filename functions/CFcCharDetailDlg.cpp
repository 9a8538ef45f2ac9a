#include "functions/CFcCharDetailDlg.h"

#include "functions/FcDialogIds.h"

#include "goods/base/CMessageEdit.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kesmond {

CFcCharDetailDlg::CFcCharDetailDlg(CDataManager* dataManager, int recordNo, QWidget* parent,
                                   uint templateId)
    : CFcMainDlg(parent, templateId, 0), m_pDataManager(dataManager), m_nRecordNo(recordNo)
{
    m_pTitle = new QLabel(this);
    SetControlId(m_pTitle, IDC_FC_CHAR_TITLE);
    m_pEdit = new CMessageEdit(this);
    SetControlId(m_pEdit, IDC_FC_CHAR_TEXT);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 46); // the button row below
    layout->addWidget(m_pTitle);
    layout->addWidget(m_pEdit, 1);
    AddButton(platform::IDOK, QStringLiteral("CRD_OK"));
    AddButton(platform::IDCANCEL, QStringLiteral("CRD_CANCEL"));
    resize(480, 300);
}

CFcCharDetailDlg::~CFcCharDetailDlg() = default;

bool CFcCharDetailDlg::OnInitDialog()
{
    CFcMainDlg::OnInitDialog();
    setWindowTitle(m_strCaption);
    QFont font = m_pEdit->font();
    font.setFamily(GetFixPitchFontName());
    m_pTitle->setFont(font);
    m_pEdit->setFont(font);
    m_pTitle->setText(m_strTitle);
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_nCtrlID == IDC_FC_CHAR_TEXT)
            m_pEdit->LimitText(list->m_ppColumnData[i]->m_nSize);
    m_pEdit->SetStoredText(m_strText);
    m_pEdit->setFocus(Qt::OtherFocusReason);
    return true;
}

void CFcCharDetailDlg::OnOK()
{
    const QString text = m_pEdit->StoredText();
    if (ShowProgramMessage(this, QStringLiteral("CRDS_CMN_COMFIRM_SAVE"),
                           platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel) != platform::IDOK)
        return;
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const CRecord* record = list->CachedRecord(m_nRecordNo);
    if (!record)
        return;
    const QString now = GetTimestampOfNow();
    QStringList row;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        const CColumnData* column = list->m_ppColumnData[i];
        if (column->m_nCtrlID == IDC_FC_CHAR_TEXT)
            row << text;
        else if (column->m_strColumnName == QLatin1String("UPDATEDATETIME"))
            row << now;
        else
            row << record->value(i);
    }
    int err = 0;
    if (!list->SaveRecord(m_nRecordNo, row, err)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETWRITE_FAILED"),
                           platform::MessageIcon::Error);
        return;
    }
    m_strText = text;
    EndDialog(platform::IDOK);
}

} // namespace kesmond
