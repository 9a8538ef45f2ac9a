#include "monitor/CColumnDataImageOn.h"

#include "shared/data/NumberOfText.h"
#include "shared/lang/CProgramLang.h"

namespace mervolt {

int CColumnDataImageOn::GetDescriptWidth()
{
    return int(NumberOfText(GetLangString(QStringLiteral("CRDS_MO_CLMN_IMAGEON_WIDTH"))));
}

} // namespace mervolt
