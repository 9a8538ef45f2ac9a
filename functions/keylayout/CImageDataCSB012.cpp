#include "functions/keylayout/CImageDataCSB012.h"

#include "functions/keylayout/ImageFileName.h"

#include "shared/data/ReadImageFile.h"

#include "stroven/Stroven.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QThread>

#include <algorithm>

namespace kesmond {

namespace {

CImageDataCSB012::WaitFunction& RetryWait()
{
    static CImageDataCSB012::WaitFunction wait = [](int ms) { QThread::msleep(ulong(ms)); };
    return wait;
}

// Extraction and picture import keep counters of their own.
int g_extractCounter = 0;
int g_importCounter = 0;

bool HasContent(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

} // namespace

void CImageDataCSB012::SetRetryWait(WaitFunction wait)
{
    RetryWait() = wait ? std::move(wait) : [](int ms) { QThread::msleep(ulong(ms)); };
}

CImageDataCSB012::CImageDataCSB012(CSQliteDB* db) : m_pDB(db) {}

CImageDataCSB012::~CImageDataCSB012() = default;

QString CImageDataCSB012::ImageFolder(const CSQliteDB& db)
{
    return db.BlobFolder() + QLatin1Char('/') + ImageFolderName();
}

void CImageDataCSB012::CopyFrom(const CImageDataCSB012& other)
{
    m_pDB = other.m_pDB;
    m_strControlType = other.m_strControlType;
    m_strTheme = other.m_strTheme;
    m_strCode = other.m_strCode;
    m_strFileName = other.m_strFileName;
    m_strImageFile = other.m_strImageFile;
    m_strChunkFile = other.m_strChunkFile;
    m_bChanged = other.m_bChanged;
    m_bResident = other.m_bResident;
    m_image = QImage();
    m_bLoaded = false;
}

bool CImageDataCSB012::Matches(const QString& controlType, const QString& theme,
                               const QString& code)
{
    if (m_strControlType != controlType || m_strTheme != theme || m_strCode != code)
        return false;
    if (m_strImageFile.isEmpty())
        ExtractImageFiles();
    return true;
}

void CImageDataCSB012::ForgetFiles()
{
    m_strImageFile.clear();
    m_strChunkFile.clear();
    m_image = QImage();
    m_bLoaded = false;
}

void CImageDataCSB012::ExtractImageFiles()
{
    ForgetFiles();
    if (!m_pDB)
        return;
    const QString folder = ImageFolder(*m_pDB);
    const QString extension = ImageFileExtension(m_strFileName);
    const QString base = NewImageFileBase(folder, g_extractCounter, extension);
    const QString imageFile = base + extension;
    const QString chunkFile = ChunkFilePath(base, extension);

    // The theme is part of the key: with two themes of one code, each
    // record extracts its own bytes.
    CSQliteSQL sql(*m_pDB, QStringLiteral("CSB012"));
    int rc =
        sql.SetSQLForBlobRead({QStringLiteral("GRAPHICDATA"), QStringLiteral("NINEPATCHCHUNK")},
                              QStringLiteral("CONTROLTYPE = ? AND THEME = ? AND CODE = ?"));
    if (rc == 0)
        rc = sql.ExecBlobRead({m_strControlType, m_strTheme, m_strCode}, {imageFile, chunkFile});
    const bool read = rc == 0 || rc == SQLREAD_END;
    if (read && HasContent(imageFile))
        m_strImageFile = imageFile;
    else
        QFile::remove(imageFile);
    if (read && HasContent(chunkFile))
        m_strChunkFile = chunkFile;
    else
        QFile::remove(chunkFile);
}

const QImage& CImageDataCSB012::EnsureImageLoaded()
{
    if (m_strImageFile.isEmpty())
        ExtractImageFiles();
    if (!m_strImageFile.isEmpty() && !m_bLoaded) {
        ReadImageFile(m_strImageFile, m_image);
        m_bLoaded = true;
    }
    return m_image;
}

void CImageDataCSB012::SetStyleImage(const QString& controlType, const QString& theme,
                                     const QString& code, const QString& fileName)
{
    m_strControlType = controlType;
    m_strTheme = theme;
    m_strCode = code;
    m_strFileName = fileName;
    m_bChanged = true;
    ExtractImageFiles();
}

void CImageDataCSB012::ImportItemPicture(const QString& sourcePath, const QString& code,
                                         const QString& fileName)
{
    m_strControlType = QStringLiteral("ItemButton");
    m_strTheme = QStringLiteral("Standard");
    m_strCode = code;
    m_strFileName = fileName;
    ForgetFiles();
    if (!m_pDB)
        return;
    const QString extension = ImageFileExtension(fileName);
    const QString target =
        NewImageFileBase(ImageFolder(*m_pDB), g_importCounter, extension) + extension;
    QFile::remove(target);
    if (!QFile::copy(sourcePath, target) || !HasContent(target)) {
        QFile::remove(target);
        return;
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_strImageFile = target;
    m_bLoaded = true;

    QImage source;
    if (!ReadImageFile(target, source))
        return; // no picture: the key shows none
    const int w = source.width();
    const int h = source.height();
    const int side = std::min(w, h);
    const int d = (w < 150 || h < 150) ? side : 150;
    const QRect square(w > h ? (w - h) / 2 : 0, h > w ? (h - w) / 2 : 0, side, side);
    QImage picture(d, d, QImage::Format_RGB888);
    if (picture.isNull()) {
        m_image = source;
        return;
    }
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, d, d), source, square);
    }
    m_image = picture;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0)
            RetryWait()(100);
        QImageWriter writer(target, extension.mid(1).toLower().toLatin1());
        if (writer.write(picture))
            break;
    }
}

} // namespace kesmond
