#include "monitor/SignageFolder.h"

#include "monitor/CXmlDataArray.h"
#include "monitor/MediaFileOps.h"
#include "monitor/PreferenceXml.h"

#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"

#include <QFile>

#include <algorithm>

namespace mervolt {

namespace {

const QString kSignageSuffix = QStringLiteral("/additionals/Orbanel");

// Makes a folder when it is missing; false when it cannot be made.
bool EnsureFolder(const QString& path)
{
    return GetPathKind(path) == MON_PATH_FOLDER || CBasePath::MakeDirectory(path);
}

// Copies a default file and lets the user's copy be written (resource files
// are often installed read-only).
bool CopyDefault(const QString& source, const QString& target)
{
    if (!CopyFileRetry(source, target))
        return false;
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFile::WriteOwner | QFile::WriteUser);
    return true;
}

QStringList NumberedKeys(const QString& pattern, int count)
{
    QStringList keys;
    for (int n = 1; n <= count; ++n)
        keys << pattern.arg(n);
    return keys;
}

QStringList ImageKeys(const QString& prefix, int count)
{
    QStringList keys;
    for (int n = 1; n <= count; ++n)
        keys << QStringLiteral("%1%2_file").arg(prefix).arg(n)
             << QStringLiteral("%1%2_name").arg(prefix).arg(n);
    return keys;
}

int LimitOf(const QString& text)
{
    // A leading number, as the register tools have always read it.
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    bool ok = false;
    const int value = trimmed.left(end).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

QString GetSignageFolder()
{
    return CBasePath::GetLocalDataBasePath() + kSignageSuffix;
}

QString GetResourceSignageFolder()
{
    return CBasePath::GetResourcePath() + kSignageSuffix;
}

QString GetSignagePath(const QString& sub, const QString& file)
{
    QString path = GetSignageFolder() + u'/' + sub;
    if (!file.isEmpty())
        path += u'/' + file;
    return path;
}

QString GetSignageFilePath(const QString& sub, const QString& file)
{
    return GetSignageFolder() + u'/' + sub + u'/' + file;
}

QString GetPreferencePath()
{
    return GetSignageFilePath(signage::Setting, signage::PreferenceFile);
}

bool IsBareFileName(const QString& value)
{
    if (value.isEmpty() || value == u"." || value == u"..")
        return false;
    return std::none_of(value.begin(), value.end(), IsRefusedFileNameChar);
}

bool IsRefusedFileNameChar(QChar c)
{
    return c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

int PrepareSignageFolders()
{
    const QString folder = GetSignageFolder();
    const QString resource = GetResourceSignageFolder();
    bool ok = EnsureFolder(folder);
    for (const QString& sub : {signage::Movie, signage::FullImage, signage::FullTelop,
                               signage::Music, signage::HalfImage, signage::HalfTelop})
        ok = EnsureFolder(folder + u'/' + sub) && ok;

    // The default picture comes only with a new ItemImage folder: a user who
    // deleted it from an existing one meant to.
    const QString itemImage = folder + u'/' + signage::ItemImage;
    if (GetPathKind(itemImage) != MON_PATH_FOLDER) {
        ok = EnsureFolder(itemImage) && ok;
        const QString picture = itemImage + u'/' + signage::DefaultItemImage;
        if (!QFile::exists(picture))
            ok =
                CopyDefault(resource + u'/' + signage::ItemImage + u'/' + signage::DefaultItemImage,
                            picture) &&
                ok;
    }
    for (const QString& sub : {signage::Recommend, signage::Setting})
        ok = EnsureFolder(folder + u'/' + sub) && ok;

    const QString preference = GetPreferencePath();
    if (!QFile::exists(preference))
        ok = CopyDefault(resource + u'/' + signage::Setting + u'/' + signage::PreferenceFile,
                         preference) &&
             ok;
    return ok ? 1 : 0;
}

int ItemImageLimit()
{
    return LimitOf(GetLangString("CRDS_MO_LIMITCOUNT_ITEMIMAGE"));
}

int RecommendImageLimit()
{
    return LimitOf(GetLangString("CRDS_MO_LIMITCOUNT_RECOMMENDIMAGE"));
}

QStringList MediaFolders()
{
    return {signage::Movie,     signage::FullImage, signage::FullTelop, signage::Music,
            signage::HalfImage, signage::HalfTelop, signage::ItemImage, signage::Recommend};
}

QStringList MediaFolderKeys(const QString& folder)
{
    if (folder == signage::Movie)
        return {QStringLiteral("idle_movie_file")};
    if (folder == signage::FullImage)
        return NumberedKeys(QStringLiteral("idle_slide%1_file"), 5);
    if (folder == signage::FullTelop)
        return NumberedKeys(QStringLiteral("idle_telop%1_file"), 5);
    if (folder == signage::Music)
        return NumberedKeys(QStringLiteral("idle_music%1_file"), 5);
    if (folder == signage::HalfImage)
        return NumberedKeys(QStringLiteral("transaction_slide%1_file"), 5);
    if (folder == signage::HalfTelop)
        return NumberedKeys(QStringLiteral("transaction_telop%1_file"), 5);
    if (folder == signage::ItemImage)
        return ImageKeys(QStringLiteral("transaction_item"), ItemImageLimit());
    if (folder == signage::Recommend)
        return ImageKeys(QStringLiteral("recommend_item"), RecommendImageLimit());
    return {};
}

QStringList AllPreferenceKeys()
{
    QStringList keys;
    for (const QString& folder : MediaFolders())
        keys << MediaFolderKeys(folder);
    return keys;
}

int RepairPreferenceItems(CXmlDataArray& items, bool write)
{
    int missing = 0;
    for (const QString& folder : MediaFolders()) {
        if (GetPathKind(GetSignagePath(folder, QString())) == MON_PATH_FOLDER)
            continue;
        ++missing;
        for (const QString& key : MediaFolderKeys(folder)) {
            if (CXmlItem* item = items.FindOrAddItem(signage::StringType, key))
                item->m_strValue.clear();
        }
    }
    // The menu goes on with the items in memory whatever the write gives.
    if (missing && write)
        WritePreferenceXml(GetPreferencePath(), items);
    return missing;
}

} // namespace mervolt
