#include "goods/DepartmentUses.h"

#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include "stroven/Stroven.h"

namespace brelkin {

namespace {

// The value of one count over a table's rows; where holds the code's '?'.
int Count(CSQliteDB& db, const QString& table, const QString& count, const QString& where,
          const QString& code)
{
    CSQliteSQL sql(db, table);
    int err = 0;
    const CSQRowArray* rows =
        CSqLiteUtility::ReadRows(sql, {count}, where, {code}, QString(), 1, err);
    return rows && !rows->isEmpty() ? rows->first()->value(0).toInt() : 0;
}

} // namespace

QStringList DepartmentUseLines(CSQliteDB& db, const QString& code)
{
    const QString all = QStringLiteral("COUNT(*)");
    const int items =
        Count(db, QStringLiteral("CIA001"), all, QStringLiteral("ITEMDEPTCODE = ?"), code);
    // An offer counts once however many of its children name the department
    // (child type 1; type 0 names an item).
    const int offers = Count(db, QStringLiteral("CSA006"), QStringLiteral("COUNT(DISTINCT MMCODE)"),
                             QStringLiteral("ITEMTYPE = '1' AND ITEMCODE = ?"), code);
    // Target type 15 and control type 02 name a department; the others an item.
    const int targets = Count(db, QStringLiteral("CSB014"), all,
                              QStringLiteral("TARGETCODETYPE = '15' AND TARGETCODE = ?"), code);
    const int prices = Count(db, QStringLiteral("CSA007"), all,
                             QStringLiteral("CTRLTYPE = '02' AND CTRLCODE = ?"), code);
    QStringList floating;
    CSqLiteItemDataUtility::GetFloatingDept(&db, floating);
    const int settings = int(floating.count(code));

    QStringList lines;
    if (items > 0)
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_PR_DEPTUSE_ITEMS")), items);
    if (offers > 0)
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_PR_DEPTUSE_MIXMATCH")), offers);
    if (targets > 0)
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_PR_DEPTUSE_HOURLY")), targets);
    if (prices > 0)
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_PR_DEPTUSE_FLOATINGPRICE")),
                                prices);
    if (settings > 0)
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_PR_DEPTUSE_FLOATINGDEPT")),
                                settings);
    return lines;
}

} // namespace brelkin
