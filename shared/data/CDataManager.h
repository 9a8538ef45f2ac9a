#pragma once

// One editing mode of a settings program: its mode key, dialog ids, title
// key, record pages and column list. It owns the mode's database connection
// and its record cache. Programs keep a static table of these (the mode
// table) and pick the entry of their first command-line option.

#include "shared/data/CStringArrayPtrArray.h"

#include <QString>

class CColumnData;
class CColumnDataList;
class CSQliteDB;

class CDataManager
{
public:
    CDataManager();
    // modeKey and pageIds are kept, not copied; list must not be nullptr.
    CDataManager(const char* modeKey, uint listDlgId, uint tabDlgId, uint extraDlgId,
                 const QString& windowNameKey, const uint* pageIds, int pageCount,
                 CColumnDataList* list);
    CDataManager(const CDataManager&) = delete;
    CDataManager& operator=(const CDataManager&) = delete;
    virtual ~CDataManager();

    // Makes the connection (blob files resolved in folder) and hands it and
    // the record cache to the list and its descriptors. FALSE when one
    // exists already or it cannot be made.
    bool CreateSQLiteDB(const QString& folder);
    // Opens the local data folder's database of that name ("SETTING.DB")
    // and reads the column facts. On an open failure the connection is gone.
    bool OpenSQLiteDB(const QString& name, int& err);
    bool CloseSQLiteDB();

    CColumnData* GetColumnData(int index) const;
    CColumnDataList* GetColumnDataList() const { return m_pColumnDataList; }
    int GetColumnDataCount() const;

    const char* m_pszModeKey = nullptr; // switch word without "/"
    uint m_nListDlgID = 0;
    uint m_nTabDlgID = 0;
    uint m_nExtraDlgID = 0; // kept for the program, never read here
    QString m_strWindowNameKey;
    const uint* m_pPageDlgIDs = nullptr;
    int m_nPageCount = 0;
    CStringArrayPtrArray m_arrRecords; // the record cache; rows not owned
    CSQliteDB* m_pSQliteDB = nullptr;
    CColumnDataList* m_pColumnDataList = nullptr; // not owned
};
