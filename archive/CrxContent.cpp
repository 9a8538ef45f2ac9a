#include "archive/CrxContent.h"

#include "archive/CCrxElement.h"
#include "archive/CCrxElementStack.h"
#include "archive/ICrxDocument.h"

CrxContent::CrxContent(ICrxDocument& document)
    : m_document(document), m_stack(document.GetElementStack()), m_pAbort(document.GetCancelFlag())
{
}

bool CrxContent::Record(CrxResult code)
{
    m_document.SetLastError(code);
    return false;
}

inline CrxParseContext CrxContent::MakeContext(CCrxElement& top, const CrxAttributes* attributes)
{
    if (&top != m_pContextTop) {
        m_topContext.contextString = &top.ContextString();
        m_topContext.dbNameString = &top.DbName();
        m_topContext.db = m_document.GetDb(top.DbName());
        m_topContext.importMode = m_document.GetImportMode();
        m_topContext.allTables = m_document.GetAllTablesFlag();
        m_topContext.tableSelection = m_document.GetTableSelection();
        m_pContextTop = &top;
    }
    CrxParseContext context = m_topContext;
    context.attributes = attributes;
    return context;
}

bool CrxContent::startElement(QByteArrayView localName, const CrxAttributes& attributes)
{
    if (CrxAborted(m_pAbort))
        return Record(CRX_E_CANCELLED);
    if (localName.isEmpty())
        return Record(CRX_E_ELEMENT_EMPTY);
    CCrxElement* top = m_stack.Top();
    if (!top)
        return Record(CRX_E_ELEMENT_STACK);
    CrxParseContext context = MakeContext(*top, &attributes);
    if (CrxResult rc = top->OnStartChild(localName, context))
        return Record(rc);
    if (context.push) {
        m_pContextTop = nullptr;
        if (!m_stack.Push(context.push))
            return Record(CRX_E_ELEMENT_STACK);
    }
    return true;
}

bool CrxContent::endElement(QByteArrayView localName)
{
    m_bEndedTop = false;
    if (localName.isEmpty())
        return Record(CRX_E_ELEMENT_EMPTY);
    CCrxElement* top = m_stack.Top();
    if (!top)
        return Record(CRX_E_ELEMENT_STACK);
    CrxParseContext context = MakeContext(*top, nullptr);
    if (CrxResult rc = top->OnEnd(localName, context))
        return Record(rc);
    if (context.pop) {
        m_pContextTop = nullptr;
        m_stack.Pop();
        m_bEndedTop = true;
    }
    return true;
}

bool CrxContent::characters(QByteArrayView text)
{
    if (text.isEmpty())
        return true;
    CCrxElement* top = m_stack.Top();
    if (!top)
        return Record(CRX_E_ELEMENT_STACK);
    if (!top->TakesText())
        return true;
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
