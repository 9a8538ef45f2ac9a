#include "shared/config/CBasePath.h"

#include "shared/config/Clock.h"

#include "shared/config/CUserException.h"
#include "shared/lang/CommonMessage.h"

#include "platform/IniProfile.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

namespace {

const QString kProductSection = QStringLiteral("PRODUCT");

QString readProductText(const QString& key)
{
    return platform::IniProfile::readString(CBasePath::GetLauncherIniPath(), kProductSection, key,
                                            QString());
}

int readProductNumber(const QString& key)
{
    return platform::IniProfile::readInt(CBasePath::GetLauncherIniPath(), kProductSection, key, 0);
}

QString registryRootFor(const QString& productKey)
{
    return QStringLiteral("SOFTWARE\\Korvane\\%1\\SYSTEM").arg(productKey);
}

QString installPathFor(const QString& productKey)
{
    const auto value =
        platform::Registry::readText(platform::RegistryHive::LocalMachine,
                                     registryRootFor(productKey), QStringLiteral("InstallPath"));
    if (value && !value->isEmpty())
        return *value;
    // Never a relative path: without the value the suite runs from where it
    // was built or unpacked.
    return CBasePath::GetModuleFolder();
}

QString firstDataDir()
{
    const QStringList dirs = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
    return dirs.isEmpty() ? QStringLiteral("/usr/local/share") : dirs.first();
}

QString userDataDir()
{
    const QString dir = qEnvironmentVariable("XDG_DATA_HOME");
    return dir.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : dir;
}

QString productLocalPathFor(const QString& productKey)
{
    return QStringLiteral("Korvane/") + productKey;
}

QString stripTrailingSeparator(QString path)
{
    if (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

bool removeTree(const QString& path)
{
    QDir dir(path);
    // A read-only folder keeps its entries; make it writable first.
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner |
                                    QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            removeTree(entry.filePath());
        else
            QFile::remove(entry.filePath()); // a link goes, never its target
    }
    return dir.rmdir(path);
}

QString lastTempName; // process-wide; compared without regard to case
QString moduleFolder;
QMutex moduleFolderMutex;

} // namespace

QString CBasePath::GetDirectory(const QString& path)
{
    if (path.isEmpty())
        return {};
    const auto isSep = [](QChar c) { return c == u'\\' || c == u'/'; };
    qsizetype start = 0;
    if (path.size() >= 2 &&
        ((path[0] == u'\\' && path[1] == u'\\') || (path[0] == u'/' && path[1] == u'/'))) {
        // UNC: skip server and share.
        const auto nextSep = [&](qsizetype from) {
            qsizetype i = path.indexOf(u'\\', from);
            if (i < 0)
                i = path.indexOf(u'/', from);
            return i;
        };
        const qsizetype server = nextSep(2);
        if (server < 0)
            return {};
        const qsizetype share = nextSep(server + 1);
        if (share < 0)
            return {};
        start = share;
    } else if (path.size() >= 2 && path[1] == u':') {
        if (path.size() < 3 || !isSep(path[2]))
            return {};
        start = 2;
    }
    const QStringView part = QStringView(path).mid(start);
    qsizetype sep = part.lastIndexOf(u'\\');
    if (sep < 0)
        sep = part.lastIndexOf(u'/');
    if (sep <= 0)
        return {};
    return path.left(start + sep);
}

bool CBasePath::CheckDirectory(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool CBasePath::MakeDirectory(const QString& path)
{
    if (path.isEmpty())
        return true;
    const QFileInfo info(path);
    if (info.exists())
        return info.isDir();
    return QDir().mkpath(stripTrailingSeparator(path)) && QFileInfo(path).isDir();
}

QString CBasePath::CombinePath(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    if (a.endsWith(u'/'))
        return a + b;
    return a + u'/' + b;
}

QString CBasePath::GetProductKey()
{
    return readProductText(QStringLiteral("PRODUCTKEY"));
}

int CBasePath::GetProductMode()
{
    return readProductNumber(QStringLiteral("PRODUCTMODE"));
}

QString CBasePath::GetProductVersion()
{
    return readProductText(QStringLiteral("PRODUCTVERSION"));
}

CBasePath::ELangType CBasePath::GetLangType()
{
    return readProductNumber(QStringLiteral("LANGUAGE"));
}

QString CBasePath::GetSystemType()
{
    return readProductText(QStringLiteral("SYSTEM"));
}

QString CBasePath::GetRegistryRootKey()
{
    return registryRootFor(GetProductKey());
}

QString CBasePath::GetProductLocalPath()
{
    return productLocalPathFor(GetProductKey());
}

QString CBasePath::GetModuleFolder()
{
    QMutexLocker lock(&moduleFolderMutex);
    return moduleFolder.isEmpty() ? QCoreApplication::applicationDirPath() : moduleFolder;
}

void CBasePath::SetModuleFolder(const QString& folder)
{
    QMutexLocker lock(&moduleFolderMutex);
    moduleFolder = folder;
}

QString CBasePath::GetInstallPath()
{
    return installPathFor(GetProductKey());
}

QString CBasePath::GetInstallPathQuiet()
{
    QString ini;
    if (!FindLauncherIniPath(ini))
        return GetModuleFolder();
    return installPathFor(
        platform::IniProfile::readString(ini, kProductSection, QStringLiteral("PRODUCTKEY"), {}));
}

QString CBasePath::GetResourcePath()
{
    return CombinePath(GetInstallPath(), QStringLiteral("RESOURCE"));
}

QString CBasePath::GetRegisterBasePath(const QString& modelFolder)
{
    return CombinePath(GetResourcePath(), modelFolder);
}

QString CBasePath::GetDocumentPath()
{
    return CombinePath(GetInstallPath(), QStringLiteral("DOCUMENT"));
}

QString CBasePath::GetLocalDataBasePath()
{
    // Returned even when it cannot be made; opening a file there fails later.
    const QString path = CombinePath(userDataDir(), GetProductLocalPath());
    MakeDirectory(path);
    return path;
}

QString CBasePath::GetLocalTemporaryPath()
{
    return GetLocalDataBasePath();
}

QString CBasePath::GetLocalAnotherImportPath()
{
    const QString path = CombinePath(GetLocalDataBasePath(), QStringLiteral("CRXIMPWORK"));
    MakeDirectory(path);
    return path;
}

QString CBasePath::GetProgramDataPath()
{
    return firstDataDir() + u'/' + productLocalPathFor(GetProductKey()) + u'/';
}

QString CBasePath::GetProgramDataPathQuiet()
{
    QString ini;
    if (!FindLauncherIniPath(ini))
        return {};
    const QString key =
        platform::IniProfile::readString(ini, kProductSection, QStringLiteral("PRODUCTKEY"), {});
    return firstDataDir() + u'/' + productLocalPathFor(key) + u'/';
}

bool CBasePath::FindLauncherIniPath(QString& out)
{
    out = GetModuleFolder() + QStringLiteral("/Tovanel.ini");
    return QFileInfo(out).isFile();
}

QString CBasePath::GetLauncherIniPath()
{
    QString path;
    if (FindLauncherIniPath(path))
        return path;
    ShowCommonMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_NOTFOUNDINI"),
                      platform::MessageIcon::Error);
    throw CUserException();
}

void CBasePath::CheckLauncherIni()
{
    const QString path = GetLauncherIniPath();
    if (!GetProductKey().isEmpty())
        return;
    ShowCommonMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_BADINI"), platform::MessageIcon::Error,
                      platform::MessageButtons::Ok, path);
    throw CUserException();
}

QString CBasePath::GetLangFilePath()
{
    const QString programData = GetProgramDataPathQuiet();
    if (!programData.isEmpty()) {
        const QString path = programData + QLatin1String(kLangFileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return CombinePath(GetInstallPathQuiet(), QLatin1String(kLangFileName));
}

QString CBasePath::GetOptionsIniPath()
{
    return GetProgramDataPath() + QStringLiteral("Yarrowin.ini");
}

bool CBasePath::CreateTempFileName(const QString& folder, const QString& prefix,
                                   const QString& extension, QString& out)
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    QString base = folder;
    if (!base.endsWith(u'/'))
        base += u'/';
    // The millisecond count of the old scheme keeps the names short; a taken
    // name moves on to the next number instead of waiting for the clock.
    quint32 tick = static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
    for (int attempt = 0; attempt < 0x10000; ++attempt, ++tick) {
        const QString name = base + prefix +
                             QStringLiteral("%1").arg(tick, 8, 16, QLatin1Char('0')).toUpper() +
                             extension;
        if (name.compare(lastTempName, Qt::CaseInsensitive) == 0 || QFileInfo::exists(name))
            continue;
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            file.close();
            lastTempName = name;
            out = name;
            return true;
        }
        if (!QFileInfo::exists(name))
            return false; // the folder is missing or not writable
    }
    return false;
}

bool CBasePath::DeleteFolder(const QString& path)
{
    if (path.isEmpty())
        return true;
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return false;
    if (!info.exists())
        return true;
    const QString canonical = info.canonicalFilePath();
    if (canonical == u"/" || canonical == QFileInfo(QDir::homePath()).canonicalFilePath())
        return false;
    removeTree(canonical);
    return !QFileInfo::exists(canonical);
}

QString CBasePath::GetRegistryLocalMachineSystemString(const QString& suffix,
                                                       const QString& valueName)
{
    return platform::Registry::readText(platform::RegistryHive::LocalMachine,
                                        GetRegistryRootKey() + suffix, valueName)
        .value_or(QString());
}

QString FormatTimestamp(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString GetTimestampOfNow()
{
    return FormatTimestamp(CurrentDateTime());
}

QString GetDBFileFullPath(const QString& folder)
{
    return folder + u'/' + CBasePath::GetStrSettingDB();
}

bool WorkDatabaseExists()
{
    return QFileInfo(GetDBFileFullPath(CBasePath::GetLocalDataBasePath())).isFile();
}

bool WriteRegistryString(const QString& subKey, const QString& valueName, const QString& text)
{
    return platform::Registry::writeText(platform::RegistryHive::CurrentUser, subKey, valueName,
                                         text);
}
