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
        m_pSQL = std::make_unique<CSQliteSQL>(*m_pSQliteDB, m_strTable);
    }
    MakeIndex();
    const QString column = CSqLiteUtility::QuoteSQLName(m_strColumnName);
    // Both values are bound, so a code holding a quote cannot change the query.
    // Whether one other row holds the code is all that counts: no order, and
    // at most one row.
    const QString key = CSqLiteUtility::QuoteSQLName(keyName);
    const QString where = QStringLiteral("%1 = ? AND %2 <> ?").arg(column, key);
    int err = 0;
    const CSQRowArray* rows =
        CSqLiteUtility::ReadRows(*m_pSQL, {keyName}, where, {value, keyValue}, QString(), 1, err);
    const bool taken = rows && !rows->isEmpty();
    m_pSQL->ReleaseReadRows(); // one kept statement serves every check
    if (!taken)
        return true; // a failed read does not block the save
    m_strErrMsg = GetLangString(QStringLiteral("CRDS_CMN_ERR_EXIST_FAILED"));
    return false;
}

void CColumnDataScanCode::MakeIndex()
{
    if (m_bIndexKept)
        return;
    // Without an index every check reads the whole table. A work database
    // built from an archive's own schema has none, so the checks make it; one
    // that cannot be made (yet) only leaves them slow. One made inside a
    // transaction goes again when that is rolled back: it counts as kept once
    // a check outside a transaction has found or made it.
    const int err = m_pSQL->ExecSQL(
        QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
            .arg(CSqLiteUtility::QuoteSQLName(m_strTable + QLatin1Char('_') + m_strColumnName),
                 CSqLiteUtility::QuoteSQLName(m_strTable),
                 CSqLiteUtility::QuoteSQLName(m_strColumnName)));
    m_bIndexKept = err == 0 && !m_pSQliteDB->InTransaction();
}

void CColumnDataScanCode::FreeResorce()
{
    m_pSQL.reset();
    m_bIndexKept = false;
}
