#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <QString>

class CDataManager;
class CNumEdit;
class QPushButton;

// Asks for the code of a new record: proposes the highest code plus one,
// zero-padded to the code column's width, takes only a code of that full
// width, and refuses one that exists.
class CAddDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    enum : uint { IDC_LABEL = 23096, IDC_CODE = 23052 };

    // labelKey: the title of the code (e.g. "CRDS_PR_CLMN_PLUCODE").
    CAddDlg(CDataManager* dataManager, const QString& labelKey, QWidget* parent = nullptr);
    ~CAddDlg() override;

    QString GetNewCode() const { return m_strNewCode; }
    // The proposal: "" when the next code outgrows the width or the read fails.
    virtual QString ProposeNewCode() const;

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;
    // The width every code has: the key column's.
    virtual int CodeWidth() const;
    // True when the code may be taken: one that exists is refused with its
    // message.
    virtual bool AcceptNewCode(const QString& code);

private:
    void OnCodeChanged();
    void FitLabel(int rightMargin);

    CDataManager* m_pDataManager;
    QString m_strLabelKey;
    QString m_strNewCode;
    CNumEdit* m_pCode = nullptr;
    QPushButton* m_pOk = nullptr;
};
