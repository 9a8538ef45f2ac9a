#pragma once

// "dbinfo": names the database its tables go to ("dbname"; missing or
// unknown: the settings database).

#include "archive/CCrxNode.h"
#include "archive/CrxGrammarNames.h"

class CCrxNode_dbinfo : public CCrxNode
{
public:
    CCrxNode_dbinfo() : CCrxNode(crxname::kDbinfo) {}

    CrxResult OnBegin(CrxParseContext& context) override;
    // One section per database that has tables.
    CrxResult WriteExport(CrxExportContext& context) override;
};
