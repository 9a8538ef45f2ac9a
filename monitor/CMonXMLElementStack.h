#pragma once

#include <array>
#include <cstddef>

namespace mervolt {

class CMonXMLElement;

// The open elements of a parse, 32 deep. Elements are not owned.
class CMonXMLElementStack
{
public:
    static constexpr int kDepth = 32;

    // False for a null element or a 33rd entry.
    bool Push(CMonXMLElement* element);
    // False when empty.
    bool Pop();
    CMonXMLElement* Top() const;
    int TopIndex() const { return m_nTop; }

private:
    std::array<CMonXMLElement*, kDepth> m_slots{};
    int m_nTop = -1;
};

} // namespace mervolt
