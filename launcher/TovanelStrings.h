#pragma once

#include <QString>

// The launcher's fixed strings (not language texts).
namespace tovanel::strings {

inline const QString kWindowClass = QStringLiteral("Lumo Setting Main");
inline const QString kCrxExtension = QStringLiteral("crx");
inline const QString kModelFolder = QStringLiteral("Lumo500");
inline const QString kDefaultSettingCrx = QStringLiteral("DEFSETTING.CRX");
inline const QString kSubArchivePrefix = QStringLiteral("SUB_");
inline const QString kDiffBaseCrx = QStringLiteral("DIFFBASEFILE.CRX");
inline const QString kOesSetDataExtension = QStringLiteral("092");
inline const QString kAutoVersionOff = QStringLiteral("OFF");
inline const QString kSystemIgnore = QStringLiteral("IGNORE");
inline const QString kDisplayArchivePrefix = QStringLiteral("DISP_");

} // namespace tovanel::strings
