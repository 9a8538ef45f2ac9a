#include "goods/ColumnArray.h"

#include <algorithm>

namespace brelkin {

CColumnData** ToColumnArray(const std::vector<CColumnData*>& columns)
{
    auto** array = new CColumnData*[columns.size() + 1];
    std::copy(columns.begin(), columns.end(), array);
    array[columns.size()] = nullptr;
    return array;
}

} // namespace brelkin
