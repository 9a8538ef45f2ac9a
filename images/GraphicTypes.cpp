#include "images/GraphicTypes.h"

namespace pellark {

const GraphicType& GraphicTypeOf(int code)
{
    for (const GraphicType& type : kGraphicTypes)
        if (type.code == code)
            return type;
    return kGraphicTypes[0];
}

QSize GraphicPrintSize(int code)
{
    const GraphicType& type = GraphicTypeOf(code);
    return QSize(type.width, type.height);
}

bool HasNarrowGuide(int code)
{
    return code == 1 || code == 2;
}

QSize GetGraphicSize(const QString& code)
{
    for (const GraphicType& type : kGraphicTypes)
        if (code == GraphicKey(type.code))
            return QSize(type.width, type.height);
    return QSize(0, 0);
}

QString GraphicKey(int code)
{
    return QStringLiteral("%1").arg(code, 6, 10, QLatin1Char('0'));
}

} // namespace pellark
