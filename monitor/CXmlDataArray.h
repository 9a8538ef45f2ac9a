#pragma once

#include "monitor/CXmlItem.h"

#include <QHash>
#include <QString>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace mervolt {

// The items of Preference.xml in file order; new items go at the end. The
// array owns its items. Lookups go through an index of the last item of
// each type and name, so a file of many items from an archive reads in
// linear time.
class CXmlDataArray
{
public:
    CXmlDataArray() = default;
    CXmlDataArray(const CXmlDataArray& other);
    CXmlDataArray& operator=(const CXmlDataArray& other);
    CXmlDataArray(CXmlDataArray&&) noexcept = default;
    CXmlDataArray& operator=(CXmlDataArray&&) noexcept = default;
    ~CXmlDataArray();

    // The last item of that type and name (both case-sensitive); appended
    // with an empty value when there is none, so every lookup adds its key.
    CXmlItem* FindOrAddItem(const QString& type, const QString& name);
    // The last such item, or null; adds nothing.
    const CXmlItem* FindItem(const QString& type, const QString& name) const;

    int GetSize() const { return int(m_items.size()); }
    CXmlItem* GetAt(int index) const { return m_items[std::size_t(index)].get(); }
    CXmlItem* Add(const QString& type, const QString& name, const QString& value);
    void RemoveAll();

private:
    using Key = std::pair<QString, QString>; // type, name
    std::vector<std::unique_ptr<CXmlItem>> m_items;
    QHash<Key, CXmlItem*> m_last;
};

} // namespace mervolt
