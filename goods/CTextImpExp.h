#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CStringArrayPtrArray;
class QWidget;

namespace brelkin {

class CListFileReader;

// The rows of a list file (UTF-16LE with its mark, TAB between values, CR LF
// after each line, the header in line 1) or of list rows on the clipboard.
// Rows can be tied to consecutive records of the list before they are saved.
// A list file can also be opened for its rows to be read one at a time.
class CTextImpExp
{
public:
    CTextImpExp();
    virtual ~CTextImpExp();
    CTextImpExp(const CTextImpExp&) = delete;
    CTextImpExp& operator=(const CTextImpExp&) = delete;

    // Written beside the target and renamed over it: a failed write leaves
    // the old file. False also when a value cannot be carried (see
    // FindBadValueRow); ErrorString() then stays empty.
    bool WriteListFile(const QString& path);
    // The whole file, decoded by its mark (FF FE or none: UTF-16LE; EF BB BF:
    // UTF-8); CR LF or LF end a line; a blank line ends the data. False when
    // it cannot be opened, or its first line is empty, missing or does not
    // decode (see ReadFault). The rows held keep no word of a value that
    // did not decode: an import reads its file with OpenListFile.
    bool ReadListFile(const QString& path);
    // Opens a list file for NextRow to read its rows as they are asked for:
    // the header is read at once, the rows held are dropped. False as
    // ReadListFile.
    bool OpenListFile(const QString& path);
    // The next row, each given once and in order: of the list file opened
    // (up to its end or a blank line), after it of the rows held. False
    // after the last.
    bool NextRow(QStringList& row);
    // Of the file row NextRow gave last: the values whose bytes do not
    // decode (they hold what the decoder made of them).
    const QList<int>& UndecodedValues() const { return m_undecoded; }
    // Of the file row NextRow gave last: its line was longer than a list
    // file line is read (CListFileReader::MaxLineBytes); it has no values.
    bool RowTooLong() const { return m_bTooLong; }
    // Once NextRow has given the file's last row: the blank line that ended
    // the data (0: the file's end did) and the lines after it that are not
    // blank, which were not read.
    int DataEndLine() const { return m_nDataEndLine; }
    int LinesNotRead() const { return m_nLinesNotRead; }

    // Why the last ReadListFile or OpenListFile failed.
    enum class ReadFault { None, File, NoHeader, Encoding };
    ReadFault GetReadFault() const { return m_readFault; }
    // The file's own error text of the last failed write or read.
    QString ErrorString() const { return m_strError; }

    // The row at index; rows up to it are added when it is past the end.
    QStringList* GetRow(int index);
    int GetRowCount() const { return int(m_rows.size()); }
    // The number of values of the first row, 0 without rows.
    int GetColumnCount() const;
    // Also the header, and a list file opened.
    void RemoveAllRows();

    // Tie the rows to the records from firstRecordNo on: the record's code
    // goes before the row's values (Insert) or in place of its first value
    // (Replace); rows past the last record are dropped.
    void InsertRecordCodes(int firstRecordNo, const CStringArrayPtrArray& records);
    void ReplaceRecordCodes(int firstRecordNo, const CStringArrayPtrArray& records);

    // The rows (no header) as text, values joined by TAB, each row ended by
    // CR LF. False, and the clipboard untouched, when a value cannot be
    // carried.
    bool CopyRowsToClipboard(QWidget* owner);
    // Each line of the clipboard's text (ended by CR LF or LF, the last one
    // also without) becomes a new row, split at every TAB. False when the
    // clipboard holds no text.
    bool PasteRowsFromClipboard(QWidget* owner);

    // A TAB, CR or LF inside a value would shift every later value on reading.
    static bool IsListValue(const QString& value);
    // The first row holding a value that cannot be carried, -2 for the
    // header, -1 when every value can be.
    int FindBadValueRow() const;
    // Shows "CRDS_PR_ERROR_LISTVALUE" naming the code of the first row that
    // holds such a value (codes by row; the row's first value where codes
    // has none) and returns false; true when every value can be carried.
    bool CheckListValues(QWidget* owner, const QStringList& codes) const;

    QStringList m_arrHeader;
    QList<uint> m_arrColumnMap; // kept for the user of the class
    // The line number of the first row in its file (the header is line 1;
    // pasted rows have none).
    int m_nFirstDataLine = 2;

private:
    // A file line without TAB, or with a TAB first, gives no values.
    static QStringList SplitFileLine(const QString& line);
    void TieRecordCodes(int firstRecordNo, const CStringArrayPtrArray& records, bool insert);
    QString RowsText() const;

    std::vector<std::unique_ptr<QStringList>> m_rows;
    std::unique_ptr<CListFileReader> m_pReader; // of the list file opened
    int m_nLinesGiven = 0;                      // of the list file opened, the header too
    size_t m_nNextRow = 0;                      // the held row NextRow gives
    QList<int> m_undecoded;
    bool m_bTooLong = false;
    int m_nDataEndLine = 0;
    int m_nLinesNotRead = 0;
    ReadFault m_readFault = ReadFault::None;
    QString m_strError;
};

} // namespace brelkin
