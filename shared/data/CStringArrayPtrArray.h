#pragma once

#include "shared/data/CMemFreePtrArray.h"
#include "shared/data/CRecord.h"

// Rows (one compact record of text values per row, in column order) in an
// array. Auto-delete off: the rows belong to a database statement (a mode's
// record cache); on: the array owns rows made with new.
class CStringArrayPtrArray : public CMemFreePtrArray<CRecord>
{
public:
    CStringArrayPtrArray();
    ~CStringArrayPtrArray() override;
};
