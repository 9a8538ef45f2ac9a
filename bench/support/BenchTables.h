#pragma once

// Tables of the suite's own schema text for the benchmarks' work databases.
#include "stroven/Stroven.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <initializer_list>

namespace benchtables {

// Creates the named tables of resources/schema/Schema.txt, or every table
// when none is named.
inline void CreateSchemaTables(CSQliteSQL& sql, std::initializer_list<const char*> tables = {})
{
    QFile schema(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt"));
    schema.open(QIODevice::ReadOnly);
    const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
    static const QRegularExpression create(QStringLiteral("CREATE TABLE (\\w+) \\("));
    for (const QString& statement : statements) {
        const QRegularExpressionMatch match = create.match(statement);
        if (!match.hasMatch())
            continue;
        bool wanted = tables.size() == 0;
        for (const char* table : tables)
            wanted = wanted || match.captured(1) == QLatin1String(table);
        if (wanted)
            sql.ExecSQL(statement.mid(match.capturedStart()));
    }
}

// Departments 000001 to count, named "Department <n>".
inline void InsertDepartments(CSQliteSQL& sql, int count)
{
    for (int d = 1; d <= count; ++d)
        sql.ExecSQL(QStringLiteral("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES "
                                   "('%1', 'Department %2')")
                        .arg(d, 6, 10, QLatin1Char('0'))
                        .arg(d));
}

} // namespace benchtables
