#include "shared/data/CPrtFormXmlDoc.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace {

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Namespace declarations are no attributes to the stream reader.
bool IsNamespaceDeclaration(const QByteArray& name)
{
    return name == "xmlns" || name.startsWith("xmlns:");
}

bool IsAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The raw name matches the parsed one: byte for byte when the name is ASCII;
// otherwise the encoding decides the bytes, and the element order already
// pairs them.
bool NameMatches(const QByteArray& raw, const QString& parsed)
{
    if (IsAscii(parsed))
        return raw == parsed.toLatin1();
    return std::any_of(raw.begin(), raw.end(), [](char c) { return uchar(c) >= 0x80; });
}

// An attribute value that reads back as the given text in any ASCII-based
// encoding: markup characters, white space that would be normalised and
// everything outside ASCII become character references.
QByteArray EscapeAttributeValue(const QString& value, char quote)
{
    QByteArray out;
    for (const char32_t c : value.toUcs4()) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '"' && quote == '"')
            out += "&quot;";
        else if (c == '\'' && quote == '\'')
            out += "&apos;";
        else if (c < 0x20 || c >= 0x7F)
            out += "&#x" + QByteArray::number(uint(c), 16).toUpper() + ';';
        else
            out += char(c);
    }
    return out;
}

} // namespace

bool CPrtFormXmlDoc::Load(const QByteArray& bytes)
{
    m_bytes.clear();
    m_elements.clear();
    m_bLoaded = false;
    m_bEditable = false;
    QList<Element> elements;
    if (!Parse(bytes, elements))
        return false;
    m_bytes = bytes;
    m_bLoaded = true;
    // Multi-byte code units (UTF-16, UTF-32) hold NUL bytes; their markup is
    // not found by a byte scan.
    m_bEditable = !bytes.contains('\0') && LocateTags(bytes, elements);
    m_elements = elements;
    return true;
}

bool CPrtFormXmlDoc::Parse(const QByteArray& bytes, QList<Element>& elements) const
{
    QXmlStreamReader reader(bytes);
    bool root = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return false;
        case QXmlStreamReader::StartElement: {
            root = true;
            Element element;
            element.name = reader.qualifiedName().toString();
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute& a : attributes)
                element.attrs.append({a.qualifiedName().toString(), a.value().toString()});
            elements.append(element);
            break;
        }
        default:
            break;
        }
    }
    return !reader.hasError() && root;
}

// Finds each start tag and its attribute values in the bytes. The stream
// reader has already found the document well-formed, so this scan only has
// to tell markup apart; any disagreement with the parse refuses the edit.
bool CPrtFormXmlDoc::LocateTags(const QByteArray& bytes, QList<Element>& elements) const
{
    const qsizetype size = bytes.size();
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype index = 0;
    auto skipPast = [&](const char* end) {
        const qsizetype at = bytes.indexOf(end, pos);
        if (at < 0)
            return false;
        pos = at + qsizetype(qstrlen(end));
        return true;
    };
    while ((pos = bytes.indexOf('<', pos)) >= 0) {
        const QByteArrayView rest = QByteArrayView(bytes).sliced(pos);
        bool ok = true;
        if (rest.startsWith("<?"))
            ok = skipPast("?>");
        else if (rest.startsWith("<!--"))
            ok = skipPast("-->");
        else if (rest.startsWith("<![CDATA["))
            ok = skipPast("]]>");
        else if (rest.startsWith("<!"))
            return false; // a DOCTYPE, refused by the parse already
        else if (rest.startsWith("</"))
            ok = skipPast(">");
        else {
            if (index >= elements.size())
                return false;
            Element& element = elements[index++];
            qsizetype p = pos + 1;
            const qsizetype nameStart = p;
            while (p < size && !IsXmlSpace(bytes[p]) && bytes[p] != '/' && bytes[p] != '>')
                ++p;
            if (!NameMatches(bytes.mid(nameStart, p - nameStart), element.name))
                return false;
            element.insertAt = p;
            qsizetype attrIndex = 0;
            for (;;) {
                while (p < size && IsXmlSpace(bytes[p]))
                    ++p;
                if (p >= size)
                    return false;
                if (bytes[p] == '/' || bytes[p] == '>')
                    break;
                const qsizetype attrStart = p;
                while (p < size && !IsXmlSpace(bytes[p]) && bytes[p] != '=')
                    ++p;
                const QByteArray attrName = bytes.mid(attrStart, p - attrStart);
                while (p < size && IsXmlSpace(bytes[p]))
                    ++p;
                if (p >= size || bytes[p] != '=')
                    return false;
                ++p;
                while (p < size && IsXmlSpace(bytes[p]))
                    ++p;
                if (p >= size || (bytes[p] != '"' && bytes[p] != '\''))
                    return false;
                const char quote = bytes[p];
                const qsizetype valueStart = ++p;
                const qsizetype valueEnd = bytes.indexOf(quote, p);
                if (valueEnd < 0)
                    return false;
                p = valueEnd + 1;
                element.insertAt = p;
                if (IsNamespaceDeclaration(attrName))
                    continue;
                if (attrIndex >= element.attrs.size() ||
                    !NameMatches(attrName, element.attrs[attrIndex].name))
                    return false;
                element.attrs[attrIndex].valueStart = valueStart;
                element.attrs[attrIndex].valueEnd = valueEnd;
                ++attrIndex;
            }
            if (attrIndex != element.attrs.size())
                return false;
            pos = p;
        }
        if (!ok)
            return false;
    }
    return index == elements.size();
}

bool CPrtFormXmlDoc::ReadAttribute(const QString& tag, const QString& attribute,
                                   QString& value) const
{
    for (const Element& element : m_elements) {
        if (element.name != tag)
            continue;
        for (const Attr& attr : element.attrs) {
            if (attr.name == attribute) {
                value = attr.value;
                return true;
            }
        }
    }
    return false;
}

bool CPrtFormXmlDoc::WriteAttribute(const QString& tag, const QString& attribute,
                                    const QString& value)
{
    if (!m_bLoaded || !m_bEditable)
        return false;
    struct Edit
    {
        qsizetype start;
        qsizetype end;
        QByteArray bytes;
    };
    QList<Edit> edits;
    for (const Element& element : std::as_const(m_elements)) {
        if (element.name != tag)
            continue;
        const auto found = std::find_if(element.attrs.begin(), element.attrs.end(),
                                        [&](const Attr& a) { return a.name == attribute; });
        if (found != element.attrs.end()) {
            const char quote = m_bytes[found->valueStart - 1];
            edits.append({found->valueStart, found->valueEnd, EscapeAttributeValue(value, quote)});
        } else {
            edits.append(
                {element.insertAt, element.insertAt,
                 ' ' + attribute.toUtf8() + "=\"" + EscapeAttributeValue(value, '"') + '"'});
        }
    }
    if (edits.isEmpty())
        return true;
    QByteArray bytes = m_bytes;
    // Back to front, so earlier offsets stay valid.
    for (auto it = edits.crbegin(); it != edits.crend(); ++it)
        bytes.replace(it->start, it->end - it->start, it->bytes);
    const QByteArray before = m_bytes;
    if (!Load(bytes)) {
        Load(before);
        return false;
    }
    return true;
}
