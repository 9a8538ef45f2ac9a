#include "shared/dialogs/CSubItemSetDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CMinusPriceEdit.h"
#include "shared/controls/CNumZeroEdit.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/CPriceEdit.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/data/CStringArrayPtrList.h"
#include "shared/lang/CommonMessage.h"
#include "shared/controls/EditSize.h"
#include "platform/MessageBox.h"
#include "shared/controls/NumberText.h"
#include "shared/config/PitchFontName.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>

#include <algorithm>

namespace {

using Form = SubItemDlgType;

struct Place
{
    int x, y, width, height;
};

// The one-form templates: caption, size, label and the form's control.
struct FormTemplate
{
    uint idd;
    const char* caption;
    int width, height;
    const char* labelKey; // nullptr: no label
    Place label;
    Place control;
    int buttonsY;
};

// clang-format off
const FormTemplate kTemplates[] = {
    {6006, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 92, 12}, 69},
    {6011, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 92, 12}, 69},
    {6010, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 92, 12}, 69},
    {6007, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 100, 15}, 69},
    {6008, "CRDD_CMN_SUBF_TIME", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 100, 15}, 69},
    {6009, "CRDD_CMN_SUBF_SELECT", 211, 163, "CRDS_CMN_SETTING", {15, 11, 188, 13}, {15, 25, 181, 100}, 136},
    // The drop-down list's height in the template includes its open list.
    {6012, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {25, 24, 176, 13}, {25, 36, 156, 14}, 69},
    {6013, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 92, 12}, 69},
    {6014, "CRDS_CMN_SETTING", 209, 105, "CRDC_CMN_LABEL_FUNCVALUE", {24, 24, 178, 13}, {22, 37, 92, 12}, 69},
    {6015, "CRDD_CMN_SUBF_SELECT", 211, 163, nullptr, {}, {15, 14, 181, 111}, 136},
};
// clang-format on

int FormIndex(int form)
{
    return form >= Form::DLGTYPE_EDIT && form <= Form::DLGTYPE_CHECKLIST ? form : 0;
}

QWidget* CreateControl(CDialogTemplate& tmpl, uint id, const Place& at)
{
    auto add = [&](auto* typeTag) -> QWidget* {
        using T = std::remove_pointer_t<decltype(typeTag)>;
        return tmpl.Add<T>(id, QString(), at.x, at.y, at.width, at.height);
    };
    QWidget* control = nullptr;
    switch (id) {
    case CSubItemSetDlg::IDC_TEXT:
        return add((CEcrEdit*)nullptr);
    case CSubItemSetDlg::IDC_PRICE:
        control = add((CPriceEdit*)nullptr);
        break;
    case CSubItemSetDlg::IDC_PERCENT:
        control = add((CPercentEdit*)nullptr);
        break;
    case CSubItemSetDlg::IDC_DATE: {
        auto* date = static_cast<QDateEdit*>(add((QDateEdit*)nullptr));
        date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
        date->setCalendarPopup(true);
        date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return date;
    }
    case CSubItemSetDlg::IDC_TIME: {
        auto* time = static_cast<QTimeEdit*>(add((QTimeEdit*)nullptr));
        time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return time;
    }
    case CSubItemSetDlg::IDC_LIST:
    case CSubItemSetDlg::IDC_CHECKLIST:
        return add((QListWidget*)nullptr);
    case CSubItemSetDlg::IDC_COMBO:
        // Entry i must stay selection row i: no sorting, no typing.
        return add((QComboBox*)nullptr);
    case CSubItemSetDlg::IDC_NUMZERO:
        return add((CNumZeroEdit*)nullptr);
    case CSubItemSetDlg::IDC_MINUSPRICE:
        control = add((CMinusPriceEdit*)nullptr);
        break;
    default:
        return nullptr;
    }
    static_cast<QLineEdit*>(control)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return control;
}

const uint kFormControls[] = {
    CSubItemSetDlg::IDC_TEXT,      CSubItemSetDlg::IDC_PRICE,   CSubItemSetDlg::IDC_PERCENT,
    CSubItemSetDlg::IDC_DATE,      CSubItemSetDlg::IDC_TIME,    CSubItemSetDlg::IDC_LIST,
    CSubItemSetDlg::IDC_COMBO,     CSubItemSetDlg::IDC_NUMZERO, CSubItemSetDlg::IDC_MINUSPRICE,
    CSubItemSetDlg::IDC_CHECKLIST,
};

} // namespace

CSubItemSetDlg::CSubItemSetDlg(QWidget* parent) : CSarvikDialog(parent) {}

CSubItemSetDlg::CSubItemSetDlg(QWidget* parent, E_DlgTypeTag form, int allInOne)
    : CSarvikDialog(parent), m_nAllInOne(allInOne), m_nIDD(GetIDDFromEDlgType(form, allInOne)),
      m_eDlgType(form)
{
    BuildTemplate();
    BindControls();
    if (m_pListBox)
        connect(m_pListBox, &QListWidget::itemDoubleClicked, this,
                &CSubItemSetDlg::OnListDoubleClicked);
}

CSubItemSetDlg::~CSubItemSetDlg() = default;

uint CSubItemSetDlg::GetIDDFromEDlgType(E_DlgTypeTag form, int allInOne)
{
    return allInOne == 1 ? IDD_ALLINONE : kTemplates[FormIndex(form)].idd;
}

uint CSubItemSetDlg::ControlIdOfForm(E_DlgTypeTag form)
{
    return kFormControls[FormIndex(form)];
}

void CSubItemSetDlg::BuildTemplate()
{
    if (m_nIDD == IDD_ALLINONE) {
        // Every control of the forms, one row each, with a label beside it.
        CDialogTemplate tmpl(this, 8, 402, 302);
        const uint labels[] = {IDC_LABEL, 9025, 9026, 9027, 9028, 9029, 9030, 9031, 9032};
        int y = 7;
        for (int i = 0; i < 10; ++i) {
            const bool listForm = i == DLGTYPE_LIST || i == DLGTYPE_CHECKLIST;
            if (i < int(std::size(labels)))
                tmpl.Add<QLabel>(labels[i], QString(), 7, y, 120, 12);
            CreateControl(tmpl, kFormControls[i], {130, y, 180, listForm ? 40 : 14});
            y += listForm ? 44 : 18;
        }
        return;
    }
    const FormTemplate& form = kTemplates[FormIndex(m_eDlgType)];
    CDialogTemplate tmpl(this, 9, form.width, form.height);
    setWindowTitle(QLatin1String(form.caption));
    if (form.labelKey)
        tmpl.Add<QLabel>(IDC_LABEL, QLatin1String(form.labelKey), form.label.x, form.label.y,
                         form.label.width, form.label.height);
    CreateControl(tmpl, ControlIdOfForm(m_eDlgType), form.control);
    AddOkCancel(tmpl, 24, form.buttonsY, 108, form.buttonsY, 75, 20);
}

void CSubItemSetDlg::BindControls()
{
    auto find = [this](uint id, auto*& member) {
        member = qobject_cast<std::remove_reference_t<decltype(member)>>(FindControlById(this, id));
    };
    find(IDC_LABEL, m_pLabel);
    find(IDC_TEXT, m_pTextEdit);
    find(IDC_PRICE, m_pPriceEdit);
    find(IDC_PERCENT, m_pPercentEdit);
    find(IDC_DATE, m_pDatePicker);
    find(IDC_TIME, m_pTimePicker);
    find(IDC_LIST, m_pListBox);
    find(IDC_COMBO, m_pComboBox);
    find(IDC_NUMZERO, m_pNumZeroEdit);
    find(IDC_MINUSPRICE, m_pMinusPriceEdit);
    find(IDC_CHECKLIST, m_pCheckList);
    if (m_pTimePicker)
        m_pTimePicker->setDisplayFormat(QStringLiteral("HH:mm"));
}

void CSubItemSetDlg::SetValue(int digits, int decimals, const QString& value)
{
    m_nDigits = digits;
    m_nDecimals = decimals;
    m_strValue = value;
}

void CSubItemSetDlg::SetLabelText(const QString& text)
{
    m_strLabelText = text;
    if (m_pLabel && m_eDlgType != DLGTYPE_CHECKLIST)
        m_pLabel->setText(text);
}

bool CSubItemSetDlg::SetSelectData(CStringArrayPtrList* selection)
{
    if (selection && !SubItemSelectionRowsValid(selection)) {
        m_pSelectData = nullptr; // the dialog then refuses to open
        return false;
    }
    m_pSelectData = selection;
    return true;
}

QWidget* CSubItemSetDlg::FormControl() const
{
    return FindControlById(const_cast<CSubItemSetDlg*>(this), GetControlType());
}

bool CSubItemSetDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    if (m_nIDD != 0 && SetPage())
        return true;
    ShowCommonMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                      platform::MessageIcon::Error);
    // The dialog closes itself; the caller's window stays as it is.
    QMetaObject::invokeMethod(this, &CSubItemSetDlg::reject, Qt::QueuedConnection);
    return false;
}

bool CSubItemSetDlg::SetPage()
{
    if (!m_bFontCreated) {
        m_dlgFont = font();
        m_dlgFont.setFamily(GetFixPitchFontName());
        m_bFontCreated = true;
    }
    setWindowTitle(!m_strWindowText.isEmpty() ? m_strWindowText
                                              : LoadCommonString("CRDS_CMN_SETTING"));
    SetLabelText(m_strLabelText);

    QWidget* control = FormControl();
    if (!control)
        return false;
    control->setFont(m_dlgFont);
    if (m_eDlgType == DLGTYPE_CHECKLIST)
        setFont(m_dlgFont);
    if (auto* edit = qobject_cast<CEcrEdit*>(control)) {
        if (m_pPercentEdit == edit)
            m_pPercentEdit->SetDigits(m_nDigits - m_nDecimals, m_nDecimals);
        else if (m_pPriceEdit == edit)
            m_pPriceEdit->SetDigits(m_nDigits);
        else if (m_pNumZeroEdit == edit)
            m_pNumZeroEdit->SetDigits(m_nDigits);
        else if (m_pMinusPriceEdit == edit)
            m_pMinusPriceEdit->SetDigits(m_nDigits);
        const int characters = SubItemEditLimit(m_eDlgType, m_nDigits, m_nDecimals);
        edit->LimitText(characters);
        // The value shows whole, also where no limit gives the width, and a
        // value of a few digits still gets an edit one can see and click.
        constexpr int kFewestShown = 8;
        const int shown = std::max({characters, int(m_strValue.size()), kFewestShown});
        SetEditSize(m_dlgFont, edit, 1, shown, EDITSIZE_WIDTH);
        FitWidthTo(edit);
    }
    return SetValueToControl();
}

// A control widened past the dialog's edge widens the dialog, keeping the
// control's left margin on its right.
void CSubItemSetDlg::FitWidthTo(const QWidget* control)
{
    const int need = control->geometry().right() + 1 + control->x();
    if (need > width())
        setFixedWidth(need);
}

int CSubItemSetDlg::FindSelectIndexByValue() const
{
    int index = 0;
    for (qsizetype i = 0; i < m_pSelectData->GetCount(); ++i)
        if (m_pSelectData->GetAt(i)->value(0) == m_strValue)
            index = int(i);
    return m_pSelectData->IsEmpty() ? -1 : index;
}

void CSubItemSetDlg::FillSelection(int selectIndex)
{
    if (m_eDlgType == DLGTYPE_CHECKLIST) {
        m_pCheckList->clear();
        for (const QStringList* row : *m_pSelectData) {
            auto* item = new QListWidgetItem(row->value(1), m_pCheckList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(row->value(0) == QLatin1String("1") ? Qt::Checked : Qt::Unchecked);
        }
        return;
    }
    QStringList texts;
    for (const QStringList* row : *m_pSelectData)
        texts << row->value(1);
    if (m_eDlgType == DLGTYPE_LIST) {
        m_pListBox->clear();
        m_pListBox->addItems(texts);
        m_pListBox->setCurrentRow(selectIndex);
    } else {
        m_pComboBox->clear();
        m_pComboBox->addItems(texts);
        m_pComboBox->setCurrentIndex(selectIndex);
    }
}

bool CSubItemSetDlg::SetValueToControl()
{
    switch (m_eDlgType) {
    case DLGTYPE_DATE: {
        QDate date(2000, 1, 1);
        if (m_strValue.size() == 8) {
            const QDate stored(m_strValue.left(4).toInt(), m_strValue.mid(4, 2).toInt(),
                               m_strValue.mid(6, 2).toInt());
            if (stored.isValid())
                date = stored;
        }
        m_pDatePicker->setDate(date);
        return true;
    }
    case DLGTYPE_TIME: {
        QTime time(0, 0);
        if (m_strValue.size() == 4) {
            const QTime stored(m_strValue.left(2).toInt(), m_strValue.mid(2, 2).toInt());
            if (stored.isValid())
                time = stored;
        }
        m_pTimePicker->setTime(time);
        return true;
    }
    case DLGTYPE_LIST:
    case DLGTYPE_COMBO:
    case DLGTYPE_CHECKLIST:
        if (!m_pSelectData)
            return false;
        FillSelection(FindSelectIndexByValue());
        return true;
    default:
        if (auto* edit = qobject_cast<CEcrEdit*>(FormControl()))
            edit->SetText(m_strValue);
        return true;
    }
}

bool CSubItemSetDlg::GetValueToControl()
{
    switch (m_eDlgType) {
    case DLGTYPE_DATE:
        m_strValue = m_pDatePicker->date().toString(QStringLiteral("yyyyMMdd"));
        return true;
    case DLGTYPE_TIME:
        m_strValue = m_pTimePicker->time().toString(QStringLiteral("HHmm"));
        return true;
    case DLGTYPE_LIST:
    case DLGTYPE_COMBO: {
        if (!m_pSelectData)
            return false;
        const int index =
            m_eDlgType == DLGTYPE_LIST ? m_pListBox->currentRow() : m_pComboBox->currentIndex();
        const QStringList* row = m_pSelectData->GetAt(index);
        if (index < 0 || !row)
            return false;
        m_strValue = row->value(0);
        return true;
    }
    case DLGTYPE_CHECKLIST: {
        if (!m_pSelectData)
            return false;
        QString flags;
        for (int i = 0; i < m_pCheckList->count(); ++i)
            flags += m_pCheckList->item(i)->checkState() == Qt::Checked ? u'1' : u'0';
        m_strValue = flags;
        return true;
    }
    default:
        if (auto* edit = qobject_cast<CEcrEdit*>(FormControl())) {
            m_strValue = edit->text();
            return true;
        }
        return false;
    }
}

void CSubItemSetDlg::OnOK()
{
    if (QWidget* ok = FindControlById(this, platform::IDOK))
        ok->setFocus(Qt::OtherFocusReason);
    m_strRefusedKey.clear();
    if (!GetValueToControl()) {
        // One message per refusal; the dialog stays open with what was typed.
        if (m_strRefusedKey.isEmpty())
            ShowCommonMessage(this, QStringLiteral("CRDS_CMN_ERR_INPUT"),
                              platform::MessageIcon::Error);
        else
            ShowCommonMessage(this, m_strRefusedKey, platform::MessageIcon::Warning);
        return;
    }
    EndDialog(platform::IDOK);
}

void CSubItemSetDlg::OnListDoubleClicked()
{
    QMetaObject::invokeMethod(this, &CSubItemSetDlg::accept, Qt::QueuedConnection);
}

bool CSubItemSetDlg::CommitInputData()
{
    // Leaving the control lets an edit finish its input (the zero fill).
    if (QWidget* ok = FindControlById(this, platform::IDOK))
        ok->setFocus(Qt::OtherFocusReason);
    else if (QWidget* control = FormControl())
        control->clearFocus();
    return GetValueToControl();
}

bool CSubItemSetDlg::SetValueImportTextData(const QString& text, int allowEmpty,
                                            CErrDataInfo::DataErrTypetag& errorType,
                                            QString& errorKey)
{
    errorType = CErrDataInfo::DATAERR_NONE;
    errorKey.clear();
    if (QWidget* control = FormControl())
        control->setFocus(Qt::OtherFocusReason);
    const bool listForm = m_eDlgType == DLGTYPE_LIST || m_eDlgType == DLGTYPE_COMBO ||
                          m_eDlgType == DLGTYPE_CHECKLIST;
    // Lists look the imported text up; the other forms check the value set
    // by SetValue (which a caller may have cut to the column's width).
    const SubItemImportCheck check =
        CheckSubItemImportText(m_eDlgType, m_nDigits, m_nDecimals, listForm ? text : m_strValue,
                               m_pSelectData, allowEmpty != 0);
    if (!check.bOk) {
        errorType = check.nErrorType;
        errorKey = check.strErrorKey;
        return false;
    }
    ApplyImportedValue(check);
    return true;
}

void CSubItemSetDlg::ApplyImportedValue(const SubItemImportCheck& check)
{
    switch (m_eDlgType) {
    case DLGTYPE_DATE:
        m_pDatePicker->setDate(QDate::fromString(check.strValue, QStringLiteral("yyyyMMdd")));
        break;
    case DLGTYPE_TIME:
        m_pTimePicker->setTime(QTime::fromString(check.strValue, QStringLiteral("HHmm")));
        break;
    case DLGTYPE_LIST:
    case DLGTYPE_COMBO:
        FillSelection(check.nIndex);
        break;
    case DLGTYPE_CHECKLIST:
        FillSelection(-1);
        break;
    default:
        if (auto* edit = qobject_cast<CEcrEdit*>(FormControl()))
            edit->SetText(check.strValue);
        break;
    }
}
