#pragma once

#include <QString>

namespace brelkin {

// The 49 label keys that never get a list column (the item's price levels 2
// to 10, its set menus 4 to 6 and its classification): the record editor
// shows them in its other-properties list instead. Case-sensitive.
bool IsUnlistedLabelKey(const QString& labelKey);

} // namespace brelkin
