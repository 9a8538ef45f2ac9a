#pragma once

// A function the library calls where tests put in their own (the retry
// pause, the free space of a file system). Set returns the previous one so a
// test can put it back; an empty function means the real behaviour.

#include <mutex>
#include <utility>

template <typename Function> class CrxSeam
{
public:
    Function Set(Function function)
    {
        std::lock_guard lock(m_mutex);
        Function previous = std::move(m_function);
        m_function = std::move(function);
        return previous;
    }
    Function Get() const
    {
        std::lock_guard lock(m_mutex);
        return m_function;
    }

private:
    mutable std::mutex m_mutex;
    Function m_function;
};
