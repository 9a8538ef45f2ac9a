#include "functions/CFcKeyLaySetBtnDlg.h"

#include "functions/CSelectGrpTypeDlg.h"
#include "functions/RequireText.h"
#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CImgSelectButton.h"
#include "functions/keylayout/CKeyLayoutReads.h"
#include "functions/keylayout/CNinePatchButton.h"

#include "goods/base/ProgramMessage.h"

#include "platform/FileChooser.h"
#include "shared/controls/CItemSetButton.h"
#include "shared/data/ReadImageFile.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "shared/dialogs/FileDialogFilter.h"
#include "shared/lang/CProgramLang.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kesmond {

namespace {

const CButtonProperty* FirstKeyWithCode(const CButtonPropertyArray* rows, const QString& type,
                                        const QString& code)
{
    if (!rows)
        return nullptr;
    for (const auto& row : *rows)
        if (row->m_strControlType == type && row->m_strCode == code)
            return row.get();
    return nullptr;
}

} // namespace

CFcKeyLaySetBtnDlg::CFcKeyLaySetBtnDlg(QWidget* parent) : CSarvikDialog(parent)
{
    // Wide enough for a 40-character item name beside its Change button.
    CDialogTemplate tmpl(this, 9, 320, 236);
    setWindowTitle(QStringLiteral("CRDD_FC_KLAY_SETBUTTON"));
    m_pItem = tmpl.Add<QRadioButton>(IDC_RADIO_ITEM, QStringLiteral("CRDC_FC_RADIO_BT_ITEM"), 10, 8,
                                     110, 12);
    m_pFunction = tmpl.Add<QRadioButton>(IDC_RADIO_FUNC, QStringLiteral("CRDC_FC_RADIO_BT_FUNC"),
                                         130, 8, 110, 12);
    tmpl.Add<QLabel>(IDC_LABEL_CODE, QStringLiteral("CRDC_FC_LABEL_CODE"), 10, 28, 50, 10);
    m_pCodeName = tmpl.Add<CItemSetButton>(IDC_CODE_NAME, QString(), 62, 26, 188, 14);
    tmpl.Add<QPushButton>(IDC_CHANGE_CODE, QStringLiteral("CRDC_BUTTON_CHGNAME"), 256, 26, 54, 14);
    tmpl.Add<QLabel>(IDC_LABEL_NAME, QStringLiteral("CRDC_FC_LABEL_NAME"), 10, 48, 50, 10);
    m_pName = tmpl.Add<QLineEdit>(IDC_NAME, QString(), 62, 46, 248, 14);
    m_pName->setMaxLength(kMaxLabel);
    tmpl.Add<QLabel>(IDC_LABEL_IMAGE, QStringLiteral("CRDC_FC_LABEL_IMAGE"), 10, 68, 50, 10);
    m_pBig = tmpl.Add<QRadioButton>(IDC_IMG_BIG, QStringLiteral("CRDC_FC_RADIO_IMG_BIG"), 62, 66,
                                    60, 12);
    m_pMini = tmpl.Add<QRadioButton>(IDC_IMG_MINI, QStringLiteral("CRDC_FC_RADIO_IMG_MINI"), 124,
                                     66, 60, 12);
    m_pNone = tmpl.Add<QRadioButton>(IDC_IMG_NONE, QStringLiteral("CRDC_FC_RADIO_IMG_NONE"), 186,
                                     66, 64, 12);
    m_pPreview = tmpl.Add<CImgSelectButton>(IDC_PREVIEW, QString(), 62, 82, 60, 60);
    m_pPreview->m_bImageMode = true;
    // The picture covers the whole preview.
    m_pPreview->m_nImageWidth = m_pPreview->width();
    m_pPreview->m_nImageHeight = m_pPreview->height();
    m_pFileName = tmpl.Add<CItemSetButton>(IDC_IMG_FILE, QString(), 128, 82, 182, 14);
    tmpl.Add<QPushButton>(IDC_CHANGE_IMAGE, QStringLiteral("CRDC_BUTTON_CHGIMGNAME"), 256, 100, 54,
                          14);
    tmpl.Add<QLabel>(IDC_LABEL_STYLE, QStringLiteral("CRDC_FC_LABEL_GRAPHICTYPE"), 10, 152, 50, 10);
    m_pStyle = tmpl.Add<CNinePatchButton>(IDC_STYLE, QStringLiteral("CRDC_FC_BUTTON_GRAPHICTYPE"),
                                          62, 150, 100, 50);
    AddOkCancel(tmpl, 200, 214, 260, 214, 50, 16);

    for (QRadioButton* radio : {m_pItem, m_pFunction, m_pBig, m_pMini, m_pNone})
        radio->setAutoExclusive(false);
    connect(m_pItem, &QRadioButton::clicked, this, [this] { OnKindItem(); });
    connect(m_pFunction, &QRadioButton::clicked, this, [this] { OnKindFunction(); });
    connect(m_pCodeName, &QPushButton::clicked, this, [this] { OnChooseCode(); });
    connect(qobject_cast<QPushButton*>(FindControlById(this, IDC_CHANGE_CODE)),
            &QPushButton::clicked, this, [this] { OnChooseCode(); });
    connect(m_pBig, &QRadioButton::clicked, this, [this] { OnPictureRadio(1); });
    connect(m_pMini, &QRadioButton::clicked, this, [this] { OnPictureRadio(3); });
    connect(m_pNone, &QRadioButton::clicked, this, [this] { OnPictureRadio(0); });
    for (QPushButton* button :
         {static_cast<QPushButton*>(m_pPreview), static_cast<QPushButton*>(m_pFileName),
          qobject_cast<QPushButton*>(FindControlById(this, IDC_CHANGE_IMAGE))})
        connect(button, &QPushButton::clicked, this, [this] { OnChoosePicture(); });
    connect(m_pStyle, &QPushButton::clicked, this, [this] { OnChooseStyle(); });
    connect(m_pName, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_pRecord)
            m_pRecord->m_strLabel = text;
    });
}

CFcKeyLaySetBtnDlg::~CFcKeyLaySetBtnDlg()
{
    // Whatever was not handed to the image cache goes with the dialog; a
    // copy that still points to it is one the editor does not take.
    delete m_pNewBack;
    delete m_pNewPicture;
}

void CFcKeyLaySetBtnDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CFcKeyLaySetBtnDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    if (!m_pRecord)
        return true;
    m_pBaseBack = m_pRecord->m_pBackImage;
    if (m_pRecord->IsFunctionButton()) {
        m_pFunction->setChecked(true);
        ShowItemControls(false);
    } else if (m_pRecord->IsItemButton()) {
        m_pItem->setChecked(true);
        ShowItemControls(true);
    }
    m_pCodeName->setText(m_pRecord->m_strDispName);
    m_pName->setText(m_pRecord->GetLabelText());
    const int flag = m_pRecord->m_nImageFlag;
    m_pBig->setChecked(flag == 1);
    m_pMini->setChecked(flag == 3);
    m_pNone->setChecked(flag != 1 && flag != 3);
    if (m_pRecord->m_pItemImage && flag != 0)
        ShowPicture();
    else
        m_pPreview->SetImageData(nullptr);
    EnablePicture(flag == 1 || flag == 3);
    ShowStyle();
    // The label is what is changed most.
    m_pName->setFocus();
    m_pName->selectAll();
    return true;
}

void CFcKeyLaySetBtnDlg::ShowItemControls(bool show)
{
    for (uint id :
         {uint(IDC_LABEL_IMAGE), uint(IDC_IMG_BIG), uint(IDC_IMG_MINI), uint(IDC_IMG_NONE),
          uint(IDC_PREVIEW), uint(IDC_IMG_FILE), uint(IDC_CHANGE_IMAGE)})
        FindControlById(this, id)->setVisible(show);
}

void CFcKeyLaySetBtnDlg::EnablePicture(bool enable)
{
    for (uint id : {uint(IDC_PREVIEW), uint(IDC_IMG_FILE), uint(IDC_CHANGE_IMAGE)})
        FindControlById(this, id)->setEnabled(enable);
}

void CFcKeyLaySetBtnDlg::DropNewBackground()
{
    if (!m_pNewBack)
        return;
    if (m_pRecord->m_pBackImage == m_pNewBack)
        m_pRecord->m_pBackImage = m_pBaseBack;
    delete m_pNewBack;
    m_pNewBack = nullptr;
}

void CFcKeyLaySetBtnDlg::DropNewPicture()
{
    if (!m_pNewPicture)
        return;
    // Its file stays in the image folder until the cache goes.
    m_pImages->Release(m_pNewPicture);
    m_pNewPicture = nullptr;
}

CImageDataCSB012* CFcKeyLaySetBtnDlg::ShownPicture() const
{
    return m_pNewPicture ? m_pNewPicture : m_pRecord->m_pItemImage;
}

void CFcKeyLaySetBtnDlg::ShowStyle()
{
    CImageDataCSB012* image = m_pNewBack ? m_pNewBack : m_pRecord->m_pBackImage;
    m_pStyle->SetImage(image ? &image->EnsureImageLoaded() : nullptr);
    m_pStyle->m_nForeColor = m_pRecord->m_nForeColor;
    m_pStyle->m_nBackColor = m_pRecord->m_nBackColor;
    m_pStyle->m_nOptionColor = m_pRecord->m_nOptionColor;
    m_pStyle->update();
}

void CFcKeyLaySetBtnDlg::ShowPicture()
{
    CImageDataCSB012* picture = ShownPicture();
    m_preview = picture ? picture->EnsureImageLoaded() : QImage();
    m_pPreview->SetImageData(m_preview.isNull() ? nullptr : &m_preview);
    m_pFileName->setText(picture ? picture->m_strFileName : QString());
}

void CFcKeyLaySetBtnDlg::ChangeKind(bool item)
{
    m_pItem->setChecked(item);
    m_pFunction->setChecked(!item);
    ShowItemControls(item);
    if (item)
        m_pRecord->MakeItemButton();
    else
        m_pRecord->MakeFunctionButton();
    DropNewBackground();
    // A picture chosen for the old kind and code has no key left.
    DropNewPicture();
    m_pBaseBack =
        item ? m_pImages->GetDefaultItemBackground() : m_pImages->GetDefaultFunctionBackground();
    m_pRecord->m_pBackImage = m_pBaseBack;
    ShowStyle();
    m_pName->clear();
    m_pCodeName->setText(QString());
    m_pFileName->setText(QString());
    m_preview = QImage();
    m_pPreview->SetImageData(nullptr);
}

void CFcKeyLaySetBtnDlg::OnKindItem()
{
    ChangeKind(true);
}

void CFcKeyLaySetBtnDlg::OnKindFunction()
{
    ChangeKind(false);
}

bool CFcKeyLaySetBtnDlg::ChooseCustomItem(int kind, const QString& dept, QString& code,
                                          QString& name)
{
    CSelectCustomItemDlg chooser(this);
    chooser.m_pSQliteDB = m_pDB;
    chooser.m_nSelectType = kind;
    chooser.m_strDeptCode = dept;
    chooser.SetDialogDefaultText();
    if (chooser.DoModal() != platform::IDOK)
        return false;
    code = chooser.m_strSelectCode;
    name = chooser.m_strSelectName;
    return true;
}

bool CFcKeyLaySetBtnDlg::ChooseStyle(int kind, ChosenStyle& style)
{
    return RunStyleChooser(this, m_pReads, m_pImages, kind, *m_pRecord, style);
}

void CFcKeyLaySetBtnDlg::OnChooseCode()
{
    if (!m_pRecord)
        return;
    const bool item = m_pRecord->IsItemButton();
    if (!item && !m_pRecord->IsFunctionButton())
        return;
    QString code, name;
    if (item) {
        QString dept, deptName;
        if (!ChooseCustomItem(CSelectCustomItemDlg::SELECT_DEPT, QString(), dept, deptName) ||
            !ChooseCustomItem(CSelectCustomItemDlg::SELECT_ITEM, dept, code, name))
            return;
    } else if (!ChooseCustomItem(CSelectCustomItemDlg::SELECT_FUNCKEY, QString(), code, name)) {
        return;
    }
    m_strCode = code;
    m_pRecord->m_strCode = code;
    m_pRecord->m_strDispName = name;
    m_pRecord->m_strLabel = name;
    m_pCodeName->setText(name);
    m_pName->setText(name);

    const CButtonProperty* same = FirstKeyWithCode(m_pSheetRows, m_pRecord->m_strControlType, code);
    if (same) {
        m_pRecord->m_nForeColor = same->m_nForeColor;
        m_pRecord->m_nBackColor = same->m_nBackColor;
        m_pRecord->m_nOptionColor = same->m_nOptionColor;
        if (same->m_pBackImage) {
            auto* copy = new CImageDataCSB012(m_pDB);
            copy->CopyFrom(*same->m_pBackImage);
            copy->m_bResident = false;
            DropNewBackground();
            m_pNewBack = copy;
            m_pRecord->m_pBackImage = copy;
        }
    } else {
        // What the sample shows is what OK keeps: no earlier style stays.
        DropNewBackground();
        m_pBaseBack = m_pImages->FindImage(item ? QStringLiteral("ItemButton.Background.9")
                                                : QStringLiteral("FunctionButton"),
                                           m_pRecord->m_strTheme, code);
        m_pRecord->m_pBackImage = m_pBaseBack;
    }
    ShowStyle();

    if (item) {
        m_pRecord->m_pItemImage =
            m_pImages->FindImage(QStringLiteral("ItemButton"), m_pRecord->m_strTheme, code);
        // A picture the user chose stays shown: OK stores it under the new code.
        ShowPicture();
        if (m_pRecord->m_pItemImage && m_pRecord->m_nImageFlag == 0) {
            m_pBig->setChecked(true);
            m_pNone->setChecked(false);
            OnPictureRadio(1);
        }
    }
}

void CFcKeyLaySetBtnDlg::OnPictureRadio(int flag)
{
    if (!m_pRecord)
        return;
    m_pBig->setChecked(flag == 1);
    m_pMini->setChecked(flag == 3);
    m_pNone->setChecked(flag == 0);
    m_pRecord->m_nImageFlag = flag;
    if (flag != 0) {
        ShowPicture();
        EnablePicture(true);
    } else {
        m_pFileName->setText(QString());
        EnablePicture(false);
    }
}

bool CFcKeyLaySetBtnDlg::IsPermittedExtension(const QString& suffix) const
{
    const QStringList permitted = GetLangString(QStringLiteral("CRDS_FC_SEL_PNGFILE_PERMIT"))
                                      .split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (const QString& entry : permitted)
        if (entry.compare(suffix, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void CFcKeyLaySetBtnDlg::OnChoosePicture()
{
    if (!m_pRecord)
        return;
    m_pFileName->setFocus();
    platform::FileChoice choice;
    choice.kind = platform::FileChoice::Kind::Open;
    choice.parent = this;
    choice.filter = FileDialogFilter(GetLangString(QStringLiteral("CRDS_FC_PNGPFILTER")));
    choice.defaultSuffix = QStringLiteral("png");
    QString path;
    for (;;) {
        path = platform::chooseFile(choice);
        if (path.isEmpty())
            return;
        if (IsPermittedExtension(QFileInfo(path).suffix()))
            break;
        ShowProgramMessage(this, QStringLiteral("CRDS_FC_WRN_IGNORE_EXT"),
                           platform::MessageIcon::Warning);
    }
    // Only a picture the image reader takes may reach the register.
    QImage probe;
    if (!ReadImageFile(path, probe)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_FC_ERR_PICTUREFILE"),
                           platform::MessageIcon::Warning);
        return;
    }
    auto* picture = new CImageDataCSB012(m_pDB);
    picture->ImportItemPicture(path, m_pRecord->m_strCode, QFileInfo(path).fileName());
    picture->m_bChanged = true;
    DropNewPicture();
    m_pNewPicture = picture;
    ShowPicture();
}

void CFcKeyLaySetBtnDlg::OnChooseStyle()
{
    if (!m_pRecord)
        return;
    ChosenStyle style;
    if (!ChooseStyle(m_pRecord->IsFunctionButton() ? 1 : 0, style))
        return;
    CImageDataCSB012* current = m_pNewBack ? m_pNewBack : m_pRecord->m_pBackImage;
    CImageDataCSB012* record = NewStyleBackground(m_pDB, current, *m_pReads, style, *m_pRecord);
    DropNewBackground();
    m_pNewBack = record;
    ShowStyle();
}

void CFcKeyLaySetBtnDlg::OnOK()
{
    if (!m_pRecord) {
        EndDialog(platform::IDOK);
        return;
    }
    if (!RequireText(this, m_pName))
        return;
    const QString label = m_pName->text();
    m_pRecord->m_strLabel = label;
    if (m_pNewBack) {
        const QString& code = m_pRecord->m_strCode;
        if (code != QLatin1String("0") && !code.isEmpty()) {
            CImageDataCSB012* old =
                m_pRecord->m_pBackImage == m_pNewBack ? m_pBaseBack : m_pRecord->m_pBackImage;
            m_pNewBack->m_bChanged = true;
            m_pImages->ReplaceImage(m_pNewBack, old);
            m_pImages->Release(old);
            m_pRecord->m_pBackImage = m_pNewBack;
            m_pNewBack = nullptr;
        } else {
            ShowProgramMessage(this, QStringLiteral("CRDS_FC_MSG_NOSAVENOCODE"),
                               platform::MessageIcon::Warning);
            DropNewBackground();
        }
    }
    if (m_pRecord->m_nImageFlag == 0) {
        delete m_pNewPicture;
        m_pNewPicture = nullptr;
        m_pImages->Release(m_pRecord->m_pItemImage);
        m_pRecord->m_pItemImage = nullptr;
    }
    if (m_pNewPicture) {
        CImageDataCSB012* old = m_pRecord->m_pItemImage;
        m_pNewPicture->m_bChanged = true;
        // Chosen before the code, it is listed under the key's code all the same.
        m_pNewPicture->m_strCode = m_pRecord->m_strCode;
        m_pImages->ReplaceImage(m_pNewPicture, old);
        m_pImages->Release(old);
        m_pRecord->m_pItemImage = m_pNewPicture;
        m_pNewPicture = nullptr;
    }
    EndDialog(platform::IDOK);
}

void CFcKeyLaySetBtnDlg::OnCancel()
{
    DropNewBackground();
    DropNewPicture();
    EndDialog(platform::IDCANCEL);
}

} // namespace kesmond
