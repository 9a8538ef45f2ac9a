#pragma once

#include "functions/keylayout/CButtonProperty.h"

#include <QString>
#include <QStringList>

class CSQliteDB;
class CSQliteSQL;

namespace kesmond {

class CImageDataCSB012;

// Writes the edited key layout into the work database with OK: every
// "ITEM" row of CSB022 anew, the changed button images (CSB012), the item
// background links (CSA005), the pages' menu settings (CSB003) and the tabs'
// colours and images, all in one transaction. Any failure rolls all of it
// back and reports the failing statement's code.
class CSaveKeyLayout
{
public:
    // Rows and connection are not owned; the records are only read.
    CSaveKeyLayout(CSQliteDB* db, const CButtonPropertyArray& sheetRows,
                   const CButtonPropertyArray& stripRows);
    virtual ~CSaveKeyLayout();
    CSaveKeyLayout(const CSaveKeyLayout&) = delete;
    CSaveKeyLayout& operator=(const CSaveKeyLayout&) = delete;

    // err: 0 on success, else the database code of the failing statement.
    bool Save(int& err);

private:
    int WriteItemRows(CSQliteSQL& sql);
    int WriteFunctionBackground(const CButtonProperty& key);
    int WriteItemBackgroundLink(const CButtonProperty& key);
    int WriteItemPicture(const CButtonProperty& key);
    int WriteImage(const CImageDataCSB012& image, const QString& code);
    int WritePageMenuSettings(const CButtonProperty& tab);
    int WriteTabStyle(const CButtonProperty& tab);
    // An upsert of one key: update when a row with the key exists, else insert.
    int WriteRow(const QString& table, const QStringList& keyColumns,
                 const QStringList& valueColumns, const QStringList& blobColumns,
                 const QStringList& keyValues, const QStringList& values,
                 const QStringList& blobFiles);
    // exists := whether a row has the key; the read's status (0 = read).
    int RowExists(const QString& table, const QStringList& keyColumns, const QStringList& keyValues,
                  bool& exists);

    CSQliteDB* m_pDB;
    const CButtonPropertyArray& m_sheetRows;
    const CButtonPropertyArray& m_stripRows;
};

} // namespace kesmond
