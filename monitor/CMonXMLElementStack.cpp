#include "monitor/CMonXMLElementStack.h"

namespace mervolt {

bool CMonXMLElementStack::Push(CMonXMLElement* element)
{
    if (!element || m_nTop + 1 >= kDepth)
        return false;
    m_slots[std::size_t(++m_nTop)] = element;
    return true;
}

bool CMonXMLElementStack::Pop()
{
    if (m_nTop < 0)
        return false;
    m_slots[std::size_t(m_nTop--)] = nullptr;
    return true;
}

CMonXMLElement* CMonXMLElementStack::Top() const
{
    return m_nTop < 0 ? nullptr : m_slots[std::size_t(m_nTop)];
}

} // namespace mervolt
