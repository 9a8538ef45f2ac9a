#include "stroven/Stroven.h"

#include "stroven/CSQRowReader.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {
// Other programs of the suite may hold the file for a moment (the launcher
// reads it while a settings program starts); wait rather than fail at once.
constexpr int kBusyTimeoutMs = 5000;

// SQLite's memory in the whole process. The bulk jobs ask for a page cache of
// 100,000 pages (400 MB with today's 4 KiB pages), and a large import in one
// transaction would keep every page it touched; past this figure SQLite
// writes dirty pages out early and reuses clean ones instead, so an import's
// memory no longer grows with its size.
constexpr sqlite3_int64 kSoftHeapLimitBytes = 64 << 20;
} // namespace

CSQliteDB::CSQliteDB() = default;

CSQliteDB::CSQliteDB(const QString& folder) : m_folder(folder) {}

CSQliteDB::~CSQliteDB()
{
    CloseDB();
}

int CSQliteDB::OpenDB(const QString& path)
{
    CloseDB();
    if (path.isEmpty())
        return SQLERR_ARGUMENTS;
    static const bool limited = (sqlite3_soft_heap_limit64(kSoftHeapLimitBytes), true);
    Q_UNUSED(limited);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // A double-quoted name in a statement is always a name: a misspelt
        // column must fail, not turn into a text constant.
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        // The file is read lazily; touch the schema so that a file that is
        // not a database fails here and not at the first read.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        return rc;
    }
    m_db = db;
    m_path = QFileInfo(path).absoluteFilePath();
    return 0;
}

int CSQliteDB::CloseDB()
{
    m_tables.clear();
    if (!m_db)
        return 0;
    // Statements still alive keep the connection until they are deleted;
    // an open transaction is rolled back by SQLite.
    const int rc = sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
    return rc == SQLITE_OK ? 0 : rc;
}

const QStringList* CSQliteDB::GetTableList(int& err)
{
    m_tables.clear();
    err = 0;
    if (!m_db) {
        err = SQLERR_NOT_OPEN;
        return &m_tables;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db,
                                "SELECT name FROM sqlite_schema WHERE type = 'table'"
                                " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid",
                                -1, &stmt, nullptr);
    CSQRowReader reader;
    QStringList row;
    while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!reader.ReadRow(stmt, row)) {
            rc = SQLITE_NOMEM;
            break;
        }
        m_tables.append(row.value(0));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        m_tables.clear();
        err = rc;
    }
    return &m_tables;
}

bool CSQliteDB::InTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

bool CSQliteDB::IsWal() const
{
    sqlite3_stmt* stmt = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, "PRAGMA journal_mode", -1, &stmt, nullptr) != SQLITE_OK)
        return false;
    const bool wal =
        sqlite3_step(stmt) == SQLITE_ROW &&
        sqlite3_stricmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal") == 0;
    sqlite3_finalize(stmt);
    return wal;
}

QString CSQliteDB::ResolveBlobPath(const QString& name) const
{
    if (name.isEmpty() || QFileInfo(name).isAbsolute())
        return name;
    QString folder = m_folder;
    if (folder.isEmpty() && !m_path.isEmpty())
        folder = QFileInfo(m_path).absolutePath();
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}
