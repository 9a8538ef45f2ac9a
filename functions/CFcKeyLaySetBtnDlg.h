#pragma once

#include "functions/keylayout/CButtonProperty.h"

#include "shared/dialogs/CSarvikDialog.h"

#include <QImage>

class CItemSetButton;
class CSQliteDB;
class QLineEdit;
class QRadioButton;

namespace kesmond {

class CButtonStyleMgr;
class CImageDataCSB012;
class CImgSelectButton;
class CKeyLayoutReads;
class CNinePatchButton;
struct ChosenStyle;

// The key dialog: kind, code, label, item picture and style of one key,
// on the copy of its record the editor hands in. The new background and
// the new picture stay the dialog's until OK hands them to the image cache;
// Cancel leaves the key and the cache as they were.
class CFcKeyLaySetBtnDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    enum : uint {
        IDD = 3030,
        IDC_RADIO_ITEM = 23174,
        IDC_RADIO_FUNC = 23175,
        IDC_LABEL_CODE = 23182,
        IDC_CODE_NAME = 23187,
        IDC_CHANGE_CODE = 23185,
        IDC_LABEL_NAME = 23030,
        IDC_NAME = 23177,
        IDC_LABEL_IMAGE = 23183,
        IDC_IMG_BIG = 23178,
        IDC_IMG_MINI = 23179,
        IDC_IMG_NONE = 23180,
        IDC_PREVIEW = 23181,
        IDC_IMG_FILE = 23188,
        IDC_CHANGE_IMAGE = 23186,
        IDC_LABEL_STYLE = 23171,
        IDC_STYLE = 23163,
    };
    static constexpr int kMaxLabel = 128;

    explicit CFcKeyLaySetBtnDlg(QWidget* parent = nullptr);
    ~CFcKeyLaySetBtnDlg() override;

    CSQliteDB* m_pDB = nullptr;           // not owned
    CButtonProperty* m_pRecord = nullptr; // the copy being edited
    CButtonStyleMgr* m_pImages = nullptr; // not owned
    CKeyLayoutReads* m_pReads = nullptr;  // not owned
    // Where a chosen code's colours and background are looked for.
    const CButtonPropertyArray* m_pSheetRows = nullptr;

    QString m_strCode;
    CImageDataCSB012* m_pNewBack = nullptr;    // owned until OK
    CImageDataCSB012* m_pNewPicture = nullptr; // owned until OK or Cancel

    // The commands, as the buttons run them.
    void OnKindItem();
    void OnKindFunction();
    void OnChooseCode();
    void OnPictureRadio(int flag);
    void OnChoosePicture();
    void OnChooseStyle();

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;
    void OnCancel() override;

    // The shared item chooser of a kind (1 departments, 2 items of dept,
    // 4 function keys); false when cancelled.
    virtual bool ChooseCustomItem(int kind, const QString& dept, QString& code, QString& name);
    // The style chooser; false when cancelled.
    virtual bool ChooseStyle(int kind, ChosenStyle& style);

private:
    void ShowItemControls(bool show);
    void ChangeKind(bool item);
    void DropNewBackground();
    void DropNewPicture();
    CImageDataCSB012* ShownPicture() const;
    void ShowStyle();
    void ShowPicture();
    void EnablePicture(bool enable);
    bool IsPermittedExtension(const QString& suffix) const;

    QRadioButton* m_pItem;
    QRadioButton* m_pFunction;
    CItemSetButton* m_pCodeName;
    QLineEdit* m_pName;
    QRadioButton* m_pBig;
    QRadioButton* m_pMini;
    QRadioButton* m_pNone;
    CImgSelectButton* m_pPreview;
    CItemSetButton* m_pFileName;
    CNinePatchButton* m_pStyle;
    QImage m_preview;
    // The background the record has apart from the dialog's new one.
    CImageDataCSB012* m_pBaseBack = nullptr;
};

} // namespace kesmond
