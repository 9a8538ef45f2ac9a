#pragma once

#include <QImage>
#include <QString>

#include <functional>

class CSQliteDB;

namespace kesmond {

// One CSB012 button image: its key, its FILENAME and the temporary files
// its GRAPHICDATA and NINEPATCHCHUNK blobs are extracted to in "BTNIMG"
// beside the work database. The picture is loaded on first need.
class CImageDataCSB012
{
public:
    // Pauses between attempts to save an imported picture (tests wait 0).
    using WaitFunction = std::function<void(int ms)>;
    static void SetRetryWait(WaitFunction wait);

    explicit CImageDataCSB012(CSQliteDB* db);
    CImageDataCSB012(const CImageDataCSB012&) = delete;
    CImageDataCSB012& operator=(const CImageDataCSB012&) = delete;
    virtual ~CImageDataCSB012();

    // Copies the connection, the texts, changed and resident; not the image.
    void CopyFrom(const CImageDataCSB012& other);
    // Exact comparison; a match is extracted when it has no image file yet.
    bool Matches(const QString& controlType, const QString& theme, const QString& code);
    // Extracts both blobs of the record's key into new files; a blob that
    // cannot be read or is empty gives no file.
    void ExtractImageFiles();
    // The picture, extracted and loaded first when needed; a null image
    // when there is no file or it does not decode within the size limit.
    const QImage& EnsureImageLoaded();
    // A style chosen for a key: the record takes the key, is marked changed
    // and extracts its files.
    void SetStyleImage(const QString& controlType, const QString& theme, const QString& code,
                       const QString& fileName);
    // An item picture from a file the user chose: copied into the image
    // folder, cut to its centred square and made at most 150 pixels a side.
    void ImportItemPicture(const QString& sourcePath, const QString& code, const QString& fileName);

    // The image folder's full path for a connection.
    static QString ImageFolder(const CSQliteDB& db);

    CSQliteDB* m_pDB = nullptr; // not owned
    QString m_strControlType;
    QString m_strTheme;
    QString m_strCode;
    QString m_strFileName;
    QString m_strImageFile; // "" = not extracted or empty
    QString m_strChunkFile; // "" = none
    bool m_bResident = false;
    bool m_bChanged = false;

private:
    void ForgetFiles();

    QImage m_image;
    bool m_bLoaded = false;
};

} // namespace kesmond
