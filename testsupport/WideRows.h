#pragma once

// Rows that fill a window's texts as a shop's data does, so a layout check
// sees what the user sees: the sample archive's rows, and one row per table
// of the widest texts, every code column holding its whole width of digits
// (a 16-digit item code) and every name column a 40-character name.

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace korvane::test {

inline const QString kWideName = QStringLiteral("Wholegrain Sourdough Loaf Family Size XL");

// One INSERT per table: codes of their declared width, names of up to 40
// characters, "1" in the other columns that may not be empty.
inline QStringList WideRowStatements(const QStringList& tables)
{
    QFile schema(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt"));
    if (!schema.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression column(
        QStringLiteral("^(\\w+) (VARCHAR|NUMERIC)\\((\\d+)[^)]*\\)( NOT NULL)?"),
        QRegularExpression::MultilineOption);
    QStringList statements;
    for (const QString& statement : QString::fromUtf8(schema.readAll()).split(u';')) {
        static const QRegularExpression create(QStringLiteral("CREATE TABLE (\\w+) \\("));
        const QRegularExpressionMatch table = create.match(statement);
        if (!table.hasMatch() || !tables.contains(table.captured(1)))
            continue;
        QStringList names;
        QStringList values;
        for (const auto& m : column.globalMatch(statement.mid(table.capturedEnd()))) {
            const QString name = m.captured(1);
            const int size = m.captured(3).toInt();
            const bool text = m.captured(2) == QLatin1String("VARCHAR");
            QString value;
            if (text && name.contains(QLatin1String("CODE")))
                value = QStringLiteral("1234567890123456").left(size).rightJustified(size, u'9');
            else if (text && name.contains(QLatin1String("NAME")))
                value = kWideName.left(size);
            else if (!m.captured(4).isEmpty())
                value = QStringLiteral("1");
            else
                continue;
            names << name;
            values << u'\'' + value + u'\'';
        }
        statements << QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table.captured(1), names.join(u','), values.join(u','));
    }
    return statements;
}

// The rows of the sample archive (departments, items, clerks, a stamp and
// item keys), one INSERT each, for a work database of the default schema.
inline QStringList SampleRowStatements()
{
    QFile sample(QStringLiteral(KORVANE_SOURCE_DIR "/resources/samples/sample.sql"));
    if (!sample.open(QIODevice::ReadOnly))
        return {};
    QStringList statements;
    for (const QString& line : QString::fromUtf8(sample.readAll()).split(u'\n'))
        if (line.startsWith(QLatin1String("INSERT INTO ")))
            statements << line.chopped(line.endsWith(u';') ? 1 : 0);
    return statements;
}

} // namespace korvane::test
