#include "archive/CrxContent.h"

#include "archive/CCrxElement.h"
#include "archive/CCrxElementStack.h"
#include "archive/CrxParseContext.h"
#include "archive/ICrxDocument.h"

bool CrxContent::Record(CrxResult code)
{
    m_document.SetLastError(code);
    return false;
}

CCrxElement* CrxContent::ValidTop()
{
    CCrxElementStack& stack = m_document.GetElementStack();
    if (stack.TopIndex() < 0 || stack.TopIndex() >= CCrxElementStack::kDepth)
        return nullptr;
    return stack.Top();
}

CrxParseContext CrxContent::MakeContext(CCrxElement& top, const CrxAttributes* attributes)
{
    CrxParseContext context;
    context.attributes = attributes;
    context.contextString = &top.ContextString();
    context.dbNameString = &top.DbName();
    if (&top != m_pDbTop) {
        m_pTopDb = m_document.GetDb(top.DbName());
        m_pDbTop = &top;
    }
    context.db = m_pTopDb;
    context.importMode = m_document.GetImportMode();
    context.allTables = m_document.GetAllTablesFlag();
    context.tableSelection = m_document.GetTableSelection();
    return context;
}

bool CrxContent::startElement(QByteArrayView localName, const CrxAttributes& attributes)
{
    if (CrxAborted(m_document.GetCancelFlag()))
        return Record(CRX_E_CANCELLED);
    if (localName.isEmpty())
        return Record(CRX_E_ELEMENT_EMPTY);
    CCrxElement* top = ValidTop();
    if (!top)
        return Record(CRX_E_ELEMENT_STACK);
    CrxParseContext context = MakeContext(*top, &attributes);
    if (CrxResult rc = top->OnStartChild(localName, context))
        return Record(rc);
    if (context.push) {
        m_pDbTop = nullptr;
        if (!m_document.GetElementStack().Push(context.push))
            return Record(CRX_E_ELEMENT_STACK);
    }
    return true;
}

bool CrxContent::endElement(QByteArrayView localName)
{
    if (localName.isEmpty())
        return Record(CRX_E_ELEMENT_EMPTY);
    CCrxElement* top = ValidTop();
    if (!top)
        return Record(CRX_E_ELEMENT_STACK);
    CrxParseContext context = MakeContext(*top, nullptr);
    if (CrxResult rc = top->OnEnd(localName, context))
        return Record(rc);
    if (context.pop) {
        m_pDbTop = nullptr;
        m_document.GetElementStack().Pop();
    }
    return true;
}

bool CrxContent::characters(QByteArrayView text)
{
    if (text.isEmpty())
        return true;
    CCrxElement* top = ValidTop();
    if (!top)
        return Record(CRX_E_ELEMENT_STACK);
    if (CrxResult rc = top->OnCharacters(text))
        return Record(rc);
    return true;
}

void CrxContent::error()
{
    if (m_document.GetLastError() == CRX_OK)
        m_document.SetLastError(CRX_E_SAX_ERROR);
}

void CrxContent::fatalError()
{
    if (m_document.GetLastError() == CRX_OK)
        m_document.SetLastError(CRX_E_SAX_FATAL);
}
