#pragma once

#include "shared/controls/CFunctionButton.h"

#include <QSize>
#include <QString>

#include <array>
#include <vector>

namespace tovanel {

// One button of a menu: the shared library's row, its place in the client
// area (0, 0 = hidden) and whether it is enabled in menu states 0 to 3.
struct MenuRow
{
    _functionbutton_base button;
    int x = 0;
    int y = 0;
    std::array<int, 4> enable{};
};

// One frame picture behind a group of buttons, with its label drawn into it.
struct MenuFrame
{
    int nCtrlId = 0;
    QString strLabelKey;
    int x = 0;
    int y = 0;
    QSize size; // of the picture drawn for it
};

struct MenuTable
{
    QString captionKey;
    std::vector<MenuRow> rows;
    std::vector<MenuFrame> frames;
    QSize windowSize;
    QSize minClientSize;
    bool importEntry = true; // the window menu offers the import
    // Rows whose program gets "_<package>" of the open archive.
    std::vector<int> packageRows;
    // Key layout: the chooser asks for "/KL" or "/FL" (else "/KL" always).
    bool keyLayoutChooser = true;
    // In OES mode the application title takes its OES form.
    bool oesTitle = true;
    // The button that takes the focus when an archive is open (0: none).
    int focusWhenOpen = 0;
};

// Control ids of the menus.
enum MenuControl : int {
    IDC_FRAME_FILE = 1000,
    IDC_FRAME_PRODUCT = 1001,
    IDC_FRAME_PRINT = 1003,
    IDC_FRAME_CUSTOMER = 1004,
    IDC_FRAME_OPERATION = 1005,
    IDC_NEW = 1006,
    IDC_OPEN = 1007,
    IDC_SAVE = 1008,
    IDC_SAVEAS = 1009,
    IDC_OESSAVE = 1010,
    IDC_ITEM = 1011,
    IDC_DEPARTMENT = 1012,
    IDC_GROUP = 1013,
    IDC_ITEMPARAMETER = 1014,
    IDC_FUNCTIONKEY = 1015,
    IDC_CLERK = 1016,
    IDC_RECEIPTMESSAGE = 1017,
    IDC_RECEIPT = 1018,
    IDC_GENERALFEATURE = 1019,
    IDC_HELP = 1020,
    IDC_END = 1021,
    IDC_HIDDEN = 1022,
    IDC_HOURLY = 1023,
    IDC_GRAPHICLOGO = 1024,
    IDC_CUSPOINT = 1025,
    IDC_CUSCOUPON = 1026,
    IDC_CUSDISCOUNT = 1028,
    IDC_KEYLAYOUT = 1029,
    IDC_OPETAX = 1030,
    IDC_SELSAVE = 1032,
    IDC_SETMENU = 1033,
    IDC_MIXMATCH = 1034,
    IDC_CHARACTER = 1035,
    IDC_MONITOR = 1036,
    IDC_CUSCAMPAIGN = 1092,
};

const MenuTable& StandardMenu();
const MenuTable& EasyMenu();
const MenuTable& CleaningMenu();

// Every button control any menu lists, with the text of its template control
// (type 0 buttons take their picture names from it).
struct TemplateButton
{
    int nCtrlId;
    const char* text;
};
const std::vector<TemplateButton>& TemplateButtons();

} // namespace tovanel
