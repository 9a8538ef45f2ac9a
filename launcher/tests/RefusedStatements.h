#pragma once

// Makes the database engine itself refuse one kind of statement on every
// connection opened while an object of this class lives: the authorizer of
// each new connection denies the action (SQLITE_CREATE_TABLE, SQLITE_INSERT,
// SQLITE_DELETE, SQLITE_READ, SQLITE_TRANSACTION ...) when its first
// argument (a table name, or "BEGIN" / "COMMIT") ends with the given text.
// The fault thus happens where the statement runs, not in a stand-in.

#include <sqlite3.h>

#include <QByteArray>

#include <atomic>

namespace tovanel::test {

class RefusedStatements
{
public:
    RefusedStatements(int action, const QByteArray& nameEnd)
    {
        Action() = action;
        NameEnd() = nameEnd;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&Attach));
    }
    ~RefusedStatements()
    {
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&Attach));
        Action() = -1;
    }
    RefusedStatements(const RefusedStatements&) = delete;
    RefusedStatements& operator=(const RefusedStatements&) = delete;

private:
    static std::atomic<int>& Action()
    {
        static std::atomic<int> action{-1};
        return action;
    }
    static QByteArray& NameEnd()
    {
        static QByteArray end;
        return end;
    }
    static int Attach(sqlite3* db, char**, const sqlite3_api_routines*)
    {
        sqlite3_set_authorizer(db, &Authorize, nullptr);
        return SQLITE_OK;
    }
    static int Authorize(void*, int action, const char* first, const char*, const char*,
                         const char*)
    {
        if (action == Action() && first && QByteArray(first).endsWith(NameEnd()))
            return SQLITE_DENY;
        return SQLITE_OK;
    }
};

} // namespace tovanel::test
