#pragma once

// The goods benchmarks' item table: a work database with the item table
// (GOODS_BENCH_ROWS rows, 100,000 by default), its departments and taxes,
// made once per run in a folder of its own.
#include "stroven/Stroven.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

namespace goodsbench {

// GOODS_BENCH_ROWS sets another size, within 1 to 1,000,000 rows so the
// data set stays a few hundred megabytes at most.
inline const int kRows = std::clamp(qEnvironmentVariableIsSet("GOODS_BENCH_ROWS")
                                        ? qEnvironmentVariableIntValue("GOODS_BENCH_ROWS")
                                        : 100000,
                                    1, 1000000);

// The data set's folders are named with this; a run that was killed leaves
// its folder, which the next run removes once its lock has no live owner.
inline const QString kFolderPattern = QStringLiteral("GoodsItemTable-");

// The template of a new folder, once the folders of ended runs are gone.
inline QString NewFolderTemplate()
{
    const QDir temp(QDir::tempPath());
    for (const QString& name : temp.entryList({kFolderPattern + u'*'}, QDir::Dirs)) {
        QLockFile lock(temp.filePath(name) + QStringLiteral("/run.lock"));
        if (lock.tryLock(0)) {
            lock.unlock();
            QDir(temp.filePath(name)).removeRecursively();
        }
    }
    return temp.filePath(kFolderPattern + QStringLiteral("XXXXXX"));
}

struct ItemTable
{
    ItemTable()
    {
        lock.lock();
        path = dir.path() + "/SETTING.DB";
        CSQliteDB db;
        db.OpenDB(path);
        QFile schema(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
        schema.open(QIODevice::ReadOnly);
        const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
        CSQliteSQL sql(db, "CIA001");
        for (const char* table : {"CIA001", "CIA002", "CSA001", "CIB001", "CSM001"}) {
            const QRegularExpression create(QStringLiteral("CREATE TABLE %1 \\(").arg(table));
            for (const QString& statement : statements)
                if (statement.contains(create))
                    sql.ExecSQL(statement.mid(statement.indexOf(create)));
        }
        sql.StartTransaction();
        for (int d = 1; d <= 20; ++d)
            sql.ExecSQL(QStringLiteral("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES "
                                       "('%1', 'Department %2')")
                            .arg(d, 6, 10, QLatin1Char('0'))
                            .arg(d));
        sql.ExecSQL("INSERT INTO CSM001 (TAXCODE, TAXAMTNAME) VALUES ('01', 'Tax 1'), "
                    "('02', 'Tax 2')");
        sql.SetSQLForWrite({"ITEMCODE"},
                           {"SCANCODE1", "ITEMNAME", "ITEMDEPTCODE", "UNITPRICE", "TAXCODE_1",
                            "UNITQTY", "UNUSABLEFLG", "CREATEDATETIME", "UPDATEDATETIME"},
                           {});
        for (int r = 0; r < kRows; ++r) {
            const QString code = QStringLiteral("%1").arg(r + 1, 16, 10, QLatin1Char('0'));
            sql.ExecWrite({code},
                          {QStringLiteral("49%1").arg(r, 11, 10, QLatin1Char('0')),
                           QStringLiteral("Item %1").arg((r * 7919) % kRows),
                           QStringLiteral("%1").arg(r % 20 + 1, 6, 10, QLatin1Char('0')),
                           QString::number((r * 104729) % 100000), QStringLiteral("01"),
                           QStringLiteral("1.5"), QStringLiteral("0"),
                           QStringLiteral("20260101000000"), QStringLiteral("20260101000000")},
                          {}, SQLWRITE_INSERT);
        }
        sql.ExecCommit();
        db.CloseDB();
    }
    QTemporaryDir dir{NewFolderTemplate()};
    QLockFile lock{dir.path() + QStringLiteral("/run.lock")};
    QString path;
};

inline ItemTable& table()
{
    static ItemTable items;
    return items;
}

} // namespace goodsbench
