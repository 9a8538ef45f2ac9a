#pragma once

#include "goods/base/CButtonTable.h"

namespace brelkin {

// The buttons of the goods program's top-level windows. The floating-price
// button shows only on the cleaning product's cleaning item list.
const CButtonTable& GoodsButtonTable();

} // namespace brelkin
