#include "goods/CPrColumnDataListFloatingDept.h"

#include "goods/ColumnArray.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

namespace brelkin {

CPrColumnDataListFloatingDept::CPrColumnDataListFloatingDept(const QString& table,
                                                             CColumnData** columns)
    : CColumnDataList(table, columns)
{
}

CPrColumnDataListFloatingDept::~CPrColumnDataListFloatingDept() = default;

CColumnData** CPrColumnDataListFloatingDept::NewColumns()
{
    return ToColumnArray({
        new CColumnData(QStringLiteral("ITEMDEPTCODE"), QString(), 0, 0),
        new CColumnData(QStringLiteral("ITEMDEPTNAME"),
                        QStringLiteral("CRDS_PR_FLOATINGPRICE_DEPTLISTNAME"), 0, 0),
        new CColumnData(QStringLiteral("CREATEDATETIME"), QString(), 0, 0),
        new CColumnData(QStringLiteral("UPDATEDATETIME"), QString(), 0, 0),
    });
}

bool CPrColumnDataListFloatingDept::ReadFloatingDepts(CSQliteDB* db, QStringList& codes, int& err)
{
    err = 0;
    codes.clear();
    if (!db || !CSqLiteItemDataUtility::GetFloatingDept(db, codes)) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    return true;
}

bool CPrColumnDataListFloatingDept::ReadRecords(int& err)
{
    return ReadByFloatingDepts(true, {}, err);
}

bool CPrColumnDataListFloatingDept::ReadByFloatingDepts(
    bool inside, const std::function<bool(const QStringList&)>& keep, int& err)
{
    err = 0;
    if (m_nColumnCount == 0)
        return true;
    if (!m_pSQliteDB || !m_pRecords) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    QStringList codes;
    if (!ReadFloatingDepts(m_pSQliteDB, codes, err))
        return false;
    if (inside && codes.isEmpty()) {
        err = kNoFloatingDept;
        return false;
    }
    // The codes come from an archive: bound, never pasted into the text.
    const QString dept = CSqLiteUtility::QuoteSQLName(QStringLiteral("ITEMDEPTCODE"));
    QStringList terms;
    for (qsizetype i = 0; i < codes.size(); ++i)
        terms << dept + (inside ? QStringLiteral(" = ?") : QStringLiteral(" <> ?"));
    return ReadRecordsWhere(terms.join(inside ? QStringLiteral(" OR ") : QStringLiteral(" AND ")),
                            codes, CSqLiteUtility::QuoteSQLName(KeyColumn()->m_strColumnName), err,
                            keep);
}

} // namespace brelkin
