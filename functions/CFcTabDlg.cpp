#include "functions/CFcTabDlg.h"

#include "functions/CFcMultiPageDlg.h"
#include "functions/CFcOldPageDlg.h"
#include "functions/FcDialogIds.h"

#include "goods/base/ProgramMessage.h"

#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kesmond {

CFcTabDlg::CFcTabDlg(CDataManager* dataManager, int recordNo, bool newRecord, QWidget* parent,
                     uint tabTemplateId, uint pageTemplateId, int windowKind)
    : CFcMainDlg(parent, tabTemplateId, windowKind), m_pDataManager(dataManager),
      m_nRecordNo(recordNo), m_bNewRecord(newRecord), m_nPageTemplateId(pageTemplateId)
{
    m_pDataManager->m_nPageCount = 1;
    m_pTab = new QTabWidget(this);
    SetControlId(m_pTab, IDC_FC_TAB);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 6, 7, 46); // the button row below
    layout->addWidget(m_pTab);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_FC_HELP, "CRDM_FC_HELP"},
                                  {IDC_FC_INITIALIZE, "CRDM_FC_INITIALIZE"},
                                  {1, "CRD_OK"},
                                  {2, "CRD_CANCEL"}})
        AddButton(id, QLatin1String(key));
    // The template's Initialize button has no function.
    FindControlById(this, IDC_FC_INITIALIZE)->hide();
    qobject_cast<QPushButton*>(FindControlById(this, 1))->setDefault(true);
    resize(560, 380);
}

CFcTabDlg::~CFcTabDlg() = default;

CFcBasePageDlg* CFcTabDlg::MakePage(uint pageTemplateId) const
{
    if (pageTemplateId == IDD_FC_PAGE_PROPERTIES)
        return new CFcMultiPageDlg();
    return new CFcOldPageDlg();
}

bool CFcTabDlg::BuildPage(uint pageTemplateId)
{
    CFcBasePageDlg* page = MakePage(pageTemplateId);
    page->BindRecord(m_pDataManager, m_nRecordNo, m_bNewRecord);
    if (!page->Create(pageTemplateId, this, m_pTab)) {
        delete page;
        return false;
    }
    CFcBasePageDlg* old = m_pPage;
    m_pPage = page;
    m_nPageTemplateId = pageTemplateId;
    m_pTab->addTab(page, GetLangString(QStringLiteral("CRDS_FC_TAB_PAGE_SETUP")));
    if (old) {
        m_pTab->removeTab(m_pTab->indexOf(old));
        old->hide();
        old->deleteLater();
    }
    m_pTab->setCurrentWidget(page);
    // Tab runs through the page, then OK, Cancel and Help.
    QWidget* last = m_pTab;
    for (QWidget* w = page->nextInFocusChain(); page->isAncestorOf(w); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            last = w;
    for (uint id : {1u, 2u, uint(IDC_FC_HELP)}) {
        QWidget* button = FindControlById(this, id);
        QWidget::setTabOrder(last, button);
        last = button;
    }
    // The first control of the page that takes the focus by Tab.
    for (QWidget* w = page->nextInFocusChain(); w && page->isAncestorOf(w);
         w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    return true;
}

bool CFcTabDlg::OnInitDialog()
{
    const bool built = BuildPage(m_nPageTemplateId);
    CFcMainDlg::OnInitDialog();
    if (!built) {
        EndDialog(platform::IDCANCEL);
        return false;
    }
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));
    return true;
}

void CFcTabDlg::PostChangePage(uint pageTemplateId)
{
    QMetaObject::invokeMethod(this, "ChangePageDlg", Qt::QueuedConnection,
                              Q_ARG(uint, pageTemplateId));
}

void CFcTabDlg::PostCancel()
{
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

void CFcTabDlg::ChangePageDlg(uint pageTemplateId)
{
    if (!BuildPage(pageTemplateId))
        EndDialog(platform::IDCANCEL);
}

void CFcTabDlg::OnOK()
{
    if (!m_pPage)
        return;
    if (const uint id = m_pPage->CheckInput()) {
        if (QWidget* control = FindControlById(m_pPage, id)) {
            m_pTab->setCurrentWidget(m_pPage);
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (ShowProgramMessage(this, QStringLiteral("CRDS_CMN_COMFIRM_SAVE"),
                           platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel) != platform::IDOK)
        return;
    if (!m_pPage->SaveData()) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETWRITE_FAILED"),
                           platform::MessageIcon::Error);
        return;
    }
    EndDialog(platform::IDOK);
}

} // namespace kesmond
