#pragma once

#include "shared/data/CColumnDataDBCombo.h"

namespace mervolt {

// The department column of the item-image list: a narrow description.
class CColumnDataMoDBCombo : public CColumnDataDBCombo
{
public:
    using CColumnDataDBCombo::CColumnDataDBCombo;
    int GetDescriptWidth() override { return 10; }
};

} // namespace mervolt
