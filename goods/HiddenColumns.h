#pragma once

class CColumnDataList;

namespace brelkin {

// The cleaning forms (window kinds 8, 9, 10, and 11 with WINPOS) hide the
// columns that CTT002 marks "view=gone" for their table, all but the key
// columns, and then show the few each form always needs. Other kinds read
// nothing. Reads the work database through a connection of its own; false
// (err set) when the read fails.
bool ReadHiddenColumns(CColumnDataList& list, int windowKind, bool winpos, int& err);

} // namespace brelkin
