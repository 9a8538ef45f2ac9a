// Build-time tool: makes a setting archive with the suite's own export.
//
//   MakeCrx <output.crx> <template.db> <machine type> <system>
//           [--schema <Schema.txt>] [--customer-schema <CUSTOMER.txt>] [file.sql ...]
//
// The template database is copied into a fresh base folder, the SQL files
// are run on it (split as the schema runner splits texts, one transaction),
// and the base folder is exported whole. With --schema the schema texts go
// into the archive, so that opening it builds the work database from the
// blank template and that text; without, opening it builds the work
// database from the model template.

#include "stroven/CSQSchemaScript.h"
#include "archive/QuorvinExport.h"
#include "stroven/Stroven.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void report(const QString& text)
{
    std::fprintf(stderr, "MakeCrx: %s\n", qPrintable(text));
}

bool runScripts(const QString& database, const QStringList& scripts)
{
    CSQliteDB db;
    if (db.OpenDB(database) != 0) {
        report(QStringLiteral("cannot open %1").arg(database));
        return false;
    }
    bool ok = true;
    {
        CSQliteSQL sql(db, QStringLiteral("NO_EXIST"));
        ok = sql.StartTransaction() == 0;
        for (const QString& script : scripts) {
            QFile file(script);
            if (!ok || !file.open(QIODevice::ReadOnly)) {
                report(QStringLiteral("cannot read %1").arg(script));
                ok = false;
                break;
            }
            for (const QString& statement :
                 CSQSchemaScript::Split(QString::fromUtf8(file.readAll()))) {
                if (sql.ExecSQL(statement) != 0) {
                    report(QStringLiteral("%1: statement failed:\n%2")
                               .arg(script, statement.trimmed()));
                    ok = false;
                    break;
                }
            }
        }
        if (ok)
            ok = sql.ExecCommit() == 0;
        else
            sql.ExecRollback();
    }
    return db.CloseDB() == 0 && ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 4) {
        report(QStringLiteral("usage: MakeCrx <output.crx> <template.db> <machine type> <system> "
                              "[--schema <file>] [--customer-schema <file>] [file.sql ...]"));
        return 2;
    }
    const QString output = QFileInfo(args.takeFirst()).absoluteFilePath();
    const QString templateDb = args.takeFirst();
    const QString machineType = args.takeFirst();
    const QString system = args.takeFirst();

    QTemporaryDir dir;
    const QString base = dir.path() + QStringLiteral("/base");
    if (!dir.isValid() || !QDir().mkpath(base) ||
        !QFile::copy(templateDb, base + QStringLiteral("/SETTING.DB"))) {
        report(QStringLiteral("cannot copy %1").arg(templateDb));
        return 1;
    }
    QFile::setPermissions(base + QStringLiteral("/SETTING.DB"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QStringList scripts;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        const bool schema = arg == QLatin1String("--schema");
        if ((schema || arg == QLatin1String("--customer-schema")) && !args.isEmpty()) {
            const QString target =
                base + (schema ? QStringLiteral("/Schema.txt") : QStringLiteral("/CUSTOMER.txt"));
            if (!QFile::copy(args.takeFirst(), target)) {
                report(QStringLiteral("cannot copy the schema text"));
                return 1;
            }
            continue;
        }
        scripts << arg;
    }
    if (!scripts.isEmpty() && !runScripts(base + QStringLiteral("/SETTING.DB"), scripts))
        return 1;

    const CrxResult rc = CrxExport(base, output, nullptr, CRX_EXPORT_FULL, QString(), nullptr,
                                   nullptr, nullptr, machineType, QStringLiteral("1.00"), QString(),
                                   system, QString(), 0, 0, 1, 1, 1, 1, 1, 0);
    if (rc != CRX_OK) {
        report(QStringLiteral("export failed: 0x%1").arg(rc, 8, 16, QLatin1Char('0')));
        return 1;
    }
    return 0;
}
