#include "stroven/CSQSchemaScript.h"

#include "stroven/Stroven.h"

#include <sqlite3.h>

namespace {

struct Guard
{
    int creates = 0;  // table or index creations seen in the statement
    bool refused = false;
};

bool IsSchemaTable(const char* name)
{
    return name && (sqlite3_stricmp(name, "sqlite_master") == 0 ||
                    sqlite3_stricmp(name, "sqlite_schema") == 0);
}

int Authorize(void* data, int action, const char* arg1, const char*, const char* database,
              const char*)
{
    auto* guard = static_cast<Guard*>(data);
    const bool mainDb = !database || sqlite3_stricmp(database, "main") == 0;
    switch (action) {
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_INDEX:
        if (mainDb) {
            ++guard->creates;
            return SQLITE_OK;
        }
        break;
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
        // The creation's own bookkeeping in the schema table.
        if (mainDb && IsSchemaTable(arg1))
            return SQLITE_OK;
        break;
    case SQLITE_READ:
    case SQLITE_REINDEX:
        // An index reads the columns it covers and fills itself; a SELECT
        // is refused by its own action, a statement without a creation
        // below.
        if (mainDb)
            return SQLITE_OK;
        break;
    default:
        break;
    }
    guard->refused = true;
    return SQLITE_DENY;
}

} // namespace

bool CSQSchemaScript::IsComplete(const QString& text)
{
    return sqlite3_complete(text.toUtf8().constData()) != 0;
}

QStringList CSQSchemaScript::Split(const QString& text, QString* rest)
{
    QStringList statements;
    QString buffer;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        buffer += c;
        if (c == u';' && IsComplete(buffer)) {
            statements << buffer;
            buffer.clear();
        }
    }
    if (rest)
        *rest = buffer;
    return statements;
}

int CSQSchemaScript::ExecCreateOnly(CSQliteDB& db, const QString& text)
{
    sqlite3* handle = db.Handle();
    if (!handle)
        return SQLERR_NOT_OPEN;
    const QByteArray utf8 = text.toUtf8();
    const char* tail = utf8.constData();
    const char* end = tail + utf8.size();
    int rc = SQLITE_OK;
    while (rc == SQLITE_OK && tail < end) {
        Guard guard;
        sqlite3_set_authorizer(handle, Authorize, &guard);
        sqlite3_stmt* stmt = nullptr;
        const char* next = nullptr;
        rc = sqlite3_prepare_v2(handle, tail, int(end - tail), &stmt, &next);
        sqlite3_set_authorizer(handle, nullptr, nullptr);
        // SQLite stops reading at a NUL and moves no further: the text after
        // it would never run, and the loop would never end.
        if (rc == SQLITE_OK && !stmt && next == tail)
            rc = SQLITE_ERROR;
        if (rc == SQLITE_OK && stmt) {
            // A statement that creates nothing (VACUUM INTO, PRAGMA, ...) or
            // only explains is refused as well.
            if (guard.refused || guard.creates == 0 || sqlite3_stmt_isexplain(stmt) != 0) {
                rc = SQLITE_AUTH;
            } else {
                while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
                }
                rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
            }
        }
        sqlite3_finalize(stmt);
        tail = next ? next : end;
    }
    return rc;
}
