#include "monitor/CMonWindowState.h"

#include "monitor/MediaFileChecks.h"
#include "monitor/MediaFileOps.h"
#include "goods/base/ProgramMessage.h"
#include "monitor/SignageFolder.h"

#include "platform/FileChooser.h"
#include "shared/lang/CProgramLang.h"

#include <QDir>
#include <QFile>

namespace mervolt {

namespace {

// On the register "A.png" and "a.png" are one file: another file of the
// name in any case, other than the slot's own, is a clash.
bool NameTakenByAnother(const QString& folder, const QString& fileName, const QString& ownValue)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0 && entry != ownValue)
            return true;
    }
    return false;
}

} // namespace

QString CMonWindowState::WorkFolder(const QString& folder)
{
    return GetSignagePath(signage::Temporary, folder);
}

QString CMonWindowState::ToQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.trimmed());
    }
    return filters.join(QStringLiteral(";;"));
}

bool CMonWindowState::ShowSelectFileDialog(const QString& filter, QString& path, QString& fileName,
                                           QString& extension)
{
    platform::FileChoice choice;
    choice.kind = platform::FileChoice::Kind::Open;
    choice.parent = m_pWindow;
    choice.caption = GetLangString("CRDS_MO_WINNAME_SELECT");
    choice.filter = ToQtFilter(filter);
    const QString chosen = platform::chooseFile(choice);
    if (chosen.isEmpty())
        return false;
    path = chosen;
    fileName = MediaFileNameOf(chosen);
    extension = MediaExtensionOf(fileName);
    return true;
}

bool CMonWindowState::SelectMediaFile(const QString& filter, qint64 sizeLimit, const QString& key,
                                      const QString& folder, QString& editText,
                                      const QString& permitted)
{
    QString path = m_strDroppedPath;
    m_strDroppedPath.clear();
    QString fileName;
    QString extension;
    if (path.isEmpty()) {
        if (!ShowSelectFileDialog(filter, path, fileName, extension))
            return false;
    } else {
        fileName = MediaFileNameOf(path);
        extension = MediaExtensionOf(fileName);
    }
    if (!CheckPermittedExtension(m_pWindow, extension, permitted))
        return false;
    if (!CheckMediaFileName(m_pWindow, fileName))
        return false;
    if (!CheckMediaFileSize(m_pWindow, path, sizeLimit))
        return false;
    CXmlItem* item = m_ownItems.FindOrAddItem(signage::StringType, key);
    if (!item) {
        ShowProgramMessage(m_pWindow, "CRDS_MO_ERR_SETTING", platform::MessageIcon::Warning);
        return false;
    }
    const QString work = WorkFolder(folder);
    if (NameTakenByAnother(work, fileName, item->m_strValue)) {
        ShowProgramMessage(m_pWindow, "CRDS_MO_WARN_EXISTFILE", platform::MessageIcon::Warning);
        return false;
    }
    // Copy first: a failed copy leaves the slot and its old file as they were.
    CreateDirectoryRetry(work);
    if (!CopyFileRetry(path, work + u'/' + fileName)) {
        ShowProgramMessage(m_pWindow, "CRDS_MO_ERR_SETTING", platform::MessageIcon::Warning);
        return false;
    }
    const QString oldName = item->m_strValue;
    if (IsBareFileName(oldName) && oldName != fileName)
        QFile::remove(work + u'/' + oldName);
    item->m_strValue = fileName;
    editText = fileName;
    return true;
}

bool CMonWindowState::DeleteMediaFile(const QString& key, const QString& folder, QString& editText)
{
    if (ShowProgramMessage(m_pWindow, "CRDS_MO_ITEMDELETE", platform::MessageIcon::Question,
                           platform::MessageButtons::YesNo) != platform::IDYES)
        return false;
    CXmlItem* item = m_ownItems.FindOrAddItem(signage::StringType, key);
    if (!item) {
        ShowProgramMessage(m_pWindow, "CRDS_MO_ERR_SETTING", platform::MessageIcon::Warning);
        return false;
    }
    // A value that is no bare file name names no file of the slot.
    if (IsBareFileName(item->m_strValue))
        QFile::remove(WorkFolder(folder) + u'/' + item->m_strValue);
    item->m_strValue.clear();
    editText.clear();
    return true;
}

int CMonWindowState::CancelAndDiscardTemporary()
{
    RemoveDirectoryTree(GetSignagePath(signage::Temporary, QString()));
    return platform::IDCANCEL;
}

} // namespace mervolt
