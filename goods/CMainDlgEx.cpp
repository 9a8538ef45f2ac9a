#include "goods/CMainDlgEx.h"

#include "goods/base/CMainListCtrl.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/WindowPlacement.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"

#include <QTimer>

namespace brelkin {

namespace {

const QString kDatabaseName = QStringLiteral("\\SETTING.DB");

} // namespace

CMainDlgEx::CMainDlgEx(CDataManager* manager, uint templateId, QWidget* parent, int windowKind)
    : CMainDlg(parent, templateId, windowKind), m_pManager(manager)
{
    m_pList = new CMainListCtrl(this);
    SetControlId(m_pList, IDC_LIST);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
}

CMainDlgEx::~CMainDlgEx() = default;

bool CMainDlgEx::OpenWindowData(const std::function<bool(int&)>& read, int& err, bool& messageShown)
{
    setWindowTitle(GetLangString(m_pManager->m_strWindowNameKey));
    QFont font = m_pList->font();
    font.setFamily(GetFixPitchFontName());
    m_pList->setFont(font);
    err = 0;
    messageShown = false;
    if (!m_pManager->CreateSQLiteDB(CBasePath::GetLocalTemporaryPath())) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
        messageShown = true;
        return false;
    }
    return m_pManager->OpenSQLiteDB(kDatabaseName, err) && read(err);
}

void CMainDlgEx::EndAfterFailure()
{
    m_bFailed = true;
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

void CMainDlgEx::done(int result)
{
    if (!m_bFailed && isVisible())
        SaveWindowPlacement(this);
    CMainDlg::done(result);
}

} // namespace brelkin
