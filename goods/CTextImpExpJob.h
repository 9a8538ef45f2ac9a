#pragma once

#include <QString>
#include <QStringList>

class CSQliteDB;

namespace brelkin {

// One job of the list window's table text files, without widgets: delete
// every row, import or export a table text file, or take an OES master file
// over. It runs on a thread of its own and opens a connection of its own to
// the work database, since a connection object is never shared between
// threads here. Each job is one transaction: a failure leaves the table as it
// was.
class CTextImpExpJob
{
public:
    enum Command : uint { DataDelete = 16, DataImport = 32, DataExport = 48, OesImport = 64 };

    // True on success; else the failure's key and text are set. A failure
    // the text file classes give no key for (no connection, for one) is
    // "CRDS_PR_ERROR_UNKNOWN".
    bool Run();

    uint m_nCommand = 0;
    QString m_strDatabase; // the work database; never created here
    QString m_strTable;
    QString m_strKeyColumn;
    QString m_strPath;
    int m_nMode = 1;           // import: 1 update and add, 0 empty the table first
    QStringList m_codeColumns; // import: the columns the list knows as codes

    QString m_strErrorKey;
    QString m_strErrorMessage;

private:
    bool Execute(CSQliteDB& db);
};

} // namespace brelkin
