#pragma once

// Row reads of one table in batches of 10,000, so an export holds at most
// one batch in memory.

#include "archive/CCrxSql.h"

#include "stroven/Stroven.h"

#include <QStringList>

class CCrxSqlReader : public CCrxSql
{
public:
    static constexpr quint32 kRowsPerBatch = 1000;

    // A new statement reading m_columns: 0 (also for no columns: nothing is
    // prepared), a CreateStatement code or CRX_E_PREPARE_READ (columns,
    // WHERE and ORDER BY are then cleared).
    CrxResult PrepareRead();
    // The next batch, owned by the statement, or null. end becomes true with
    // the last batch (which may still hold rows) and for no columns; error
    // is CRX_E_NO_STATEMENT, CRX_E_NO_READ_STMT, CRX_E_READ_ROWS or
    // CRX_E_XML_UTF8 (a value that is not UTF-8: the batch is still returned
    // and ends with its row; the statement's InvalidTextColumn() names the
    // column).
    CSQRowArray* ReadNext(CrxResult& error, bool& end);

    QStringList m_columns;
    QString m_strWhere;
    QString m_strOrderBy;

protected:
    // The read takes its FROM text as SQL (it may be a list), so the name
    // goes in quoted.
    QString StatementTable() const override { return QuoteName(m_strTable); }
};
