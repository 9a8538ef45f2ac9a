#include "launcher/OesSetDataFile.h"

#include "launcher/TovanelStrings.h"

#include <QFileInfo>

namespace tovanel {

QString CheckOesSetDataFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QStringLiteral("CRDS_MSG_E_NOFILE092");
    // Compared exactly: "a.O92" and a name without "." are refused.
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || path.mid(dot + 1) != strings::kOesSetDataExtension)
        return QStringLiteral("CRDS_MSG_E_SELOESFILE");
    return QString();
}

} // namespace tovanel
