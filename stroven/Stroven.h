#pragma once

// The database layer every program of the suite reaches SQLite through.
// Every int result is 0 for success. Objects are made with new and deleted
// through their virtual destructors by the caller.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Status of the last batch of a read; that batch may still hold rows.
constexpr int SQLREAD_END = -52;

// Failure codes of this layer (any non-zero value is a failure to callers).
constexpr int SQLERR_NOT_OPEN = -1;
constexpr int SQLERR_NOT_PREPARED = -2;
constexpr int SQLERR_ARGUMENTS = -3;
constexpr int SQLERR_NO_ROW = -4; // an update (or a blob read) matched no row
constexpr int SQLERR_FILE = -5;   // a blob file could not be read or written
constexpr int SQLERR_NO_TRANSACTION = -6;
constexpr int SQLERR_NO_TABLE = -7; // table information of a table that does not exist
constexpr int SQLERR_NOT_UTF8 = -8; // a strict read met a value that is not valid UTF-8
// Other failures carry the SQLite result code (positive).

enum SqlWriteMode { SQLWRITE_INSERT = 2, SQLWRITE_UPDATE = 4, SQLWRITE_DELETE = 8 };
enum SqlColumnType { SQLTYPE_NUMERIC = 1, SQLTYPE_VARCHAR = 2, SQLTYPE_BLOB = 3 };

class CSQTableInfo
{
public:
    QString m_strName;
    int m_nType = SQLTYPE_VARCHAR;
    int m_nSize = 0; // precision or length; 0 when the declared type gives none
    int m_nScale = 0;
    int m_nPrimaryKey = 0; // 1 = key column
    int m_nNotNull = 0;    // 1 = NOT NULL
};

using CSQRowArray = QList<QStringList*>;
using CSQTableInfoArray = QList<CSQTableInfo>;

class CSQliteDB
{
public:
    CSQliteDB();
    // folder: where relative blob file names are resolved; when empty, the
    // folder of the open database file.
    explicit CSQliteDB(const QString& folder);
    virtual ~CSQliteDB();
    CSQliteDB(const CSQliteDB&) = delete;
    CSQliteDB& operator=(const CSQliteDB&) = delete;

    // Opens (or creates) the database file at a full path.
    int OpenDB(const QString& path);
    // Harmless when nothing is open.
    int CloseDB();
    // Names of all tables but SQLite's own, in creation order, owned by the
    // connection. Never nullptr: on failure err is set and the list is empty.
    const QStringList* GetTableList(int& err);

    sqlite3* Handle() const { return m_db; }
    const QString& BlobFolder() const { return m_folder; }
    // The full path of the open database file; "" when none is open.
    const QString& GetDbName() const { return m_path; }
    bool InTransaction() const;
    // Whether the file keeps a write-ahead log: a read transaction then
    // holds off no writer, and another connection may see a later commit.
    bool IsWal() const;
    // A blob file name as the connection reads or writes it.
    QString ResolveBlobPath(const QString& name) const;

private:
    sqlite3* m_db = nullptr;
    QString m_folder;
    QString m_path;
    QStringList m_tables;
};

class CSQliteSQL
{
public:
    // table: one table, a FROM list ("CSB002, CSM018"), or any name when
    // only ExecSQL and transactions are used.
    CSQliteSQL(CSQliteDB& db, const QString& table);
    virtual ~CSQliteSQL();
    CSQliteSQL(const CSQliteSQL&) = delete;
    CSQliteSQL& operator=(const CSQliteSQL&) = delete;

    // SELECT columns FROM table [WHERE where] [ORDER BY orderBy]. No columns
    // means all, in table order. maxRows 0 = all rows in one batch.
    int SetSQLForRead(const QStringList& columns, const QString& where, const QString& orderBy,
                      quint32 maxRows);
    // Binds the '?' of the where clause in order and rewinds.
    int SetParamsForRead(const QStringList& values);
    // The next batch; status 0 = more may follow, SQLREAD_END = last batch.
    // nullptr (with a non-zero status) on error. Rows live until this
    // statement is deleted.
    CSQRowArray* ExecReadNext(int& status);
    // Strict text (off by default): a value that is not valid UTF-8 ends the
    // read with status SQLERR_NOT_UTF8 instead of passing as replacement
    // characters. The batch returned with that status ends with the row that
    // holds the value; InvalidTextColumn() gives its column (-1: none).
    void SetStrictText(bool on);
    int InvalidTextColumn() const;
    // Frees every row and batch the reads handed out so far: their pointers
    // die. A read that handles one batch at a time calls it between batches
    // and keeps its memory bounded, whatever the number of rows.
    void ReleaseReadRows();
    // Whether the prepared read walks its one table itself: no index and no
    // sort decide the order of its rows (row id order, or key order in a
    // table WITHOUT ROWID).
    bool ReadScansTable() const;

    int SetSQLForWrite(const QStringList& keyColumns, const QStringList& valueColumns,
                       const QStringList& blobColumns);
    // Arrays parallel to the columns; a blob file name "" means no data.
    int ExecWrite(const QStringList& keyValues, const QStringList& values,
                  const QStringList& blobFiles, int mode);
    // An insert whose key and value texts come as UTF-8, keys first, bound
    // as they are (count must match both column groups); blob files as
    // ExecWrite takes them.
    int ExecInsertUtf8(const QByteArrayView* texts, qsizetype count, const QStringList& blobFiles);

    // where: e.g. "KEYCOLUMN = ?"
    int SetSQLForBlobRead(const QStringList& blobColumns, const QString& where);
    // Blob column i of the first matching row into file i, byte for byte; a
    // NULL blob leaves no file (an old one is removed). No matching row
    // gives SQLERR_NO_ROW.
    int ExecBlobRead(const QStringList& keyValues, const QStringList& files);
    // Blob column i of the first matching row handed to sink(i, bytes, size)
    // while the row is current: bytes is null for a NULL blob. A sink that
    // returns false ends the read with SQLERR_FILE.
    using BlobSink = std::function<bool(int column, const char* bytes, qint64 size)>;
    int ExecBlobRead(const QStringList& keyValues, const BlobSink& sink);

    // Exactly one statement: text holding a second fails before anything runs.
    int ExecSQL(const QString& sql);

    // Transactions are the connection's; starting one inside another fails.
    int StartTransaction();
    int ExecCommit();
    int ExecRollback();
    // One savepoint inside the open transaction, for work that must be
    // undone alone (a row of a batch); its statements are prepared once per
    // statement object. Rolling back to it also ends it.
    int SetSavepoint();
    int ReleaseSavepoint();
    int RollbackToSavepoint();

    // Columns of the table in table order, owned by this statement. Never
    // nullptr: on failure err is set and the array is empty.
    CSQTableInfoArray* GetTableInfo(int& err);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
