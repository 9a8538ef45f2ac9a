#include "functions/FcListTypeTable.h"

#include "shared/lang/CProgramLang.h"

namespace kesmond {

std::vector<FcListType> FcListTypes(bool newLayout)
{
    static const char* const kKeys[] = {"CRDS_FC_FUNCLISTTYPE_CHECK", "CRDS_FC_FUNCLISTTYPE_ITEM",
                                        "CRDS_FC_FUNCLISTTYPE_PAYMENT"};
    const int firstCode = newLayout ? 0 : 3;
    std::vector<FcListType> types;
    for (int i = 0; i < 3; ++i) {
        const QString key = QLatin1String(kKeys[i]);
        types.push_back({QString::number(firstCode + i), QString(), key, GetLangString(key)});
    }
    return types;
}

} // namespace kesmond
