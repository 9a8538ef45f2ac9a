#include "monitor/ItemImageWorkCopy.h"

#include "monitor/CItemImageSlots.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/MediaFileOps.h"
#include "monitor/SignageFolder.h"
#include "monitor/WorkFolderSwap.h"

namespace mervolt {

namespace {

void CopySlotItems(int listMode, int limit, CXmlDataArray& from, CXmlDataArray& to)
{
    for (int slot = 1; slot <= limit; ++slot) {
        for (const QString& key :
             {CItemImageSlots::FileKey(listMode, slot), CItemImageSlots::NameKey(listMode, slot)})
            to.FindOrAddItem(signage::StringType, key)->m_strValue =
                from.FindOrAddItem(signage::StringType, key)->m_strValue;
    }
}

} // namespace

bool PrepareItemImageWorkCopy(int listMode, int limit, CXmlDataArray& menu, CXmlDataArray& own)
{
    const QString folder = CItemImageSlots::PictureFolder(listMode);
    // Left-overs of an earlier run must not reach the register.
    RemoveDirectoryTree(GetSignagePath(signage::Temporary, QString()));
    const QString work = GetSignagePath(signage::Temporary, folder);
    if (!CreateDirectoryRetry(work))
        return false;
    const QString real = GetSignagePath(folder, QString());
    // Links stand in for copies: the list replaces and deletes pictures of
    // the work copy, it never writes one in place.
    MonCopyControl control;
    control.link = true;
    if (GetPathKind(real) == MON_PATH_FOLDER && !CopyDirectoryTree(real, work, &control))
        return false;
    CopySlotItems(listMode, limit, menu, own);
    return true;
}

bool CommitItemImageWorkCopy(int listMode, int limit, CXmlDataArray& menu, CXmlDataArray& own)
{
    if (!SwapInWorkFolders({CItemImageSlots::PictureFolder(listMode)}))
        return false;
    CopySlotItems(listMode, limit, own, menu);
    // The old folder went aside into the work folder.
    RemoveDirectoryTree(GetSignagePath(signage::Temporary, QString()));
    return true;
}

} // namespace mervolt
