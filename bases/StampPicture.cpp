#include "bases/StampPicture.h"

#include "shared/config/DeleteFileWithRetry.h"
#include "shared/data/CStampImageMgr.h"
#include "shared/data/ReadImageFile.h"

// Resources of a static library are registered by hand.
static void InitDunmarelResources()
{
    Q_INIT_RESOURCE(Dunmarel);
}

namespace dunmarel {

QImage ProgramPicture(int resourceId)
{
    static const bool registered = (InitDunmarelResources(), true);
    Q_UNUSED(registered);
    return QImage(QStringLiteral(":/pictures/%1.png").arg(resourceId));
}

QImage LoadStampPicture(CStampImageMgr& stamps, const QString& graphicCode, int fallbackId)
{
    QString fileName;
    QString tempPath;
    QImage picture;
    if (stamps.SetImageFromGrahicCode(graphicCode, fileName, tempPath) && !tempPath.isEmpty()) {
        ReadImageFile(tempPath, picture);
        DeleteFileWithRetry(tempPath);
    }
    return picture.isNull() ? ProgramPicture(fallbackId) : picture;
}

} // namespace dunmarel
