#pragma once

// An archive opened into a base folder as the launcher opens one: header,
// initial database of the model, then every table.

#include "archive/QuorvinImport.h"

namespace korvane::bench {

inline CrxResult OpenArchive(const QString& archive, const QString& base, const QString& resource,
                             const QString& model)
{
    CrxFileInfo info;
    CrxResult rc = CrxImportHeader(archive, base, nullptr, &info.machineType, &info.crxVersion,
                                   &info.regVersion, &info.system, &info.package,
                                   &info.regVersionFlags, &info.packageFlags);
    if (rc == CRX_OK)
        rc = CrxImportInitSettingDB(archive, base, resource, model);
    if (rc == CRX_OK)
        rc = CrxImportContents(archive, base, nullptr, 0, resource, &info.machineType,
                               &info.crxVersion, &info.regVersion, &info.system, &info.package,
                               &info.regVersionFlags, &info.packageFlags, nullptr);
    return rc;
}

} // namespace korvane::bench
