#include "monitor/CItemImageSource.h"

#include "monitor/CColumnDataImageOn.h"
#include "monitor/CColumnDataMoDBCombo.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataScanCode.h"

namespace mervolt {

namespace {

const uint kPages[] = {3003};

} // namespace

CItemImageSource::CItemImageSource(int listMode) : m_columns(new CColumnData*[6])
{
    m_columns[0] = new CColumnData("ITEMCODE", "CRDS_MO_CLMN_PLUCODE", 23019, 0);
    m_columns[1] =
        new CColumnDataScanCode("SCANCODE1", "CRDS_MO_CLMN_SCANCODE", 20008, 23041, "CIA001");
    m_columns[2] = new CColumnData("ITEMNAME", "CRDS_MO_CLMN_PLUNAME", 20007, 23030);
    m_columns[3] = new CColumnDataMoDBCombo("ITEMDEPTCODE", "CRDS_MO_CLMN_SECTIONNAME", 23017,
                                            23038, "CIA002", "ITEMDEPTCODE", "ITEMDEPTNAME", 0);
    m_columns[4] = new CColumnDataImageOn("REMARKS", "CRDS_MO_CLMN_IMAGEON", 23194, 23193);
    m_columns[5] = nullptr;
    m_list = std::make_unique<CColumnDataListMoLocal>("CIA001", m_columns.get());
    m_manager =
        std::make_unique<CDataManager>("P", 3001, 3004, 0,
                                       listMode == 1 ? QStringLiteral("CRDS_MO_WINNAME_ITEMIMAGE")
                                                     : QStringLiteral("CRDS_MO_WINNAME_RECOMMEND"),
                                       kPages, 1, m_list.get());
}

CItemImageSource::~CItemImageSource()
{
    // The manager goes first: it frees the columns and the list's rows.
    m_manager->CloseSQLiteDB();
    m_manager.reset();
    m_list.reset();
}

} // namespace mervolt
