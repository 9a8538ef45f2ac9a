#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace korvane::test {

// Paths of the default schema texts in the source tree.
QString schemaFolder();
QString schemaFile();    // Schema.txt
QStringList seedFiles(); // seeds/*.sql in name order

// Runs SQL through the sqlite3 command-line shell on a database file (created
// when missing); stops at the first error. Output: one line per row, values
// separated by '|'.
bool runSqlite(const QString& database, const QString& sql, QString* output = nullptr,
               QString* error = nullptr);

// The statements of a schema text as the schema runner splits them; rest
// receives the text after the last statement.
QStringList schemaStatements(const QString& path, QString* rest = nullptr);

struct SchemaColumn
{
    QString name;
    QString type;
    bool key = false;
    bool notNull = false;
};

// Columns of every table of a database, in table order.
QMap<QString, QList<SchemaColumn>> readColumns(const QString& database);

} // namespace korvane::test
