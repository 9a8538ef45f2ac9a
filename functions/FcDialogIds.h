#pragma once

namespace kesmond {

// Dialog templates of the function program.
enum : unsigned {
    IDD_FC_PAGE_BASIC = 3002,
    IDD_FC_TAB = 3004,
    IDD_FC_LIST = 3010,
    IDD_FC_PAGE_AMOUNT = 3014,
    IDD_FC_PAGE_RATE = 3015,
    IDD_FC_FUNCLIST = 3016,
    IDD_FC_PAGE_PROPERTIES = 3017,
    IDD_FC_SUBF_TEXT = 3020,
    IDD_FC_SUBF_DATE = 3021,
    IDD_FC_SUBF_TIME = 3022,
    IDD_FC_SUBF_SELECT = 3023,
    IDD_FC_SUBF_NUMBER = 3024,
    IDD_FC_SUBF_AMOUNT = 3025,
    IDD_FC_KEYLAYOUT = 3027,
};

// Controls the program's code refers to.
enum : unsigned {
    IDC_FC_LIST = 23001,
    IDC_FC_TAB = 23002,
    IDC_FC_NAME = 20007,
    IDC_FC_FUNCTION = 23018,
    IDC_FC_KEYCODE = 23019,
    IDC_FC_AMOUNT = 23100,
    IDC_FC_RATE = 23126,
    IDC_FC_INSERT = 23048,
    IDC_FC_DELETE = 23047,
    IDC_FC_PROPERTIES = 23133,
    IDC_FC_CHANGE_VALUE = 23138,
    IDC_FC_HELP = 33002,
    IDC_FC_INITIALIZE = 33004,
};

} // namespace kesmond
