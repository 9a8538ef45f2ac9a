#include "platform/XmlText.h"

namespace platform {

bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsPlainXmlText(QStringView text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u == '&' || u == '<' || u == '>' || u == '\'' || u == '"' ||
            (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFFFE)
            return false;
    }
    return true;
}

bool EscapeXml(QStringView text, bool attribute, QString& out)
{
    // resize(0), not clear(): a reused buffer keeps its capacity.
    out.resize(0);
    // Most values are plain: they are taken whole.
    if (IsPlainXmlText(text)) {
        out.append(text);
        return true;
    }
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        char32_t c = u;
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            c = QChar::surrogateToUcs4(u, text[i + 1].unicode());
        } else if (QChar::isLowSurrogate(u) || !IsXmlChar(c)) {
            return false;
        }
        switch (c) {
        case '&':
            out += QLatin1StringView("&amp;");
            break;
        case '<':
            out += QLatin1StringView("&lt;");
            break;
        case '>':
            out += QLatin1StringView("&gt;");
            break;
        case '"':
            out += QLatin1StringView("&quot;");
            break;
        case '\'':
            out += QLatin1StringView("&apos;");
            break;
        case '\r':
            break;
        case '\t':
        case '\n':
            if (attribute)
                out += c == '\t' ? QLatin1StringView("&#9;") : QLatin1StringView("&#10;");
            else
                out += QChar(u);
            break;
        default:
            out += QChar(u);
            if (c > 0xFFFF)
                out += text[++i];
            break;
        }
    }
    return true;
}

} // namespace platform
