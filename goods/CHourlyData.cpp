#include "goods/CHourlyData.h"

#include "shared/config/CBasePath.h"

#include "stroven/Stroven.h"

#include <QFileInfo>

namespace brelkin {

namespace {

const QString kTable = QStringLiteral("CSB014");
const QString kItemType = QStringLiteral("14");
const QString kDeptType = QStringLiteral("15");

} // namespace

CHourlyData::CHourlyData(const QString& database) : m_strDatabase(database) {}

CHourlyData::~CHourlyData()
{
    m_pWriter.reset();
    if (m_pDB)
        m_pDB->CloseDB();
}

bool CHourlyData::Open(int& status)
{
    status = 0;
    if (m_pDB)
        return true;
    if (m_strDatabase.isEmpty())
        m_strDatabase = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    // Opening a missing file would make an empty database.
    if (!QFileInfo(m_strDatabase).isFile()) {
        status = SQLERR_NOT_OPEN;
        return false;
    }
    // Blob files beside the database, as the lists' connections have them.
    auto db = std::make_unique<CSQliteDB>();
    status = db->OpenDB(m_strDatabase);
    if (status != 0) {
        db->CloseDB();
        return false;
    }
    m_pDB = std::move(db);
    return true;
}

bool CHourlyData::ReadTargets(int& status)
{
    m_itemCodes.clear();
    m_deptCodes.clear();
    if (!Open(status))
        return false;
    CSQliteSQL reader(*m_pDB, kTable);
    status = reader.SetSQLForRead({QStringLiteral("RECNUMBER"), QStringLiteral("TARGETCODETYPE"),
                                   QStringLiteral("TARGETCODE")},
                                  QString(), QString(), 0);
    if (status != 0)
        return false;
    CSQRowArray* rows = reader.ExecReadNext(status);
    if (!rows || (status != 0 && status != SQLREAD_END))
        return false;
    status = 0;
    for (const QStringList* row : *rows) {
        if (row->value(1) == kItemType)
            m_itemCodes.insert(row->value(2));
        else if (row->value(1) == kDeptType)
            m_deptCodes.insert(row->value(2));
    }
    return true;
}

bool CHourlyData::IsTarget(int kind, const QString& code) const
{
    return (kind == KindItem ? m_itemCodes : m_deptCodes).contains(code);
}

bool CHourlyData::BeginSave(int& status)
{
    m_strTimestamp = GetTimestampOfNow();
    m_bAllWritten = false;
    m_nFirstFailure = 0;
    m_pWriter.reset();
    if (!Open(status)) {
        m_nFirstFailure = status;
        return false;
    }
    m_pWriter = std::make_unique<CSQliteSQL>(*m_pDB, kTable);
    m_nNextNumber = 1;
    status = m_pWriter->SetSQLForWrite(
        {QStringLiteral("RECNUMBER")},
        {QStringLiteral("TARGETCODETYPE"), QStringLiteral("TARGETCODE"),
         QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
        {});
    if (status == 0)
        status = m_pWriter->StartTransaction();
    if (status == 0) {
        // Inside the transaction: a failed save keeps the old targets.
        status = m_pWriter->ExecSQL(QStringLiteral("DELETE FROM ") + kTable);
        if (status != 0)
            m_pWriter->ExecRollback();
    }
    if (status != 0) {
        m_nFirstFailure = status;
        m_pWriter.reset();
        return false;
    }
    m_bAllWritten = true;
    return true;
}

bool CHourlyData::AddTarget(int kind, const QString& code, int& status)
{
    status = 0;
    if (!m_pWriter || !m_bAllWritten) {
        status = m_nFirstFailure != 0 ? m_nFirstFailure : SQLERR_NOT_OPEN;
        return false;
    }
    status = m_pWriter->ExecWrite(
        {QStringLiteral("%1").arg(m_nNextNumber, 3, 10, QLatin1Char('0'))},
        {kind == KindItem ? kItemType : kDeptType, code, m_strTimestamp, m_strTimestamp}, {},
        SQLWRITE_INSERT);
    if (status != 0) {
        m_bAllWritten = false;
        m_nFirstFailure = status;
        return false;
    }
    ++m_nNextNumber;
    return true;
}

bool CHourlyData::EndSave(int& status)
{
    status = 0;
    if (!m_pWriter) {
        status = m_nFirstFailure != 0 ? m_nFirstFailure : SQLERR_NOT_OPEN;
        return false;
    }
    if (m_bAllWritten) {
        status = m_pWriter->ExecCommit();
        if (status != 0)
            m_pWriter->ExecRollback();
    } else {
        m_pWriter->ExecRollback();
        status = m_nFirstFailure;
    }
    m_pWriter.reset();
    return status == 0 && m_bAllWritten;
}

} // namespace brelkin
