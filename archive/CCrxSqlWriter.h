#pragma once

// Row inserts into one table: the column groups and the values of the row
// being written, parallel lists.

#include "archive/CCrxSql.h"

#include <QStringList>

class CCrxSqlWriter : public CCrxSql
{
public:
    void ClearLists();

    // A new statement prepared for the three column lists, and the first
    // transaction: 0, a CreateStatement code, CRX_E_PREPARE_WRITE (the
    // column lists are emptied) or a BeginTransaction code.
    CrxResult PrepareWrite();
    // Inserts the row in the value lists and counts it: 0,
    // CRX_E_NO_STATEMENT, CRX_E_NO_WRITE_STMT, CRX_E_WRITE_ROW or a
    // BeginTransaction code.
    CrxResult InsertRow();
    // The same for a row whose key and value texts come as UTF-8, keys
    // first.
    CrxResult InsertRowUtf8(const QByteArrayView* texts, qsizetype count,
                            const QStringList& blobFiles);

    QStringList m_keyColumns;
    QStringList m_valueColumns;
    QStringList m_blobColumns;
    QStringList m_keyValues;
    QStringList m_values;
    QStringList m_blobFiles;
};
