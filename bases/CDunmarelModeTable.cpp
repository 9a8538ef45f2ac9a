#include "bases/CDunmarelModeTable.h"

#include "bases/BaseDialogIds.h"

namespace dunmarel {

namespace {

struct EntrySource
{
    unsigned tabDlgId;
    const char* windowNameKey;
    const uint* pageIds;
    int pageCount;
    BaseList list;
};

const uint kFormalReceiptPages[] = {IDD_PAGE_FORMALRECEIPT};
const uint kMessagePages[] = {IDD_PAGE_RECEIPT, IDD_PAGE_ORDER};
const uint kGeneralPages[] = {IDD_PAGE_DISP, IDD_PAGE_TAX, IDD_PAGE_CHECK, IDD_PAGE_OTHER};
const uint kTaxPages[] = {IDD_PAGE_TAXSETTING, IDD_PAGE_TAXRESERVATION};
const uint kCleaningPages[] = {IDD_PAGE_CHECK, IDD_PAGE_DETAIL};
const uint kRestaurantPages[] = {IDD_PAGE_DETAIL};
const uint kEasyFormalReceiptPages[] = {IDD_PAGE_EASY_FORMALRECEIPT};
const uint kEasyMessagePages[] = {IDD_PAGE_EASY_58MM, IDD_PAGE_EASY_80MM};

const EntrySource kEntries[MODE_COUNT] = {
    {IDD_TABDLG, "CRDS_BS_WINNAME_JPRYOUSHUU", kFormalReceiptPages, 1, BaseList::FormalReceipt},
    {IDD_TABDLG, "CRDS_BS_WINNAME_RECEIPT", kMessagePages, 2, BaseList::ReceiptMessage},
    {IDD_TABDLG, "CRDS_BS_WINNAME_GENERALSETTING", kGeneralPages, 4, BaseList::General},
    {IDD_TABDLG_TAX, "CRDS_BS_WINNAME_TAXSETTING", kTaxPages, 2, BaseList::Tax},
    {IDD_TABDLG, "CRDS_BS_WINNAME_GENERALSETTING", kCleaningPages, 2, BaseList::CleaningCheck},
    {IDD_TABDLG, "CRDS_BS_WINNAME_GENERALSETTING", kRestaurantPages, 1, BaseList::Restaurant},
    {IDD_TABDLG_EASY, "CRDS_BS_WINNAME_JPRYOUSHUU", kEasyFormalReceiptPages, 1,
     BaseList::FormalReceiptEasy},
    {IDD_TABDLG_EASY, "CRDS_BS_WINNAME_RECEIPT", kEasyMessagePages, 2,
     BaseList::ReceiptMessageEasy},
};

} // namespace

CDunmarelModeTable::CDunmarelModeTable()
{
    for (int mode = 0; mode < MODE_COUNT; ++mode) {
        const EntrySource& e = kEntries[mode];
        m_entries[size_t(mode)] = std::make_unique<CDataManager>(
            ModeKey(mode), 0, e.tabDlgId, 0, QLatin1String(e.windowNameKey), e.pageIds, e.pageCount,
            m_lists.Get(e.list));
    }
    m_detailCleaning =
        std::make_unique<CDataManager>("AS_DETAIL_CL", IDD_PAGE_DETAIL, IDD_TABDLG, 0,
                                       QStringLiteral("CRDS_BS_WINNAME_GENERALSETTING"), nullptr, 0,
                                       m_lists.Get(BaseList::DetailCleaning));
    m_detailRestaurant = std::make_unique<CDataManager>(
        "AS_RES", IDD_PAGE_DETAIL, IDD_TABDLG, 0, QStringLiteral("CRDS_BS_WINNAME_GENERALSETTING"),
        nullptr, 0, m_lists.Get(BaseList::DetailRestaurant));
}

// The managers close before the lists they point at go.
CDunmarelModeTable::~CDunmarelModeTable()
{
    m_detailRestaurant.reset();
    m_detailCleaning.reset();
    for (auto& entry : m_entries)
        entry.reset();
}

CDataManager* CDunmarelModeTable::Entry(int mode) const
{
    return mode >= 0 && mode < MODE_COUNT ? m_entries[size_t(mode)].get() : nullptr;
}

} // namespace dunmarel
