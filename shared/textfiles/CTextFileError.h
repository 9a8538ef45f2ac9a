#pragma once

#include <QString>

// What a table text job knows about its failure, and the one place that turns
// it into the text shown to the user.
class CTextFileError
{
public:
    // An empty key counts as an unknown error; keys whose texts hold a
    // placeholder get the database status, the column name or the line.
    QString Message() const;

    QString m_strKey;
    int m_nStatus = 0;
    QString m_strField;
    QString m_strTable;    // of a value that cannot be written
    QString m_strKeyValue; // the key of that value's row; a refused value or a repeated key
    int m_nLine = 0;
    int m_nFieldCount = 0;
    int m_nExpected = 0;
};
