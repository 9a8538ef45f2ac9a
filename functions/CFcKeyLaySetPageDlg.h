#pragma once

#include "shared/data/CStringArrayPtrList.h"
#include "shared/dialogs/CSarvikDialog.h"

class CSQliteDB;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kesmond {

class CButtonProperty;
class CButtonStyleMgr;
class CFcKeyLayCSB023;
class CImageDataCSB012;
class CKeyLayoutReads;
class CNinePatchButton;
struct ChosenStyle;

// The page dialog: automatic or custom layout, the department and layout
// type of an automatic page, the page name and the tab's style, on the copy
// of the tab's record the editor hands in.
class CFcKeyLaySetPageDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    enum : uint {
        IDD = 3029,
        IDC_RADIO_AUTO = 23160,
        IDC_RADIO_CUSTOM = 23161,
        IDC_LABEL_DEPT = 23169,
        IDC_DEPT = 23145,
        IDC_LABEL_PAGENAME = 23170,
        IDC_PAGENAME = 23162,
        IDC_LABEL_STYLE = 23171,
        IDC_STYLE = 23163,
        IDC_LABEL_BTYPE = 23172,
        IDC_BTYPE_1 = 23164, // to 23168
    };
    static constexpr int kMaxName = 128;

    explicit CFcKeyLaySetPageDlg(QWidget* parent = nullptr);
    ~CFcKeyLaySetPageDlg() override;

    CSQliteDB* m_pDB = nullptr;                   // not owned
    CButtonProperty* m_pRecord = nullptr;         // the tab's copy
    CButtonStyleMgr* m_pImages = nullptr;         // not owned
    CKeyLayoutReads* m_pReads = nullptr;          // not owned
    const CFcKeyLayCSB023* m_pGeometry = nullptr; // not owned
    CStringArrayPtrList m_listDept;               // code, name; freed with the dialog
    CImageDataCSB012* m_pNewBack = nullptr;       // owned until OK

    void OnAutomatic();
    void OnCustom();
    void OnLayoutType(int index);
    void OnDepartment(int index);
    void OnChooseStyle();

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;
    void OnCancel() override;
    // The style chooser; false when cancelled.
    virtual bool ChooseStyle(int kind, ChosenStyle& style);

private:
    void UpdateEnabling();
    void ShowStyle(CImageDataCSB012* image);
    void DropNewBackground();

    QRadioButton* m_pAuto;
    QRadioButton* m_pCustom;
    QComboBox* m_pDept;
    QLineEdit* m_pName;
    CNinePatchButton* m_pStyle;
    QRadioButton* m_pTypes[5];
};

} // namespace kesmond
