#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The problems found while values are imported or pasted into a table (and
// the start and end notes of such a run), handed out one display line at a
// time for a result log.
class CErrDataInfo
{
public:
    // The kind of one entry; any value not listed is a plain numbered line.
    enum DataErrTypetag : qint32 {
        DATAERR_NONE = 0,
        DATAERR_ERROR = 1,   // heading, numbered, counted as an error
        DATAERR_WARNING = 2, // heading, numbered, counted as a warning
        DATAERR_ERROR2 = 3,  // as DATAERR_ERROR
        DATAERR_NOTE = 4,    // no heading, no running number, not counted
    };

    CErrDataInfo();
    virtual ~CErrDataInfo();

    // number: the record number, 0 for none.
    void AddErrData(DataErrTypetag kind, int number, const QString& text1, const QString& text2,
                    const QString& text3);
    // The line of the next entry not yet displayed; "" once all were.
    QString GetNextErrMsg();
    // Errors and warnings among the lines already handed out.
    int GetErrCnt() const { return m_nErrCnt; }
    int GetWarningCnt() const { return m_nWarningCnt; }
    // Entries added so far, displayed or not.
    int GetDataCnt() const { return m_nDataCnt; }
    // The entries from index first on name their place by prefix (e.g. a file
    // line) in place of a record number: it goes before their first text.
    void TagEntriesFrom(int first, const QString& prefix);

private:
    int m_nDataCnt = 0;
    int m_nNextIndex = 0;
    int m_nLineNo = 0;
    int m_nErrCnt = 0;
    int m_nWarningCnt = 0;
    QList<qint32> m_arrKinds;
    QList<int> m_arrNumbers;
    QStringList m_arrText1;
    QStringList m_arrText2;
    QStringList m_arrText3;
};
