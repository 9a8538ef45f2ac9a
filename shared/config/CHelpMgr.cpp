#include "shared/config/CHelpMgr.h"

#include "shared/config/CBasePath.h"
#include "shared/lang/CommonMessage.h"

#include "platform/FileChooser.h"

#include <QFileInfo>

namespace {
const QString kHelpFile = QStringLiteral("NolvarSettingTool.pdf");
}

QString CHelpMgr::CreateHelpFullPath()
{
    const QString programData = CBasePath::GetProgramDataPath() + kHelpFile;
    if (QFileInfo(programData).isFile())
        return programData;
    return CBasePath::CombinePath(CBasePath::GetDocumentPath(), kHelpFile);
}

bool CHelpMgr::ShowHelpToolManual(QWidget* owner)
{
    const QString path = CreateHelpFullPath();
    if (platform::openWithDefaultProgram(path))
        return true;
    // An existing file that does not open has no program for it.
    const QString key = QFileInfo(path).isFile() ? QStringLiteral("CRDS_CMN_ERR_HELP_NOASSOC")
                                                 : QStringLiteral("CRDS_CMN_ERROR_RUN_HELP");
    ShowCommonMessage(owner, key, platform::MessageIcon::Error);
    return false;
}
