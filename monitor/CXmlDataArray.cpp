#include "monitor/CXmlDataArray.h"

namespace mervolt {

CXmlDataArray::CXmlDataArray(const CXmlDataArray& other)
{
    *this = other;
}

CXmlDataArray& CXmlDataArray::operator=(const CXmlDataArray& other)
{
    if (this == &other)
        return *this;
    RemoveAll();
    m_items.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        Add(item->m_strType, item->m_strName, item->m_strValue);
    return *this;
}

CXmlDataArray::~CXmlDataArray()
{
    RemoveAll();
}

const CXmlItem* CXmlDataArray::FindItem(const QString& type, const QString& name) const
{
    return m_last.value(Key(type, name), nullptr);
}

CXmlItem* CXmlDataArray::FindOrAddItem(const QString& type, const QString& name)
{
    if (const CXmlItem* found = FindItem(type, name))
        return const_cast<CXmlItem*>(found);
    return Add(type, name, QString());
}

CXmlItem* CXmlDataArray::Add(const QString& type, const QString& name, const QString& value)
{
    m_items.push_back(std::make_unique<CXmlItem>(type, name, value));
    CXmlItem* item = m_items.back().get();
    m_last.insert(Key(type, name), item);
    return item;
}

void CXmlDataArray::RemoveAll()
{
    m_last.clear();
    // Last to first, as the items were always released.
    while (!m_items.empty())
        m_items.pop_back();
}

} // namespace mervolt
