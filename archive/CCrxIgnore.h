#pragma once

// Stands for an unexpected element: it stays on top of the stack while the
// whole subtree goes by.

#include "archive/CCrxElement.h"

class CCrxIgnore : public CCrxElement
{
public:
    using CCrxElement::CCrxElement;

    CrxResult OnBegin(CrxParseContext& context) override;
    CrxResult OnStartChild(QByteArrayView name, CrxParseContext& context) override;
    CrxResult OnEnd(QByteArrayView name, CrxParseContext& context) override;

private:
    int m_nDepth = 0;
};
