#pragma once

#include "monitor/CMonXMLElementStack.h"
#include "monitor/CMonXMLNode.h"
#include "monitor/MonXMLResult.h"

#include <QString>

namespace mervolt {

class CXmlDataArray;

// One read or write of Preference.xml: the fixed schema (root, "map", the
// item elements), the element stack of the parse, the path and the items.
class CMonXMLDocument
{
public:
    CMonXMLDocument();
    virtual ~CMonXMLDocument() = default;
    CMonXMLDocument(const CMonXMLDocument&) = delete;
    CMonXMLDocument& operator=(const CMonXMLDocument&) = delete;

    // MON_E_PATH for an empty path or one that names no file.
    MonXMLResult OpenForRead(const QString& path, CXmlDataArray* items);
    // MON_E_PATH for an empty path.
    MonXMLResult OpenForWrite(const QString& path, CXmlDataArray* items);
    MonXMLResult WriteDocument();

    MonXMLResult GetError() const { return m_nError; }
    void SetError(MonXMLResult code) { m_nError = code; }
    const QString& GetPath() const { return m_strPath; }
    CXmlDataArray* GetItems() const { return m_pItems; }
    CMonXMLElementStack& GetElementStack() { return m_stack; }

private:
    void BuildSchema();

    CMonXMLElementStack m_stack;
    QString m_strPath;
    CXmlDataArray* m_pItems = nullptr; // not owned
    CMonXMLNode m_root;
    MonXMLResult m_nError = MON_XML_OK;
};

} // namespace mervolt
