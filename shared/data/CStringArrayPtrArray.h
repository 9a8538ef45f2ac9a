#pragma once

#include "shared/data/CMemFreePtrArray.h"

#include <QStringList>

// Rows (one QStringList of text values per row, in column order) in an
// array. Auto-delete off: the rows belong to a database statement (a mode's
// record cache); on: the array owns rows made with new.
class CStringArrayPtrArray : public CMemFreePtrArray<QStringList>
{
public:
    CStringArrayPtrArray();
    ~CStringArrayPtrArray() override;
};
