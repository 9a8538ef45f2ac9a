#include "goods/base/RecordSort.h"

#include "goods/base/NumericSortKey.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Orders the rows by their keys (made once, not at every comparison) and
// puts them back into the cache in that order; equal keys keep their order.
template <class Key, class Less>
void SortByKeys(CStringArrayPtrArray* records, std::vector<std::pair<Key, CRecord*>>& rows,
                bool ascending, Less less)
{
    std::stable_sort(rows.begin(), rows.end(), [ascending, &less](const auto& a, const auto& b) {
        return ascending ? less(a, b) : less(b, a);
    });
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i)
        records->SetAt(i, rows[size_t(i)].second);
}

// A text's first sixteen UTF-16 code units, packed so that comparing them as
// numbers orders as the text does (missing units count as 0). Only a tie
// needs the whole texts, so most comparisons touch no string.
struct TextHead
{
    explicit TextHead(const QString& text)
    {
        const qsizetype n = std::min<qsizetype>(text.size(), 16);
        const QChar* units = text.constData();
        for (qsizetype i = 0; i < 16; ++i)
            word[i / 4] = (word[i / 4] << 16) | (i < n ? units[i].unicode() : 0u);
    }
    // -1, 0 (a tie: the texts decide) or 1.
    int Compare(const TextHead& other) const
    {
        for (int i = 0; i < 4; ++i)
            if (word[i] != other.word[i])
                return word[i] < other.word[i] ? -1 : 1;
        return 0;
    }
    quint64 word[4] = {0, 0, 0, 0};
};

} // namespace

bool IsNumericType(const CColumnData* column)
{
    return column->GetType() == SQLTYPE_NUMERIC;
}

void SortRecordCache(CColumnDataList* list, CStringArrayPtrArray* records, int columnIndex,
                     bool ascending)
{
    if (list && columnIndex >= 0 && columnIndex < list->m_nColumnCount)
        SortRecordCache(list, records, columnIndex, ascending,
                        IsNumericType(list->m_ppColumnData[columnIndex]));
}

void SortRecordCache(CColumnDataList* list, CStringArrayPtrArray* records, int columnIndex,
                     bool ascending, bool numeric)
{
    if (!records || !list || columnIndex < 0 || columnIndex >= list->m_nColumnCount)
        return;
    CColumnData* column = list->m_ppColumnData[columnIndex];
    const size_t count = size_t(records->GetSize());
    if (numeric) {
        std::vector<std::pair<NumericSortKey, CRecord*>> rows;
        rows.reserve(count);
        for (CRecord* row : *records)
            rows.emplace_back(MakeNumericSortKey(row ? row->value(columnIndex) : QString()), row);
        SortByKeys(records, rows, ascending,
                   [](const auto& a, const auto& b) { return a.first < b.first; });
        return;
    }
    std::vector<std::pair<TextHead, CRecord*>> rows;
    rows.reserve(count);
    const auto text = [column, columnIndex](const CRecord* row) {
        return column->GetDescript(row ? row->value(columnIndex) : QString());
    };
    // The rows lie all over the heap: the texts ahead are fetched while
    // this one is read, or each row would wait for memory twice.
    const QList<CRecord*>& members = records->Members();
    const qsizetype n = members.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i + 24 < n && members[i + 24])
            __builtin_prefetch(members[i + 24]);
        if (i + 12 < n && members[i + 12])
            __builtin_prefetch(members[i + 12]->BlockData());
        rows.emplace_back(TextHead(text(members[i])), members[i]);
    }
    // Ordinal: by UTF-16 code units.
    auto less = [&text](const auto& a, const auto& b) {
        const int order = a.first.Compare(b.first);
        return order != 0 ? order < 0 : text(a.second) < text(b.second);
    };
    SortByKeys(records, rows, ascending, less);
}

Qt::Alignment ColumnAlignment(bool numeric)
{
    return Qt::Alignment(numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

Qt::Alignment ColumnAlignment(const CColumnData* column)
{
    return ColumnAlignment(IsNumericType(column));
}
