#include "functions/CSelectGrpTypeDlg.h"

#include "functions/CListBoxGrpType.h"
#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CKeyLayoutReads.h"

#include "goods/base/ProgramMessage.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

namespace kesmond {

CSelectGrpTypeDlg::CSelectGrpTypeDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 200, 250);
    setWindowTitle(QStringLiteral("CRDD_FC_SELECT_GRPTYPE"));
    m_pList = tmpl.Add<CListBoxGrpType>(IDC_LIST, QString(), 7, 7, 186, 212);
    // Each sample is drawn across the row: the rows follow the list's width.
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pList->setResizeMode(QListView::Adjust);
    AddOkCancel(tmpl, 40, 226, 110, 226, 50, 16);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
}

CSelectGrpTypeDlg::~CSelectGrpTypeDlg() = default;

void CSelectGrpTypeDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CSelectGrpTypeDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    if (!m_pImages)
        return true;
    m_pList->m_pReads = m_pReads;
    m_pList->m_pImages = m_pImages;
    m_pList->m_nKind = m_nKind;
    const QString sheetType = CListBoxGrpType::SheetTypeOfKind(m_nKind);
    for (int i = 0; i < CListBoxGrpType::kStyleCount; ++i) {
        auto* item = new QListWidgetItem(m_pList);
        // The row is drawn as a sample; its text only names it.
        item->setData(Qt::AccessibleTextRole, QStringLiteral("%1 %2").arg(sheetType).arg(i));
        item->setSizeHint(QSize(0, CListBoxGrpType::kItemHeight));
    }
    return true;
}

bool CSelectGrpTypeDlg::TakeStyle(int row)
{
    if (row >= CListBoxGrpType::kStyleCount) {
        m_result = ChosenStyle{QStringLiteral("FunctionButton"),
                               QStringLiteral("Standard"),
                               QStringLiteral("0"),
                               m_nForeColor,
                               m_nBackColor,
                               m_nOptionColor};
        return true;
    }
    m_pList->EnsureStylesLoaded();
    const SheetStyle* style = m_pList->StyleAt(row);
    if (!style)
        return false;
    m_result = ChosenStyle{style->controlType, style->theme,     style->code,
                           style->foreColor,   style->backColor, style->optionColor};
    return true;
}

void CSelectGrpTypeDlg::OnOK()
{
    const int row = m_pList->currentRow();
    if (row < 0 || !m_pList->currentItem()->isSelected() || !TakeStyle(row)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_INPUT"),
                           platform::MessageIcon::Warning);
        return;
    }
    EndDialog(platform::IDOK);
}

bool RunStyleChooser(QWidget* parent, CKeyLayoutReads* reads, CButtonStyleMgr* images, int kind,
                     const CButtonProperty& key, ChosenStyle& style)
{
    CSelectGrpTypeDlg chooser(parent);
    chooser.m_pReads = reads;
    chooser.m_pImages = images;
    chooser.m_nKind = kind;
    chooser.m_nForeColor = key.m_nForeColor;
    chooser.m_nBackColor = key.m_nBackColor;
    chooser.m_nOptionColor = key.m_nOptionColor;
    if (chooser.DoModal() != platform::IDOK)
        return false;
    style = chooser.m_result;
    return true;
}

CImageDataCSB012* NewStyleBackground(CSQliteDB* db, const CImageDataCSB012* current,
                                     CKeyLayoutReads& reads, const ChosenStyle& style,
                                     CButtonProperty& key)
{
    key.m_nForeColor = style.foreColor;
    key.m_nBackColor = style.backColor;
    key.m_nOptionColor = style.optionColor;
    auto* record = new CImageDataCSB012(db);
    if (current)
        record->CopyFrom(*current);
    record->m_bResident = false;
    QString fileName;
    reads.ReadImageFileName(style.controlType, style.code, fileName);
    record->SetStyleImage(style.controlType, style.theme, style.code, fileName);
    return record;
}

} // namespace kesmond
