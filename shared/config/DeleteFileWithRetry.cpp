#include "shared/config/DeleteFileWithRetry.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

bool DeleteFileWithRetry(const QString& path)
{
    if (path.isEmpty())
        return true;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return true;
        if (QFile::remove(path))
            return true;
        QThread::msleep(100);
    }
    return !QFileInfo::exists(path);
}
