#pragma once

// The attributes of one start tag as the XML parser hands them over, not
// copied: per attribute five pointers (local name, prefix, namespace, value
// start, value end), names and values in UTF-8.

#include <QByteArrayView>

class CrxAttributes
{
public:
    CrxAttributes() = default;
    CrxAttributes(const unsigned char* const* fields, int count) : m_fields(fields), m_count(count)
    {
    }

    int Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    QByteArrayView LocalName(int i) const
    {
        const unsigned char* name = m_fields[5 * i];
        return name ? QByteArrayView(name, qstrlen(reinterpret_cast<const char*>(name)))
                    : QByteArrayView();
    }
    // As the parser leaves it: every "&" of the value is written "&#38;".
    QByteArrayView RawValue(int i) const
    {
        return QByteArrayView(m_fields[5 * i + 3], m_fields[5 * i + 4]);
    }

private:
    const unsigned char* const* m_fields = nullptr;
    int m_count = 0;
};
