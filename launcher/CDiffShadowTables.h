#pragma once

#include "archive/CrxGrammarNames.h"
#include "archive/CrxResult.h"

#include <QString>
#include <QStringList>

#include <functional>

class CSQliteDB;

namespace tovanel {

// The shadow tables of a difference save, made in the work database with SQL
// before the archive library writes the archive: per listed table T the base
// rows of the diff base archive (T + "_BASE_Tovanel", filled by the library),
// the rows added or changed since (T + "_NEW_Tovanel") and the base rows that
// are gone (T + "_DEL_Tovanel"). Each operation runs in one transaction on a
// connection of its own and returns 0 or a result code; a failed statement
// rolls the operation back, so a difference is never written from half-made
// tables.
class CDiffShadowTables
{
public:
    static inline const QString kBaseSuffix = QLatin1String(crxname::kBaseShadowSuffix);
    static inline const QString kNewSuffix = QLatin1String(crxname::kNewShadowSuffix);
    static inline const QString kDelSuffix = QLatin1String(crxname::kDelShadowSuffix);
    static inline const QString kShadowSuffix = QLatin1String(crxname::kShadowSuffix);

    // workFolder holds "SETTING.DB"; jobTime is the 14-digit stamp every new
    // and deleted shadow row carries.
    CDiffShadowTables(const QString& workFolder, const QStringList& diffList,
                      const QString& jobTime);

    // CRX_E_DB_OPEN, CRX_E_TABLE_LIST, CRX_E_TABLE_INFO, CRX_E_KEY_COUNT (a
    // table without key: its deleted keys could not be named),
    // CRX_E_BEGIN_TRANSACTION, CRX_E_WRITE_ROW or CRX_E_COMMIT.
    CrxResult CreateShadowTables();
    CrxResult FillDiffTables();
    CrxResult DropShadowTables();

    // Drops and creates one shadow table with T's columns, types and key.
    CrxResult CreateShadowTable(CSQliteDB& db, const QString& table, const QString& suffix);

    // The listed table the last failure was met at ("" when none).
    const QString& FailedTable() const { return m_strFailedTable; }

private:
    // Opens the work database, runs work for every listed table in the
    // database's order inside one transaction and commits.
    CrxResult ForEachListedTable(const std::function<CrxResult(CSQliteDB&, const QString&)>& work);
    CrxResult InsertSelect(CSQliteDB& db, const QString& table, const QString& targetSuffix,
                           const QString& first, const QString& second);
    CrxResult DeleteReKeyed(CSQliteDB& db, const QString& table);

    QString m_strWorkFolder;
    QStringList m_diffList;
    QString m_strJobTime;
    QString m_strFailedTable;
};

} // namespace tovanel
