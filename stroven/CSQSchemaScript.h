#pragma once

// Runs schema text from outside (an archive's "Schema.txt") on a database:
// only CREATE TABLE and CREATE INDEX statements are allowed, so a hostile
// text cannot attach, copy out, drop or change anything.

#include <QString>

class CSQliteDB;

class CSQSchemaScript
{
public:
    // True when the text ends with a complete SQL statement (a ";" outside
    // string literals, quoted names, comments and trigger bodies).
    static bool IsComplete(const QString& text);

    // Runs every statement of the text in order; stops at the first that is
    // refused or fails. 0 on success, else an SQLite result code
    // (SQLITE_AUTH for a statement that is not a table or index creation).
    // Empty statements and comments are passed over; a NUL is an error.
    static int ExecCreateOnly(CSQliteDB& db, const QString& text);
};
