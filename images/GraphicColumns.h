#pragma once

class CColumnDataList;

namespace pellark {

// The static column table of "CSB008": GRAPHICCODE (the six graphic types,
// key), FILENAME, and the two time stamps (not shown). Built on first use,
// it lives as long as the program.
enum EGraphicColumn { kGraphicCode = 0, kFileName = 1, kCreateTime = 2, kUpdateTime = 3 };
CColumnDataList& GraphicColumnList();

} // namespace pellark
