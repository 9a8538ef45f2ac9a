#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CDataManager;
class CErrDataInfo;
class CSQliteSQL;

namespace brelkin {

class CColumnValueCheck;
class CResDispDlg;
class CTextImpExp;

// Writes rows of column texts (a list file or pasted rows, each row led by a
// record code) into the records of a list window: each row's record is found
// by its code, or added; each value is checked and made the stored text as
// the record page's control would take it (CColumnValueCheck), and the row's
// values are saved. A value a column refuses is logged, never changed; a new
// record with a refused value is not made. Problems go to the import error
// list and the result log, each naming its file line and code.
class CListRowImport
{
public:
    explicit CListRowImport(CDataManager* dataManager);
    ~CListRowImport();
    CListRowImport(const CListRowImport&) = delete;
    CListRowImport& operator=(const CListRowImport&) = delete;

    // The log of the run (status, lines, abort button); none by default.
    void SetLog(CResDispDlg* log) { m_pLog = log; }
    // Rows whose saves share one transaction.
    void SetBatchRows(int rows) { m_nBatchRows = rows > 0 ? rows : 1; }

    // A whole run in a shown log: the start line, the rows, the records
    // line, and the end line unless the user aborted; then the log's button
    // closes it. The result of ImportRows.
    bool RunInLog(CTextImpExp& data, CResDispDlg& log);
    // The data's rows as NextRow gives them (once each). False when the
    // header is refused; true also after an abort. The caller has shown the
    // log with its start line and re-reads the list afterwards. lastLine: the
    // stop line of an abort.
    bool ImportRows(CTextImpExp& data, CErrDataInfo& errors, QString& lastLine);
    // Whether a header names any column of the list: else the file is no
    // list file of it.
    bool IsListHeader(const QStringList& header) const;
    // Fills the data's column map from its header; true (stop) when a header
    // value names no column.
    bool CheckImportHeader(CTextImpExp& data, CErrDataInfo& errors);
    // index: the record's cache index.
    bool FindOrAddRecordByNumber(const QString& code, const QStringList* row, int& index,
                                 CErrDataInfo& errors);
    // Leading zeros dropped; -1 unless whole digits remain (none: 0; an empty
    // text: -1).
    static qint64 ParseMemoryNumber(const QString& text);
    // The cache index of the first record whose code gives number; -1.
    int FindRecordByNumber(qint64 number);
    // Lets the log and its abort button answer: the queued events are
    // handled at once the first time in a run, then at most every few
    // milliseconds, so that painting the log does not set the pace.
    void PumpMessages();

    // What the last run did with the data lines it read.
    struct RowCounts
    {
        int read = 0;
        int stored = 0;
        int partly = 0; // stored with some values refused
        int refused = 0;
    };
    const RowCounts& Counts() const { return m_counts; }

private:
    enum class RowEnd { Stored, Partly, Refused };

    // The row in work, from its code to its end.
    struct RowWork
    {
        int line = 0;
        qint64 number = -1; // the memory number; -1 for none
        QString code;       // the code as stored, or as given when it is none
        QString prefix;     // names its file line and code in the log
        int firstEntry = 0; // its first entry in the error list
        int index = -1;     // its record's cache index; -1 for a new record
        bool added = false; // a new record
        int recordNo = 0;
        QString key;
        QStringList values; // the record's values, the row's taken in
        QList<int> columns; // the columns its save writes
    };

    // The steps of ImportRows.
    void StartRun();
    // A line too long to be read, or without values: refused whole. False
    // for a line of values.
    bool RefuseLine(const CTextImpExp& data, const QStringList& row, int line,
                    CErrDataInfo& errors);
    void ImportRow(const CTextImpExp& data, const QStringList& row, int line, CErrDataInfo& errors);
    RowWork StartRowWork(const QStringList& row, int line, CErrDataInfo& errors);
    void NoteRepeatedCode(const RowWork& work, CErrDataInfo& errors);
    // The values the row starts from: its record's, or a new record's.
    void LoadRecordValues(RowWork& work);
    // True when the row had a value refused.
    bool TakeValues(const CTextImpExp& data, const QStringList& row, RowWork& work,
                    CErrDataInfo& errors);
    bool CheckKeptValues(const CTextImpExp& data, qsizetype given, const RowWork& work,
                         CErrDataInfo& errors);
    // Writes the row and brings the cache level with it; false, logged,
    // when the write failed.
    bool SaveRow(RowWork& work, const QString& first, CErrDataInfo& errors);
    void EndRow(RowEnd end, const RowWork& work, CErrDataInfo& errors);
    void EndRun(const CTextImpExp& data, bool aborted, int stopLine, CErrDataInfo& errors,
                QString& lastLine);
    // The column-list index of the list-file column with this label; -1.
    int FindListColumn(const QString& label) const;

    // A row written in the open batch: enough to write it again from the
    // cache when a failing row takes the batch's transaction with it.
    struct WrittenRow
    {
        int index = -1; // cache index
        bool added = false;
        bool partly = false;
        qint64 number = -1;
        QString prefix;     // names its file line and code in the log
        QList<int> columns; // the columns its save wrote
    };

    void BuildIndex();
    QString CodeLabel() const;
    int CodeSize() const;
    void WriteMessages(CErrDataInfo& errors);
    // Row saves share a transaction until the batch is full, a save fails, or
    // the run ends; each end commits what was saved.
    void BeginBatch();
    void EndBatch(CErrDataInfo& errors);
    // Each row runs in a savepoint of the batch, so that a failing row is
    // undone alone.
    void StartRow();
    void KeepRow();
    // Undoes the row in work (and drops its added record from the cache);
    // when the failure took the whole transaction, the batch's other rows
    // are written again.
    void UndoRow();
    void ReplayBatch();
    // Writes a row's columns with the run's statements: an added record as
    // one insert that also holds its defaults and time stamps.
    bool WriteRow(bool added, const QList<int>& columns, const QStringList& values, int& err);
    CSQliteSQL* Writer(bool insert, const QStringList& columns, int& err);
    // What an insert of the list writes besides the key: the columns' own
    // defaults and the time stamps.
    void PrepareNewRecords();
    // The added record as stored joins the cache (written: the values it was
    // written with).
    bool ReadBackRecord(const QString& key, const QStringList& written, int& err);
    // The code's record (index -1: none yet), or false with its entry when
    // the code cannot be one.
    bool ResolveCode(const QString& code, const QStringList* row, int& index, CErrDataInfo& errors);
    void AddInsertFailure(const QString& first, int err, CErrDataInfo& errors);
    // Counts the row, names its line and code in its log entries, and adds
    // those of the rows that a replay could not write again.
    void FinishRow(RowEnd end, int firstEntry, const QString& prefix, CErrDataInfo& errors);
    void CountRefused(bool partly);

    CDataManager* m_pDataManager;
    CResDispDlg* m_pLog = nullptr;
    std::unique_ptr<CColumnValueCheck> m_pCheck; // of the run
    int m_nUpdatedColumn = -1;                   // UPDATEDATETIME's column index
    int m_nBatchRows = 1000;
    int m_nBatchCount = 0;
    std::unique_ptr<CSQliteSQL> m_pBatch;
    std::unique_ptr<CSQliteSQL> m_pRowSql;
    std::unique_ptr<CSQliteSQL> m_pReadBack;
    std::map<QString, std::unique_ptr<CSQliteSQL>> m_writers; // by kind and columns
    QList<WrittenRow> m_written;                              // rows of the open batch
    QList<WrittenRow> m_lostRows;                             // rows a replay could not write again
    QHash<qint64, int> m_lineOfCode;
    RowCounts m_counts;
    QList<bool> m_insertedColumns;
    QStringList m_newRecord;
    QList<int> m_stampColumns;
    QString m_strStatus;
    QString m_strNow; // the time stamp of the row in work
    int m_nStatusRecordNo = 0;
    QHash<qint64, int> m_index;
    bool m_bIndexBuilt = false;
    QElapsedTimer m_pumpClock;
};

} // namespace brelkin
