#include "archive/CCrxElement.h"

#include "archive/CrxParseContext.h"

CrxResult CCrxElement::OnBegin(CrxParseContext&)
{
    m_pool.Clear();
    return CRX_OK;
}

CrxResult CCrxElement::OnStartChild(QStringView, CrxParseContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::OnCharacters(QStringView)
{
    return CRX_OK;
}

CrxResult CCrxElement::OnEnd(QStringView, CrxParseContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::BeginExport(CrxExportContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::WriteExport(CrxExportContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::EndExport(CrxExportContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::FindAttribute(const QXmlStreamAttributes* attributes, QStringView wanted)
{
    if (!attributes || attributes->isEmpty())
        return CRX_E_NO_ATTRIBUTE;
    for (const QXmlStreamAttribute& attribute : *attributes) {
        const QStringView name = attribute.name();
        if (name.isEmpty())
            return CRX_E_ATTRIBUTE_NULL;
        if (CrxResult rc = m_pool.Set(name))
            return rc;
        if (m_pool.Text() == wanted)
            return m_pool.Set(attribute.value());
    }
    return CRX_E_NO_ATTRIBUTE;
}

CrxResult CCrxElement::CheckOwnEnd(QStringView name, CrxParseContext& context)
{
    if (CrxResult rc = m_pool.Set(name))
        return rc;
    if (m_pool.Text() != m_strName)
        return CRX_E_ELEMENT_STACK;
    m_pool.Clear();
    context.pop = true;
    return CRX_OK;
}
