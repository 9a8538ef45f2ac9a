#pragma once

#include "monitor/MonXMLContext.h"
#include "monitor/MonXMLResult.h"

#include <QString>
#include <QStringView>

namespace mervolt {

// One element of the preference file's fixed schema. The hooks are called
// by the content handler while the element is on top of the stack and by
// the document while it is written; each returns 0 or a result code.
class CMonXMLElement
{
public:
    explicit CMonXMLElement(const QString& name) : m_strName(name) {}
    virtual ~CMonXMLElement() = default;
    CMonXMLElement(const CMonXMLElement&) = delete;
    CMonXMLElement& operator=(const CMonXMLElement&) = delete;

    virtual MonXMLResult Begin(MonXMLContext& context);
    virtual MonXMLResult StartChild(QStringView name, MonXMLContext& context);
    virtual MonXMLResult Characters(QStringView text, MonXMLContext& context);
    virtual MonXMLResult End(QStringView name, MonXMLContext& context);
    virtual MonXMLResult BeforeWrite(MonXMLWriteContext& context);
    virtual MonXMLResult Write(MonXMLWriteContext& context);
    virtual MonXMLResult AfterWrite(MonXMLWriteContext& context);

    const QString& GetName() const { return m_strName; }
    const QString& GetItemName() const { return m_strItemName; }
    void SetItemName(const QString& name) { m_strItemName = name; }

protected:
    QString m_strName;
    QString m_strItemName;
    QString m_strText; // text gathered since the start tag
};

} // namespace mervolt
