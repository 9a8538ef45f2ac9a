#pragma once

#include <vector>

class CColumnData;

namespace brelkin {

// A nullptr-ended array made with new from the given columns.
CColumnData** ToColumnArray(const std::vector<CColumnData*>& columns);

} // namespace brelkin
