#include "functions/CFcColumnDataCSB022.h"

namespace kesmond {

bool CFcColumnDataCSB022::ReadListIds(int& err, std::vector<FcListType>& types)
{
    return ReadListIdPairs(err, QStringLiteral("CSB022"),
                           {QStringLiteral("SHEETNUMBER"), QStringLiteral("SHEETNUMBER")},
                           QStringLiteral("SHEETTYPE='POPUPLIST' AND CONTROLTYPE='ListDialog'"),
                           QStringLiteral("SHEETNUMBER"), types);
}

QString CFcColumnDataCSB022::ItemTable() const
{
    return QStringLiteral("CSB022");
}

QStringList CFcColumnDataCSB022::ItemColumns() const
{
    return {QStringLiteral("SHEETTYPE"),     QStringLiteral("SHEETNUMBER"),
            QStringLiteral("SHEETSEQCODE"),  QStringLiteral("SHEETARRANGE"),
            QStringLiteral("CONTROLTYPE"),   QStringLiteral("THEME"),
            QStringLiteral("CODE"),          QStringLiteral("POSITIONY"),
            QStringLiteral("REMARKS"),       QStringLiteral("CREATEDATETIME"),
            QStringLiteral("UPDATEDATETIME")};
}

QString CFcColumnDataCSB022::ListIdColumn() const
{
    return QStringLiteral("SHEETNUMBER");
}

} // namespace kesmond
