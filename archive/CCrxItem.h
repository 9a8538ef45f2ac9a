#pragma once

// One named value of a record: a header value or a table column, with the
// column's description as the database gives it.

#include "archive/CrxGrammarNames.h"

#include <QByteArray>
#include <QString>

#include <string>

class CCrxItem
{
public:
    enum { FLAG_READ = 0x1 };

    CCrxItem() = default;
    explicit CCrxItem(const QString& name) : m_strName(name), m_utf8Name(name.toUtf8()) {}
    virtual ~CCrxItem() = default;

    bool WasRead() const { return (m_nFlags & FLAG_READ) != 0; }
    bool IsKey() const { return (m_nKey & 1) != 0; }
    bool IsBlobColumn() const { return m_nColumnType == 3; }

    QString m_strName;
    QByteArray m_utf8Name; // as the archive XML names it
    QString m_strValue;
    // The value's text as the archive XML gives it, collected while it is
    // read (a row's text values collect in the row itself, as they are
    // bound, without being widened). Its buffer is kept from value to value.
    std::string m_utf8Value;
    int m_nDataType = CRX_DATA_NONE; // "datatype" of the value element
    int m_nFlags = 0;                // FLAG_READ: a value was read in this row
    int m_nWriteEmpty = 0;           // 1: the writer writes it even when empty
    // Its place among the texts a row binds (keys, then values), or -1.
    int m_nText = -1;

    // Column description (type 1 numeric, 2 text, 3 blob).
    int m_nColumnType = 0;
    int m_nSize = 0;
    int m_nScale = 0;
    int m_nKey = 0; // bit 0: key column
    int m_nNotNull = 0;
};
