#include "stroven/CSQSchemaScript.h"

#include "stroven/Stroven.h"

#include <sqlite3.h>

#include <string>

namespace {

struct Guard
{
    int creates = 0; // table, index or view creations seen in the statement
    bool view = false;
    bool refused = false;
    bool passedOver = false; // transaction control or a PRAGMA: never run
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
        if (mainDb && arg1 && CSQSchemaScript::IsFileNameComponent(QString::fromUtf8(arg1))) {
            ++guard->creates;
            return SQLITE_OK;
        }
        break;
    case SQLITE_CREATE_VIEW:
        guard->view = true;
        [[fallthrough]];
    case SQLITE_CREATE_INDEX:
        if (mainDb) {
            ++guard->creates;
            return SQLITE_OK;
        }
        break;
    case SQLITE_TRANSACTION:
        // The runner has a transaction of its own: a text's BEGIN and COMMIT
        // (or END) are passed over. Stopped here, they never run.
        if (arg1 && (sqlite3_stricmp(arg1, "BEGIN") == 0 || sqlite3_stricmp(arg1, "COMMIT") == 0)) {
            guard->passedOver = true;
            return SQLITE_DENY;
        }
        break;
    case SQLITE_PRAGMA:
        // Passed over, and stopped before the parser acts on it: some
        // PRAGMAs take effect while they are prepared.
        guard->passedOver = true;
        return SQLITE_DENY;
    case SQLITE_SELECT:
        // A view's query; a SELECT anywhere else (CREATE TABLE ... AS
        // SELECT, which would fill the table) is refused.
        if (guard->view)
            return SQLITE_OK;
        break;
    case SQLITE_FUNCTION:
        // Functions in a view's query, an index's expressions or a default;
        // a statement that creates nothing is refused all the same.
        return SQLITE_OK;
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

// Just past the first complete statement of [from, end); end when the text
// ends without one.
const char* NextStatement(const char* from, const char* end)
{
    std::string buffer;
    for (const char* p = from; p < end; ++p) {
        buffer += *p;
        if (*p == ';' && sqlite3_complete(buffer.c_str()))
            return p + 1;
    }
    return end;
}

} // namespace

bool CSQSchemaScript::IsFileNameComponent(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

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
        if (guard.passedOver && !guard.refused && rc == SQLITE_AUTH) {
            // Where the parser stopped need not be the statement's end: the
            // next statement starts after the first complete one.
            tail = NextStatement(tail, end);
            rc = SQLITE_OK;
            continue;
        }
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
