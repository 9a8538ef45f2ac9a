#include "shared/data/CStampImageMgr.h"

#include "shared/config/CBasePath.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/lang/CommonMessage.h"
#include "shared/config/DeleteFileWithRetry.h"
#include "shared/lang/FormatLangText.h"
#include "shared/data/BlobRows.h"

#include "stroven/Stroven.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kTable = QStringLiteral("CSB008");
const QString kKeyColumn = QStringLiteral("GRAPHICCODE");
const QString kBlobColumn = QStringLiteral("GRAPHICDATA");

} // namespace

CStampImageMgr::CStampImageMgr() = default;

CStampImageMgr::~CStampImageMgr() = default;

QString CStampImageMgr::TempExtensionOf(const QString& registeredName)
{
    const QString name = registeredName.trimmed();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString extension = name.mid(dot + 1);
    const bool plain =
        !extension.isEmpty() && std::all_of(extension.begin(), extension.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        });
    return plain ? u'.' + extension : QString();
}

QString CStampImageMgr::MakeTempFileName(const QString& extension)
{
    QString name;
    if (!CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(), QStringLiteral("STMPIM"),
                                       extension, name)) {
        ShowCommonMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_CREATEIMGFILE"),
                          platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return {};
    }
    return name;
}

QString CStampImageMgr::GetBmpTempFileName()
{
    return MakeTempFileName(QStringLiteral(".BMP"));
}

bool CStampImageMgr::GetRegistFileName(const QString& graphicCode, QString& fileName, int& status)
{
    if (!m_pDB)
        return false;
    CSQliteSQL sql(*m_pDB, kTable);
    // The code is bound, never pasted into the condition.
    status =
        sql.SetSQLForRead({QStringLiteral("FILENAME")}, kKeyColumn + QStringLiteral(" = ?"), {}, 0);
    if (status == 0)
        status = sql.SetParamsForRead({graphicCode});
    if (status != 0)
        return false;
    CSQRowArray* rows = sql.ExecReadNext(status);
    if (!rows || (status != 0 && status != SQLREAD_END) || rows->isEmpty() ||
        rows->first()->isEmpty())
        return false;
    fileName = rows->first()->first();
    return true;
}

bool CStampImageMgr::BlobImageDataToFile(const QString& graphicCode, const QString& fileName,
                                         int& status)
{
    return m_pDB && ReadBlobRowToFile(*m_pDB, kTable, kKeyColumn, graphicCode, kBlobColumn,
                                      fileName, status);
}

bool CStampImageMgr::SetImageFromGrahicCode(const QString& graphicCode, QString& fileName,
                                            QString& tempPath)
{
    fileName.clear();
    tempPath.clear();
    m_strGraphicCode = graphicCode;
    int status = 0;
    if (!GetRegistFileName(graphicCode, fileName, status) || fileName.trimmed().isEmpty())
        return false;
    const QString temp = MakeTempFileName(TempExtensionOf(fileName));
    if (temp.isEmpty())
        return false;
    // A row without image data leaves no file behind the reserved name.
    if (!BlobImageDataToFile(graphicCode, temp, status) || !QFileInfo(temp).isFile()) {
        DeleteImageFile(temp);
        return false;
    }
    tempPath = temp;
    return true;
}

bool CStampImageMgr::UpdateImageDBRecord(const QString& graphicCode, const QString& fileName,
                                         const QString& filePath)
{
    const QString code = graphicCode.isEmpty() ? m_strGraphicCode : graphicCode;
    if (!m_pDB || code.isEmpty())
        return false;
    const QString now = GetTimestampOfNow();
    return ReplaceBlobRow(*m_pDB, kTable, kKeyColumn, code,
                          {QStringLiteral("FILENAME"), QStringLiteral("CREATEDATETIME"),
                           QStringLiteral("UPDATEDATETIME")},
                          {fileName, now, now}, kBlobColumn, filePath);
}

bool CStampImageMgr::DeleteImageFile(const QString& path)
{
    return DeleteFileWithRetry(path);
}
