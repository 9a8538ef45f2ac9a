#include "functions/CFcColumnDataCSB011.h"

namespace kesmond {

bool CFcColumnDataCSB011::ReadListIds(int& err, std::vector<FcListType>& types)
{
    return ReadListIdPairs(
        err, QStringLiteral("CSB011"), {QStringLiteral("CODE"), QStringLiteral("VIEWID")},
        QStringLiteral("CONTROLTYPE='PopupListAdapter'"), QStringLiteral("CODE"), types);
}

QString CFcColumnDataCSB011::ItemTable() const
{
    return QStringLiteral("CSB011");
}

QStringList CFcColumnDataCSB011::ItemColumns() const
{
    return {QStringLiteral("VIEWID"),
            QStringLiteral("PARENTVIEWID"),
            QStringLiteral("CONTROLTYPE"),
            QStringLiteral("THEME"),
            QStringLiteral("CODE"),
            QStringLiteral("POSITIONY"),
            QStringLiteral("FOREGROUNDCOLOR"),
            QStringLiteral("BACKGROUNDCOLOR"),
            QStringLiteral("OPTIONCOLOR"),
            QStringLiteral("CREATEDATETIME"),
            QStringLiteral("UPDATEDATETIME")};
}

QString CFcColumnDataCSB011::ListIdColumn() const
{
    return QStringLiteral("PARENTVIEWID");
}

} // namespace kesmond
