#include "images/CGpSmartTab.h"

#include "images/CGpSmartLogo.h"
#include "images/CGpSmartRyoushu.h"
#include "images/GraphicColumns.h"
#include "images/GraphicRows.h"
#include "images/GraphicTypes.h"

#include "shared/controls/FindControlById.h"
#include "shared/controls/CDrawnTabBar.h"

#include "platform/MessageBox.h"
#include "shared/lang/CProgramLang.h"

#include <QGuiApplication>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>

namespace pellark {

namespace {

constexpr int kInsetX = 7;
constexpr int kInsetY = 6;

const char* const kTabKeys[] = {"CRDS_GLOGO_TAB1", "CRDS_GLOGO_TAB2", "CRDS_GLOGO_TAB3"};

// The page codes of the tabs: shop and address.
struct PageCodes
{
    int shop;
    int address;
};
constexpr PageCodes kPageCodes[] = {{1, 2}, {3, 4}, {11, 12}};

} // namespace

CGpSmartTab::CGpSmartTab(CSQliteDB* db, QWidget* parent) : CMainDlg(parent, IDD), m_pDB(db)
{
    m_records.SetAutoDeleteMember(0);
    setWindowTitle(QStringLiteral("CRDS_MSGBOX_GRAPHICLOGO"));
    m_pTab = new CDrawnTabBar(this);
    SetControlId(m_pTab, IDC_TAB);
    m_pTab->setExpanding(false);
    auto* inside = new CGpSmartLogo(db, this);
    inside->SetMode(CGpSmartLogo::ModeInside);
    auto* outside = new CGpSmartLogo(db, this);
    outside->SetMode(CGpSmartLogo::ModeOutside);
    m_pages = {inside, new CGpSmartRyoushu(db, this), outside};
    // The tabs carry their keys until the texts are set.
    for (const char* key : kTabKeys)
        m_pTab->addTab(QLatin1String(key));
    const QSize page = m_pages[0]->size();
    const int barHeight = m_pTab->sizeHint().height();
    resize(page.width() + 2 * kInsetX, page.height() + barHeight + 2 * kInsetY);
    m_pTab->setGeometry(kInsetX, kInsetY, page.width(), barHeight);
    for (int i = 0; i < kPageCount; ++i) {
        const PageCodes& codes = kPageCodes[i];
        m_pages[i]->SetCodes(GraphicKey(codes.shop), GraphicKey(codes.address));
        m_pages[i]->setGeometry(kInsetX, kInsetY + barHeight, page.width(), page.height());
        m_pages[i]->hide();
        connect(m_pages[i], &CGpSmartDlg::pageEnded, this,
                [this](int result) { EndDialog(result); });
    }
    connect(m_pTab, &QTabBar::currentChanged, this, &CGpSmartTab::OnTabChanged);
}

CGpSmartTab::~CGpSmartTab()
{
    m_records.RemoveAll();
}

void CGpSmartTab::EndAfterFailure()
{
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

bool CGpSmartTab::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    if (!LoadGraphicRows(this, *m_pDB, m_records)) {
        EndAfterFailure();
        return true;
    }
    QString shopNames[kPageCount], addressNames[kPageCount];
    for (qsizetype row = 0; row < m_records.GetSize(); ++row) {
        const CRecord* record = m_records.GetAt(row);
        if (!record)
            continue;
        const int code = record->value(kGraphicCode).trimmed().toInt();
        for (int i = 0; i < kPageCount; ++i) {
            if (kPageCodes[i].shop == code)
                shopNames[i] = record->value(kFileName);
            else if (kPageCodes[i].address == code)
                addressNames[i] = record->value(kFileName);
        }
    }
    const QString title = GetLangString(QStringLiteral("CRDS_MSGBOX_GRAPHICLOGO"));
    setWindowTitle(title);
    // Every later message box carries it.
    QGuiApplication::setApplicationDisplayName(title);

    for (int i = 0; i < kPageCount; ++i) {
        m_pTab->setTabText(i, GetLangString(QLatin1String(kTabKeys[i])));
        m_pages[i]->SetFileNames(shopNames[i], addressNames[i]);
        m_pages[i]->InitPage();
    }
    ShowPage(0);
    m_pTab->lower();
    // The first tab stop of the first page.
    for (QWidget* child : m_pages[0]->findChildren<QWidget*>())
        if (child->focusPolicy() & Qt::TabFocus && child->isEnabled()) {
            child->setFocus();
            break;
        }
    return false;
}

void CGpSmartTab::ShowPage(int index)
{
    for (int i = 0; i < kPageCount; ++i)
        m_pages[i]->setVisible(i == index);
    m_nShown = index;
}

void CGpSmartTab::OnTabChanged(int index)
{
    if (index < 0 || index == m_nShown)
        return;
    CGpSmartDlg* leaving = m_pages[m_nShown];
    if (leaving->IsChanged()) {
        // A failed save keeps its page, changes and all.
        if (leaving->SavePage() == CGpSmartDlg::SaveFailed) {
            const QSignalBlocker blocker(m_pTab);
            m_pTab->setCurrentIndex(m_nShown);
            return;
        }
        leaving->ClearChanged();
    }
    m_pTab->setFocus();
    ShowPage(index);
    m_pTab->lower();
}

} // namespace pellark
