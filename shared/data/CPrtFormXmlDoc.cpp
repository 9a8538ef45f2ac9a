#include "shared/data/CPrtFormXmlDoc.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace {

template <typename Unit> bool IsXmlSpace(Unit c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Namespace declarations are no attributes to the stream reader.
bool IsNamespaceDeclaration(const QString& name)
{
    return name == u"xmlns" || name.startsWith(u"xmlns:");
}

bool IsAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The raw name matches the parsed one. UTF-16 units are the parsed text
// itself; bytes match byte for byte when the name is ASCII, otherwise the
// encoding decides the bytes and the element order already pairs them.
bool NameMatches(const std::u16string& raw, const QString& parsed)
{
    return QStringView(raw.data(), qsizetype(raw.size())) == parsed;
}

bool NameMatches(const std::string& raw, const QString& parsed)
{
    if (IsAscii(parsed))
        return QByteArrayView(raw.data(), qsizetype(raw.size())) == parsed.toLatin1();
    return std::any_of(raw.begin(), raw.end(), [](char c) { return uchar(c) >= 0x80; });
}

QString NameOf(const std::u16string& raw)
{
    return QString(reinterpret_cast<const QChar*>(raw.data()), qsizetype(raw.size()));
}

QString NameOf(const std::string& raw)
{
    return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
}

template <typename Unit> std::basic_string<Unit> Units(QByteArrayView ascii)
{
    return std::basic_string<Unit>(ascii.begin(), ascii.end());
}

// An attribute value that reads back as the given text in any encoding:
// markup characters, white space that would be normalised and everything
// outside ASCII become character references, so only ASCII is written.
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

std::u16string Utf16Units(const QByteArray& bytes, bool bigEndian)
{
    std::u16string units(size_t(bytes.size() / 2), u'\0');
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = bigEndian ? char16_t((b[2 * i] << 8) | b[2 * i + 1])
                             : char16_t(b[2 * i] | (b[2 * i + 1] << 8));
    return units;
}

QByteArray Utf16Bytes(const std::u16string& units, bool bigEndian)
{
    QByteArray bytes(qsizetype(units.size() * 2), '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const char hi = char(units[i] >> 8);
        const char lo = char(units[i] & 0xFF);
        bytes[2 * i] = bigEndian ? hi : lo;
        bytes[2 * i + 1] = bigEndian ? lo : hi;
    }
    return bytes;
}

} // namespace

CPrtFormXmlDoc::UnitForm CPrtFormXmlDoc::DetectUnitForm(const QByteArray& bytes)
{
    // By the byte-order mark, or by the "<" that must open a document.
    if (bytes.startsWith(QByteArray("\xFF\xFE\0\0", 4)) ||
        bytes.startsWith(QByteArray("\0\0\xFE\xFF", 4)))
        return UNITS_NONE;
    if (bytes.size() % 2 == 0) {
        if (bytes.startsWith("\xFF\xFE") || bytes.startsWith(QByteArray("<\0", 2)))
            return UNITS_UTF16LE;
        if (bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArray("\0<", 2)))
            return UNITS_UTF16BE;
    }
    // Other multi-byte code units (UTF-32) hold NUL bytes.
    return bytes.contains('\0') ? UNITS_NONE : UNITS_BYTE;
}

bool CPrtFormXmlDoc::Load(const QByteArray& bytes)
{
    m_bytes.clear();
    m_elements.clear();
    m_bLoaded = false;
    m_bEditable = false;
    m_unitForm = UNITS_NONE;
    QList<Element> elements;
    if (!Parse(bytes, elements))
        return false;
    m_bytes = bytes;
    m_bLoaded = true;
    const UnitForm form = DetectUnitForm(bytes);
    if (form == UNITS_BYTE)
        m_bEditable = LocateTags(bytes.toStdString(), elements);
    else if (form != UNITS_NONE)
        m_bEditable = LocateTags(Utf16Units(bytes, form == UNITS_UTF16BE), elements);
    if (m_bEditable)
        m_unitForm = form;
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

// Finds each start tag and its attribute values in the code units. The
// stream reader has already found the document well-formed, so this scan
// only has to tell markup apart; any disagreement with the parse refuses the
// edit.
template <typename Unit>
bool CPrtFormXmlDoc::LocateTags(const std::basic_string<Unit>& text, QList<Element>& elements) const
{
    using String = std::basic_string<Unit>;
    const qsizetype size = qsizetype(text.size());
    qsizetype pos = 0;
    if constexpr (sizeof(Unit) == 1)
        pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    else
        pos = size > 0 && text[0] == 0xFEFF ? 1 : 0;
    qsizetype index = 0;
    const auto startsAt = [&](qsizetype at, const char* ascii) {
        return std::basic_string_view<Unit>(text)
            .substr(size_t(at))
            .starts_with(Units<Unit>(ascii));
    };
    auto skipPast = [&](const char* end) {
        const size_t at = text.find(Units<Unit>(end), size_t(pos));
        if (at == String::npos)
            return false;
        pos = qsizetype(at) + qsizetype(qstrlen(end));
        return true;
    };
    for (;;) {
        const size_t open = text.find(Unit('<'), size_t(pos));
        if (open == String::npos)
            break;
        pos = qsizetype(open);
        bool ok = true;
        if (startsAt(pos, "<?"))
            ok = skipPast("?>");
        else if (startsAt(pos, "<!--"))
            ok = skipPast("-->");
        else if (startsAt(pos, "<![CDATA["))
            ok = skipPast("]]>");
        else if (startsAt(pos, "<!"))
            return false; // a DOCTYPE, refused by the parse already
        else if (startsAt(pos, "</"))
            ok = skipPast(">");
        else {
            if (index >= elements.size())
                return false;
            Element& element = elements[index++];
            qsizetype p = pos + 1;
            const qsizetype nameStart = p;
            while (p < size && !IsXmlSpace(text[p]) && text[p] != '/' && text[p] != '>')
                ++p;
            if (!NameMatches(text.substr(size_t(nameStart), size_t(p - nameStart)), element.name))
                return false;
            element.insertAt = p;
            qsizetype attrIndex = 0;
            for (;;) {
                while (p < size && IsXmlSpace(text[p]))
                    ++p;
                if (p >= size)
                    return false;
                if (text[p] == '/' || text[p] == '>')
                    break;
                const qsizetype attrStart = p;
                while (p < size && !IsXmlSpace(text[p]) && text[p] != '=')
                    ++p;
                const String attrName = text.substr(size_t(attrStart), size_t(p - attrStart));
                while (p < size && IsXmlSpace(text[p]))
                    ++p;
                if (p >= size || text[p] != '=')
                    return false;
                ++p;
                while (p < size && IsXmlSpace(text[p]))
                    ++p;
                if (p >= size || (text[p] != '"' && text[p] != '\''))
                    return false;
                const char quote = char(text[p]);
                const qsizetype valueStart = ++p;
                const size_t valueEnd = text.find(Unit(quote), size_t(p));
                if (valueEnd == String::npos)
                    return false;
                p = qsizetype(valueEnd) + 1;
                element.insertAt = p;
                if (IsNamespaceDeclaration(NameOf(attrName)))
                    continue;
                if (attrIndex >= element.attrs.size() ||
                    !NameMatches(attrName, element.attrs[attrIndex].name))
                    return false;
                Attr& attr = element.attrs[attrIndex++];
                attr.valueStart = valueStart;
                attr.valueEnd = qsizetype(valueEnd);
                attr.quote = quote;
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

template <typename Unit>
bool CPrtFormXmlDoc::ApplyEdits(const QString& tag, const QString& attribute, const QString& value,
                                std::basic_string<Unit>& text) const
{
    struct Edit
    {
        qsizetype start;
        qsizetype end;
        QByteArray ascii;
    };
    QList<Edit> edits;
    for (const Element& element : m_elements) {
        if (element.name != tag)
            continue;
        const auto found = std::find_if(element.attrs.begin(), element.attrs.end(),
                                        [&](const Attr& a) { return a.name == attribute; });
        if (found != element.attrs.end())
            edits.append(
                {found->valueStart, found->valueEnd, EscapeAttributeValue(value, found->quote)});
        else if (IsAscii(attribute))
            edits.append(
                {element.insertAt, element.insertAt,
                 ' ' + attribute.toLatin1() + "=\"" + EscapeAttributeValue(value, '"') + '"'});
        else
            return false; // a new name outside ASCII has no form in every encoding
    }
    // Back to front, so earlier offsets stay valid.
    for (auto it = edits.crbegin(); it != edits.crend(); ++it)
        text.replace(size_t(it->start), size_t(it->end - it->start), Units<Unit>(it->ascii));
    return true;
}

bool CPrtFormXmlDoc::WriteAttribute(const QString& tag, const QString& attribute,
                                    const QString& value)
{
    if (!m_bLoaded || !m_bEditable)
        return false;
    QByteArray bytes;
    if (m_unitForm == UNITS_BYTE) {
        std::string text = m_bytes.toStdString();
        if (!ApplyEdits(tag, attribute, value, text))
            return false;
        bytes = QByteArray::fromStdString(text);
    } else {
        const bool bigEndian = m_unitForm == UNITS_UTF16BE;
        std::u16string text = Utf16Units(m_bytes, bigEndian);
        if (!ApplyEdits(tag, attribute, value, text))
            return false;
        bytes = Utf16Bytes(text, bigEndian);
    }
    if (bytes == m_bytes)
        return true;
    const QByteArray before = m_bytes;
    if (!Load(bytes)) {
        Load(before);
        return false;
    }
    return true;
}
