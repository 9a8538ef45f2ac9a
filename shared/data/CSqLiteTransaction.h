#pragma once

// One transaction for a save of several rows: started when the connection
// has none open (otherwise the caller's transaction covers the save),
// committed by Commit, rolled back by Rollback or when left open at the end
// of the scope.

#include "stroven/Stroven.h"

class CSqLiteTransaction
{
public:
    CSqLiteTransaction(CSQliteDB& db, CSQliteSQL& sql);
    ~CSqLiteTransaction();
    CSqLiteTransaction(const CSqLiteTransaction&) = delete;
    CSqLiteTransaction& operator=(const CSqLiteTransaction&) = delete;

    // Status of the start; 0 also when the caller's transaction covers us.
    int StartStatus() const { return m_nStartStatus; }
    // Whether this object owns the transaction (and so can undo the save).
    bool Owns() const { return m_bOwned; }
    int Commit();
    int Rollback();

private:
    CSQliteSQL& m_sql;
    bool m_bOwned = false;
    int m_nStartStatus = 0;
};
