#include "archive/CCrxNode.h"

#include "archive/CCrxcnvXmlWriter.h"
#include "archive/CrxExportContext.h"
#include "archive/CrxParseContext.h"

CCrxElement* CCrxNode::AddChild(std::unique_ptr<CCrxElement> child)
{
    CCrxElement* raw = child.get();
    m_children.push_back(std::move(child));
    return raw;
}

CCrxElement* CCrxNode::FindChild(QByteArrayView name) const
{
    // A node has a handful of children; the latest of a name wins.
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
        if ((*it)->Utf8Name() == name)
            return it->get();
    return nullptr;
}

void CCrxNode::InheritStrings(const CrxParseContext& context)
{
    if (context.contextString)
        m_strContext = *context.contextString;
    if (context.dbNameString)
        m_strDbName = *context.dbNameString;
}

CrxResult CCrxNode::OnBegin(CrxParseContext& context)
{
    m_pool.Clear();
    m_bTakesText = false;
    InheritStrings(context);
    return CRX_OK;
}

CrxResult CCrxNode::OnStartChild(QByteArrayView name, CrxParseContext& context)
{
    CCrxElement* child = FindChild(name);
    if (!child) {
        if (!m_pIgnore)
            m_pIgnore = std::make_unique<CCrxIgnore>();
        m_pIgnore->SetName(QString::fromUtf8(name));
        child = m_pIgnore.get();
    }
    context.push = child;
    return child->OnBegin(context);
}

CrxResult CCrxNode::OnEnd(QByteArrayView name, CrxParseContext& context)
{
    return CheckOwnEnd(name, context);
}

CrxResult CCrxNode::WriteExport(CrxExportContext& context)
{
    const bool named = !Name().isEmpty();
    if (named && !context.writer->StartElement(Name()))
        return context.writer->FailureCode();
    if (const CrxResult rc = WriteChildren(context); rc != CRX_OK)
        return rc;
    if (named && !context.writer->EndElement())
        return context.writer->FailureCode();
    return CRX_OK;
}

CrxResult CCrxNode::WriteChildren(CrxExportContext& context)
{
    for (const auto& child : m_children) {
        child->ContextString() = ContextString();
        if (const CrxResult rc = child->Export(context); rc != CRX_OK)
            return rc;
    }
    return CRX_OK;
}
