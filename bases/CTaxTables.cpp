#include "bases/CTaxTables.h"

#include "platform/FileTime.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"

#include "stroven/Stroven.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace dunmarel {

namespace {

const QString kCSM001 = QStringLiteral("CSM001");
const QString kCTS001 = QStringLiteral("CTS001");
const QString kCTS002 = QStringLiteral("CTS002");
const QString kTaxCode = QStringLiteral("TAXCODE");
const QString kSchedulerCodeColumn = QStringLiteral("SCHEDULERCODE");
const QString kArrangeCode = QStringLiteral("ARRANGECODE");
constexpr int kReservedOffset = 90;

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString Reg900()
{
    return QLatin1String(CTaxTables::kSchedulerCode);
}

QString ReservationName()
{
    return GetLangString(QStringLiteral("CRDS_BS_VALUE_TAXRSV_CHANGE"));
}

// The first value of every row of one column read with an optional key
// condition; false when the read fails.
bool ReadColumn(CSQliteDB& db, const QString& table, const QString& column,
                const QString& keyColumn, const QString& key, const QString& order,
                QStringList& out)
{
    CSQliteSQL sql(db, table);
    int err = 0;
    const QString where = keyColumn.isEmpty() ? QString() : keyColumn + QStringLiteral(" = ?");
    const QStringList params = keyColumn.isEmpty() ? QStringList() : QStringList{key};
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(sql, {column}, where, params, order, 0, err);
    if (!rows)
        return false;
    out.clear();
    for (const QStringList* row : *rows)
        out << row->value(0);
    return true;
}

bool Insert(CSQliteDB& db, const QString& table, const QString& keyColumn, const QString& key,
            const QStringList& columns, const QStringList& values,
            const QStringList& blobColumns = {}, const QStringList& blobFiles = {})
{
    CSQliteSQL sql(db, table);
    return sql.SetSQLForWrite({keyColumn}, columns, blobColumns) == 0 &&
           sql.ExecWrite({key}, values, blobFiles, SQLWRITE_INSERT) == 0;
}

} // namespace

QByteArray CTaxTables::JobCommand()
{
    const QByteArray package(kSchedulerPackage);
    const QByteArrayList lines = {
        "Intent",
        "Starttype service",
        "Package " + package,
        "Class " + package + ".JobService",
        "StringExtra JOBCODE = 000003",
        "StringExtra TAXMASTER = 1",
        "StringExtra ITEMMASTER = 1",
        "StringExtra BARCODEMASTER = 1",
        "End-Intent",
    };
    QByteArray text = lines.join('\n');
    text.append('\0');
    return text;
}

void CTaxTables::ForgetInserted()
{
    m_taxCodes.clear();
    m_schedulerCodes.clear();
    m_commandCodes.clear();
}

bool CTaxTables::PrepareTaxTables(CSQliteDB& db, int pageCount)
{
    ForgetInserted();
    m_dbPath = db.GetDbName();
    m_keptWriteTime = platform::lastWriteTimeNs(m_dbPath).value_or(0);
    CSQliteSQL control(db, kCSM001);
    if (control.StartTransaction() != 0)
        return false;
    if (PrepareRows(db, pageCount) && control.ExecCommit() == 0)
        return true;
    // Nothing inserted stays, and the launcher sees no change.
    control.ExecRollback();
    ForgetInserted();
    if (m_keptWriteTime != 0)
        platform::setLastWriteTimeNs(m_dbPath, m_keptWriteTime);
    m_keptWriteTime = 0;
    return false;
}

bool CTaxTables::PrepareRows(CSQliteDB& db, int pageCount)
{
    QStringList existing;
    if (!ReadColumn(db, kCSM001, kTaxCode, QString(), QString(), kTaxCode, existing))
        return false;
    for (int n = 1; n <= 4; ++n) {
        const QString code = TwoDigits(n);
        if (existing.contains(code))
            continue;
        if (!InsertZeroTaxRow(db, code))
            return false;
        m_taxCodes << code;
    }
    if (pageCount == 1)
        return true;
    for (int n = 1; n <= 4; ++n) {
        const QString code = TwoDigits(n + kReservedOffset);
        if (existing.contains(code))
            continue;
        if (!CopyTaxRow(db, TwoDigits(n), code))
            return false;
        m_taxCodes << code;
    }
    return EnsureTaxScheduler(db);
}

bool CTaxTables::InsertZeroTaxRow(CSQliteDB& db, const QString& code)
{
    const QString now = GetTimestampOfNow();
    return Insert(db, kCSM001, kTaxCode, code,
                  {QStringLiteral("TAXTYPE"), QStringLiteral("TAXRATE"),
                   QStringLiteral("TAXROUNDTYPE"), QStringLiteral("CREATEDATETIME"),
                   QStringLiteral("UPDATEDATETIME")},
                  {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), now, now});
}

// Through a table of the temporary schema only: a table of that name in the
// work database is never touched.
bool CTaxTables::CopyTaxRow(CSQliteDB& db, const QString& source, const QString& target)
{
    CSQliteSQL sql(db, kCSM001);
    sql.ExecSQL(QStringLiteral("DROP TABLE IF EXISTS temp.TEMP_CSM001"));
    const QString steps[] = {
        QStringLiteral("CREATE TEMPORARY TABLE TEMP_CSM001 AS SELECT * FROM main.CSM001 WHERE "
                       "TAXCODE='%1'")
            .arg(CSqLiteUtility::EscapeSQLValue(source)),
        QStringLiteral("UPDATE temp.TEMP_CSM001 SET TAXCODE='%1'")
            .arg(CSqLiteUtility::EscapeSQLValue(target)),
        QStringLiteral("INSERT INTO main.CSM001 SELECT * FROM temp.TEMP_CSM001"),
        QStringLiteral("DROP TABLE temp.TEMP_CSM001"),
    };
    for (const QString& step : steps)
        if (sql.ExecSQL(step) != 0)
            return false;
    return true;
}

bool CTaxTables::EnsureTaxScheduler(CSQliteDB& db)
{
    QStringList found;
    if (!ReadColumn(db, kCTS001, kSchedulerCodeColumn, kSchedulerCodeColumn, Reg900(), QString(),
                    found))
        return false;
    if (!found.isEmpty())
        return true;
    if (!InsertSchedulerRow(db))
        return false;
    m_schedulerCodes << Reg900();
    if (!InsertSchedulerCommand(db))
        return false;
    m_commandCodes << Reg900();
    return true;
}

bool CTaxTables::InsertSchedulerRow(CSQliteDB& db)
{
    const QString now = GetTimestampOfNow();
    return Insert(db, kCTS001, kSchedulerCodeColumn, Reg900(),
                  {QStringLiteral("SCHEDULERNAME"), QStringLiteral("STARTTIME"),
                   QStringLiteral("ENDTIME"), QStringLiteral("STARTTYPE"),
                   QStringLiteral("STARTDATE"), QStringLiteral("ARRANGECODE"),
                   QStringLiteral("UNUSABLEFLG"), QStringLiteral("CREATEDATETIME"),
                   QStringLiteral("UPDATEDATETIME")},
                  {ReservationName(), QStringLiteral("0000"), QStringLiteral("2359"),
                   QStringLiteral("4"), now.left(8), Reg900(), QStringLiteral("1"), now, now});
}

bool CTaxTables::InsertSchedulerCommand(CSQliteDB& db)
{
    const QString folder = CBasePath::GetLocalTemporaryPath();
    QString path;
    if (!CBasePath::CreateTempFileName(folder, QStringLiteral("QKT"), QStringLiteral(".bin"), path))
        return false;
    bool inserted = false;
    QFile file(path);
    const QByteArray command = JobCommand();
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(command) == command.size() && file.flush()) {
        file.close();
        const QString now = GetTimestampOfNow();
        inserted = Insert(db, kCTS002, kArrangeCode, Reg900(),
                          {QStringLiteral("ARRANGENAME"), QStringLiteral("COMMANDTYPE"),
                           QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
                          {ReservationName(), QStringLiteral("0"), now, now},
                          {QStringLiteral("COMMAND")}, {QFileInfo(path).fileName()});
    }
    file.close();
    QFile::remove(path);
    return inserted;
}

bool CTaxTables::CheckTaxScheduler(CSQliteDB& db, QString& name)
{
    name.clear();
    QStringList names;
    if (!ReadColumn(db, kCTS002, QStringLiteral("ARRANGENAME"), kArrangeCode, Reg900(), QString(),
                    names) ||
        names.isEmpty())
        return false;
    name = names.first();
    return name == ReservationName();
}

bool CTaxTables::DeleteInsertedRows(CSQliteDB& db, const QString& table, const QString& keyColumn,
                                    const QStringList& codes)
{
    for (const QString& code : codes) {
        int err = 0;
        if (!CSqLiteUtility::DeleteRecord(db, table, {keyColumn}, {code}, err))
            return false;
    }
    return true;
}

bool CTaxTables::RollBackTaxTables(CSQliteDB& db)
{
    const qsizetype count = m_taxCodes.size() + m_schedulerCodes.size() + m_commandCodes.size();
    if (count > 0) {
        CSQliteSQL control(db, kCSM001);
        if (control.StartTransaction() != 0)
            return false;
        if (!DeleteInsertedRows(db, kCSM001, kTaxCode, m_taxCodes) ||
            !DeleteInsertedRows(db, kCTS001, kSchedulerCodeColumn, m_schedulerCodes) ||
            !DeleteInsertedRows(db, kCTS002, kArrangeCode, m_commandCodes) ||
            control.ExecCommit() != 0) {
            control.ExecRollback();
            return false;
        }
    }
    ForgetInserted();
    // Closed first, so that nothing written later moves the time again.
    db.CloseDB();
    if (count > 0 && m_keptWriteTime != 0)
        platform::setLastWriteTimeNs(m_dbPath, m_keptWriteTime);
    m_keptWriteTime = 0;
    return true;
}

} // namespace dunmarel
