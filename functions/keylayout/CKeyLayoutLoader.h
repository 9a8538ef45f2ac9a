#pragma once

#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CKeyLayoutReads.h"
#include "functions/keylayout/KeyLayoutColumns.h"

#include <QRect>
#include <QString>

#include <utility>
#include <vector>

class CSQliteDB;
class CStringArrayPtrArray;

namespace kesmond {

class CButtonStyleMgr;

// Turns the CSB022 rows into the editor's records: the strip rows
// ("ITEMSHEETSELECTION") with the strip's rectangle and colour, and the
// sheet rows ("ITEM") with the pages and the page rectangle. Other rows are
// skipped. Names, prices, menu settings and images are read as each record
// is made.
class CKeyLayoutLoader
{
public:
    // images may be nullptr (records then get no image).
    CKeyLayoutLoader(CSQliteDB& db, CButtonStyleMgr* images);

    void Load(const CStringArrayPtrArray& rows);
    void AddRow(const QStringList& row);

    CButtonPropertyArray m_sheetRows;
    CButtonPropertyArray m_stripRows;
    // {SHEETNUMBER, CODE} of each "ItemSheet" row, in reading order.
    std::vector<std::pair<QString, QString>> m_pages;
    QRect m_pageRect; // of the first "ItemSheet" row
    QRect m_stripRect;
    int m_nStripColor = 0;
    int m_nLastStripPage = 0;
    bool m_bHasPage = false;
    bool m_bHasStrip = false;

private:
    std::unique_ptr<CButtonProperty> MakeRecord(const QStringList& row) const;
    void AddStripRow(std::unique_ptr<CButtonProperty> record);
    void AddSheetRow(std::unique_ptr<CButtonProperty> record);

    CSQliteDB& m_db;
    CKeyLayoutReads m_reads;
    CButtonStyleMgr* m_pImages = nullptr;
    // The pages' "ItemSheet" rows, read at the first tab.
    QHash<QString, PageSheet> m_pageSheets;
    bool m_bPageSheetsRead = false;
};

} // namespace kesmond
