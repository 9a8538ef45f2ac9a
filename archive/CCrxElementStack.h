#pragma once

// The open elements of a parse, 32 deep; the bottom slot holds the grammar's
// root. Elements are not owned.

#include <array>

class CCrxElement;

class CCrxElementStack
{
public:
    static constexpr int kDepth = 32;

    CCrxElementStack() = default;
    virtual ~CCrxElementStack() = default;

    // false for a null element or a 33rd entry.
    bool Push(CCrxElement* element);
    void Pop();
    // The top element, or nullptr when the stack is empty or the top slot is.
    CCrxElement* Top() const { return m_nTop >= 0 && m_nTop < kDepth ? m_slots[m_nTop] : nullptr; }
    int TopIndex() const { return m_nTop; }
    void Clear();

private:
    std::array<CCrxElement*, kDepth> m_slots{};
    int m_nTop = -1;
};
