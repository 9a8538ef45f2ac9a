#pragma once

#include "archive/CrxDetail.h"
#include "archive/CrxResult.h"

#include <QString>

namespace tovanel {

// The message of a failed archive call: the text of the key, the code as
// "[%08X]", then the lines that say where the library found the fault.
QString CrxErrorText(const QString& key, CrxResult result, const CrxDetail& detail);

} // namespace tovanel
