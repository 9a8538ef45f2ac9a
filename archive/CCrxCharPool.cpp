#include "archive/CCrxCharPool.h"

#include <new>

CrxResult CCrxCharPool::Set(QStringView text)
{
    Clear();
    return Append(text);
}

CrxResult CCrxCharPool::Append(QStringView text)
{
    try {
        m_text.append(text);
    } catch (const std::bad_alloc&) {
        m_text = QString();
        return CRX_E_OUTOFMEMORY;
    }
    return CRX_OK;
}
