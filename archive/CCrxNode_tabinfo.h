#pragma once

// "tabinfo": picks the table its rows go to. Its context string is the
// target table ("_BASE_Tovanel" appended in diff-base mode), or empty when
// the rows are to be skipped: a table the database lacks, or one the table
// selection does not name. A selected table is emptied first.

#include "archive/CCrxNode.h"
#include "archive/CrxGrammarNames.h"

class CCrxNode_tabinfo : public CCrxNode
{
public:
    CCrxNode_tabinfo() : CCrxNode(crxname::kTabinfo) {}

    CrxResult OnBegin(CrxParseContext& context) override;
    // One section per table the export kind and lists choose.
    CrxResult WriteExport(CrxExportContext& context) override;
};
