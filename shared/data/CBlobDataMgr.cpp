#include "shared/data/CBlobDataMgr.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CPrtFormXmlDoc.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/lang/CommonMessage.h"
#include "shared/config/DeleteFileWithRetry.h"
#include "shared/lang/FormatLangText.h"
#include "shared/data/BlobRows.h"

#include "stroven/Stroven.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QString kTable = QStringLiteral("CSM012");
const QString kKeyColumn = QStringLiteral("PRTFORMCODE");
const QString kBlobColumn = QStringLiteral("PRTFORMDATA");
const QString kForm58 = QStringLiteral("RCT_GENERAL_58");
const QString kForm80 = QStringLiteral("RCT_GENERAL_80");
const char kTrailer = char(0xFF);

const char* const kBlockTags[4] = {"receipt_logo1", "receipt_logo2", "receipt_bottom1",
                                   "receipt_bottom2"};
const char* const kSwitchTags[4] = {"tatax", "tax", "graphic_logo1", "graphic_logo2"};

int IsTrue(const CPrtFormXmlDoc& doc, const QString& tag, const QString& attribute)
{
    QString value;
    return doc.ReadAttribute(tag, attribute, value) && value == u"true" ? 1 : 0;
}

bool ReadWholeFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

} // namespace

CBlobDataMgr::CBlobDataMgr() = default;

CBlobDataMgr::~CBlobDataMgr() = default;

QString CBlobDataMgr::GetXMLTempFileName()
{
    QString name;
    if (!CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(),
                                       QStringLiteral("BLOBMGR"), QStringLiteral(".XML"), name)) {
        ShowCommonMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_CREATEXMLFILE"),
                          platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return {};
    }
    return name;
}

bool CBlobDataMgr::BlobXmlDataToFile(const QString& formCode, const QString& fileName, int& status)
{
    return m_pDB &&
           ReadBlobRowToFile(*m_pDB, kTable, kKeyColumn, formCode, kBlobColumn, fileName, status);
}

bool CBlobDataMgr::FileToBlobXmlData(const QString& fileName, const QString& formCode, int& status)
{
    if (!m_pDB)
        return false;
    CSQliteSQL sql(*m_pDB, kTable);
    status = sql.SetSQLForWrite({kKeyColumn}, {QStringLiteral("UPDATEDATETIME")}, {kBlobColumn});
    if (status != 0)
        return false;
    status = sql.ExecWrite({formCode}, {GetTimestampOfNow()}, {fileName}, SQLWRITE_UPDATE);
    return status == 0;
}

bool CBlobDataMgr::LoadForm(const QString& formCode, CPrtFormXmlDoc& doc, bool& blobRead)
{
    blobRead = false;
    if (!m_pDB)
        return false;
    const QString temp = GetXMLTempFileName();
    if (temp.isEmpty())
        return false;
    int status = 0;
    QByteArray bytes;
    blobRead = BlobXmlDataToFile(formCode, temp, status) && ReadWholeFile(temp, bytes);
    DeleteBlobData(temp);
    if (!blobRead)
        return false;
    // The stored form ends in exactly one 0xFF; without it the blob is not a
    // print form and is neither read nor written back.
    if (!bytes.endsWith(kTrailer))
        return false;
    bytes.chop(1);
    return doc.Load(bytes);
}

bool CBlobDataMgr::ReadMessageBlocks(const QString& formCode, const QString& suffix,
                                     const MessageBlock (&blocks)[4])
{
    CPrtFormXmlDoc doc;
    bool blobRead = false;
    const bool loaded = LoadForm(formCode, doc, blobRead);
    if (!blobRead)
        return false; // the out values stay as they were
    const bool shortForm = suffix == u"_short";
    for (int i = 0; i < 4; ++i) {
        *blocks[i].newline = 0;
        *blocks[i].doubleSize = 0;
        *blocks[i].align = TEXTALIGN_CENTER;
        if (!loaded)
            continue;
        const QString tag = QLatin1String(kBlockTags[i]) + suffix;
        // The 58 mm blocks carry the line feed, the 80 mm ones the double size.
        if (shortForm)
            *blocks[i].newline = IsTrue(doc, tag, QStringLiteral("newline"));
        else
            *blocks[i].doubleSize = IsTrue(doc, tag, QStringLiteral("double_size"));
        QString align;
        if (doc.ReadAttribute(tag, QStringLiteral("align"), align)) {
            if (align == u"LEFT_POS")
                *blocks[i].align = TEXTALIGN_LEFT;
            else if (align == u"RIGHT_POS")
                *blocks[i].align = TEXTALIGN_RIGHT;
        }
    }
    return loaded;
}

bool CBlobDataMgr::ReadSwitches(const QString& formCode, int& tatax, int& tax, int& logo1,
                                int& logo2)
{
    CPrtFormXmlDoc doc;
    bool blobRead = false;
    const bool loaded = LoadForm(formCode, doc, blobRead);
    if (!blobRead)
        return false;
    int* const values[4] = {&tatax, &tax, &logo1, &logo2};
    for (int i = 0; i < 4; ++i)
        *values[i] =
            loaded ? IsTrue(doc, QLatin1String(kSwitchTags[i]), QStringLiteral("invalid")) : 0;
    return loaded;
}

bool CBlobDataMgr::ReadPrtFormMessage58Value(int& newline1, int& doubleSize1, TextAlign_Tag& align1,
                                             int& newline2, int& doubleSize2, TextAlign_Tag& align2,
                                             int& newline3, int& doubleSize3, TextAlign_Tag& align3,
                                             int& newline4, int& doubleSize4, TextAlign_Tag& align4)
{
    const MessageBlock blocks[4] = {{&newline1, &doubleSize1, &align1},
                                    {&newline2, &doubleSize2, &align2},
                                    {&newline3, &doubleSize3, &align3},
                                    {&newline4, &doubleSize4, &align4}};
    return ReadMessageBlocks(kForm58, QStringLiteral("_short"), blocks);
}

bool CBlobDataMgr::ReadPrtFormMessage80Value(int& newline1, int& doubleSize1, TextAlign_Tag& align1,
                                             int& newline2, int& doubleSize2, TextAlign_Tag& align2,
                                             int& newline3, int& doubleSize3, TextAlign_Tag& align3,
                                             int& newline4, int& doubleSize4, TextAlign_Tag& align4)
{
    const MessageBlock blocks[4] = {{&newline1, &doubleSize1, &align1},
                                    {&newline2, &doubleSize2, &align2},
                                    {&newline3, &doubleSize3, &align3},
                                    {&newline4, &doubleSize4, &align4}};
    return ReadMessageBlocks(kForm80, QStringLiteral("_long"), blocks);
}

bool CBlobDataMgr::ReadPrtForm58Value(int& tatax, int& tax, int& logo1, int& logo2)
{
    return ReadSwitches(kForm58, tatax, tax, logo1, logo2);
}

bool CBlobDataMgr::ReadPrtForm80Value(int& tatax, int& tax, int& logo1, int& logo2)
{
    return ReadSwitches(kForm80, tatax, tax, logo1, logo2);
}

bool CBlobDataMgr::WritePrtForm58Value(int tatax, int tax, int logo1, int logo2)
{
    return WritePrtFormValueToRecord(kForm58, tatax, tax, logo1, logo2);
}

bool CBlobDataMgr::WritePrtForm80Value(int tatax, int tax, int logo1, int logo2)
{
    return WritePrtFormValueToRecord(kForm80, tatax, tax, logo1, logo2);
}

bool CBlobDataMgr::WritePrtFormValueToRecord(const QString& formCode, int tatax, int tax, int logo1,
                                             int logo2)
{
    CPrtFormXmlDoc doc;
    bool blobRead = false;
    // A document that does not parse is never written back.
    if (!LoadForm(formCode, doc, blobRead) || !doc.IsEditable())
        return false;
    const int values[4] = {tatax, tax, logo1, logo2};
    for (int i = 0; i < 4; ++i) {
        if (values[i] < 0)
            continue; // left as it stands
        if (!doc.WriteAttribute(QLatin1String(kSwitchTags[i]), QStringLiteral("invalid"),
                                values[i] == 1 ? QStringLiteral("true") : QStringLiteral("false")))
            return false;
    }
    const QString temp = GetXMLTempFileName();
    if (temp.isEmpty())
        return false;
    int status = 0;
    const bool ok =
        WriteWholeFile(temp, doc.Bytes() + kTrailer) && FileToBlobXmlData(temp, formCode, status);
    DeleteBlobData(temp);
    return ok;
}

bool CBlobDataMgr::UpdateImageDBRecord(const QString& formCode, const QString& /*ignored*/,
                                       const QString& filePath)
{
    const QString code = formCode.isEmpty() ? m_strFormCode : formCode;
    if (!m_pDB || code.isEmpty())
        return false;
    const QString now = GetTimestampOfNow();
    return ReplaceBlobRow(*m_pDB, kTable, kKeyColumn, code,
                          {QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
                          {now, now}, kBlobColumn, filePath);
}

bool CBlobDataMgr::DeleteBlobData(const QString& path)
{
    return DeleteFileWithRetry(path);
}
