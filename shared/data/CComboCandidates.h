#pragma once

#include "shared/data/CStringArrayPtrArray.h"

#include <QString>

#include <memory>

class CSQliteDB;
class CSQliteSQL;

// The candidate rows {code, text} of a column whose value is chosen from
// another table's rows: read once from that table (ordered by code), looked
// up by code. Free of widgets; the combo and item-button columns carry it.
class CComboCandidates
{
public:
    CComboCandidates(const QString& table, const QString& codeColumn, const QString& nameColumn,
                     int addBlank);
    virtual ~CComboCandidates();

    QString m_strCandTable;
    QString m_strCodeColumn;
    QString m_strNameColumn;
    bool m_bAddBlank = false;
    std::unique_ptr<CSQliteSQL> m_pCandReader;
    std::unique_ptr<CStringArrayPtrArray> m_pCandidates; // rows {code, text}, owned

    // The rows; made anew after FreeCandidates.
    CStringArrayPtrArray& Candidates();
    // Reads the rows when none are held: a blank row first when m_bAddBlank,
    // then one per table row. A failed read leaves no rows (not even the
    // blank one), so the next call tries again.
    bool ReadCandidateRows(CSQliteDB* db);
    // The text of a code by binary search over the rows in code order (as
    // the database sorts them: codes of equal width); the code itself when
    // no row has it.
    QString SortedDescript(const QString& code);
    // The size of the name column (start when it has none) plus 1 for a
    // point; start when the table information cannot be read or lacks it.
    int NameColumnWidth(CSQliteDB* db, int start) const;
    void FreeCandidates();
};

// Binary search over rows in code order; -1 when no row has the code.
qsizetype FindCandidateSorted(const CStringArrayPtrArray& rows, const QString& code);
// The first row with the code, in any order; -1 for none.
qsizetype FindCandidateLinear(const CStringArrayPtrArray& rows, const QString& code);
