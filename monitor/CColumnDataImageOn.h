#pragma once

#include "shared/data/CColumnData.h"

namespace mervolt {

// The image mark column of the item-image list: a plain column whose list
// width comes from the language file, as the mark's text does.
class CColumnDataImageOn : public CColumnData
{
public:
    using CColumnData::CColumnData;
    int GetDescriptWidth() override;
};

} // namespace mervolt
