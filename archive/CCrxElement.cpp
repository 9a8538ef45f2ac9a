#include "archive/CCrxElement.h"

#include "archive/CrxAttributes.h"
#include "archive/CrxParseContext.h"

CrxResult CCrxElement::OnBegin(CrxParseContext&)
{
    m_pool.Clear();
    return CRX_OK;
}

CrxResult CCrxElement::OnStartChild(QByteArrayView, CrxParseContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::OnCharacters(QByteArrayView)
{
    return CRX_OK;
}

CrxResult CCrxElement::OnEnd(QByteArrayView, CrxParseContext&)
{
    return CRX_OK;
}

CrxResult CCrxElement::Export(CrxExportContext& context)
{
    if (const CrxResult rc = BeginExport(context); rc != CRX_OK)
        return rc;
    if (const CrxResult rc = WriteExport(context); rc != CRX_OK)
        return rc;
    return EndExport(context);
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

CrxResult CCrxElement::FindAttribute(const CrxAttributes* attributes, QByteArrayView wanted)
{
    if (!attributes || attributes->IsEmpty())
        return CRX_E_NO_ATTRIBUTE;
    for (int i = 0; i < attributes->Count(); ++i) {
        const QByteArrayView name = attributes->LocalName(i);
        if (name.isEmpty())
            return CRX_E_ATTRIBUTE_NULL;
        if (name != wanted)
            continue;
        QByteArrayView raw = attributes->RawValue(i);
        if (!raw.contains('&'))
            return m_pool.SetUtf8(raw);
        QByteArray value = raw.toByteArray();
        value.replace("&#38;", "&");
        return m_pool.SetUtf8(value);
    }
    return CRX_E_NO_ATTRIBUTE;
}

CrxResult CCrxElement::CheckOwnEnd(QByteArrayView name, CrxParseContext& context)
{
    if (name != m_utf8Name)
        return CRX_E_ELEMENT_STACK;
    m_pool.Clear();
    context.pop = true;
    return CRX_OK;
}
