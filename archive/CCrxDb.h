#pragma once

// One work database of a base folder ("SETTING.DB" or "CUSTOMER.DB") with
// its sorted table list, a row counter and table emptying, and the writer,
// reader and blob reader the import and export attach to its tables. An
// import's rows go through the row queue; every other use of the
// connection first waits for the rows queued before it and fails with the
// first row that failed.

#include "archive/CCrxBlobReader.h"
#include "archive/CCrxRowQueue.h"
#include "archive/CCrxSqlReader.h"
#include "archive/CCrxSqlWriter.h"
#include "archive/CSortStringArray.h"
#include "archive/CrxResult.h"

#include <QString>

#include <memory>

class CSQliteDB;

class CCrxDb
{
public:
    CCrxDb();
    virtual ~CCrxDb();
    CCrxDb(const CCrxDb&) = delete;
    CCrxDb& operator=(const CCrxDb&) = delete;

    // Opens (or creates) the database: 0, a Close code or CRX_E_DB_OPEN.
    // Blob files are always named by full paths.
    CrxResult Open(const QString& dbPath, const QString& unpackFolder, const QString& blobFolder);
    // Writes the queued rows, commits and releases the three statements,
    // then closes: 0, the first row failure, CRX_E_COMMIT (the first, in the
    // order writer, reader, blob reader) or CRX_E_CLOSE_DB (which replaces a
    // commit error).
    CrxResult Close();
    bool IsOpen() const { return m_pDb != nullptr; }

    // The table at index of the list sorted without regard to case: 0,
    // CRX_E_NO_DB, CRX_E_TABLE_LIST, CRX_E_NO_TABLES or CRX_E_TABLE_INDEX.
    CrxResult GetTableName(int index, QString& name);
    // 1 when a table has exactly this name (case counts).
    int TableExists(const QString& name);
    // The number of rows: 0, CRX_E_DB_OPEN, an Attach or PrepareRead code,
    // CRX_E_NO_STATEMENT, CRX_E_NO_READ_STMT or CRX_E_READ_ROWS.
    CrxResult CountRecords(const QString& table, qint64& count);
    CrxResult AttachWriter(const QString& table);
    CrxResult AttachBlobReader(const QString& table);
    // Empties the table: 0 or CRX_E_DELETE_ROWS.
    CrxResult DeleteAll(const QString& table);

    // The queued rows written: the first row failure, else 0.
    CrxResult FlushRows() { return m_rows.Flush(); }

    CCrxSqlWriter& Writer() { return m_writer; }
    CCrxRowQueue& Rows() { return m_rows; }
    CCrxSqlReader& Reader() { return m_reader; }
    CCrxBlobReader& BlobReader() { return m_blobReader; }
    CSQliteDB* Connection() const { return m_pDb.get(); }
    const QString& DbPath() const { return m_strDbPath; }
    const QString& UnpackFolder() const { return m_strUnpackFolder; }
    const QString& BlobFolder() const { return m_strBlobFolder; }

private:
    CrxResult ReleaseStatements();

    std::unique_ptr<CSQliteDB> m_pDb;
    QString m_strDbPath;
    QString m_strUnpackFolder;
    QString m_strBlobFolder;
    CCrxSqlWriter m_writer;
    CCrxRowQueue m_rows{m_writer};
    CCrxSqlReader m_reader;
    CCrxBlobReader m_blobReader;
    CSortStringArray m_tables;
};
