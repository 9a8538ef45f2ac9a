#pragma once

// Dialog template ids of the goods program's windows and pages.

namespace brelkin {

enum : unsigned {
    IDD_LIST = 3001, // standard list window
    IDD_PAGE_DEPT = 3002,
    IDD_PAGE_PLU = 3003,
    IDD_TABDLG = 3004, // record editor
    IDD_PAGE_GROUP = 3008,
    IDD_PAGE_ITEMPARM = 3009,
    IDD_ADD_CODE = 3013, // new-code dialog
    IDD_HOURLY_LIST = 3016,
    IDD_PAGE_CLERK = 3017,   // also the mode table's unused third dialog id
    IDD_SELECT_RADIO = 3039, // choice popup
    IDD_PAGE_SETMENU = 3040,
    IDD_PAGE_MIXMATCH = 3041,
    IDD_PAGE_ITEMPARM_CL = 3042,
    IDD_PAGE_PLU_CL = 3045,
    IDD_PAGE_PLU_RES = 3046,
    IDD_PAGE_SETPRICE = 3047,
    IDD_PAGE_CLERK_RES = 3048,
    IDD_EASY_LIST = 16006,
};

} // namespace brelkin
