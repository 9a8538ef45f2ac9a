#include "goods/PropertyText.h"

#include <QStringList>

namespace brelkin {

namespace {

const QLatin1String kPrefix("PROPERTY:");
const QChar kPadding(u'0');

} // namespace

PropertyRange ParsePropertySetCode(const QString& setCode, int width)
{
    if (!setCode.startsWith(kPrefix))
        return {};
    const QStringList parts = setCode.mid(kPrefix.size()).split(QLatin1Char(','));
    if (parts.size() != 2)
        return {};
    bool fromOk = false;
    bool toOk = false;
    const int from = parts[0].trimmed().toInt(&fromOk);
    const int to = parts[1].trimmed().toInt(&toOk);
    if (!fromOk || !toOk || from < 1 || to < from || to > width)
        return {};
    return {from, to};
}

QString GetPropertyValue(const QString& text, const QString& setCode, int width)
{
    const PropertyRange range = ParsePropertySetCode(setCode, width);
    if (!range.IsValid())
        return QString();
    return text.mid(range.from - 1, range.to - range.from + 1);
}

QString SetPropertyValue(const QString& text, const QString& setCode, const QString& value,
                         int width)
{
    const PropertyRange range = ParsePropertySetCode(setCode, width);
    if (!range.IsValid() || value.size() != range.to - range.from + 1)
        return text;
    QString padded = text;
    if (padded.size() < range.from - 1)
        padded += QString(range.from - 1 - padded.size(), kPadding);
    return padded.left(range.from - 1) + value + padded.mid(range.to);
}

} // namespace brelkin
