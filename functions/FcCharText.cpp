#include "functions/FcCharText.h"

#include "shared/data/CSplitStringData.h"

namespace kesmond {

bool IsHiddenCharRow(const QString& remarks)
{
    if (remarks.isEmpty())
        return false;
    const CSplitStringData parts(remarks, QStringLiteral(";"));
    for (QString part : parts.GetStringArray()) {
        part.remove(QLatin1Char(' '));
        if (part.toLower() == QLatin1String("view=gone"))
            return true;
    }
    return false;
}

} // namespace kesmond
