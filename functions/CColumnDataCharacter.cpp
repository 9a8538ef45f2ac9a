#include "functions/CColumnDataCharacter.h"

#include "stroven/Stroven.h"

namespace kesmond {

namespace {

constexpr int kCodeWidth = 50;

} // namespace

CColumnDataCharacter::CColumnDataCharacter(const QString& column, const QString& labelKey,
                                           uint ctrlId, uint labelCtrlId)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId), m_strTitleTable(QStringLiteral("CSM017")),
      m_strTitleColumn(QStringLiteral("TITLE"))
{
    m_nOverrideSize = kCodeWidth;
}

CColumnDataCharacter::~CColumnDataCharacter() = default;

void CColumnDataCharacter::FreeResorce()
{
    m_pTitleSQL.reset();
    m_pTitleDB = nullptr;
    m_bPrepared = false;
    CColumnData::FreeResorce();
}

QString CColumnDataCharacter::GetDescript(QString value)
{
    if (!m_pSQliteDB)
        return value;
    if (m_pTitleDB != m_pSQliteDB) {
        // A new connection needs its own statement.
        m_pTitleSQL = std::make_unique<CSQliteSQL>(*m_pSQliteDB, m_strTitleTable);
        m_pTitleDB = m_pSQliteDB;
        m_bPrepared = m_pTitleSQL->SetSQLForRead({m_strTitleColumn},
                                                 QStringLiteral("TABLENAME='CSB007' AND SETCODE=?"),
                                                 QString(), 1) == 0;
    }
    if (!m_bPrepared || m_pTitleSQL->SetParamsForRead({value}) != 0)
        return QString();
    int status = 0;
    const CSQRowArray* rows = m_pTitleSQL->ExecReadNext(status);
    QString title;
    if (rows && !rows->isEmpty() && rows->first() && !rows->first()->isEmpty())
        title = rows->first()->first();
    m_pTitleSQL->ReleaseReadRows();
    return title;
}

} // namespace kesmond
