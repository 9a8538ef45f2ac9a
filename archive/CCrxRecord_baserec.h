#pragma once

// "baserec": the key columns of a deleted row (written by a difference
// export; never read).

#include "archive/CCrxRecord_datarec.h"

class CCrxRecord_baserec : public CCrxRecord_datarec
{
public:
    CCrxRecord_baserec() : CCrxRecord_datarec(crxname::kBaserec) {}

protected:
    bool KeysOnly() const override { return true; }
};
