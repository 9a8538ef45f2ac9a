#include "functions/CFcColumnDataCSB022.h"

namespace kesmond {

bool CFcColumnDataCSB022::ReadListIds(int& err, std::vector<FcListType>& types)
{
    return ReadListIdPairs(err, QStringLiteral("CSB022"),
                           {QStringLiteral("SHEETNUMBER"), QStringLiteral("SHEETNUMBER")},
                           QStringLiteral("SHEETTYPE='POPUPLIST' AND CONTROLTYPE='ListDialog'"),
                           QStringLiteral("SHEETNUMBER"), types);
}

} // namespace kesmond
