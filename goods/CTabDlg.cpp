#include "goods/CTabDlg.h"

#include "goods/CColumnDataDallasKey.h"
#include "goods/CPageDlg.h"
#include "goods/CSetGrpPageDlg.h"
#include "goods/GoodsDialogIds.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/SaveInTransaction.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/lang/CProgramLang.h"

#include <QPushButton>
#include <QTabWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace brelkin {

CTabDlg::CTabDlg(CDataManager* dataManager, int recordNo, bool newRecord, QWidget* parent,
                 uint templateId, int windowKind)
    : CTabbedDlg(parent, templateId, windowKind), m_pDataManager(dataManager),
      m_nRecordNo(recordNo), m_bNewRecord(newRecord)
{
    SetTabControl(new QTabWidget(this));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 6, 7, 46); // the button row below
    layout->addWidget(TabControl());
    for (const auto& [id, key] :
         {std::pair<uint, const char*>{33002, "CRD_HELP"}, {1, "CRD_OK"}, {2, "CRD_CANCEL"}})
        AddButton(id, QLatin1String(key));
    qobject_cast<QPushButton*>(FindControlById(this, 1))->setDefault(true);
}

CTabDlg::~CTabDlg() = default;

std::vector<CPageDlg*> CTabDlg::CreatePages()
{
    std::vector<CPageDlg*> pages;
    for (int i = 0; i < m_pDataManager->m_nPageCount; ++i)
        pages.push_back(NewPageDlg(m_pDataManager->m_pPageDlgIDs[i]));
    return pages;
}

bool CTabDlg::IsSecondManagersPage(unsigned pageId) const
{
    for (int i = 0; i < m_pSecondDataManager->m_nPageCount; ++i)
        if (m_pSecondDataManager->m_pPageDlgIDs[i] == pageId)
            return true;
    return false;
}

// The record's value in the column named like the set price list's key (the
// item code).
QString CTabDlg::SetPriceKey() const
{
    const CColumnDataList* second = m_pSecondDataManager->GetColumnDataList();
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const CRecord* record = list->CachedRecord(m_nRecordNo);
    if (!record || !second->KeyColumn())
        return QString();
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_strColumnName == second->KeyColumn()->m_strColumnName)
            return record->value(i);
    return QString();
}

// A page taller than a 800 px screen leaves for the frame, its tab bar and
// the button row scrolls; the others show as they are.
QWidget* CTabDlg::ScrolledIfTall(CPageDlg* page)
{
    constexpr int kTallestPage = 600;
    const QSize hint = page->sizeHint();
    if (hint.height() <= kTallestPage)
        return page;
    auto* scroller = new QScrollArea(TabControl());
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidget(page);
    scroller->setMinimumSize(hint.width() + scroller->verticalScrollBar()->sizeHint().width(),
                             kTallestPage);
    return scroller;
}

bool CTabDlg::OnInitDialog()
{
    m_pages = CreatePages();
    for (size_t i = 0; i < m_pages.size(); ++i) {
        const unsigned pageId = m_pDataManager->m_pPageDlgIDs[i];
        m_pages[i]->BindPage(m_pDataManager, m_nRecordNo, m_bNewRecord);
        if (m_pSecondDataManager && IsSecondManagersPage(pageId))
            m_pages[i]->BindSetPriceRows(m_pSecondDataManager, SetPriceKey());
        if (!m_pages[i]->Create(pageId, TabControl())) {
            m_pages.clear();
            break;
        }
        TabControl()->addTab(ScrolledIfTall(m_pages[i]),
                             pageId == IDD_PAGE_SETPRICE
                                 ? QStringLiteral("CRDC_PR_SETITEM_PRICE")
                                 : QStringLiteral("CRDS_PR_TAB_PAGE_SETUP"));
    }
    CTabbedDlg::OnInitDialog();
    if (m_pages.empty()) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
        EndDialog(platform::IDCANCEL);
        return false;
    }
    for (int i = 0; i < TabControl()->count(); ++i)
        TabControl()->setTabText(i, GetLangString(TabControl()->tabText(i)));
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));
    SetTabOrder(TabControl());
    ShowPage(0);
    return true;
}

unsigned CTabDlg::CheckPage(int index)
{
    return m_pages[size_t(index)]->CheckInput(nullptr, nullptr);
}

// All pages or none: a failed page leaves every row, and the cache, as before.
bool CTabDlg::SaveAllPages()
{
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    CRecord* cached = list->CachedRecord(m_nRecordNo);
    if (!db || !cached)
        return false;
    const QStringList before = cached->toList();
    // The set price rows as they were, for a rollback.
    QList<QStringList> secondBefore;
    CStringArrayPtrArray* secondRows =
        m_pSecondDataManager ? &m_pSecondDataManager->m_arrRecords : nullptr;
    if (secondRows)
        for (const CRecord* row : *secondRows)
            secondBefore << row->toList();
    const auto save = [this](size_t i, int& err) {
        CPageDlg* page = m_pages[i];
        return page->HasSetPriceRows() ? page->SaveSetPriceRow(err) : page->SaveData(nullptr, err);
    };
    if (SaveInTransaction(*db, m_pages.size(), save) == 0)
        return true;
    *cached = before;
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (auto* key = dynamic_cast<CColumnDataDallasKey*>(list->m_ppColumnData[i]))
            key->RestoreAfterRollback();
    for (qsizetype i = 0; secondRows && i < secondRows->GetSize() && i < secondBefore.size(); ++i)
        *secondRows->GetAt(i) = secondBefore[i];
    return false;
}

} // namespace brelkin
