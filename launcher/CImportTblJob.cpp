#include "launcher/CImportTblJob.h"

#include "launcher/CCrxLibraryCalls.h"
#include "shared/config/CEcrInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

namespace tovanel {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The display name of the model whose list entry names the machine type.
QString ModelName(const QString& machineType)
{
    try {
        return CEcrInfo::GetCurrentEcrTypeFromIni(CEcrInfo::GetSelectedEcrTypeFromIni2(machineType),
                                                  3);
    } catch (const CUserException&) {
        // The launcher INI went missing; its message has been shown.
        return QString();
    }
}

QString VersionText(const QString& version)
{
    return version.isEmpty() ? GetLangString(QStringLiteral("CRDS_MSG_UNKNOWN")) : version;
}

// The block of one differing version: its name, then the open and the
// imported archive's version, then an empty line.
QString VersionBlock(const QString& name, const QString& open, const QString& imported)
{
    return name + kLineEnd +
           FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_EDITTARGET")), VersionText(open)) +
           kLineEnd +
           FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_IMPORTTARGET")),
                          VersionText(imported)) +
           kLineEnd + kLineEnd;
}

} // namespace

void CImportTblJob::SetFolders(const QString& localDataFolder, const QString& importFolder)
{
    m_strLocalDataFolder = localDataFolder;
    m_strImportFolder = importFolder;
    m_strWorkDbPath = localDataFolder + QStringLiteral("/SETTING.DB");
    m_strImportDbPath = importFolder + QStringLiteral("/SETTING.DB");
}

CrxResult CImportTblJob::Failed(CrxResult result)
{
    if (result != CRX_OK && result != CRX_E_CANCELLED)
        m_detail = CCrxLibraryCalls::Current().LastDetail();
    return result;
}

CrxResult CImportTblJob::ReadHeader()
{
    m_detail = CrxDetail();
    m_importHeader = CrxFileInfo();
    return Failed(CCrxLibraryCalls::Current().ImportHeader(m_strArchivePath, m_strImportFolder,
                                                           &m_abort, m_importHeader));
}

CrxResult CImportTblJob::Import()
{
    CCrxLibraryCalls& library = CCrxLibraryCalls::Current();
    m_detail = CrxDetail();
    CrxResult result = Failed(library.AnotherImportInitialize(m_strWorkDbPath, m_strImportDbPath));
    if (result == CRX_OK)
        result = Failed(library.ImportChosenTables(m_strArchivePath, m_strImportFolder, &m_abort,
                                                   m_strResourceFolder, m_importHeader, m_tables));
    // An abort that came while the tables were taken still leaves the work
    // database as it was.
    if (result == CRX_OK && CrxAborted(&m_abort))
        result = CRX_E_CANCELLED;
    if (result == CRX_OK)
        result = Failed(library.AnotherImportCopyBack(m_strWorkDbPath, m_strImportDbPath));
    const CrxResult removed = library.AnotherImportFinalize(m_strImportFolder);
    return result != CRX_OK ? result : Failed(removed);
}

QString CImportTblJob::ImportInfoLine() const
{
    return FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_IMPORTINFO")),
                          ModelName(m_importHeader.machineType),
                          ModelName(m_openHeader.machineType)) +
           kLineEnd;
}

QString CImportTblJob::PackageQuestion() const
{
    if (m_importHeader.package == m_openHeader.package)
        return QString();
    return ImportInfoLine() + kLineEnd + GetLangString(QStringLiteral("CRDS_MSG_DIFFPACKAGE")) +
           kLineEnd + kLineEnd + GetLangString(QStringLiteral("CRDS_MSG_C_CONFIRMIMPORT")) +
           kLineEnd;
}

QString CImportTblJob::VersionQuestion() const
{
    const bool regDiffers = m_importHeader.regVersion != m_openHeader.regVersion;
    const bool crxDiffers = m_importHeader.crxVersion != m_openHeader.crxVersion;
    if (!regDiffers && !crxDiffers)
        return QString();
    QString text = ImportInfoLine() + kLineEnd +
                   GetLangString(QStringLiteral("CRDS_MSG_DIFFVERSION")) + kLineEnd + kLineEnd;
    if (regDiffers)
        text += VersionBlock(GetLangString(QStringLiteral("CRDS_MSG_REGAPPNAME")),
                             m_openHeader.regVersion, m_importHeader.regVersion);
    if (crxDiffers)
        text += VersionBlock(GetLangString(QStringLiteral("CRDS_MSG_CRXFILEVERNAME")),
                             m_openHeader.crxVersion, m_importHeader.crxVersion);
    return text + GetLangString(QStringLiteral("CRDS_MSG_C_CONFIRMIMPORT")) + kLineEnd;
}

} // namespace tovanel
