#include "archive/CCrxRenewCheck.h"

#include "archive/CCrxNode_dbinfo.h"
#include "archive/CrxDetail.h"
#include "archive/CrxGrammarNames.h"
#include "archive/CrxParse.h"
#include "archive/CrxParseContext.h"

namespace {

// A "tabinfo" that only looks at its attributes; its rows go by unread.
class CRenewTabinfo : public CCrxNode
{
public:
    CRenewTabinfo() : CCrxNode(crxname::kTabinfo) {}

    CrxResult OnBegin(CrxParseContext& context) override
    {
        CCrxNode::OnBegin(context);
        if (CrxResult rc = FindAttribute(context.attributes, crxname::kTabname))
            return rc;
        const QString table = m_pool.Text();
        m_pool.Clear();
        if (!context.tableSelection || !context.tableSelection->contains(table))
            return CRX_OK;
        const CrxResult rc = FindAttribute(context.attributes, crxname::kMainte);
        if (rc != CRX_OK && rc != CRX_E_NO_ATTRIBUTE)
            return rc;
        const bool renew = rc == CRX_OK && m_pool.Text() == QLatin1String(crxname::kRenew);
        m_pool.Clear();
        if (renew)
            return CRX_OK;
        CrxCurrentDetail().table = table;
        return CRX_E_PARTIAL_TABLE;
    }
};

} // namespace

CCrxRenewCheck::CCrxRenewCheck(const QStringList& tables, const CrxAbortFlag* abort)
    : m_tables(tables), m_pAbort(abort ? abort : &m_nOwnAbort)
{
    auto dbinfo = std::make_unique<CCrxNode_dbinfo>();
    dbinfo->AddChild(std::make_unique<CRenewTabinfo>());
    auto datainfo = std::make_unique<CCrxNode>(QString::fromLatin1(crxname::kDatainfo));
    datainfo->AddChild(std::move(dbinfo));
    auto crxparse = std::make_unique<CCrxNode>(QString::fromLatin1(crxname::kCrxparse));
    crxparse->AddChild(std::move(datainfo));
    m_root.AddChild(std::move(crxparse));
    m_stack.Push(&m_root);
}

CCrxRenewCheck::~CCrxRenewCheck() = default;

CrxResult CCrxRenewCheck::Check(const CCrxDirEnv& env, const QString& archivePath,
                                const QStringList& tables, const CrxAbortFlag* abort)
{
    CCrxRenewCheck check(tables, abort);
    return CrxParseDataXml(check, env, archivePath);
}
