#pragma once

// Runs schema text from outside (an archive's "Schema.txt") on a database:
// only CREATE TABLE, CREATE INDEX and CREATE VIEW statements run, so a
// hostile text cannot attach, copy out, drop or change anything. Transaction
// control (BEGIN, COMMIT, END) and PRAGMAs, which harmless texts hold, are
// passed over: the caller runs the text in a transaction of its own.

#include <QString>
#include <QStringList>

class CSQliteDB;

class CSQSchemaScript
{
public:
    // True when the text ends with a complete SQL statement (a ";" outside
    // string literals, quoted names, comments and trigger bodies).
    static bool IsComplete(const QString& text);

    // The statements of an SQL text, each cut where SQLite says it is
    // complete (a ";" in a literal or comment does not cut; leading comments
    // stay with their statement); line ends become LF. rest receives what
    // follows the last complete statement, which is never run. The one
    // splitter of schema and seed texts.
    static QStringList Split(const QString& text, QString* rest = nullptr);

    // Archives name blob files after their tables, so a table name must be
    // one component of a file name: not empty, "." or "..", and without
    // "/", "\\" or NUL. A schema text may create no other table.
    static bool IsFileNameComponent(const QString& name);

    // Runs every statement of the text in order; stops at the first that is
    // refused or fails. 0 on success, else an SQLite result code
    // (SQLITE_AUTH for a statement that is refused: anything but a table,
    // index or view creation in the main database and the statements passed
    // over, or a table whose name cannot be one component of a file name).
    // Empty statements and comments are passed over; a NUL is an error.
    static int ExecCreateOnly(CSQliteDB& db, const QString& text);
};
