#include "launcher/CLumoCmdLineInfo.h"

#include <QDir>

namespace tovanel {

CLumoCmdLineInfo::CLumoCmdLineInfo(const QString& startFolder) : m_strStartFolder(startFolder) {}

QString CLumoCmdLineInfo::Absolute(const QString& path) const
{
    return path.isEmpty() ? path : QDir::cleanPath(QDir(m_strStartFolder).absoluteFilePath(path));
}

void CLumoCmdLineInfo::ParseParam(const QString& param, bool isSwitch, bool isLast)
{
    if (m_bFirstParam) {
        m_bFirstParam = 0;
        // The keyword is exact ("oes" is an archive name); "/OES" counts too,
        // since switches arrive without their "/".
        if (param == QLatin1String("OES")) {
            m_bOesMode = 1;
            return;
        }
    }
    if (m_bOesMode) {
        if (m_strOesArchivePath.isEmpty())
            m_strOesArchivePath = Absolute(param);
        else
            m_strOesDataFolder = param; // the last one wins
        return;
    }
    CEcrCmdLineInfo::ParseParam(param, isSwitch, isLast);
    // The first plain parameter is the archive to open.
    if (!isSwitch && m_strFileName.isEmpty())
        m_strFileName = Absolute(param);
}

} // namespace tovanel
