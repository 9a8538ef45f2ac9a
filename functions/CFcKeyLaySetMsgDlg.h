#pragma once

#include "shared/dialogs/CSarvikDialog.h"

class QLineEdit;

namespace kesmond {

class CButtonProperty;

// The section dialog: the label of one section (a heading on the page).
class CFcKeyLaySetMsgDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    enum : uint { IDD = 3034, IDC_LABEL_NAME = 23030, IDC_NAME = 23177 };
    static constexpr int kMaxLabel = 128;

    explicit CFcKeyLaySetMsgDlg(QWidget* parent = nullptr);
    ~CFcKeyLaySetMsgDlg() override;

    CButtonProperty* m_pRecord = nullptr; // the section's copy

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;

private:
    QLineEdit* m_pName;
};

} // namespace kesmond
