#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <QFont>
#include <QString>

class CPercentEdit;

// Asks for one number. The caller sets the public members, runs DoModal and
// on IDOK reads m_strValue.
class CInputValueDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    static constexpr uint IDD = 6005;
    static constexpr uint IDC_LABEL = 9013;
    static constexpr uint IDC_VALUE = 9014;

    explicit CInputValueDlg(QWidget* parent = nullptr);
    ~CInputValueDlg() override;

    QString m_strTitle;
    QString m_strLabel;
    QString m_strValue; // the initial value; the entered text after OK
    int m_nDigits = 0;  // total digits
    int m_nDecimals = 0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CPercentEdit* m_pValueEdit = nullptr;
    QFont m_dlgFont;
    bool m_bFontCreated = false;
};
