#include "archive/CrxContent.h"

#include "archive/CCrxDirEnv.h"
#include "archive/CCrxElement.h"
#include "archive/CCrxElementStack.h"
#include "archive/CCrxSaxReader.h"
#include "archive/CrxContentSink.h"
#include "archive/CrxParseContext.h"
#include "archive/ICrxDocument.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

constexpr size_t kChunk = 256 * 1024;

} // namespace

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
    context.db = m_document.GetDb(top.DbName());
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
    if (context.push && !m_document.GetElementStack().Push(context.push))
        return Record(CRX_E_ELEMENT_STACK);
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
    if (context.pop)
        m_document.GetElementStack().Pop();
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

CrxResult CrxContent::ParseFile(ICrxDocument& document, const QString& path)
{
    CrxContent content(document);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.fatalError();
        return document.GetLastError();
    }
    CCrxSaxReader reader(content, document);
    std::vector<char> buffer(kChunk);
    for (;;) {
        const qint64 n = file.read(buffer.data(), qint64(buffer.size()));
        if (n < 0) {
            content.fatalError();
            break;
        }
        if (n == 0) {
            reader.Finish();
            break;
        }
        if (!reader.Feed(QByteArrayView(buffer.data(), n)))
            break;
    }
    return document.GetLastError();
}

CrxResult CrxContent::ParseDataXml(ICrxDocument& document, const CCrxDirEnv& env,
                                   const QString& archivePath)
{
    if (QFileInfo(env.DataXmlPath()).size() > 0)
        return ParseFile(document, env.DataXmlPath());
    CrxContentSink sink(document);
    CCrxArchiver archiver;
    archiver.SetAbortFlag(document.GetCancelFlag());
    bool found = false;
    const CrxResult rc = archiver.ReadMember(
        archivePath, QString::fromLatin1(CCrxDirEnv::kDataXmlName), sink, found);
    if (document.GetLastError() != CRX_OK)
        return document.GetLastError();
    if (rc != CRX_OK)
        return rc;
    return found ? CRX_OK : CRX_E_NO_DATAXML;
}
