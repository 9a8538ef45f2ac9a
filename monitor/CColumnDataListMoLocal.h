#pragma once

#include "shared/data/CColumnDataList.h"

class CDataManager;

namespace mervolt {

class CXmlDataArray;

// The record source of the item-image list. Registered, its rows come from
// CIA001 of the work database; from a display archive (no database rows),
// one row per non-empty image slot of Preference.xml, in slot order.
class CColumnDataListMoLocal : public CColumnDataList
{
public:
    CColumnDataListMoLocal(const QString& table, CColumnData** columns);
    ~CColumnDataListMoLocal() override;

    // Display archive: rows of code (the first "CRDS_MO_COLUNWIDTH_1"
    // characters of the file name, named after the item code), "-", name,
    // "-", "". The order text is not used then.
    bool ReadRecords(int& err, QString order) override;
    // A display archive's new code: {code, "-", "", "-", ""} appended to
    // the cache, kept alive by the list.
    void AppendCodeRow(const QString& code);

    int m_nListMode = 1; // 1 item images, 0 recommendation images
    int m_nRegistered = 1;
    CDataManager* m_pDataManager = nullptr; // holds the cache in display-archive mode
    CXmlDataArray* m_pItems = nullptr;
    int m_nMaxRows = 0;
};

} // namespace mervolt
