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

QString ToStoredLineBreaks(const QString& editText)
{
    QString stored;
    stored.reserve(editText.size() + editText.count(QLatin1Char('\n')));
    for (qsizetype i = 0; i < editText.size(); ++i) {
        const QChar ch = editText.at(i);
        if (ch == QLatin1Char('\r')) {
            if (i + 1 < editText.size() && editText.at(i + 1) == QLatin1Char('\n'))
                ++i;
            stored += QLatin1String("\r\n");
        } else if (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator ||
                   ch == QChar::LineSeparator) {
            stored += QLatin1String("\r\n");
        } else {
            stored += ch;
        }
    }
    return stored;
}

} // namespace kesmond
