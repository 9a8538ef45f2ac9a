#pragma once

#include "shared/textfiles/CErrDataInfo.h"
#include "shared/dialogs/CSarvikDialog.h"
#include "shared/dialogs/SubItemValueCheck.h"

#include <QFont>
#include <QString>

class CEcrEdit;
class CMinusPriceEdit;
class CNumZeroEdit;
class CPercentEdit;
class CPriceEdit;
class CStringArrayPtrList;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QTimeEdit;
class QWidget;

// Edits one value in one of ten forms and hands it back as text in the
// table's format. Also checks a value read from an import text without
// showing itself (Create, then SetValueImportTextData and CommitInputData).
class CSubItemSetDlg : public CSarvikDialog, public SubItemDlgType
{
    Q_OBJECT

public:
    static constexpr uint IDC_LABEL = 9023;
    static constexpr uint IDC_PERCENT = 9018;
    static constexpr uint IDC_TEXT = 9019;
    static constexpr uint IDC_PRICE = 9020;
    static constexpr uint IDC_DATE = 9015;
    static constexpr uint IDC_TIME = 9016;
    static constexpr uint IDC_LIST = 9017;
    static constexpr uint IDC_COMBO = 9024;
    static constexpr uint IDC_NUMZERO = 26049;
    static constexpr uint IDC_MINUSPRICE = 26050;
    static constexpr uint IDC_CHECKLIST = 26051;
    static constexpr uint IDD_ALLINONE = 6016;

    // Without a form: no template, nothing to edit.
    explicit CSubItemSetDlg(QWidget* parent = nullptr);
    // allInOne 1: the template that holds every form's control.
    CSubItemSetDlg(QWidget* parent, E_DlgTypeTag form, int allInOne);
    ~CSubItemSetDlg() override;

    static uint GetIDDFromEDlgType(E_DlgTypeTag form, int allInOne);
    // The control id of a form.
    static uint ControlIdOfForm(E_DlgTypeTag form);

    // Before DoModal or Create.
    void SetValue(int digits, int decimals, const QString& value);
    void SetDlgWindowText(const QString& text) { m_strWindowText = text; }
    void SetLabelText(const QString& text);
    // Rows of code and text, owned by the caller. False, and no rows kept,
    // when a row has fewer than two values.
    bool SetSelectData(CStringArrayPtrList* selection);

    QString GetValue() const { return m_strValue; }
    E_DlgTypeTag GetDlgType() const { return m_eDlgType; }

    // Lets the form's control finish its input, then takes its value.
    bool CommitInputData();

    // Puts an imported text into the form's control; false with the kind
    // and language key of what is wrong (kind 0: no selection data).
    virtual bool SetValueImportTextData(const QString& text, int allowEmpty,
                                        CErrDataInfo::DataErrTypetag& errorType, QString& errorKey);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

    virtual bool SetValueToControl();
    virtual bool GetValueToControl();
    uint GetControlType() const { return ControlIdOfForm(m_eDlgType); }
    QWidget* FormControl() const;

    int m_nAllInOne = 0;
    CStringArrayPtrList* m_pSelectData = nullptr; // not owned
    uint m_nIDD = 0;
    QFont m_dlgFont;
    bool m_bFontCreated = false;
    int m_nDigits = 2;
    int m_nDecimals = 0;
    QString m_strWindowText;
    QString m_strLabelText;
    QString m_strValue = QStringLiteral("0");
    E_DlgTypeTag m_eDlgType = DLGTYPE_EDIT;
    // Set by a GetValueToControl that refuses with a key of its own; OK
    // shows it in place of "CRDS_CMN_ERR_INPUT".
    QString m_strRefusedKey;

    QLabel* m_pLabel = nullptr;
    CEcrEdit* m_pTextEdit = nullptr;
    CPriceEdit* m_pPriceEdit = nullptr;
    CPercentEdit* m_pPercentEdit = nullptr;
    QDateEdit* m_pDatePicker = nullptr;
    QTimeEdit* m_pTimePicker = nullptr;
    QListWidget* m_pListBox = nullptr;
    QComboBox* m_pComboBox = nullptr;
    CNumZeroEdit* m_pNumZeroEdit = nullptr;
    CMinusPriceEdit* m_pMinusPriceEdit = nullptr;
    QListWidget* m_pCheckList = nullptr;

private:
    void BuildTemplate();
    void BindControls();
    bool SetPage();
    void FitWidthTo(const QWidget* control);
    void FillSelection(int selectIndex);
    int FindSelectIndexByValue() const;
    void ApplyImportedValue(const SubItemImportCheck& check);
    void OnListDoubleClicked();
};
