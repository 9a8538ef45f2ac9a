#pragma once

#include <QString>

class CSQliteDB;

// Stored graphics of "CSB008" (shop stamps, receipt stamps, logos): gives a
// temporary copy of an image in the local data folder, and replaces or
// deletes a stored image.
class CStampImageMgr
{
public:
    CStampImageMgr();
    virtual ~CStampImageMgr();
    CStampImageMgr(const CStampImageMgr&) = delete;
    CStampImageMgr& operator=(const CStampImageMgr&) = delete;

    void SetSQLitDB(CSQliteDB* db) { m_pDB = db; }

    // fileName receives the registered "FILENAME". On true, tempPath is the
    // full path of a copy of the stored image, which the caller deletes. A
    // blank name, a missing row or image gives false and leaves no file.
    bool SetImageFromGrahicCode(const QString& graphicCode, QString& fileName, QString& tempPath);
    // A new temporary name ending ".BMP", or "" after the error message.
    QString GetBmpTempFileName();
    // Replaces the graphic's row (the current code when graphicCode is
    // empty) by one with the file's bytes; an empty path only deletes. One
    // transaction: a failure leaves the old row.
    bool UpdateImageDBRecord(const QString& graphicCode, const QString& fileName,
                             const QString& filePath);
    static bool DeleteImageFile(const QString& path);

    bool GetRegistFileName(const QString& graphicCode, QString& fileName, int& status);
    bool BlobImageDataToFile(const QString& graphicCode, const QString& fileName, int& status);

    // The extension (with its dot) a temporary copy of a registered file
    // gets: letters and digits after the last dot, else none, so a stored
    // name can never lead the copy into another folder.
    static QString TempExtensionOf(const QString& registeredName);

    CSQliteDB* m_pDB = nullptr;

private:
    QString MakeTempFileName(const QString& extension);

    QString m_strGraphicCode;
};
