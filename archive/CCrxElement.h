#pragma once

// Base of every element of the archive grammar. The reading engine calls the
// import hooks with each start tag, piece of text and end tag; the export walk
// calls the export hooks. Every hook returns 0 or a result code. Names and
// text come as the parser's UTF-8 bytes: known names are compared as bytes,
// and only a value that is kept is widened to a QString.

#include "archive/CCrxCharPool.h"
#include "archive/CrxResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class CrxAttributes;
struct CrxParseContext;
struct CrxExportContext;

class CCrxElement
{
public:
    explicit CCrxElement(const QString& name = QString())
        : m_strName(name), m_utf8Name(name.toUtf8())
    {
    }
    virtual ~CCrxElement() = default;
    CCrxElement(const CCrxElement&) = delete;
    CCrxElement& operator=(const CCrxElement&) = delete;

    virtual CrxResult OnBegin(CrxParseContext& context);
    virtual CrxResult OnStartChild(QByteArrayView name, CrxParseContext& context);
    virtual CrxResult OnCharacters(QByteArrayView text);
    // Whether text goes to OnCharacters now: most text between tags is
    // layout that no element keeps, and the reading engine skips the call.
    bool TakesText() const { return m_bTakesText; }
    virtual CrxResult OnEnd(QByteArrayView name, CrxParseContext& context);

    virtual CrxResult BeginExport(CrxExportContext& context);
    virtual CrxResult WriteExport(CrxExportContext& context);
    virtual CrxResult EndExport(CrxExportContext& context);
    // The three export hooks in turn, stopping at the first failure.
    CrxResult Export(CrxExportContext& context);

    // Looks for an attribute by local name: 0 with its value in the text
    // buffer, CRX_E_NO_ATTRIBUTE (none at all, or not found),
    // CRX_E_ATTRIBUTE_NULL (an attribute without a local name) or
    // CRX_E_OUTOFMEMORY.
    CrxResult FindAttribute(const CrxAttributes* attributes, QByteArrayView wanted);

    const QString& Name() const { return m_strName; }
    const QByteArray& Utf8Name() const { return m_utf8Name; }
    void SetName(const QString& name)
    {
        m_strName = name;
        m_utf8Name = name.toUtf8();
    }
    QString& ContextString() { return m_strContext; }
    QString& SourceTable() { return m_strSourceTable; }
    QString& DbName() { return m_strDbName; }
    CCrxCharPool& Pool() { return m_pool; }

protected:
    // An end tag must be the element's own: CRX_E_ELEMENT_STACK otherwise;
    // else the element is popped.
    CrxResult CheckOwnEnd(QByteArrayView name, CrxParseContext& context);

    QString m_strName;
    QByteArray m_utf8Name;
    QString m_strContext;
    QString m_strSourceTable;
    QString m_strDbName;
    CCrxCharPool m_pool;
    bool m_bTakesText = true;
};
