#include "bases/RewrapMessage.h"

#include "bases/ReceiptText.h"

namespace dunmarel {

QStringList RewrapMessage(const QString& text, int columns, int newline, int doubleWidth)
{
    const int width = doubleWidth == 1 ? columns / 2 : columns;
    const QList<uint> chars = text.toUcs4();
    QStringList lines;
    QString line;
    int used = 0;
    bool lineStart = true; // the line began at a typed break, not a wrap
    const auto endLine = [&](bool typedBreak) {
        if (newline == 1 || lineStart)
            lines << line;
        line.clear();
        used = 0;
        lineStart = typedBreak;
    };
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const char32_t ch = chars[i];
        // A stored break is CR LF; a lone CR or LF breaks the line too.
        if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < chars.size() && chars[i + 1] == u'\n')
                ++i;
            endLine(true);
            if (newline == 1 && i + 1 == chars.size())
                lines << QString();
            continue;
        }
        const int need = IsFullWidthChar(ch) ? 2 : 1;
        if (used + need > width)
            endLine(false);
        line += QString::fromUcs4(&ch, 1);
        used += need;
    }
    if (!line.isEmpty())
        endLine(false);
    return lines;
}

} // namespace dunmarel
