#pragma once

namespace dunmarel {

// The pages of the tab dialog.
enum : unsigned {
    IDD_PAGE_FORMALRECEIPT = 3008,
    IDD_PAGE_RECEIPT = 3009,
    IDD_PAGE_ORDER = 3010,
    IDD_PAGE_TAX = 3011,
    IDD_PAGE_DISP = 3012,
    IDD_PAGE_CHECK = 3013,
    IDD_PAGE_OTHER = 3014,
    IDD_PAGE_TAXSETTING = 3015,
    IDD_PAGE_TAXRESERVATION = 3016,
    IDD_PAGE_DETAIL = 3018,
    IDD_PAGE_EASY_58MM = 3019,
    IDD_PAGE_EASY_FORMALRECEIPT = 3020,
    IDD_PAGE_EASY_80MM = 3022,
};

} // namespace dunmarel
