#include "monitor/CColumnDataListMoLocal.h"

#include "monitor/CXmlDataArray.h"
#include "monitor/SignageFolder.h"

#include "shared/data/CDataManager.h"
#include "shared/data/NumberOfText.h"
#include "shared/lang/CProgramLang.h"

namespace mervolt {

CColumnDataListMoLocal::CColumnDataListMoLocal(const QString& table, CColumnData** columns)
    : CColumnDataList(table, columns)
{
}

CColumnDataListMoLocal::~CColumnDataListMoLocal() = default;

bool CColumnDataListMoLocal::ReadRecords(int& err, QString order)
{
    if (m_nRegistered == 1)
        return CColumnDataList::ReadRecords(err, order);
    err = 0;
    if (!m_pRecords && m_pDataManager)
        m_pRecords = &m_pDataManager->m_arrRecords;
    if (m_nColumnCount < 1 || !m_pItems || !m_pRecords)
        return true;
    // Every row of an earlier read is taken again for the same key.
    EmptyCache();
    ParkedRows parked = TakeParkedRows();
    const int width = int(NumberOfText(GetLangString("CRDS_MO_COLUNWIDTH_1")));
    const QString prefix =
        m_nListMode == 1 ? QStringLiteral("transaction_item") : QStringLiteral("recommend_item");
    for (int i = 1; i <= m_nMaxRows; ++i) {
        const CXmlItem* file = m_pItems->FindOrAddItem(
            signage::StringType, QStringLiteral("%1%2_file").arg(prefix).arg(i));
        if (!file || file->m_strValue.isEmpty())
            continue;
        const CXmlItem* name = m_pItems->FindOrAddItem(
            signage::StringType, QStringLiteral("%1%2_name").arg(prefix).arg(i));
        AppendRecord(QStringList{file->m_strValue.left(width), QStringLiteral("-"),
                                 name ? name->m_strValue : QString(), QStringLiteral("-"),
                                 QString()},
                     parked);
    }
    return true;
}

void CColumnDataListMoLocal::AppendCodeRow(const QString& code)
{
    if (!m_pRecords && m_pDataManager)
        m_pRecords = &m_pDataManager->m_arrRecords;
    if (!m_pRecords)
        return;
    ParkedRows none;
    AppendRecord(QStringList{code, QStringLiteral("-"), QString(), QStringLiteral("-"), QString()},
                 none);
}

} // namespace mervolt
