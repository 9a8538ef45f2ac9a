#include "goods/CColumnDataDallasKey.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/WindowText.h"

#include <QStringList>

namespace brelkin {

namespace {

const QString kClerkCode = QStringLiteral("CLKCODE");
const QString kCreateDateTime = QStringLiteral("CREATEDATETIME");
const QString kUpdateDateTime = QStringLiteral("UPDATEDATETIME");

bool IsKeyIDText(const QString& text)
{
    for (const QChar c : text)
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z'))
            return false;
    return true;
}

// A key row that is already gone needs no delete.
int DeleteStatus(int status)
{
    return status == SQLERR_NO_ROW ? 0 : status;
}

} // namespace

CColumnDataDallasKey::CColumnDataDallasKey(const QString& column, const QString& labelKey,
                                           uint ctrlId, uint labelCtrlId)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId)
{
    m_bNotSave = true;
    m_nOverrideSize = 12;
}

CColumnDataDallasKey::~CColumnDataDallasKey() = default;

bool CColumnDataDallasKey::LookUpKeyIDs(const QString& clerkCode, QStringList& keyIDs)
{
    if (!m_pSQliteDB)
        return false;
    if (!m_pLookupSQL)
        m_pLookupSQL = std::make_unique<CSQliteSQL>(*m_pSQliteDB, m_strKeyTable);
    int err = 0;
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(
        *m_pLookupSQL, {m_strKeyColumn}, CSqLiteUtility::QuoteSQLName(kClerkCode) + " = ?",
        {clerkCode}, CSqLiteUtility::QuoteSQLName(m_strKeyColumn), 0, err);
    if (rows)
        for (const QStringList* row : *rows)
            keyIDs << row->value(0);
    m_pLookupSQL->ReleaseReadRows();
    return rows != nullptr;
}

QString CColumnDataDallasKey::GetDescript(QString value)
{
    m_strKeyID.clear();
    QStringList keyIDs;
    if (LookUpKeyIDs(value, keyIDs) && !keyIDs.isEmpty())
        m_strKeyID = keyIDs.first();
    return m_strKeyID;
}

void CColumnDataDallasKey::SetControlValue(QWidget* control, const QString& value)
{
    m_beforeWrite.reset();
    m_strClerkCode = value;
    m_strStoredKeyID = GetDescript(value);
    m_strKeyID = m_strStoredKeyID;
    m_nKeyChanged = 0;
    m_nKeyExists = m_strKeyID.isEmpty() ? 0 : 1;
    m_strKeyCreateTime.clear();
    m_nLastWriteStatus = 0;
    CColumnData::SetControlValue(control, m_strKeyID);
    m_nControlHolds = 1;
}

void CColumnDataDallasKey::GetPreEditValue(QWidget* control, QString& value)
{
    value = m_nControlHolds == 1 ? GetWindowText(control) : m_strKeyID;
}

void CColumnDataDallasKey::GetControlValue(QWidget* control, QString& value)
{
    if (m_nControlHolds == 1) {
        m_strKeyID = GetWindowText(control);
        m_nControlHolds = 0;
    }
    value = m_strClerkCode;
}

bool CColumnDataDallasKey::CheckKeyID(const QString& keyID)
{
    // No error text: the page reports its general input error.
    m_strErrMsg.clear();
    m_strKeyID = keyID;
    m_nKeyChanged = !m_strStoredKeyID.isEmpty() && m_strStoredKeyID != m_strKeyID ? 1 : 0;
    m_nKeyExists = 0;
    m_strKeyCreateTime.clear();
    if (m_strKeyID.isEmpty())
        return true;
    if (!IsKeyIDText(m_strKeyID) || !m_pSQliteDB)
        return false;
    if (!m_pCheckSQL)
        m_pCheckSQL = std::make_unique<CSQliteSQL>(*m_pSQliteDB, m_strKeyTable);
    int err = 0;
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(
        *m_pCheckSQL, {kClerkCode, kCreateDateTime},
        CSqLiteUtility::QuoteSQLName(m_strKeyColumn) + " = ?", {m_strKeyID}, QString(), 0, err);
    if (!rows) {
        m_pCheckSQL->ReleaseReadRows();
        return false;
    }
    bool ok = true;
    if (!rows->isEmpty()) {
        m_nKeyExists = 1;
        const QStringList* row = rows->first();
        if (row->value(0) != m_strClerkCode) {
            m_strKeyCreateTime = row->value(1); // another clerk holds this key
            ok = false;
        }
    }
    m_pCheckSQL->ReleaseReadRows();
    return ok;
}

bool CColumnDataDallasKey::CheckItemValue(QString, QString, QString)
{
    m_strErrMsg = GetLangString(QStringLiteral("CRDS_CMN_ERR_EXIST_FAILED"));
    return false;
}

bool CColumnDataDallasKey::PrepareWrite()
{
    if (!m_pSQliteDB)
        return false;
    if (!m_pWriteSQL) {
        auto sql = std::make_unique<CSQliteSQL>(*m_pSQliteDB, m_strKeyTable);
        m_nLastWriteStatus = sql->SetSQLForWrite(
            {m_strKeyColumn}, {kClerkCode, kCreateDateTime, kUpdateDateTime}, {});
        if (m_nLastWriteStatus != 0)
            return false;
        m_pWriteSQL = std::move(sql);
    }
    return true;
}

void CColumnDataDallasKey::SaveItemEX(int action)
{
    m_nLastWriteStatus = 0;
    if (action == 1) {
        const QString clerk = m_strDeletedClerkCode;
        m_strDeletedClerkCode.clear();
        if (!clerk.isEmpty())
            m_nLastWriteStatus = DeleteClerkKeys(clerk);
        return;
    }
    if (action == 0)
        m_nLastWriteStatus = WriteKeyChange();
}

int CColumnDataDallasKey::WriteKeyChange()
{
    const bool write =
        !m_strKeyID.isEmpty() && (m_nKeyExists == 0 || !m_strKeyCreateTime.isEmpty());
    if (m_nKeyChanged == 0 && !write)
        return 0; // the clerk keeps his key, or has none
    if (!PrepareWrite())
        return m_nLastWriteStatus != 0 ? m_nLastWriteStatus : SQLERR_NOT_OPEN;
    // The old key goes and the new one comes together, or neither does.
    CSqLiteTransaction transaction(*m_pSQliteDB, *m_pWriteSQL);
    int status = transaction.StartStatus();
    if (status == 0 && m_nKeyChanged == 1)
        status = DeleteStatus(m_pWriteSQL->ExecWrite({m_strStoredKeyID}, {}, {}, SQLWRITE_DELETE));
    if (status == 0 && write) {
        const QString now = GetTimestampOfNow();
        const bool exists = m_nKeyExists == 1;
        const QString created = exists ? m_strKeyCreateTime : now;
        status = m_pWriteSQL->ExecWrite({m_strKeyID}, {m_strClerkCode, created, now}, {},
                                        exists ? SQLWRITE_UPDATE : SQLWRITE_INSERT);
    }
    if (status == 0)
        status = transaction.Commit();
    if (status != 0) {
        transaction.Rollback();
        return status;
    }
    // Written: a second call for the same record writes nothing.
    m_beforeWrite = KeyState{m_strStoredKeyID, m_strKeyCreateTime, m_nKeyExists, m_nKeyChanged};
    m_strStoredKeyID = m_strKeyID;
    m_nKeyChanged = 0;
    m_nKeyExists = m_strKeyID.isEmpty() ? 0 : 1;
    m_strKeyCreateTime.clear();
    return 0;
}

int CColumnDataDallasKey::DeleteClerkKeys(const QString& clerkCode)
{
    QStringList keyIDs;
    if (!LookUpKeyIDs(clerkCode, keyIDs))
        return SQLERR_NOT_PREPARED;
    if (keyIDs.isEmpty())
        return 0;
    if (!PrepareWrite())
        return m_nLastWriteStatus != 0 ? m_nLastWriteStatus : SQLERR_NOT_OPEN;
    CSqLiteTransaction transaction(*m_pSQliteDB, *m_pWriteSQL);
    int status = transaction.StartStatus();
    for (const QString& keyID : keyIDs) {
        if (status != 0)
            break;
        status = DeleteStatus(m_pWriteSQL->ExecWrite({keyID}, {}, {}, SQLWRITE_DELETE));
    }
    if (status == 0)
        status = transaction.Commit();
    if (status != 0)
        transaction.Rollback();
    return status;
}

void CColumnDataDallasKey::RestoreAfterRollback()
{
    if (!m_beforeWrite)
        return;
    m_strStoredKeyID = m_beforeWrite->storedKeyID;
    m_strKeyCreateTime = m_beforeWrite->keyCreateTime;
    m_nKeyExists = m_beforeWrite->keyExists;
    m_nKeyChanged = m_beforeWrite->keyChanged;
    m_beforeWrite.reset();
}

void CColumnDataDallasKey::FreeResorce()
{
    m_pLookupSQL.reset();
    m_pCheckSQL.reset();
    m_pWriteSQL.reset();
}

} // namespace brelkin
