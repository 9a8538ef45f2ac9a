#pragma once

// Stands for an unexpected element: it stays on top of the stack while the
// whole subtree goes by.

#include "archive/CCrxElement.h"

class CCrxIgnore : public CCrxElement
{
public:
    using CCrxElement::CCrxElement;

    CrxResult OnBegin(CrxParseContext& context) override;
    CrxResult OnStartChild(QStringView name, CrxParseContext& context) override;
    CrxResult OnCharacters(QStringView text) override;
    CrxResult OnEnd(QStringView name, CrxParseContext& context) override;

private:
    int m_nDepth = 0;
};
