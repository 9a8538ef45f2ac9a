#include "functions/CFcKeyLaySetPageDlg.h"

#include "functions/CListBoxGrpType.h"
#include "functions/CSelectGrpTypeDlg.h"
#include "functions/RequireText.h"
#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CNinePatchButton.h"

#include "goods/base/ProgramMessage.h"

#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kesmond {

namespace {

const char* const kTypeKeys[] = {"CRDC_FC_RADIO_BTYPE_1", "CRDC_FC_RADIO_BTYPE_2",
                                 "CRDC_FC_RADIO_BTYPE_3", "CRDC_FC_RADIO_BTYPE_4",
                                 "CRDC_FC_RADIO_BTYPE_5"};

} // namespace

CFcKeyLaySetPageDlg::CFcKeyLaySetPageDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 240, 200);
    setWindowTitle(QStringLiteral("CRDD_FC_KLAY_SETPAGE"));
    tmpl.Add<QLabel>(0, QStringLiteral("CRDC_STATIC_PAGELAYOUT"), 10, 8, 70, 10);
    m_pAuto = tmpl.Add<QRadioButton>(IDC_RADIO_AUTO, QStringLiteral("CRDC_FC_RADIO_PL_AUTO"), 84, 6,
                                     70, 12);
    m_pCustom = tmpl.Add<QRadioButton>(IDC_RADIO_CUSTOM, QStringLiteral("CRDC_FC_RADIO_PL_CUSTOM"),
                                       160, 6, 70, 12);
    tmpl.Add<QLabel>(IDC_LABEL_DEPT, QStringLiteral("CRDC_FC_LABEL_DEPARTMENT"), 10, 28, 70, 10);
    m_pDept = tmpl.Add<QComboBox>(IDC_DEPT, QString(), 84, 26, 146, 14);
    tmpl.Add<QLabel>(IDC_LABEL_PAGENAME, QStringLiteral("CRDC_FC_LABEL_PAGENAME"), 10, 48, 70, 10);
    m_pName = tmpl.Add<QLineEdit>(IDC_PAGENAME, QString(), 84, 46, 146, 14);
    m_pName->setMaxLength(kMaxName);
    tmpl.Add<QLabel>(IDC_LABEL_STYLE, QStringLiteral("CRDC_FC_LABEL_GRAPHICTYPE"), 10, 68, 70, 10);
    m_pStyle = tmpl.Add<CNinePatchButton>(IDC_STYLE, QStringLiteral("CRDC_FC_BUTTON_GRAPHICTYPE"),
                                          84, 66, 90, 24);
    tmpl.Add<QLabel>(IDC_LABEL_BTYPE, QStringLiteral("CRDC_FC_LABEL_BTYPE"), 10, 100, 70, 10);
    for (int i = 0; i < 5; ++i) {
        m_pTypes[i] = tmpl.Add<QRadioButton>(IDC_BTYPE_1 + uint(i), QLatin1String(kTypeKeys[i]), 84,
                                             98 + i * 14, 146, 12);
        m_pTypes[i]->setAutoExclusive(false);
        connect(m_pTypes[i], &QRadioButton::clicked, this, [this, i] { OnLayoutType(i); });
    }
    AddOkCancel(tmpl, 124, 178, 184, 178, 50, 16);
    m_pAuto->setAutoExclusive(false);
    m_pCustom->setAutoExclusive(false);
    connect(m_pAuto, &QRadioButton::clicked, this, [this] { OnAutomatic(); });
    connect(m_pCustom, &QRadioButton::clicked, this, [this] { OnCustom(); });
    connect(m_pStyle, &QPushButton::clicked, this, [this] { OnChooseStyle(); });
}

CFcKeyLaySetPageDlg::~CFcKeyLaySetPageDlg()
{
    delete m_pNewBack;
    CSqLiteUtility::FreeStringArrayListPtr(m_listDept);
}

void CFcKeyLaySetPageDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CFcKeyLaySetPageDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    if (!m_pRecord)
        return true;
    if (CSqLiteItemDataUtility::AllocDeptList(m_pDB, m_listDept) < 0)
        return true;
    // Filling the list must not rename the page: only a user's choice does.
    int selected = -1;
    for (QStringList* row : m_listDept) {
        m_pDept->addItem(row->value(1));
        if (row->value(0) == m_pRecord->m_strMenuDeptLink)
            selected = m_pDept->count() - 1;
    }
    m_pDept->setCurrentIndex(selected);
    connect(m_pDept, &QComboBox::activated, this, [this](int index) { OnDepartment(index); });
    m_pName->setText(m_pRecord->GetLabelText());
    if (m_pRecord->m_pBackImage)
        ShowStyle(m_pRecord->m_pBackImage);
    int type = 0;
    for (int i = 0; m_pGeometry && i < CFcKeyLayCSB023::kAutoLayouts; ++i) {
        if (type == 0 && m_pRecord->m_strMenuLayout == m_pGeometry->AutoLayoutValue(i))
            type = i + 1;
        if (!m_pGeometry->AutoLayoutLabel(i).isEmpty())
            m_pTypes[i + 1]->setText(m_pGeometry->AutoLayoutLabel(i));
    }
    for (int i = 0; i < 5; ++i)
        m_pTypes[i]->setChecked(i == type);
    m_pAuto->setChecked(m_pRecord->m_nPageArrange == 0);
    m_pCustom->setChecked(m_pRecord->m_nPageArrange != 0);
    UpdateEnabling();
    return true;
}

void CFcKeyLaySetPageDlg::UpdateEnabling()
{
    const bool automatic = m_pRecord->m_nPageArrange != 1;
    for (uint id : {uint(IDC_LABEL_DEPT), uint(IDC_DEPT), uint(IDC_LABEL_BTYPE)})
        FindControlById(this, id)->setEnabled(automatic);
    for (QRadioButton* radio : m_pTypes)
        radio->setEnabled(automatic);
}

void CFcKeyLaySetPageDlg::ShowStyle(CImageDataCSB012* image)
{
    const bool normal = image->m_strFileName == QLatin1String("ItemSheetSelection.Normal.9.png");
    m_pStyle->m_nCornerSize = CListBoxGrpType::CornerSize(image->m_strFileName);
    m_pStyle->m_nOverhangX = normal ? 1 : 3;
    m_pStyle->m_nOverhangY = 1;
    m_pStyle->SetImage(&image->EnsureImageLoaded());
    m_pStyle->m_nForeColor = m_pRecord->m_nForeColor;
    m_pStyle->m_nBackColor = m_pRecord->m_nBackColor;
    m_pStyle->m_nOptionColor = m_pRecord->m_nOptionColor;
    m_pStyle->update();
}

void CFcKeyLaySetPageDlg::DropNewBackground()
{
    delete m_pNewBack;
    m_pNewBack = nullptr;
}

void CFcKeyLaySetPageDlg::OnAutomatic()
{
    m_pAuto->setChecked(true);
    m_pCustom->setChecked(false);
    ShowProgramMessage(this, QStringLiteral("CRDS_FC_MSG_INITED_NOWPAGE"),
                       platform::MessageIcon::Warning);
    m_pRecord->m_nPageArrange = 0;
    UpdateEnabling();
}

void CFcKeyLaySetPageDlg::OnCustom()
{
    m_pAuto->setChecked(false);
    m_pCustom->setChecked(true);
    m_pRecord->m_nPageArrange = 1;
    UpdateEnabling();
}

void CFcKeyLaySetPageDlg::OnLayoutType(int index)
{
    for (int i = 0; i < 5; ++i)
        m_pTypes[i]->setChecked(i == index);
    m_pRecord->m_strMenuLayout =
        index == 0 || !m_pGeometry ? QStringLiteral("1") : m_pGeometry->AutoLayoutValue(index - 1);
}

void CFcKeyLaySetPageDlg::OnDepartment(int index)
{
    if (QStringList* row = m_listDept.GetAt(index))
        m_pName->setText(row->value(1));
}

bool CFcKeyLaySetPageDlg::ChooseStyle(int kind, ChosenStyle& style)
{
    return RunStyleChooser(this, m_pReads, m_pImages, kind, *m_pRecord, style);
}

void CFcKeyLaySetPageDlg::OnChooseStyle()
{
    if (!m_pRecord || !m_pRecord->m_pBackImage)
        return;
    ChosenStyle style;
    if (!ChooseStyle(2, style))
        return;
    CImageDataCSB012* current = m_pNewBack ? m_pNewBack : m_pRecord->m_pBackImage;
    CImageDataCSB012* record = NewStyleBackground(m_pDB, current, *m_pReads, style, *m_pRecord);
    DropNewBackground();
    m_pNewBack = record;
    ShowStyle(m_pNewBack);
}

void CFcKeyLaySetPageDlg::OnOK()
{
    if (!m_pRecord) {
        EndDialog(platform::IDOK);
        return;
    }
    if (!RequireText(this, m_pName))
        return;
    const QString name = m_pName->text();
    QStringList* dept = nullptr;
    if (m_pRecord->m_nPageArrange != 1) {
        dept = m_listDept.GetAt(m_pDept->currentIndex());
        // Checked first, so that a refused OK hands nothing over.
        if (!dept) {
            ShowProgramMessage(this, QStringLiteral("CRDS_FC_MSG_NOSELECT_DEPARTMENT"),
                               platform::MessageIcon::Warning);
            return;
        }
        m_pRecord->m_strMenuDeptLink = dept->value(0);
    }
    if (m_pNewBack) {
        m_pNewBack->m_bChanged = true;
        m_pImages->ReplaceImage(m_pNewBack, m_pRecord->m_pBackImage);
        m_pRecord->m_pBackImage = m_pNewBack;
        m_pNewBack = nullptr;
    }
    m_pRecord->m_strLabel = name;
    EndDialog(platform::IDOK);
}

void CFcKeyLaySetPageDlg::OnCancel()
{
    DropNewBackground();
    EndDialog(platform::IDCANCEL);
}

} // namespace kesmond
