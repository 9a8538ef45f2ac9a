#pragma once

// Empties the unpack folder of a path set, unpacks the archive into it and
// checks that the archive XML came out: 0, CRX_E_WORK_FOLDER, an unpack code
// (CRX_E_CANCELLED, CRX_E_UNPACK) or CRX_E_NO_DATAXML.

#include "archive/CrxResult.h"

#include <QString>

class CCrxDirEnv;

CrxResult CrxUnpackArchive(const CCrxDirEnv& env, const QString& archivePath,
                           const CrxAbortFlag* abort);
