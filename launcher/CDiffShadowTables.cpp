#include "launcher/CDiffShadowTables.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/data/CSqLiteUtility.h"
#include "stroven/Stroven.h"

#include <QFileInfo>

namespace tovanel {

namespace {

const QString kCreateStamp = QStringLiteral("CREATEDATETIME");
const QString kUpdateStamp = QStringLiteral("UPDATEDATETIME");
constexpr int kShadowCacheSize = 10000;

QString Quoted(const QString& name)
{
    return CSqLiteUtility::QuoteSQLName(name);
}

// The columns of a table in table order; CRX_E_TABLE_INFO when unreadable.
CrxResult ReadColumns(CSQliteDB& db, const QString& table, CSQTableInfoArray& columns)
{
    CSQliteSQL sql(db, table);
    int err = 0;
    columns = *sql.GetTableInfo(err);
    return err == 0 ? CRX_OK : CRX_E_TABLE_INFO;
}

CrxResult Exec(CSQliteDB& db, const QString& table, const QString& statement)
{
    CSQliteSQL sql(db, table);
    return sql.ExecSQL(statement) == 0 ? CRX_OK : CRX_E_WRITE_ROW;
}

} // namespace

CDiffShadowTables::CDiffShadowTables(const QString& workFolder, const QStringList& diffList,
                                     const QString& jobTime)
    : m_strWorkFolder(workFolder), m_diffList(diffList), m_strJobTime(jobTime)
{
}

CrxResult CDiffShadowTables::ForEachListedTable(
    const std::function<CrxResult(CSQliteDB&, const QString&)>& work)
{
    m_strFailedTable.clear();
    // Opening would make an empty database where the work database is gone.
    const QString path = GetDBFileFullPath(m_strWorkFolder);
    if (!QFileInfo(path).isFile())
        return CRX_E_DB_OPEN;
    CSQliteDB db(m_strWorkFolder);
    if (db.OpenDB(path) != 0)
        return CRX_E_DB_OPEN;
    CrxResult result = CRX_OK;
    {
        int err = 0;
        const QStringList tables = *db.GetTableList(err);
        if (err != 0) {
            db.CloseDB();
            return CRX_E_TABLE_LIST;
        }
        CSQliteSQL sql(db, CBasePath::GetStrDummyName());
        CSqLiteUtility::RunBulkPragmas(sql, kShadowCacheSize);
        CSqLiteTransaction transaction(db, sql);
        if (transaction.StartStatus() != 0)
            result = CRX_E_BEGIN_TRANSACTION;
        for (const QString& table : tables) {
            if (result != CRX_OK)
                break;
            if (table.endsWith(kShadowSuffix) || !m_diffList.contains(table))
                continue;
            result = work(db, table);
            if (result != CRX_OK)
                m_strFailedTable = table;
        }
        if (result == CRX_OK && transaction.Commit() != 0)
            result = CRX_E_COMMIT;
    }
    db.CloseDB();
    return result;
}

CrxResult CDiffShadowTables::CreateShadowTables()
{
    return ForEachListedTable([this](CSQliteDB& db, const QString& table) {
        for (const QString& suffix : {kBaseSuffix, kNewSuffix, kDelSuffix})
            if (const CrxResult result = CreateShadowTable(db, table, suffix))
                return result;
        return CRX_OK;
    });
}

CrxResult CDiffShadowTables::CreateShadowTable(CSQliteDB& db, const QString& table,
                                               const QString& suffix)
{
    CSQTableInfoArray columns;
    if (const CrxResult result = ReadColumns(db, table, columns))
        return result;
    const QString shadow = table + suffix;
    QStringList lines;
    QStringList keys;
    for (const CSQTableInfo& column : std::as_const(columns)) {
        const QString name = Quoted(column.m_strName);
        switch (column.m_nType) {
        case SQLTYPE_NUMERIC:
            lines << QStringLiteral("%1 NUMERIC(%2.%3),\n")
                         .arg(name, QString::number(column.m_nSize),
                              QString::number(column.m_nScale));
            break;
        case SQLTYPE_VARCHAR:
            lines << QStringLiteral("%1 VARCHAR(%2),\n").arg(name, QString::number(column.m_nSize));
            break;
        case SQLTYPE_BLOB:
            lines << QStringLiteral("%1 BLOB,\n").arg(name);
            break;
        default:
            break;
        }
        if (column.m_nPrimaryKey == 1)
            keys << name;
    }
    // Without a key the deleted rows could not be named in the archive.
    if (keys.isEmpty())
        return CRX_E_KEY_COUNT;
    if (const CrxResult result =
            Exec(db, table, QStringLiteral("DROP TABLE IF EXISTS %1;").arg(Quoted(shadow))))
        return result;
    const QString create = QStringLiteral("CREATE TABLE %1 (\n").arg(Quoted(shadow)) +
                           lines.join(QString()) +
                           QStringLiteral("CONSTRAINT %1 PRIMARY KEY (\n")
                               .arg(Quoted(shadow + QStringLiteral("_PRIMARY"))) +
                           keys.join(QStringLiteral(",\n")) + QStringLiteral("\n)\n);");
    return Exec(db, table, create);
}

CrxResult CDiffShadowTables::FillDiffTables()
{
    return ForEachListedTable([this](CSQliteDB& db, const QString& table) {
        const QString base = table + kBaseSuffix;
        if (const CrxResult result = InsertSelect(db, table, kNewSuffix, table, base))
            return result;
        if (const CrxResult result = InsertSelect(db, table, kDelSuffix, base, table))
            return result;
        return DeleteReKeyed(db, table);
    });
}

CrxResult CDiffShadowTables::InsertSelect(CSQliteDB& db, const QString& table,
                                          const QString& targetSuffix, const QString& first,
                                          const QString& second)
{
    CSQTableInfoArray columns;
    if (const CrxResult result = ReadColumns(db, table, columns))
        return result;
    QStringList compared;
    QStringList stamps;
    for (const CSQTableInfo& column : std::as_const(columns)) {
        if (column.m_strName == kCreateStamp || column.m_strName == kUpdateStamp)
            stamps << column.m_strName;
        else
            compared << Quoted(column.m_strName);
    }
    // The stamps are named, so they may stand anywhere in the table; every
    // row of one save carries the job time in them.
    std::sort(stamps.begin(), stamps.end());
    QStringList targets = compared;
    QString stampValues;
    for (const QString& stamp : std::as_const(stamps)) {
        targets << Quoted(stamp);
        stampValues += QStringLiteral(",'%1'").arg(CSqLiteUtility::EscapeSQLValue(m_strJobTime));
    }
    const QString list = compared.join(QStringLiteral(",\n"));
    const QString statement =
        QStringLiteral("INSERT INTO %1 (%2) SELECT *%3 FROM \n")
            .arg(Quoted(table + targetSuffix), targets.join(QStringLiteral(",\n")), stampValues) +
        QStringLiteral("(SELECT %1 FROM \n%2 EXCEPT \nSELECT %1 FROM %3) AS a;")
            .arg(list, Quoted(first), Quoted(second));
    return Exec(db, table, statement);
}

CrxResult CDiffShadowTables::DeleteReKeyed(CSQliteDB& db, const QString& table)
{
    CSQTableInfoArray columns;
    if (const CrxResult result = ReadColumns(db, table, columns))
        return result;
    const QString deleted = Quoted(table + kDelSuffix);
    const QString added = Quoted(table + kNewSuffix);
    QStringList matches;
    for (const CSQTableInfo& column : std::as_const(columns)) {
        if (column.m_nPrimaryKey != 1)
            continue;
        const QString name = Quoted(column.m_strName);
        matches << QStringLiteral("%1.%2 = %3.%2").arg(deleted, name, added);
    }
    if (matches.isEmpty())
        return CRX_E_KEY_COUNT;
    return Exec(db, table,
                QStringLiteral("DELETE FROM %1 WHERE EXISTS \n(SELECT 1 FROM %2 WHERE %3);")
                    .arg(deleted, added, matches.join(QStringLiteral(" AND "))));
}

CrxResult CDiffShadowTables::DropShadowTables()
{
    return ForEachListedTable([](CSQliteDB& db, const QString& table) {
        for (const QString& suffix : {kBaseSuffix, kNewSuffix, kDelSuffix})
            if (const CrxResult result =
                    Exec(db, table,
                         QStringLiteral("DROP TABLE IF EXISTS %1;").arg(Quoted(table + suffix))))
                return result;
        return CRX_OK;
    });
}

} // namespace tovanel
