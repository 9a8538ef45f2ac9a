#include "functions/keylayout/PrepareImageFolder.h"

#include "shared/config/CBasePath.h"

#include <QDir>
#include <QThread>

namespace kesmond {

namespace {

bool Retry(const std::function<bool()>& step, const std::function<void(int)>& wait)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0) {
            if (wait)
                wait(100);
            else
                QThread::msleep(100);
        }
        if (step())
            return true;
    }
    return false;
}

} // namespace

bool PrepareImageFolder(const QString& folder, const std::function<void(int ms)>& wait)
{
    Retry([&] { return CBasePath::DeleteFolder(folder); }, wait);
    Retry([&] { return CBasePath::MakeDirectory(folder); }, wait);
    return QDir(folder).exists() && QDir(folder).isEmpty();
}

} // namespace kesmond
