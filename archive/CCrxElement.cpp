#include "archive/CCrxElement.h"

#include "archive/CrxAttributes.h"
#include "archive/CrxParseContext.h"

#include <QAnyStringView>
#include <QUtf8StringView>

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

CrxResult CCrxElement::FindAttribute(const CrxAttributes* attributes, QStringView wanted)
{
    if (!attributes || attributes->IsEmpty())
        return CRX_E_NO_ATTRIBUTE;
    for (int i = 0; i < attributes->Count(); ++i) {
        const QByteArrayView name = attributes->LocalName(i);
        if (name.isEmpty())
            return CRX_E_ATTRIBUTE_NULL;
        if (!QAnyStringView::equal(QUtf8StringView(name), wanted))
            continue;
        QByteArrayView raw = attributes->RawValue(i);
        if (!raw.contains('&'))
            return m_pool.Set(QString::fromUtf8(raw));
        QByteArray value = raw.toByteArray();
        value.replace("&#38;", "&");
        return m_pool.Set(QString::fromUtf8(value));
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
