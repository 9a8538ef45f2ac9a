#include "goods/base/CAddDlg.h"

#include "goods/base/CEnterKeyFilter.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/PitchFontName.h"
#include "shared/controls/CNumEdit.h"
#include "shared/controls/EditSize.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

CAddDlg::CAddDlg(CDataManager* dataManager, const QString& labelKey, QWidget* parent)
    : CSarvikDialog(parent), m_pDataManager(dataManager), m_strLabelKey(labelKey)
{
    CDialogTemplate tmpl(this, 9, 186, 62);
    setWindowTitle(QStringLiteral("CRDD_PR_ADD_CODE"));
    tmpl.Add<QLabel>(IDC_LABEL, QStringLiteral("CRDC_PR_LABEL_CODENAME"), 7, 9, 66, 10);
    m_pCode = tmpl.Add<CNumEdit>(IDC_CODE, QString(), 75, 7, 104, 14);
    AddOkCancel(tmpl, 75, 41, 129, 41, 50, 14);
    m_pOk = qobject_cast<QPushButton*>(FindControlById(this, 1));
    connect(m_pCode, &QLineEdit::textChanged, this, &CAddDlg::OnCodeChanged);
    // Enter in the code field does not confirm it.
    new CEnterKeyFilter(this, true);
}

CAddDlg::~CAddDlg() = default;

int CAddDlg::CodeWidth() const
{
    const CColumnDataList* list = m_pDataManager ? m_pDataManager->GetColumnDataList() : nullptr;
    const CColumnData* key = list ? list->KeyColumn() : nullptr;
    return key ? key->m_nSize : 0;
}

QString CAddDlg::ProposeNewCode() const
{
    const CColumnDataList* list = m_pDataManager ? m_pDataManager->GetColumnDataList() : nullptr;
    if (!list || !list->KeyColumn() || !m_pDataManager->m_pSQliteDB)
        return QString();
    int err = 0;
    return CSqLiteUtility::FindBigestRecord(*m_pDataManager->m_pSQliteDB, list->m_strTableName,
                                            list->KeyColumn()->m_strColumnName, CodeWidth(), 0,
                                            QString(), err);
}

// The program's own module translates its windows.
void CAddDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CAddDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    QFont font = m_pCode->font();
    font.setFamily(GetFixPitchFontName());
    m_pCode->setFont(font);
    const int width = CodeWidth();
    const int rightMargin = this->width() - (m_pCode->geometry().right() + 1);
    m_pCode->LimitText(width);
    SetEditSize(font, m_pCode, 1, width, EDITSIZE_WIDTH);
    if (!m_strLabelKey.isEmpty())
        SetWindowText(FindControlById(this, IDC_LABEL), GetLangString(m_strLabelKey));
    FitLabel(rightMargin);
    m_pOk->setEnabled(false);
    m_pCode->SetText(ProposeNewCode());
    OnCodeChanged();
    m_pCode->setFocus();
    m_pCode->selectAll();
    setFixedSize(size());
    return false;
}

// A long code name (the item parameters') moves the field and the buttons
// right, and the dialog grows to keep its margin beside the field.
void CAddDlg::FitLabel(int rightMargin)
{
    QWidget* label = FindControlById(this, IDC_LABEL);
    const int grow = label->sizeHint().width() - label->width();
    if (grow > 0) {
        label->resize(label->sizeHint().width(), label->height());
        for (QWidget* moved :
             {static_cast<QWidget*>(m_pCode), FindControlById(this, 1), FindControlById(this, 2)})
            if (moved)
                moved->move(moved->x() + grow, moved->y());
    }
    resize(std::max(this->width(), m_pCode->geometry().right() + 1 + rightMargin), height());
}

void CAddDlg::OnCodeChanged()
{
    const int width = CodeWidth();
    m_pOk->setEnabled(width > 0 && m_pCode->text().size() == width);
}

void CAddDlg::OnOK()
{
    if (!m_pOk->isEnabled())
        return;
    const QString code = m_pCode->text();
    if (!AcceptNewCode(code))
        return;
    m_strNewCode = code;
    EndDialog(platform::IDOK);
}

bool CAddDlg::AcceptNewCode(const QString& code)
{
    int err = 0;
    if (!m_pDataManager->GetColumnDataList()->IsExistKey(code, err) && err == 0)
        return true;
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_EXIST_FAILED"),
                       platform::MessageIcon::Warning);
    return false;
}
