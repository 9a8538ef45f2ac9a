#include "shared/data/CDataManager.h"

#include "shared/data/CColumnDataList.h"
#include "shared/config/CBasePath.h"

#include "stroven/Stroven.h"

CDataManager::CDataManager() = default;

CDataManager::CDataManager(const char* modeKey, uint listDlgId, uint tabDlgId, uint extraDlgId,
                           const QString& windowNameKey, const uint* pageIds, int pageCount,
                           CColumnDataList* list)
    : m_pszModeKey(modeKey), m_nListDlgID(listDlgId), m_nTabDlgID(tabDlgId),
      m_nExtraDlgID(extraDlgId), m_strWindowNameKey(windowNameKey), m_pPageDlgIDs(pageIds),
      m_nPageCount(pageCount), m_pColumnDataList(list)
{
}

CDataManager::~CDataManager()
{
    CloseSQLiteDB();
    m_arrRecords.RemoveAll(); // the rows were the list's
}

bool CDataManager::CreateSQLiteDB(const QString& folder)
{
    if (m_pSQliteDB || !m_pColumnDataList)
        return false;
    m_pSQliteDB = new CSQliteDB(folder);
    m_pColumnDataList->SetSQliteDB(m_pSQliteDB, &m_arrRecords);
    return true;
}

bool CDataManager::OpenSQLiteDB(const QString& name, int& err)
{
    err = 0;
    if (!m_pSQliteDB || !m_pColumnDataList)
        return false;
    // Callers pass "\SETTING.DB" as the suite always has; the name is a
    // path component here.
    QString file = name;
    while (file.startsWith(QLatin1Char('\\')) || file.startsWith(QLatin1Char('/')))
        file.remove(0, 1);
    const QString path = CBasePath::GetLocalDataBasePath() + QLatin1Char('/') + file;
    err = m_pSQliteDB->OpenDB(path);
    if (err != 0) {
        m_pSQliteDB->CloseDB();
        delete m_pSQliteDB;
        m_pSQliteDB = nullptr;
        m_pColumnDataList->SetSQliteDB(nullptr, &m_arrRecords);
        return false;
    }
    return m_pColumnDataList->ReadTableInfo(err);
}

bool CDataManager::CloseSQLiteDB()
{
    if (m_pColumnDataList)
        m_pColumnDataList->FreeRecords();
    if (m_pSQliteDB) {
        m_pSQliteDB->CloseDB();
        delete m_pSQliteDB;
        m_pSQliteDB = nullptr;
    }
    return true;
}

CColumnData* CDataManager::GetColumnData(int index) const
{
    if (!m_pColumnDataList || index < 0 || index >= m_pColumnDataList->m_nColumnCount)
        return nullptr;
    return m_pColumnDataList->m_ppColumnData[index];
}

int CDataManager::GetColumnDataCount() const
{
    return m_pColumnDataList ? m_pColumnDataList->m_nColumnCount : 0;
}
