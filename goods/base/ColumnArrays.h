#pragma once

#include <memory>

class CColumnData;
class CColumnDataList;

// Deletes a list and then the column array it was built over. A list that
// was opened freed its columns (FreeRecords sets the entries to nullptr);
// the others are deleted here, after their list.
void FreeColumnList(std::unique_ptr<CColumnDataList>& list, CColumnData**& columns);
