#pragma once

#include <QByteArray>
#include <QString>

class CSQliteDB;
class CPrtFormXmlDoc;

// Alignment of a receipt message block.
enum TextAlign_Tag : int {
    TEXTALIGN_RIGHT = 0,  // "RIGHT_POS"
    TEXTALIGN_CENTER = 1, // any other value, or none
    TEXTALIGN_LEFT = 2,   // "LEFT_POS"
};

// A few settings inside the receipt print-form XML kept in "CSM012": the
// message blocks and the "invalid" print switches of the 58 mm form
// "RCT_GENERAL_58" and the 80 mm form "RCT_GENERAL_80". The blob is the XML
// file followed by exactly one byte 0xFF. Each call loads the form afresh
// through a temporary file in the local data folder and deletes the file.
//
// Reads return false (and leave the defaults) when the blob cannot be read,
// lacks its trailing 0xFF or is not a well-formed document; writes then store
// nothing and return false. A write changes only the attribute values it
// sets, every other byte of the document stays as it was.
class CBlobDataMgr
{
public:
    CBlobDataMgr();
    virtual ~CBlobDataMgr();
    CBlobDataMgr(const CBlobDataMgr&) = delete;
    CBlobDataMgr& operator=(const CBlobDataMgr&) = delete;

    void SetSQLitDB(CSQliteDB* db) { m_pDB = db; }

    // Blocks 1 to 4: "receipt_logo1", "receipt_logo2", "receipt_bottom1",
    // "receipt_bottom2" with "_short" (58 mm; their "newline") or "_long"
    // (80 mm; their "double_size"), and "align" of each.
    bool ReadPrtFormMessage58Value(int& newline1, int& doubleSize1, TextAlign_Tag& align1,
                                   int& newline2, int& doubleSize2, TextAlign_Tag& align2,
                                   int& newline3, int& doubleSize3, TextAlign_Tag& align3,
                                   int& newline4, int& doubleSize4, TextAlign_Tag& align4);
    bool ReadPrtFormMessage80Value(int& newline1, int& doubleSize1, TextAlign_Tag& align1,
                                   int& newline2, int& doubleSize2, TextAlign_Tag& align2,
                                   int& newline3, int& doubleSize3, TextAlign_Tag& align3,
                                   int& newline4, int& doubleSize4, TextAlign_Tag& align4);
    // "invalid" of "tatax", "tax", "graphic_logo1", "graphic_logo2": 1 for "true".
    bool ReadPrtForm58Value(int& tatax, int& tax, int& logo1, int& logo2);
    bool ReadPrtForm80Value(int& tatax, int& tax, int& logo1, int& logo2);
    // 1 writes "true", 0 (or any other positive value) "false", on every
    // element of the tag; a negative value leaves that switch as it stands.
    bool WritePrtForm58Value(int tatax, int tax, int logo1, int logo2);
    bool WritePrtForm80Value(int tatax, int tax, int logo1, int logo2);

    // Replaces the form's row (the current form when formCode is empty) by a
    // new one holding the file's bytes as they are; an empty path only
    // deletes. One transaction: a failure leaves the old row.
    bool UpdateImageDBRecord(const QString& formCode, const QString& ignored,
                             const QString& filePath);
    static bool DeleteBlobData(const QString& path);

    // A new temporary file name in the local data folder, or "" after the
    // error message.
    QString GetXMLTempFileName();
    bool BlobXmlDataToFile(const QString& formCode, const QString& fileName, int& status);
    bool FileToBlobXmlData(const QString& fileName, const QString& formCode, int& status);
    bool WritePrtFormValueToRecord(const QString& formCode, int tatax, int tax, int logo1,
                                   int logo2);

    CSQliteDB* m_pDB = nullptr;

private:
    struct MessageBlock
    {
        int* newline;
        int* doubleSize;
        TextAlign_Tag* align;
    };
    bool ReadMessageBlocks(const QString& formCode, const QString& suffix,
                           const MessageBlock (&blocks)[4]);
    bool ReadSwitches(const QString& formCode, int& tatax, int& tax, int& logo1, int& logo2);
    // The stored document without its 0xFF, read through a temporary file.
    // blobRead tells whether the blob itself could be read.
    bool LoadForm(const QString& formCode, CPrtFormXmlDoc& doc, bool& blobRead);

    QString m_strFormCode;
};
