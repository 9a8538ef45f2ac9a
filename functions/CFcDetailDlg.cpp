#include "functions/CFcDetailDlg.h"

#include "functions/FcDialogIds.h"
#include "functions/FcProperty.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/PitchFontName.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/CPriceEdit.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/NumberText.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QTimeEdit>

namespace kesmond {

namespace {

const char* TitleKey(uint templateId)
{
    switch (templateId) {
    case IDD_FC_SUBF_DATE:
        return "CRDD_FC_SUBF_DATE";
    case IDD_FC_SUBF_TIME:
        return "CRDD_FC_SUBF_TIME";
    case IDD_FC_SUBF_SELECT:
        return "CRDD_FC_SUBF_SELECT";
    case IDD_FC_SUBF_NUMBER:
    case IDD_FC_SUBF_AMOUNT:
        return "CRDD_FC_SUBF_NUMTEXT";
    default:
        return "CRDD_FC_SUBF_STRTEXT";
    }
}

} // namespace

CFcDetailDlg::CFcDetailDlg(QWidget* parent, uint templateId)
    : CSarvikDialog(parent), m_nTemplateId(templateId)
{
    const bool select = templateId == IDD_FC_SUBF_SELECT;
    CDialogTemplate tmpl(this, 9, 220, select ? 150 : 90);
    setWindowTitle(QLatin1String(TitleKey(templateId)));
    tmpl.Add<QLabel>(IDC_TITLE, QStringLiteral("CRDC_FC_LABEL_FUNCVALUE"), 14, 12, 192, 10);
    switch (templateId) {
    case IDD_FC_SUBF_DATE: {
        auto* date = tmpl.Add<QDateEdit>(IDC_DATE, QString(), 14, 28, 100, 14);
        date->setCalendarPopup(true);
        break;
    }
    case IDD_FC_SUBF_TIME:
        tmpl.Add<QTimeEdit>(IDC_TIME, QString(), 14, 28, 70, 14)
            ->setDisplayFormat(QStringLiteral("HH:mm"));
        break;
    case IDD_FC_SUBF_SELECT:
        tmpl.Add<QListWidget>(IDC_CHOICES, QString(), 14, 28, 192, 84);
        break;
    case IDD_FC_SUBF_NUMBER:
        tmpl.Add<CPercentEdit>(IDC_NUMBER, QString(), 14, 28, 100, 14);
        break;
    case IDD_FC_SUBF_AMOUNT:
        tmpl.Add<CPriceEdit>(IDC_AMOUNT, QString(), 14, 28, 100, 14);
        break;
    default:
        tmpl.Add<CEcrEdit>(IDC_TEXT, QString(), 14, 28, 192, 14);
        break;
    }
    const int buttons = select ? 124 : 60;
    AddOkCancel(tmpl, 54, buttons, 120, buttons, 50, 16);
}

CFcDetailDlg::~CFcDetailDlg() = default;

void CFcDetailDlg::SetValue(int totalDigits, int decimalDigits, const QString& value)
{
    m_nTotalDigits = totalDigits;
    m_nDecimalDigits = decimalDigits;
    m_strValue = value;
}

void CFcDetailDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CFcDetailDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    m_fixedFont = font();
    m_fixedFont.setFamily(GetFixPitchFontName());
    SetWindowText(FindControlById(this, IDC_TITLE), m_strTitle);
    if (auto* date = FindControlById(this, IDC_DATE)) {
        date->setFont(m_fixedFont);
        qobject_cast<QDateEdit*>(date)->setDate(StoredDate(m_strValue));
    } else if (auto* time = FindControlById(this, IDC_TIME)) {
        time->setFont(m_fixedFont);
        qobject_cast<QTimeEdit*>(time)->setTime(StoredTime(m_strValue));
    } else if (auto* list = qobject_cast<QListWidget*>(FindControlById(this, IDC_CHOICES))) {
        list->setFont(m_fixedFont);
        int selected = m_choices.isEmpty() ? -1 : 0;
        for (int i = 0; i < m_choices.size(); ++i) {
            list->addItem(m_choices[i].value(1));
            if (m_choices[i].value(0) == m_strValue)
                selected = i;
        }
        list->setCurrentRow(selected);
        connect(list, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
    } else if (auto* number = qobject_cast<CPercentEdit*>(FindControlById(this, IDC_NUMBER))) {
        const int integer = m_nTotalDigits - m_nDecimalDigits;
        number->setFont(m_fixedFont);
        number->SetDigits(integer, m_nDecimalDigits);
        SetEditSize(m_fixedFont, number, 1, GetPercentTextColumns(integer, m_nDecimalDigits),
                    EDITSIZE_WIDTH);
        number->SetText(m_strValue);
    } else if (auto* edit = qobject_cast<CEcrEdit*>(FindControlById(this, IDC_AMOUNT)
                                                        ? FindControlById(this, IDC_AMOUNT)
                                                        : FindControlById(this, IDC_TEXT))) {
        edit->setFont(m_fixedFont);
        if (auto* price = qobject_cast<CPriceEdit*>(edit))
            price->SetDigits(m_nTotalDigits);
        edit->LimitText(m_nTotalDigits);
        SetEditSize(m_fixedFont, edit, 1, m_nTotalDigits, EDITSIZE_WIDTH);
        edit->SetText(m_strValue);
    }
    return true;
}

void CFcDetailDlg::OnOK()
{
    if (auto* date = qobject_cast<QDateEdit*>(FindControlById(this, IDC_DATE)))
        m_strValue = date->date().toString(QStringLiteral("yyyyMMdd"));
    else if (auto* time = qobject_cast<QTimeEdit*>(FindControlById(this, IDC_TIME)))
        m_strValue = time->time().toString(QStringLiteral("HHmm"));
    else if (auto* list = qobject_cast<QListWidget*>(FindControlById(this, IDC_CHOICES))) {
        const int row = list->currentRow();
        if (row < 0 || row >= m_choices.size())
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_INPUT"),
                               platform::MessageIcon::Error);
        else
            m_strValue = m_choices[row].value(0);
    } else {
        for (uint id : {uint(IDC_NUMBER), uint(IDC_AMOUNT), uint(IDC_TEXT)})
            if (QWidget* edit = FindControlById(this, id))
                m_strValue = GetWindowText(edit);
    }
    EndDialog(platform::IDOK);
}

} // namespace kesmond
