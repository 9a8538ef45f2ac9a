#include "archive/CCrxNode.h"

#include "archive/CrxExportWalk.h"
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
    return CrxExportWalk::WriteNode(*this, context);
}
