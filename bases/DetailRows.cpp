#include "bases/DetailRows.h"

#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"

namespace dunmarel {

namespace {

constexpr int kCodeIndex = 0;
constexpr int kRemarksIndex = 5;

// The detail manager reads through the mode's connection, so that one OK
// saves the check page and the list in one transaction.
bool LoadDetailRows(CDataManager& detail, CSQliteDB& db, bool cleaning)
{
    CColumnDataList* list = detail.GetColumnDataList();
    if (!list)
        return false;
    list->SetSQliteDB(&db, &detail.m_arrRecords);
    int err = 0;
    if (!list->ReadTableInfo(err))
        return false;
    // A failed read leaves no rows; the list then shows none.
    list->ReadRecords(err, QStringLiteral("OPSETCODE"));
    for (qsizetype i = 0; i < detail.m_arrRecords.GetSize();) {
        const CRecord* row = detail.m_arrRecords.GetAt(i);
        if (row && IsHiddenDetailRow(*row, cleaning))
            detail.m_arrRecords.RemoveAt(i);
        else
            ++i;
    }
    return true;
}

} // namespace

bool IsBatchDefaultSetting(const QString& code)
{
    return code.compare(u"REPORT.X.BATCH.DEFAULT", Qt::CaseInsensitive) == 0 ||
           code.compare(u"REPORT.Z.BATCH.DEFAULT", Qt::CaseInsensitive) == 0;
}

bool IsHiddenDetailRow(const CRecord& row, bool cleaning)
{
    if (cleaning && IsBatchDefaultSetting(row.value(kCodeIndex)))
        return true;
    const QString remarks = row.value(kRemarksIndex);
    if (!remarks.contains(u'='))
        return false;
    for (QStringView part : QStringTokenizer(remarks, u';')) {
        QString bare = part.toString();
        if (bare.remove(u' ').compare(u"view=gone", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool LoadDetailRowsCleaning(CDataManager& detail, CSQliteDB& db)
{
    return LoadDetailRows(detail, db, true);
}

bool LoadDetailRowsRestaurant(CDataManager& detail, CSQliteDB& db)
{
    return LoadDetailRows(detail, db, false);
}

} // namespace dunmarel
