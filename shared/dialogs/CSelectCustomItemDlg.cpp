#include "shared/dialogs/CSelectCustomItemDlg.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"

namespace {

struct KindTexts
{
    const char* caption;
    QList<const char*> columns;
    QList<const char*> widths;
};

const KindTexts* textsOf(int kind)
{
    static const KindTexts kinds[] = {
        {"CRDS_CMN_LABEL_DEPT",
         {"CRDS_CMN_CLMN_CODE", "CRDS_CMN_CLMN_NAME"},
         {"CRDS_CMN_CLMN_CODE_WIDTH_ONDEPT", "CRDS_CMN_CLMN_NAME_WIDTH_ONDEPT"}},
        {"CRDS_CMN_LABEL_ITEM",
         {"CRDS_CMN_CLMN_CODE", "CRDS_CMN_CLMN_NAME"},
         {"CRDS_CMN_CLMN_CODE_WIDTH_ONITEM", "CRDS_CMN_CLMN_NAME_WIDTH_ONITEM"}},
        {"CRDS_CMN_LABEL_SETMENU",
         {"CRDS_CMN_CLMN_CODE", "CRDS_CMN_CLMN_NAME"},
         {"CRDS_CMN_CLMN_CODE_WIDTH_ONSETMENU", "CRDS_CMN_CLMN_NAME_WIDTH_ONSETMENU"}},
        {"CRDS_CMN_LABEL_FUNCTIONKEY",
         {"CRDS_CMN_CLMN_FUNCKEYCODE", "CRDS_CMN_CLMN_FUNCKEYNAME", "CRDS_CMN_CLMN_FUNCTIONCODE"},
         {"CRDS_CMN_CLMN_FUNCKEYCODE_WIDTH", "CRDS_CMN_CLMN_FUNCKEYNAME_WIDTH",
          "CRDS_CMN_CLMN_FUNCTIONCODE_WIDTH"}},
    };
    if (kind < CSelectCustomItemDlg::SELECT_DEPT || kind > CSelectCustomItemDlg::SELECT_FUNCKEY)
        return nullptr;
    return &kinds[kind - 1];
}

QString text(const char* key)
{
    return LoadCommonString(QString::fromLatin1(key));
}

} // namespace

CSelectCustomItemDlg::CSelectCustomItemDlg(QWidget* parent) : CSelectItemDlg(parent) {}

CSelectCustomItemDlg::CSelectCustomItemDlg(_E_SELITDLG layout, QWidget* parent)
    : CSelectItemDlg(layout, parent)
{
}

CSelectCustomItemDlg::~CSelectCustomItemDlg()
{
    CSqLiteUtility::FreeStringArrayListPtr(m_listItems);
}

void CSelectCustomItemDlg::SetDialogDefaultText()
{
    const KindTexts* texts = textsOf(m_nSelectType);
    if (!texts)
        return;
    m_strTitle = text(texts->caption);
    for (const char* key : texts->columns)
        m_arrColumnNames << text(key);
    for (const char* key : texts->widths) {
        bool ok = false;
        const uint width = text(key).trimmed().toUInt(&ok);
        m_arrColumnWidths << (ok ? width : 0);
    }
}

void CSelectCustomItemDlg::SetDialogCustomText(const QString& title, const QString& column1,
                                               const QString& column2)
{
    SetDialogDefaultText();
    if (!title.isEmpty())
        m_strTitle = title;
    if (!column1.isEmpty() && !m_arrColumnNames.isEmpty())
        m_arrColumnNames[0] = column1;
    if (!column2.isEmpty() && m_arrColumnNames.size() > 1)
        m_arrColumnNames[1] = column2;
}

bool CSelectCustomItemDlg::OnInitDialog()
{
    if (!m_pSQliteDB || m_nSelectType == SELECT_NONE) {
        SetLangTexts();
        return false;
    }
    switch (m_nSelectType) {
    case SELECT_DEPT:
        CSqLiteItemDataUtility::AllocDeptList(m_pSQliteDB, m_listItems);
        break;
    case SELECT_ITEM:
        CSqLiteItemDataUtility::AllocItemList(m_pSQliteDB, m_listItems, m_strDeptCode);
        break;
    case SELECT_SETMENU:
        CSqLiteItemDataUtility::AllocSetMenuList(m_pSQliteDB, m_listItems);
        break;
    case SELECT_FUNCKEY:
        CSqLiteItemDataUtility::AllocFuncList(m_pSQliteDB, m_listItems);
        break;
    default:
        break;
    }
    CSelectItemDlg::OnInitDialog();
    return true;
}
