#include "goods/CPrColumnDataListFloatingPrice.h"

#include "goods/CColumnDataFloatingPrice.h"
#include "goods/ColumnArray.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/data/CStringArrayPtrList.h"

#include "stroven/Stroven.h"

namespace brelkin {

namespace {

constexpr uint kPriceCtrlId = 23140;
constexpr uint kPriceLabelId = 23132;

} // namespace

CPrColumnDataListFloatingPrice::CPrColumnDataListFloatingPrice(const QString& table,
                                                               CColumnData** columns)
    : CPrColumnDataListFloatingDept(table, columns)
{
}

CPrColumnDataListFloatingPrice::~CPrColumnDataListFloatingPrice() = default;

bool CPrColumnDataListFloatingPrice::ReadFloatingItems(CSQliteDB& db, const QString& deptCode,
                                                       QList<QStringList>& items, int& err)
{
    items.clear();
    CStringArrayPtrList rows;
    const int count = CSqLiteUtility::AllocStringArrayListPtr(
        db, QStringLiteral("CIA001 , CSA001"),
        {QStringLiteral("CIA001.ITEMCODE"), QStringLiteral("CIA001.ITEMNAME")},
        QStringLiteral("CIA001.ITEMDEPTCODE = '%1' AND CIA001.ITEMPARMCODE = CSA001.ITEMPARMCODE "
                       "AND CSA001.ITEMTYPE = '1'")
            .arg(CSqLiteUtility::EscapeSQLValue(deptCode)),
        QStringLiteral("CIA001.ITEMCODE"), rows, err);
    for (const QStringList* row : rows)
        items << *row;
    CSqLiteUtility::FreeStringArrayListPtr(rows);
    return count >= 0;
}

CColumnData** CPrColumnDataListFloatingPrice::NewColumns(bool itemMode,
                                                         const QList<QStringList>& floatingItems)
{
    const QString key = itemMode ? QStringLiteral("ITEMCODE") : QStringLiteral("ITEMDEPTCODE");
    std::vector<CColumnData*> columns{
        new CColumnData(key, QString(), 0, 0),
        itemMode ? new CColumnData(QStringLiteral("ITEMNAME"),
                                   QStringLiteral("CRDS_PR_FLOATINGPRICE_PLUNAME"), 0, 0)
                 : new CColumnData(QStringLiteral("ITEMDEPTNAME"),
                                   QStringLiteral("CRDS_PR_FLOATINGPRICE_DEPTNAME"), 0, 0)};
    // The header shows the floating item's name itself.
    for (qsizetype i = 0; i < floatingItems.size() && i < kMaxPriceColumns; ++i)
        columns.push_back(new CColumnDataFloatingPrice(
            key, floatingItems[i].value(1), floatingItems[i].value(0),
            itemMode ? QStringLiteral("01") : QStringLiteral("02"), kPriceCtrlId, kPriceLabelId));
    columns.push_back(new CColumnData(QStringLiteral("CREATEDATETIME"), QString(), 0, 0));
    columns.push_back(new CColumnData(QStringLiteral("UPDATEDATETIME"), QString(), 0, 0));
    return ToColumnArray(columns);
}

void CPrColumnDataListFloatingPrice::SetPriceColumn(const QString& column)
{
    for (int i = 2; i < m_nColumnCount - 2; ++i)
        if (auto* price = dynamic_cast<CColumnDataFloatingPrice*>(m_ppColumnData[i]))
            price->m_strPriceColumn = column;
}

bool CPrColumnDataListFloatingPrice::ReadRecords(int& err)
{
    const bool items = m_strTableName == QLatin1String("CIA001");
    CSQliteDB* db = m_pSQliteDB;
    return ReadByFloatingDepts(
        false,
        [items, db](const QStringList& row) {
            if (!row.value(1).isEmpty())
                return true;
            return items && CSqLiteItemDataUtility::GetUnitPrice(
                                db, row.value(0), QStringLiteral("UNITPRICE")) != u"0";
        },
        err);
}

} // namespace brelkin
