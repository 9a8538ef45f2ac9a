#include "shared/data/CColumnDataScanCode.h"

#include "shared/controls/FindControlById.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/WindowText.h"

#include <QWidget>

namespace {
// The page's read-only display of the item code.
constexpr uint kItemCodeCtrlId = 23019;
} // namespace

CColumnDataScanCode::CColumnDataScanCode(const QString& column, const QString& labelKey,
                                         uint ctrlId, uint labelCtrlId, const QString& table)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId), m_strTable(table)
{
}

CColumnDataScanCode::~CColumnDataScanCode() = default;

bool CColumnDataScanCode::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    if (!control)
        return true;
    const QString value = GetWindowText(control);
    QWidget* itemCode = FindControlById(control->parentWidget(), kItemCodeCtrlId);
    if (!itemCode)
        return true;
    return CheckItemValue(QStringLiteral("ITEMCODE"), GetWindowText(itemCode), value);
}

bool CColumnDataScanCode::CheckItemValue(QString keyName, QString keyValue, QString value)
{
    if (value.isEmpty())
        return true;
    if (!m_pSQL) {
        if (!m_pSQliteDB)
            return true;
        // Through the column's index: without one every check would read
        // the whole table.
        m_pSQL = std::make_unique<CSQliteSQL>(*m_pSQliteDB,
                                              QStringLiteral("%1 INDEXED BY %2")
                                                  .arg(CSqLiteUtility::QuoteSQLName(m_strTable),
                                                       CSqLiteUtility::QuoteSQLName(IndexName())));
    }
    int held = HeldByAnother(*m_pSQL, m_strPreparedKey, keyName, keyValue, value);
    if (held < 0) {
        // A work database built from an archive's own schema has no such
        // index, and one made inside a transaction goes when that is rolled
        // back: the read that misses it makes it.
        MakeIndex();
        held = HeldByAnother(*m_pSQL, m_strPreparedKey, keyName, keyValue, value);
    }
    if (held < 0) {
        // No index to be had (a file that cannot be written): the whole
        // table is read.
        CSQliteSQL plain(*m_pSQliteDB, m_strTable);
        QString prepared;
        held = HeldByAnother(plain, prepared, keyName, keyValue, value);
    }
    if (held <= 0)
        return true; // a failed read does not block the save
    m_strErrMsg = GetLangString(QStringLiteral("CRDS_CMN_ERR_EXIST_FAILED"));
    return false;
}

int CColumnDataScanCode::HeldByAnother(CSQliteSQL& sql, QString& preparedKey,
                                       const QString& keyName, const QString& keyValue,
                                       const QString& value)
{
    // Prepared once for the key column; each check only binds its values.
    // Both are bound, so a code holding a quote cannot change the query.
    // Whether one other row holds the code is all that counts: no order, and
    // at most one row.
    int err = 0;
    if (preparedKey != keyName) {
        err = sql.SetSQLForRead({keyName},
                                QStringLiteral("%1 = ? AND %2 <> ?")
                                    .arg(CSqLiteUtility::QuoteSQLName(m_strColumnName),
                                         CSqLiteUtility::QuoteSQLName(keyName)),
                                QString(), 1);
        preparedKey = err == 0 ? keyName : QString();
    }
    if (err == 0)
        err = sql.SetParamsForRead({value, keyValue});
    int status = 0;
    const CSQRowArray* rows = err == 0 ? sql.ExecReadNext(status) : nullptr;
    const bool read = rows && (status == 0 || status == SQLREAD_END);
    const int held = !read ? -1 : rows->isEmpty() ? 0 : 1;
    sql.ReleaseReadRows(); // one kept statement serves every check
    if (!read)
        preparedKey.clear(); // prepared afresh next time
    return held;
}

QString CColumnDataScanCode::IndexName() const
{
    return m_strTable + QLatin1Char('_') + m_strColumnName;
}

void CColumnDataScanCode::MakeIndex()
{
    m_pSQL->ExecSQL(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                        .arg(CSqLiteUtility::QuoteSQLName(IndexName()),
                             CSqLiteUtility::QuoteSQLName(m_strTable),
                             CSqLiteUtility::QuoteSQLName(m_strColumnName)));
}

void CColumnDataScanCode::FreeResorce()
{
    m_pSQL.reset();
    m_strPreparedKey.clear();
}
