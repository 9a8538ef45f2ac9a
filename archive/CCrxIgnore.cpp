#include "archive/CCrxIgnore.h"

CrxResult CCrxIgnore::OnBegin(CrxParseContext&)
{
    m_pool.Clear();
    m_bTakesText = false;
    m_nDepth = 0;
    return CRX_OK;
}

CrxResult CCrxIgnore::OnStartChild(QByteArrayView, CrxParseContext&)
{
    ++m_nDepth;
    return CRX_OK;
}

CrxResult CCrxIgnore::OnEnd(QByteArrayView name, CrxParseContext& context)
{
    if (--m_nDepth >= 0)
        return CRX_OK;
    return CheckOwnEnd(name, context);
}
