#pragma once

#include "archive/CrxResult.h"

#include <QString>

namespace tovanel {

// Fixed names of the launcher (no language texts).
inline const QString kStrCrxExtension = QStringLiteral("crx");
inline const QString kStrModelFolder = QStringLiteral("Lumo500");
inline const QString kStrNewArchive = QStringLiteral("DEFSETTING.CRX");
inline const QString kStrSubArchivePrefix = QStringLiteral("SUB_");
inline const QString kStrDiffBaseFile = QStringLiteral("DIFFBASEFILE.CRX");
inline const QString kStrSystemIgnore = QStringLiteral("IGNORE");
inline const QString kStrDispArchivePrefix = QStringLiteral("DISP_");

// The launcher's own result: the archive was made for another system.
constexpr CrxResult CRX_E_SYSTEM_MISMATCH = 0xE0000044;

} // namespace tovanel
