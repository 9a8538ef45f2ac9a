#pragma once

#include "bases/CBaseColumnLists.h"
#include "bases/ChooseMode.h"

#include "shared/data/CDataManager.h"

#include <array>
#include <memory>

namespace dunmarel {

// The mode table and the two detail managers of the setting detail list,
// with the column lists they point at.
class CDunmarelModeTable
{
public:
    CDunmarelModeTable();
    ~CDunmarelModeTable();
    CDunmarelModeTable(const CDunmarelModeTable&) = delete;
    CDunmarelModeTable& operator=(const CDunmarelModeTable&) = delete;

    CDataManager* Entry(int mode) const;
    CDataManager* DetailCleaning() const { return m_detailCleaning.get(); }
    CDataManager* DetailRestaurant() const { return m_detailRestaurant.get(); }
    CBaseColumnLists& Lists() { return m_lists; }

private:
    CBaseColumnLists m_lists; // before the managers, which point at its lists
    std::array<std::unique_ptr<CDataManager>, MODE_COUNT> m_entries;
    std::unique_ptr<CDataManager> m_detailCleaning;
    std::unique_ptr<CDataManager> m_detailRestaurant;
};

} // namespace dunmarel
