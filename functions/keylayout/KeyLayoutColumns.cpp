#include "functions/keylayout/KeyLayoutColumns.h"

namespace kesmond {

const QStringList& Csb022ColumnNames()
{
    static const QStringList names = {
        QStringLiteral("SHEETTYPE"),
        QStringLiteral("SHEETNUMBER"),
        QStringLiteral("SHEETARRANGE"),
        QStringLiteral("SHEETSEQCODE"),
        QStringLiteral("CONTROLTYPE"),
        QStringLiteral("THEME"),
        QStringLiteral("CODE"),
        QStringLiteral("USECOORDINATE"),
        QStringLiteral("POSITIONX"),
        QStringLiteral("POSITIONY"),
        QStringLiteral("WIDTH"),
        QStringLiteral("HEIGHT"),
        QStringLiteral("LABEL"),
        QStringLiteral("FOREGROUNDCOLOR"),
        QStringLiteral("BACKGROUNDCOLOR"),
        QStringLiteral("OPTIONCOLOR"),
        QStringLiteral("IMAGEFLAG"),
        QStringLiteral("BGIMGCONTROLTYPE"),
        QStringLiteral("BGIMGTHEME"),
        QStringLiteral("BGIMGCODE"),
        QStringLiteral("FONTSIZE"),
        QStringLiteral("OPERATIONMODE"),
        QStringLiteral("DISPMODE"),
        QStringLiteral("REMARKS"),
        QStringLiteral("CREATEDATETIME"),
        QStringLiteral("UPDATEDATETIME"),
    };
    return names;
}

const QStringList& KeyLayoutColumnNames()
{
    static const QStringList names = [] {
        QStringList read = Csb022ColumnNames();
        for (const char* skipped : {"BGIMGTHEME", "OPERATIONMODE", "DISPMODE"})
            read.removeOne(QLatin1String(skipped));
        return read;
    }();
    return names;
}

} // namespace kesmond
