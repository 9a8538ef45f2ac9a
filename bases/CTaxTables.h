#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CSQliteDB;

namespace dunmarel {

// The rows the tax pages bind to: made before the tax window opens when they
// are missing, and taken out again, with the work database's last-write time,
// when the window is cancelled (the launcher reads that time as its change
// signal).
class CTaxTables
{
public:
    // The register's scheduler service that the reservation's job starts.
    static constexpr const char* kSchedulerPackage = "com.korvane.lumo.scheduler";
    static constexpr const char* kSchedulerCode = "REG900";

    // Inserts the missing rows in one transaction: a failure leaves none
    // and the file's last-write time as it was. pageCount 1: the current
    // rates only.
    bool PrepareTaxTables(CSQliteDB& db, int pageCount);
    // Deletes what the preparation inserted (one transaction), closes the
    // connection and puts the kept last-write time back.
    bool RollBackTaxTables(CSQliteDB& db);
    // True when the reservation's job-command row is ours; name := the name
    // it was written under ("" when there is no row).
    static bool CheckTaxScheduler(CSQliteDB& db, QString& name);

    // The job command the reservation runs: nine lines, LF between, one NUL.
    static QByteArray JobCommand();

    const QStringList& InsertedTaxCodes() const { return m_taxCodes; }
    const QStringList& InsertedSchedulerCodes() const { return m_schedulerCodes; }
    const QStringList& InsertedCommandCodes() const { return m_commandCodes; }

private:
    bool PrepareRows(CSQliteDB& db, int pageCount);
    bool InsertZeroTaxRow(CSQliteDB& db, const QString& code);
    bool CopyTaxRow(CSQliteDB& db, const QString& source, const QString& target);
    bool EnsureTaxScheduler(CSQliteDB& db);
    bool InsertSchedulerRow(CSQliteDB& db);
    bool InsertSchedulerCommand(CSQliteDB& db);
    static bool DeleteInsertedRows(CSQliteDB& db, const QString& table, const QString& keyColumn,
                                   const QStringList& codes);
    void ForgetInserted();

    QStringList m_taxCodes;
    QStringList m_schedulerCodes;
    QStringList m_commandCodes;
    qint64 m_keptWriteTime = 0; // 0: unknown
    QString m_dbPath;
};

} // namespace dunmarel
