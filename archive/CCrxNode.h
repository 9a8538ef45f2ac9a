#pragma once

// An element with named child elements ("crxparse", "datainfo", the root and
// the table structure). An unexpected child is skipped with its subtree.

#include "archive/CCrxElement.h"
#include "archive/CCrxIgnore.h"

#include <memory>
#include <vector>

class CCrxNode : public CCrxElement
{
public:
    using CCrxElement::CCrxElement;

    // Takes ownership; children keep the order they were added in. A later
    // child of the same name takes the name's place in the lookup.
    CCrxElement* AddChild(std::unique_ptr<CCrxElement> child);
    const std::vector<std::unique_ptr<CCrxElement>>& Children() const { return m_children; }
    CCrxElement* FindChild(QByteArrayView name) const;

    CrxResult OnBegin(CrxParseContext& context) override;
    // Text between the children is not kept.
    CrxResult OnStartChild(QByteArrayView name, CrxParseContext& context) override;
    CrxResult OnEnd(QByteArrayView name, CrxParseContext& context) override;

    // Its tag (none for the root) around its children.
    CrxResult WriteExport(CrxExportContext& context) override;
    // Each child gets the node's context string, then its export hooks.
    CrxResult WriteChildren(CrxExportContext& context);

protected:
    // Copies the parent's context and database-name strings.
    void InheritStrings(const CrxParseContext& context);

private:
    std::vector<std::unique_ptr<CCrxElement>> m_children;
    std::unique_ptr<CCrxIgnore> m_pIgnore;
};
