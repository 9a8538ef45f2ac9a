#include "goods/UnlistedLabelKey.h"

#include <QSet>

namespace brelkin {

namespace {

QSet<QString> MakeUnlistedKeys()
{
    QSet<QString> keys;
    for (int n = 2; n <= 10; ++n) {
        const QString level = QStringLiteral("CRDS_PR_CLMN_PRC%1").arg(n);
        keys << level;
        for (const char* ending : {"_TAX1", "_TAX2", "_UQTY", "_NAME"})
            keys << level + QLatin1String(ending);
    }
    for (int n = 4; n <= 6; ++n)
        keys << QStringLiteral("CRDS_PR_CLMN_SETITEMNAME%1").arg(n);
    keys << QStringLiteral("CRDS_PR_CLMN_ITEMCLASSIFICATION");
    return keys;
}

} // namespace

bool IsUnlistedLabelKey(const QString& labelKey)
{
    static const QSet<QString> keys = MakeUnlistedKeys();
    return keys.contains(labelKey);
}

} // namespace brelkin
