#pragma once

// A list row shows record row + 1 of the record cache.
inline int GetRecordNo(int itemIndex)
{
    return itemIndex + 1;
}

inline int GetItemIndex(int recordNo)
{
    return recordNo > 0 ? recordNo - 1 : 0;
}
