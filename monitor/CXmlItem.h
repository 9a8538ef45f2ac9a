#pragma once

#include <QString>

namespace mervolt {

// One item of Preference.xml: the element name ("string", "int",
// "boolean"), its "name" attribute and its text ("" for an empty element).
class CXmlItem
{
public:
    CXmlItem() = default;
    CXmlItem(const QString& type, const QString& name, const QString& value = QString())
        : m_strType(type), m_strName(name), m_strValue(value)
    {
    }

    QString m_strType;
    QString m_strName;
    QString m_strValue;
};

} // namespace mervolt
