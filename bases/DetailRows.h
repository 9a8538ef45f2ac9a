#pragma once

#include <QStringList>

class CDataManager;
class CRecord;
class CSQliteDB;

namespace dunmarel {

// The rows of the setting detail list: every "CSB001" row ordered by its
// code, without those marked "view=gone" and, in the cleaning form, without
// the two batch defaults that its check page edits.
bool LoadDetailRowsCleaning(CDataManager& detail, CSQliteDB& db);
bool LoadDetailRowsRestaurant(CDataManager& detail, CSQliteDB& db);

// Whether a "CSB001" row (in the detail list's column order) stays out of
// the list.
bool IsHiddenDetailRow(const CRecord& row, bool cleaning);
// The two settings edited as twelve check rows.
bool IsBatchDefaultSetting(const QString& code);

} // namespace dunmarel
