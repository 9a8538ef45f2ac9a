#include "functions/CFcColumnDataCSB011.h"

namespace kesmond {

bool CFcColumnDataCSB011::ReadListIds(int& err, std::vector<FcListType>& types)
{
    return ReadListIdPairs(
        err, QStringLiteral("CSB011"), {QStringLiteral("CODE"), QStringLiteral("VIEWID")},
        QStringLiteral("CONTROLTYPE='PopupListAdapter'"), QStringLiteral("CODE"), types);
}

} // namespace kesmond
