#include "resources/tests/SchemaFixture.h"

#include "stroven/CSQSchemaScript.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace korvane::test {

QString schemaFolder()
{
    return QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema");
}

QString schemaFile()
{
    return schemaFolder() + QStringLiteral("/Schema.txt");
}

QStringList seedFiles()
{
    QDir seeds(schemaFolder() + QStringLiteral("/seeds"));
    QStringList files;
    for (const QString& name : seeds.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files << seeds.filePath(name);
    return files;
}

bool runSqlite(const QString& database, const QString& sql, QString* output, QString* error)
{
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-batch"), QStringLiteral("-bail"), database});
    if (!shell.waitForStarted()) {
        if (error)
            *error = QStringLiteral("sqlite3 does not start");
        return false;
    }
    shell.write(sql.toUtf8());
    shell.closeWriteChannel();
    shell.waitForFinished(60000);
    if (output)
        *output = QString::fromUtf8(shell.readAllStandardOutput());
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    if (error)
        *error = err;
    return shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0 && err.isEmpty();
}

QStringList schemaStatements(const QString& path, QString* rest)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return CSQSchemaScript::Split(QString::fromUtf8(file.readAll()), rest);
}

QMap<QString, QList<SchemaColumn>> readColumns(const QString& database)
{
    QMap<QString, QList<SchemaColumn>> tables;
    QString out;
    if (!runSqlite(database,
                   QStringLiteral("SELECT m.name, p.name, p.type, p.pk, p.\"notnull\" "
                                  "FROM sqlite_master m, pragma_table_info(m.name) p "
                                  "WHERE m.type = 'table' ORDER BY m.name, p.cid;\n"),
                   &out))
        return tables;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() != 5)
            continue;
        tables[f[0]].append({f[1], f[2], f[3] != QLatin1String("0"), f[4] == QLatin1String("1")});
    }
    return tables;
}

} // namespace korvane::test
