#pragma once

// "recinfo": the rows of a table section, or (on export, deleted-rows flag 1)
// the keys of its deleted rows. Reading does not tell the two apart.

#include "archive/CCrxNode.h"
#include "archive/CrxExportWalk.h"
#include "archive/CrxGrammarNames.h"

class CCrxNode_recinfo : public CCrxNode
{
public:
    explicit CCrxNode_recinfo(int deletedRows)
        : CCrxNode(crxname::kRecinfo), m_nDeletedRows(deletedRows)
    {
    }

    int DeletedRows() const { return m_nDeletedRows; }

    // The rows section, or the deleted keys of a difference table.
    CrxResult WriteExport(CrxExportContext& context) override
    {
        return CrxExportWalk::WriteRecinfo(*this, m_nDeletedRows == 1, context);
    }

private:
    int m_nDeletedRows;
};
