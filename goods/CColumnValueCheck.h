#pragma once

#include "shared/textfiles/CErrDataInfo.h"

#include <QHash>
#include <QString>
#include <QStringList>

class CColumnData;
class CDataManager;

namespace brelkin {

// A value given as text for a column of a goods list, checked and made the
// stored text as the record page's control of that column takes it when a
// user types or chooses it (an edit's characters and length, a combo's entry
// text, a radio's text, a sub-item's form, then the column's own check), but
// without any widget. The row import checks every value with it; the record
// page checks its controls' values and the sub-item texts it is given with it.
class CColumnValueCheck
{
public:
    // Import: any text, as a file gives it. Page: what a record page's
    // control holds; the page also sets what only it may set (a clerk's key
    // id), takes its combo's chosen entry and an item button's chosen code,
    // and a radio it checked that has no text of the first two is its own.
    enum class Source { Import, Page };

    // dataManager: the list's mode entry; pageId: the record page whose
    // controls (and radio texts) the values stand for.
    CColumnValueCheck(CDataManager* dataManager, unsigned pageId, Source source = Source::Import);

    struct Result
    {
        enum class Outcome { Stored, Refused, Ignored };
        Outcome outcome = Outcome::Ignored;
        QString value; // Stored: the text to store
        // Refused: the import error entry's kind and its first two texts
        // (the value is its third).
        CErrDataInfo::DataErrTypetag kind = CErrDataInfo::DATAERR_ERROR;
        QString text1;
        QString text2;
    };
    // code: the record's code (a scan code may be no other item's); entry:
    // the candidate a page's combo has chosen (-1: none); lengthTaken: the
    // length a page's edit takes, longer than the column's limit when the
    // edit kept a longer stored text whole (0: the limit). A refusal by the
    // column's own check leaves its reason in the column's m_strErrMsg.
    Result Check(int columnIndex, const QString& text, const QString& code, int entry = -1,
                 int lengthTaken = 0);
    // Whether the page shows a column in its sub-item list.
    bool IsSubItem(int columnIndex) const;
    // The column's own check of a value the record keeps (a value the row
    // did not give): false with the reason's language text.
    bool CheckKept(int columnIndex, const QString& value, const QString& code, QString& reason);

private:
    Result CheckEdit(CColumnData* column, const QString& text, const QString& code,
                     int lengthTaken);
    Result CheckCombo(CColumnData* column, const QString& text);
    Result CheckChosenEntry(CColumnData* column, int entry);
    Result CheckChosenCode(CColumnData* column, const QString& code);
    Result CheckRadio(CColumnData* column, const QString& text);
    Result CheckSubItem(CColumnData* column, const QString& text);
    // The column's candidate rows, read once a run as the page reads them.
    const QStringList& CandidateTexts(CColumnData* column);
    bool ColumnAccepts(CColumnData* column, const QString& text, const QString& code,
                       QString& reason);

    CDataManager* m_pDataManager;
    unsigned m_nPageId;
    Source m_source;
    bool m_bSubItemList;
    QHash<const CColumnData*, QStringList> m_candidateTexts;
};

} // namespace brelkin
