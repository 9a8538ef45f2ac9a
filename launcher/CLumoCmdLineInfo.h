#pragma once

#include "shared/config/CEcrCmdLineInfo.h"

#include <QString>

namespace tovanel {

// The launcher's command line: nothing, an archive path, or "OES" followed by
// an archive path and the folder of the OES master files.
class CLumoCmdLineInfo : public CEcrCmdLineInfo
{
public:
    // Archive paths are made absolute against this folder (the start folder).
    explicit CLumoCmdLineInfo(const QString& startFolder);

    void ParseParam(const QString& param, bool isSwitch, bool isLast) override;

    int m_bOesMode = 0;
    QString m_strOesArchivePath;
    QString m_strOesDataFolder; // the last of the later parameters
    int m_bFirstParam = 1;
    QString m_strFileName; // the archive of a start without "OES"

private:
    QString Absolute(const QString& path) const;

    QString m_strStartFolder;
};

} // namespace tovanel
