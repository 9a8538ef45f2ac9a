// Build-time tool: makes a template settings database from SQL texts.
//
//   MakeTemplateDb <output.db> [file.sql ...]
//
// Runs the statements of each file in order, split as the archive library's
// schema runner splits a schema text (where SQLite sees a statement end;
// text after the last statement is never run), all in one transaction. The result
// is written beside the output and renamed over it, so a failed build never
// leaves a half-made template. Without SQL files the template has no tables.

#include "stroven/CSQSchemaScript.h"
#include "stroven/Stroven.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

void report(const QString& text)
{
    std::fprintf(stderr, "MakeTemplateDb: %s\n", qPrintable(text));
}

// Runs every complete statement of one SQL text; false after the first failure.
bool runScript(CSQliteSQL& sql, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    for (const QString& statement : CSQSchemaScript::Split(QString::fromUtf8(file.readAll()))) {
        const int err = sql.ExecSQL(statement);
        if (err != 0) {
            report(QStringLiteral("%1: statement failed (%2):\n%3")
                       .arg(path)
                       .arg(err)
                       .arg(statement.trimmed()));
            return false;
        }
    }
    return true;
}

bool build(const QString& tempPath, const QStringList& scripts)
{
    auto db = std::make_unique<CSQliteDB>(QFileInfo(tempPath).absolutePath());
    if (db->OpenDB(tempPath) != 0) {
        report(QStringLiteral("cannot create %1").arg(tempPath));
        return false;
    }
    bool ok = true;
    {
        CSQliteSQL sql(*db, QStringLiteral("NO_EXIST"));
        ok = sql.StartTransaction() == 0;
        for (const QString& script : scripts) {
            if (!ok)
                break;
            ok = runScript(sql, script);
        }
        if (ok)
            ok = sql.ExecCommit() == 0;
        else
            sql.ExecRollback();
        // Gives even a template without tables a complete database header.
        if (ok)
            ok = sql.ExecSQL(QStringLiteral("VACUUM;")) == 0;
    }
    if (db->CloseDB() != 0)
        ok = false;
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        report(QStringLiteral("usage: MakeTemplateDb <output.db> [file.sql ...]"));
        return 2;
    }
    const QString output = QFileInfo(args.takeFirst()).absoluteFilePath();
    const QString tempPath = output + QStringLiteral(".part");
    QFile::remove(tempPath);
    if (!build(tempPath, args)) {
        QFile::remove(tempPath);
        return 1;
    }
    // rename() replaces the old template in one step.
    if (std::rename(QFile::encodeName(tempPath).constData(),
                    QFile::encodeName(output).constData()) != 0) {
        report(QStringLiteral("cannot write %1").arg(output));
        QFile::remove(tempPath);
        return 1;
    }
    return 0;
}
