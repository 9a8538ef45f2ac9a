#include "functions/keylayout/KeyLayoutColour.h"

#include "shared/data/NumberOfText.h"

namespace kesmond {

QColor ColourFromDb(int value)
{
    if (value == -1)
        return QColor(255, 255, 255);
    const quint32 bits = quint32(value);
    return QColor(int((bits >> 16) & 0xFF), int((bits >> 8) & 0xFF), int(bits & 0xFF));
}

QString ColourToDbText(int value)
{
    return QString::number(qint32(value));
}

int ColourFromText(const QString& text)
{
    return int(quint32(quint64(NumberOfText(text)) & 0xFFFFFFFFu));
}

} // namespace kesmond
