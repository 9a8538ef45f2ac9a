#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <QString>

class QRadioButton;

// Asks whether a table text import updates the existing rows or inserts.
// On IDOK m_bUpdate tells which.
class CCmnImportStateDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    static constexpr uint IDD = 6002;
    static constexpr uint IDC_UPDATE = 9010;
    static constexpr uint IDC_INSERT = 9011;

    explicit CCmnImportStateDlg(QWidget* parent = nullptr);
    ~CCmnImportStateDlg() override;

    bool m_bUpdate = true;
    QString m_strTitle; // caption when not empty

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QRadioButton* m_pUpdate = nullptr;
    QRadioButton* m_pInsert = nullptr;
};
