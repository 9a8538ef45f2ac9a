#pragma once

#include <QString>

namespace mervolt {

// One item of Preference.xml: the element name ("string", "int",
// "boolean"), its "name" attribute and its text ("" for an empty element).
// Type and name never change: the array finds its items by them.
class CXmlItem
{
public:
    CXmlItem(const QString& type, const QString& name, const QString& value = QString())
        : m_strType(type), m_strName(name), m_strValue(value)
    {
    }

    const QString m_strType;
    const QString m_strName;
    QString m_strValue;
};

} // namespace mervolt
