#include "goods/RecordSort.h"

#include "goods/NumericSortKey.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace brelkin {

void SortRecordCache(CColumnDataList* list, CStringArrayPtrArray* records, int columnIndex,
                     bool ascending)
{
    if (!records || !list || columnIndex < 0 || columnIndex >= list->m_nColumnCount)
        return;
    CColumnData* column = list->m_ppColumnData[columnIndex];
    const bool numeric = column->GetType() == SQLTYPE_NUMERIC;
    // Each row's key is made once, not at every comparison.
    using Key = std::variant<NumericSortKey, QString>;
    std::vector<std::pair<Key, QStringList*>> rows;
    rows.reserve(size_t(records->GetSize()));
    for (QStringList* row : *records) {
        const QString value = row ? row->value(columnIndex) : QString();
        rows.emplace_back(
            numeric ? Key(MakeNumericSortKey(value)) : Key(column->GetDescript(value)), row);
    }
    std::stable_sort(rows.begin(), rows.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i)
        records->SetAt(i, rows[size_t(i)].second);
}

Qt::Alignment ColumnAlignment(const CColumnData* column)
{
    return Qt::Alignment(column->GetType() == SQLTYPE_NUMERIC ? Qt::AlignRight : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

} // namespace brelkin
