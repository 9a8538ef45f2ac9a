#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <string>

// A print-form XML document edited in place: attribute values are read from
// a parse by QXmlStreamReader, and an edit rewrites only the code units of
// the attribute values it sets, so the rest of the document (declaration,
// comments, spacing, attribute order, other values) stays byte for byte.
// An ASCII-based document is edited byte by byte, a UTF-16 one (either byte
// order) code unit by code unit. Documents with a DOCTYPE are refused, so no
// entity is ever expanded.
class CPrtFormXmlDoc
{
public:
    // False when the bytes are not a well-formed document (or carry a
    // DOCTYPE); the document is then empty.
    bool Load(const QByteArray& bytes);
    bool IsLoaded() const { return m_bLoaded; }
    // False when the document parses but cannot be edited in place (UTF-32,
    // or markup the scan does not pair with the parse).
    bool IsEditable() const { return m_bEditable; }

    // The value of the attribute on the first element with this tag name that
    // carries it; false when no such element has it.
    bool ReadAttribute(const QString& tag, const QString& attribute, QString& value) const;
    // Sets the attribute on every element with this tag name (appended after
    // the last attribute where an element has none). False when the document
    // is not editable; nothing is changed then.
    bool WriteAttribute(const QString& tag, const QString& attribute, const QString& value);

    const QByteArray& Bytes() const { return m_bytes; }

private:
    struct Attr
    {
        QString name;
        QString value;
        qsizetype valueStart = -1; // code units between the quotes
        qsizetype valueEnd = -1;
        char quote = '"';
    };
    struct Element
    {
        QString name;
        QList<Attr> attrs;
        qsizetype insertAt = -1; // after the name or the last attribute
    };
    // How the document's code units lie in its bytes.
    enum UnitForm { UNITS_NONE, UNITS_BYTE, UNITS_UTF16LE, UNITS_UTF16BE };

    bool Parse(const QByteArray& bytes, QList<Element>& elements) const;
    static UnitForm DetectUnitForm(const QByteArray& bytes);
    template <typename Unit>
    bool LocateTags(const std::basic_string<Unit>& text, QList<Element>& elements) const;
    template <typename Unit>
    bool ApplyEdits(const QString& tag, const QString& attribute, const QString& value,
                    std::basic_string<Unit>& text) const;

    QByteArray m_bytes;
    UnitForm m_unitForm = UNITS_NONE;
    QList<Element> m_elements;
    bool m_bLoaded = false;
    bool m_bEditable = false;
};
