#include "bases/CTabDlg.h"

#include "bases/BaseDialogIds.h"
#include "bases/CPageDlg.h"
#include "bases/CPageDlg_JPRyoushuuSTP.h"
#include "bases/CPageDlg_Stamp.h"
#include "bases/ChooseMode.h"
#include "bases/TabTitleKeys.h"

#include "goods/base/ProgramMessage.h"
#include "goods/base/SaveInTransaction.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/controls/CDrawnTabBar.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace dunmarel {

namespace {

class CDrawnTabWidget : public QTabWidget
{
public:
    explicit CDrawnTabWidget(QWidget* parent) : QTabWidget(parent)
    {
        setTabBar(new CDrawnTabBar(this));
    }
};

// Space below the tab control for the button row.
constexpr int kButtonRow = 46;

} // namespace

CTabDlg::CTabDlg(CDataManager* manager, uint templateId, int windowKind, CDataManager* detail)
    : CTabbedDlg(nullptr, templateId, windowKind), m_pDataManager(manager), m_pDetail(detail)
{
    BuildFrame(templateId);
}

// Pages a failure left unbuilt never joined the tab control.
CTabDlg::~CTabDlg()
{
    for (CPageDlg* page : m_pages)
        if (!page->parent())
            delete page;
}

void CTabDlg::BuildFrame(uint templateId)
{
    const int height = templateId == IDD_TABDLG_TAX ? 300 : 230;
    CDialogTemplate frame(this, 9, 330, height);
    SetTabControl(templateId == IDD_TABDLG_EASY ? new CDrawnTabWidget(this) : new QTabWidget(this));
    for (const auto& [id, key] :
         {std::pair<uint, const char*>{33002, "CRD_HELP"}, {1, "CRD_OK"}, {2, "CRD_CANCEL"}})
        AddButton(id, QLatin1String(key));
    qobject_cast<QPushButton*>(FindControlById(this, platform::IDOK))->setDefault(true);
}

std::vector<CPageDlg*> CTabDlg::CreatePages()
{
    std::vector<CPageDlg*> pages;
    for (int i = 0; i < m_pDataManager->m_nPageCount; ++i)
        pages.push_back(WindowKind() == MODE_RM_EASY   ? new CPageDlg_Stamp()
                        : WindowKind() == MODE_RC_EASY ? new CPageDlg_JPRyoushuuSTP()
                                                       : new CPageDlg());
    return pages;
}

bool CTabDlg::OnInitDialog()
{
    const QStringList titles = TabTitleKeys(*m_pDataManager, WindowKind());
    bool read = !titles.isEmpty();
    if (read)
        m_pages = CreatePages();
    for (size_t i = 0; read && i < m_pages.size(); ++i) {
        const unsigned pageId = m_pDataManager->m_pPageDlgIDs[i];
        CDataManager* manager = pageId == IDD_PAGE_DETAIL && m_pDetail ? m_pDetail : m_pDataManager;
        m_pages[i]->SetDataManager(manager, 1, 0);
        read = m_pages[i]->Create(pageId, TabControl());
        TabControl()->addTab(m_pages[i], GetLangString(titles.value(int(i))));
    }
    CTabbedDlg::OnInitDialog();
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));
    if (!read || m_pages.empty()) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
        EndDialog(platform::IDCANCEL);
        return false;
    }
    m_frameSize = size();
    FitToPages();
    SetTabOrder(TabControl()->tabBar()); // from the tabs
    ShowPage(0);
    return true;
}

// A page that shows other controls (another form) may need more room.
bool CTabDlg::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest && !m_pages.empty() && isVisible())
        FitToPages();
    return CTabbedDlg::event(event);
}

// The frame takes the room its largest page needs (the formal receipt's page
// needs more for the horizontal form and gives it back for a vertical one),
// and stays on the screen.
void CTabDlg::FitToPages()
{
    const QSize need = TabControl()->sizeHint() + QSize(14, 12 + kButtonRow);
    setFixedSize(m_frameSize.expandedTo(need));
    KeepOnScreen();
    ColorDialogButtons();
    const QWidget* cancel = FindControlById(this, platform::IDCANCEL);
    const int bottom = cancel ? cancel->geometry().top() : height() - kButtonRow;
    TabControl()->setGeometry(QRect(QPoint(7, 6), QPoint(width() - 8, bottom - 7)));
}

unsigned CTabDlg::CheckPage(int index)
{
    return m_pages[size_t(index)]->CheckInput();
}

// All pages or none, on the one connection of the run: a failed page leaves
// every row, the record cache and the kept creation times as before.
bool CTabDlg::SaveAllPages()
{
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    if (!db)
        return false;
    struct Kept
    {
        CColumnDataList* list;
        QStringList record;
        std::vector<QString> created;
    };
    std::vector<Kept> kept;
    for (CDataManager* manager : {m_pDataManager, m_pDetail}) {
        CColumnDataList* list = manager ? manager->GetColumnDataList() : nullptr;
        if (!list)
            continue;
        Kept k{list, list->CachedRecord(1) ? list->CachedRecord(1)->toList() : QStringList(), {}};
        for (int i = 0; i < list->m_nColumnCount; ++i)
            k.created.push_back(list->m_ppColumnData[i]->m_strOwnCreateTime);
        kept.push_back(std::move(k));
    }
    if (SaveInTransaction(*db, m_pages.size(),
                          [this](size_t i, int& err) { return m_pages[i]->SaveData(err); }) == 0)
        return true;
    for (const Kept& k : kept) {
        if (CRecord* record = k.list->CachedRecord(1))
            *record = k.record;
        for (int i = 0; i < k.list->m_nColumnCount; ++i)
            k.list->m_ppColumnData[i]->m_strOwnCreateTime = k.created[size_t(i)];
    }
    return false;
}

} // namespace dunmarel
