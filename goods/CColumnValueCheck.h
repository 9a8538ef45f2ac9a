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
// without any widget. The row import checks every value with it; the page's
// sub-item list checks an imported text with it.
class CColumnValueCheck
{
public:
    // dataManager: the list's mode entry; pageId: the record page whose
    // controls (and radio texts) the values stand for.
    CColumnValueCheck(CDataManager* dataManager, unsigned pageId);

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
    // code: the record's code (a scan code may be no other item's).
    Result Check(int columnIndex, const QString& text, const QString& code);
    // Whether the page shows a column in its sub-item list.
    bool IsSubItem(int columnIndex) const;
    // The column's own check of a value the record keeps (a value the row
    // did not give): false with the reason's language text.
    bool CheckKept(int columnIndex, const QString& value, const QString& code, QString& reason);

private:
    Result CheckEdit(CColumnData* column, const QString& text, const QString& code);
    Result CheckCombo(CColumnData* column, const QString& text);
    Result CheckRadio(CColumnData* column, const QString& text);
    Result CheckSubItem(CColumnData* column, const QString& text);
    // The column's candidate rows, read once a run as the page reads them.
    const QStringList& CandidateTexts(CColumnData* column);
    bool ColumnAccepts(CColumnData* column, const QString& text, const QString& code,
                       QString& reason);

    CDataManager* m_pDataManager;
    unsigned m_nPageId;
    bool m_bSubItemList;
    QHash<const CColumnData*, QStringList> m_candidateTexts;
};

} // namespace brelkin
