#pragma once

#include "monitor/CColumnDataListMoLocal.h"

#include "shared/data/CDataManager.h"

#include <memory>

namespace mervolt {

// What the menu builds for the item-image list window: its column set over
// CIA001 (code, scan code, name, department, image flag), the record source
// and the data manager of mode "P". The manager frees the columns and rows.
class CItemImageSource
{
public:
    // listMode 1: item images, 0: recommendation images (the window's title).
    explicit CItemImageSource(int listMode);
    ~CItemImageSource();
    CItemImageSource(const CItemImageSource&) = delete;
    CItemImageSource& operator=(const CItemImageSource&) = delete;

    CColumnDataListMoLocal& List() { return *m_list; }
    CDataManager& Manager() { return *m_manager; }

private:
    std::unique_ptr<CColumnData*[]> m_columns;
    std::unique_ptr<CColumnDataListMoLocal> m_list;
    std::unique_ptr<CDataManager> m_manager;
};

} // namespace mervolt
