#include "archive/CCrxNode_tabinfo.h"

#include "archive/CCrxDb.h"
#include "archive/CrxExportWalk.h"
#include "archive/CrxParseContext.h"

CrxResult CCrxNode_tabinfo::OnBegin(CrxParseContext& context)
{
    CCrxNode::OnBegin(context);
    if (CrxResult rc = FindAttribute(context.attributes, crxname::kTabname))
        return rc;
    m_strContext = m_pool.Text();
    m_pool.Clear();
    if (context.importMode == CRX_IMPORT_DIFFBASE)
        m_strContext += QLatin1String(crxname::kBaseShadowSuffix);

    CCrxDb* db = context.db;
    if (!db || !db->TableExists(m_strContext)) {
        m_strContext.clear();
        return CRX_OK;
    }
    if (context.allTables)
        return CRX_OK;
    const bool selected = !context.tableSelection || context.tableSelection->contains(m_strContext);
    if (!selected) {
        m_strContext.clear();
        return CRX_OK;
    }
    return db->DeleteAll(m_strContext);
}

CrxResult CCrxNode_tabinfo::WriteExport(CrxExportContext& context)
{
    return CrxExportWalk::WriteTabinfo(*this, context);
}
