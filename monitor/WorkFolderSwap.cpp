#include "monitor/WorkFolderSwap.h"

#include "monitor/MediaFileOps.h"
#include "monitor/SignageFolder.h"

#include <vector>

namespace mervolt {

namespace {

struct Swap
{
    QString real;
    QString work;
    QString aside;
    bool hadReal = false;
};

void Undo(const Swap& swap)
{
    if (GetPathKind(swap.real) == MON_PATH_FOLDER)
        MonRename(swap.real, swap.work);
    if (swap.hadReal)
        MonRename(swap.aside, swap.real);
}

} // namespace

bool SwapInWorkFolders(const QStringList& folders)
{
    // A name no media folder has; names with a dot are never copied.
    const QString asideRoot = GetSignagePath(signage::Temporary, QStringLiteral(".aside"));
    RemoveDirectoryTree(asideRoot);
    if (!CreateDirectoryRetry(asideRoot))
        return false;
    std::vector<Swap> done;
    for (const QString& folder : folders) {
        Swap swap{GetSignagePath(folder, QString()), GetSignagePath(signage::Temporary, folder),
                  asideRoot + u'/' + folder};
        bool ok = GetPathKind(swap.work) == MON_PATH_FOLDER;
        if (ok && GetPathKind(swap.real) != MON_PATH_NONE) {
            ok = MonRename(swap.real, swap.aside);
            swap.hadReal = ok;
        }
        if (ok && !MonRename(swap.work, swap.real)) {
            Undo(swap);
            ok = false;
        }
        if (!ok) {
            for (auto it = done.rbegin(); it != done.rend(); ++it)
                Undo(*it);
            return false;
        }
        done.push_back(swap);
    }
    return true;
}

} // namespace mervolt
