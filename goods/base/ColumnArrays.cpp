#include "goods/base/ColumnArrays.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"

void FreeColumnList(std::unique_ptr<CColumnDataList>& list, CColumnData**& columns)
{
    const int count = list ? list->m_nColumnCount : 0;
    list.reset();
    for (int column = 0; column < count; ++column)
        delete columns[column];
    delete[] columns;
    columns = nullptr;
}
