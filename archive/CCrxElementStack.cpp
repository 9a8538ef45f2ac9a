#include "archive/CCrxElementStack.h"

bool CCrxElementStack::Push(CCrxElement* element)
{
    if (!element || m_nTop + 1 >= kDepth)
        return false;
    m_slots[++m_nTop] = element;
    return true;
}

void CCrxElementStack::Pop()
{
    if (m_nTop >= 0)
        m_slots[m_nTop--] = nullptr;
}

void CCrxElementStack::Clear()
{
    m_slots.fill(nullptr);
    m_nTop = -1;
}
