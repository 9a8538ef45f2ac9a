#include "monitor/CItemImageSlots.h"

#include "monitor/MediaFileChecks.h"
#include "monitor/MediaFileOps.h"
#include "goods/base/ProgramMessage.h"
#include "monitor/SignageFolder.h"

#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace mervolt {

namespace {

constexpr int kMaxCodeWidth = 16;

QString DefaultImageName()
{
    return GetLangString("CRDC_FILENAME_DEFAULT_ITEMIMAGE");
}

// The character of a code that keeps it from naming a bare file ("" when none).
QString FirstRefusedCodeChar(const QString& code)
{
    if (code.startsWith(u'.'))
        return QStringLiteral(".");
    const auto refused = std::find_if(code.begin(), code.end(), IsRefusedFileNameChar);
    return refused != code.end() ? QString(*refused) : QString();
}

} // namespace

CItemImageSlots::CItemImageSlots(CXmlDataArray& items, int listMode, int codeWidth, int limit,
                                 const QString& workCopy, const QStringList& permitted)
    : m_items(items), m_nListMode(listMode), m_nCodeWidth(codeWidth), m_nLimit(limit),
      m_strWorkCopy(workCopy), m_permitted(permitted)
{
}

bool CItemImageSlots::ReadCodeWidth(const QString& text, int& width)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > kMaxCodeWidth)
        return false;
    width = value;
    return true;
}

QString CItemImageSlots::FileKey(int listMode, int slot)
{
    return (listMode == 1 ? QStringLiteral("transaction_item%1_file")
                          : QStringLiteral("recommend_item%1_file"))
        .arg(slot);
}

QString CItemImageSlots::NameKey(int listMode, int slot)
{
    return (listMode == 1 ? QStringLiteral("transaction_item%1_name")
                          : QStringLiteral("recommend_item%1_name"))
        .arg(slot);
}

QString CItemImageSlots::PictureFolder(int listMode)
{
    return listMode == 1 ? signage::ItemImage : signage::Recommend;
}

CXmlItem* CItemImageSlots::FileItem(int slot)
{
    return m_items.FindOrAddItem(signage::StringType, FileKey(m_nListMode, slot));
}

CXmlItem* CItemImageSlots::NameItem(int slot)
{
    return m_items.FindOrAddItem(signage::StringType, NameKey(m_nListMode, slot));
}

QString CItemImageSlots::FileValue(int slot)
{
    return FileItem(slot)->m_strValue;
}

QString CItemImageSlots::NameValue(int slot)
{
    return NameItem(slot)->m_strValue;
}

QString CItemImageSlots::CodeOfSlot(int slot)
{
    return FileValue(slot).left(m_nCodeWidth);
}

int CItemImageSlots::SlotOfCode(const QString& code)
{
    for (int slot = 1; slot <= m_nLimit; ++slot) {
        if (!FileValue(slot).isEmpty() && CodeOfSlot(slot) == code)
            return slot;
    }
    return 0;
}

int CItemImageSlots::FirstFreeSlot()
{
    for (int slot = 1; slot <= m_nLimit; ++slot) {
        if (FileValue(slot).isEmpty())
            return slot;
    }
    return 0;
}

void CItemImageSlots::DeletePicturesOf(const QString& base, const QString& keep) const
{
    const QStringList entries = QDir(m_strWorkCopy).entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        if (entry == keep)
            continue;
        for (const QString& extension : m_permitted) {
            if (entry.compare(base + u'.' + extension, Qt::CaseInsensitive) == 0) {
                DeleteFileRetry(m_strWorkCopy + u'/' + entry);
                break;
            }
        }
    }
}

int CItemImageSlots::SlotForCode(QWidget* parent, const QString& code)
{
    const int own = SlotOfCode(code);
    const int slot = own != 0 ? own : FirstFreeSlot();
    if (slot == 0)
        ShowProgramMessage(parent, "CRDS_MO_WRN_SELECT_OVER", platform::MessageIcon::Warning);
    return slot;
}

bool CItemImageSlots::CheckPictureFile(QWidget* parent, const QString& path, qint64 sizeLimit,
                                       bool defaultImage) const
{
    const QString fileName = MediaFileNameOf(path);
    if (!CheckPermittedExtension(parent, MediaExtensionOf(fileName), m_permitted.join(u'|') + u'|'))
        return false;
    if (!CheckMediaFileName(parent, fileName))
        return false;
    if ((sizeLimit != 0 || defaultImage) && !CheckMediaPathLength(parent, path))
        return false;
    if (sizeLimit == 0)
        return true;
    if (GetPathKind(path) == MON_PATH_FOLDER) {
        ShowProgramMessage(parent, "CRDS_MO_WRN_IGNORE_EXT", platform::MessageIcon::Warning);
        return false;
    }
    return CheckMediaFileSize(parent, path, sizeLimit);
}

bool CItemImageSlots::SetPicture(QWidget* parent, const QString& code, const QString& name,
                                 const QString& source, const QString& extension)
{
    // A code with "/" would copy outside the folder; a dot name is skipped
    // by the commit's tree copy and lost.
    const QString newName = code + u'.' + extension;
    if (code.isEmpty() || code.startsWith(u'.') || !IsBareFileName(newName)) {
        ShowProgramMessage(parent, "CRDS_MO_WARN_INVALIDCHAR", platform::MessageIcon::Warning,
                           platform::MessageButtons::Ok, FirstRefusedCodeChar(code));
        return false;
    }
    const int slot = SlotForCode(parent, code);
    if (slot == 0)
        return false;
    CreateDirectoryRetry(m_strWorkCopy);
    if (!CopyFileRetry(source, m_strWorkCopy + u'/' + newName)) {
        ShowProgramMessage(parent, "CRDS_MO_MSG_E_COPYFILE", platform::MessageIcon::Error);
        return false;
    }
    DeletePicturesOf(code, newName);
    FileItem(slot)->m_strValue = newName;
    NameItem(slot)->m_strValue = name;
    return true;
}

void CItemImageSlots::ClearSlot(int slot)
{
    CXmlItem* file = FileItem(slot);
    if (IsBareFileName(file->m_strValue))
        DeleteFileRetry(m_strWorkCopy + u'/' + file->m_strValue);
    file->m_strValue.clear();
    NameItem(slot)->m_strValue.clear();
}

bool CItemImageSlots::DeletePicture(QWidget* parent, const QString& code)
{
    const int slot = SlotForCode(parent, code);
    if (slot == 0)
        return false;
    ClearSlot(slot);
    return true;
}

void CItemImageSlots::ResolveCodesWithoutItem(QWidget* parent,
                                              const std::function<bool(const QString&)>& hasRow)
{
    for (int slot = 1; slot <= m_nLimit; ++slot) {
        const QString code = CodeOfSlot(slot);
        if (code.isEmpty() || hasRow(code))
            continue;
        if (ShowProgramMessage(parent, "CRDS_MO_WARN_NOEXISTITEM", platform::MessageIcon::Warning,
                               platform::MessageButtons::OkCancel, code) == platform::IDOK)
            ClearSlot(slot);
    }
}

bool CItemImageSlots::SetDefaultImage(QWidget* parent, const QString& source,
                                      const QString& extension)
{
    const QString newName = DefaultImageName() + u'.' + extension;
    CreateDirectoryRetry(m_strWorkCopy);
    if (!CopyFileRetry(source, m_strWorkCopy + u'/' + newName)) {
        ShowProgramMessage(parent, "CRDS_MO_ERR_SETTING", platform::MessageIcon::Warning);
        return false;
    }
    DeletePicturesOf(DefaultImageName(), newName);
    return true;
}

QString CItemImageSlots::DefaultImagePath() const
{
    QString found;
    for (const QString& extension : m_permitted) {
        const QString path = m_strWorkCopy + u'/' + DefaultImageName() + u'.' + extension;
        if (QFile::exists(path))
            found = path;
    }
    return found;
}

} // namespace mervolt
