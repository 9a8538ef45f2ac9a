#pragma once

#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"

#include <array>
#include <memory>
#include <vector>

class CColumnData;

namespace kesmond {

class CFcColumnDataList;

// The program's four editing modes (FK, FL, KL, CH) with their column
// lists, built once at start-up. The lists' descriptors are made with new and
// freed by their data manager when it closes.
class CFcModeTable
{
public:
    CFcModeTable();
    ~CFcModeTable();
    CFcModeTable(const CFcModeTable&) = delete;
    CFcModeTable& operator=(const CFcModeTable&) = delete;

    CDataManager* Entry(int index) const { return m_entries.at(size_t(index)).get(); }
    CFcColumnDataList* FunctionKeyList() const { return m_fkList.get(); }

private:
    // nullptr-ended arrays of the lists' descriptors.
    std::vector<CColumnData*> m_fkColumns, m_flColumns, m_klColumns, m_chColumns;
    std::unique_ptr<CFcColumnDataList> m_fkList, m_flList;
    std::unique_ptr<CColumnDataList> m_klList, m_chList;
    std::array<std::unique_ptr<CDataManager>, 4> m_entries;
};

} // namespace kesmond
