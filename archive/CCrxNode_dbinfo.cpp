#include "archive/CCrxNode_dbinfo.h"

#include "archive/CrxExportWalk.h"
#include "archive/CrxParseContext.h"

CrxResult CCrxNode_dbinfo::OnBegin(CrxParseContext& context)
{
    CCrxNode::OnBegin(context);
    QString name;
    const CrxResult rc = FindAttribute(context.attributes, crxname::kDbname);
    if (rc == CRX_OK)
        name = m_pool.Text();
    else if (rc == CRX_E_NO_ATTRIBUTE)
        name = QString::fromLatin1(crxname::kSettingDbName);
    else
        return rc;
    m_pool.Clear();
    m_strDbName = name;
    if (context.dbNameString)
        *context.dbNameString = name;
    return CRX_OK;
}

CrxResult CCrxNode_dbinfo::WriteExport(CrxExportContext& context)
{
    return CrxExportWalk::WriteDbinfo(*this, context);
}
