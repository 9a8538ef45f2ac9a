#include "launcher/MenuTables.h"

namespace tovanel {

namespace {

constexpr auto T0 = CFunctionButtonFace::BTNTYPE_TEMPLATE;
constexpr auto T1 = CFunctionButtonFace::BTNTYPE_DARK;
constexpr auto T2 = CFunctionButtonFace::BTNTYPE_PINK;
constexpr auto T3 = CFunctionButtonFace::BTNTYPE_PURPLE;
constexpr auto T4 = CFunctionButtonFace::BTNTYPE_GREEN;

const std::array<int, 4> kAll{1, 1, 1, 1};
const std::array<int, 4> kNone{0, 0, 0, 0};
const std::array<int, 4> kProgram{0, 1, 1, 0};

MenuRow Row(int id, const char* program, const char* option, EnumBtnTypetag type, const char* key,
            int x, int y, std::array<int, 4> enable)
{
    return MenuRow{{id, QLatin1String(program), QLatin1String(option), type, QLatin1String(key)},
                   x,
                   y,
                   enable};
}

// Frame pictures sized to the buttons they gather; each reaches kCaptionRoom
// higher than its buttons need, so that its caption stands above its outline.
constexpr int kCaptionRoom = 6;
MenuFrame Frame(int id, const char* key, int x, int y, int width, int height)
{
    return MenuFrame{id, QLatin1String(key), x, y - kCaptionRoom,
                     QSize(width, height + kCaptionRoom)};
}
const MenuFrame kFileFrame = Frame(IDC_FRAME_FILE, "CRDS_TXT_FILE", 15, 8, 664, 104);
MenuFrame ColumnFrame(int id, const char* key, int x, int height)
{
    return Frame(id, key, x, 120, 220, height);
}

MenuTable MakeStandard()
{
    MenuTable t;
    t.captionKey = QStringLiteral("CRDD_Tovanel_DIALOG_Feltrane");
    t.windowSize = {700, 609};
    t.minClientSize = {694, 581};
    t.packageRows = {IDC_ITEM, IDC_SETMENU, IDC_CLERK, IDC_GENERALFEATURE};
    t.focusWhenOpen = IDC_NEW;
    t.frames = {kFileFrame, ColumnFrame(IDC_FRAME_PRODUCT, "CRDS_TXT_PRODUCT", 15, 400),
                ColumnFrame(IDC_FRAME_PRINT, "CRDS_TXT_PRINT", 240, 400),
                ColumnFrame(IDC_FRAME_OPERATION, "CRDS_TXT_OPERATION", 465, 400)};
    t.rows = {
        Row(IDC_NEW, "", "", T0, "CRDS_TXT_NEW", 30, 37, kAll),
        Row(IDC_OPEN, "", "", T0, "CRDS_TXT_OPEN", 135, 37, kAll),
        Row(IDC_SAVE, "", "", T0, "CRDS_TXT_SAVE", 240, 37, {0, 0, 1, 1}),
        Row(IDC_SAVEAS, "", "", T0, "CRDS_TXT_SAVEAS", 345, 37, {0, 1, 1, 1}),
        Row(IDC_OESSAVE, "", "", T0, "CRDS_TXT_OESSAVE", 555, 37, {0, 1, 1, 0}),
        Row(IDC_SELSAVE, "", "", T0, "CRDS_TXT_SELSAVE", 450, 37, {0, 1, 1, 1}),
        Row(IDC_ITEM, "Brelkin", "/P", T1, "CRDS_TXT_ITEMSETTING", 30, 155, kProgram),
        Row(IDC_DEPARTMENT, "Brelkin", "/S", T1, "CRDS_TXT_ITEMDEPARTMENT", 30, 207, kProgram),
        Row(IDC_GROUP, "Brelkin", "/G", T1, "CRDS_TXT_ITEMGROUP", 30, 259, kProgram),
        Row(IDC_ITEMPARAMETER, "Brelkin", "/C", T1, "CRDS_TXT_ITEMPARAMETERS", 30, 310, kProgram),
        Row(IDC_SETMENU, "Brelkin", "/SM", T1, "CRDS_TXT_SETMENU", 30, 362, kProgram),
        Row(IDC_MIXMATCH, "Brelkin", "/MX", T1, "CRDS_TXT_MIXMATCH", 30, 414, kProgram),
        Row(IDC_HOURLY, "Brelkin", "/H", T1, "CRDS_TXT_ITEMHOURLY", 30, 466, kProgram),
        Row(IDC_RECEIPTMESSAGE, "Dunmarel", "/RM", T1, "CRDS_TXT_RECEIPTMESSAGE", 255, 155,
            kProgram),
        Row(IDC_RECEIPT, "Dunmarel", "/RC", T1, "CRDS_TXT_RYOUSYUUSYO", 255, 207, kProgram),
        Row(IDC_GRAPHICLOGO, "Pellark", "", T1, "CRDS_TXT_GRAPHICLOGO", 255, 259, kProgram),
        Row(IDC_CLERK, "Brelkin", "/PC", T1, "CRDS_TXT_CLERKSETTING", 480, 155, kProgram),
        Row(IDC_GENERALFEATURE, "Dunmarel", "/AS", T1, "CRDS_TXT_GENERALFEATURE", 480, 207,
            kProgram),
        Row(IDC_CHARACTER, "Kesmond", "/CH", T1, "CRDS_TXT_CHARACTER", 0, 0, kNone),
        Row(IDC_FUNCTIONKEY, "Kesmond", "/FK", T1, "CRDS_TXT_FUNCTIONKEY", 480, 259, kProgram),
        Row(IDC_KEYLAYOUT, "Kesmond", "/FL", T1, "CRDS_TXT_KEYLAYOUT", 480, 310, kProgram),
        Row(IDC_OPETAX, "Dunmarel", "/TX", T1, "CRDS_TXT_OPETAX", 480, 362, kProgram),
        Row(IDC_HELP, "", "", T3, "CRDS_TXT_HELP", 30, 536, kAll),
        Row(IDC_MONITOR, "Mervolt", "", T4, "CRDS_TXT_MONITOR", 162, 536, {0, 1, 1, 1}),
        Row(IDC_END, "", "", T2, "CRDS_TXT_END", 553, 536, kAll),
    };
    return t;
}

MenuTable MakeEasy()
{
    MenuTable t;
    t.captionKey = QStringLiteral("CRDD_Tovanel_DIALOG_Feltrane");
    t.windowSize = {700, 505};
    t.minClientSize = {694, 477};
    t.importEntry = false;
    t.packageRows = {IDC_ITEM, IDC_CLERK};
    t.keyLayoutChooser = false;
    t.frames = {kFileFrame, ColumnFrame(IDC_FRAME_PRODUCT, "CRDS_TXT_PRODUCT", 15, 296),
                ColumnFrame(IDC_FRAME_PRINT, "CRDS_TXT_PRINT", 240, 296),
                ColumnFrame(IDC_FRAME_OPERATION, "CRDS_TXT_OPERATION", 465, 296)};
    t.rows = {
        Row(IDC_OPEN, "", "", T0, "CRDS_TXT_OPEN", 30, 37, kAll),
        Row(IDC_SAVE, "", "", T0, "CRDS_TXT_SAVE", 135, 37, {0, 0, 1, 1}),
        Row(IDC_SAVEAS, "", "", T0, "CRDS_TXT_SAVEAS", 240, 37, {0, 1, 1, 1}),
        Row(IDC_ITEM, "Brelkin", "/P /EASY", T1, "CRDS_TXT_ITEMSETTING", 30, 155, kProgram),
        Row(IDC_DEPARTMENT, "Brelkin", "/S /EASY", T1, "CRDS_TXT_ITEMDEPARTMENT", 30, 207,
            kProgram),
        Row(IDC_GROUP, "Brelkin", "/G /EASY", T1, "CRDS_TXT_ITEMGROUP", 30, 259, kProgram),
        Row(IDC_RECEIPTMESSAGE, "Dunmarel", "/RM_EASY", T1, "CRDS_TXT_RECEIPTMESSAGE", 255, 259,
            kProgram),
        Row(IDC_RECEIPT, "Dunmarel", "/RC_EASY", T1, "CRDS_TXT_RYOUSYUUSYO", 255, 207, kProgram),
        Row(IDC_GRAPHICLOGO, "Pellark", "/EASY", T1, "CRDS_TXT_GRAPHICLOGO", 255, 155, kProgram),
        Row(IDC_CLERK, "Brelkin", "/PC", T1, "CRDS_TXT_CLERKSETTING", 480, 155, kProgram),
        Row(IDC_KEYLAYOUT, "Kesmond", "/FL", T1, "CRDS_TXT_KEYLAYOUT", 480, 207, kProgram),
        Row(IDC_OPETAX, "Dunmarel", "/TX", T1, "CRDS_TXT_OPETAX", 480, 259, kProgram),
        Row(IDC_HELP, "", "", T3, "CRDS_TXT_HELP", 30, 432, {1, 1, 1, 0}),
        Row(IDC_END, "", "", T2, "CRDS_TXT_END", 553, 432, {1, 1, 1, 0}),
    };
    return t;
}

MenuTable MakeCleaning()
{
    MenuTable t;
    t.captionKey = QStringLiteral("CRDD_Tovanel_DIALOG_CLEANING");
    t.windowSize = {700, 609};
    t.minClientSize = {694, 581};
    t.focusWhenOpen = IDC_OPEN;
    t.oesTitle = false;
    t.frames = {kFileFrame, ColumnFrame(IDC_FRAME_PRODUCT, "CRDS_TXT_PRODUCT", 15, 400),
                ColumnFrame(IDC_FRAME_PRINT, "CRDS_TXT_PRINT", 240, 148),
                ColumnFrame(IDC_FRAME_OPERATION, "CRDS_TXT_OPERATION", 465, 400),
                Frame(IDC_FRAME_CUSTOMER, "CRDS_TXT_CUSTOMER", 240, 276, 220, 244)};
    t.rows = {
        Row(IDC_NEW, "", "", T0, "CRDS_TXT_NEW", 0, 0, kNone),
        Row(IDC_OPEN, "", "", T0, "CRDS_TXT_OPEN", 30, 37, kAll),
        Row(IDC_SAVE, "", "", T0, "CRDS_TXT_SAVE", 135, 37, {0, 0, 1, 1}),
        Row(IDC_SAVEAS, "", "", T0, "CRDS_TXT_SAVEAS", 240, 37, {0, 1, 1, 1}),
        Row(IDC_OESSAVE, "", "", T0, "CRDS_TXT_OESSAVE", 0, 0, kNone),
        Row(IDC_SELSAVE, "", "", T0, "CRDS_TXT_SELSAVE", 345, 37, {0, 1, 1, 1}),
        Row(IDC_ITEM, "Brelkin", "/P_CL", T1, "CRDS_TXT_ITEMSETTING", 30, 155, kProgram),
        Row(IDC_DEPARTMENT, "Brelkin", "/S", T1, "CRDS_TXT_ITEMDEPARTMENT", 30, 207, kProgram),
        Row(IDC_GROUP, "Brelkin", "/G", T1, "CRDS_TXT_ITEMGROUP", 30, 259, kProgram),
        Row(IDC_ITEMPARAMETER, "Brelkin", "/C_CL", T1, "CRDS_TXT_ITEMPARAMETERS", 30, 310,
            kProgram),
        Row(IDC_SETMENU, "Brelkin", "/SM", T1, "CRDS_TXT_SETMENU", 30, 362, kProgram),
        Row(IDC_MIXMATCH, "Brelkin", "/MX_CL", T1, "CRDS_TXT_MIXMATCH", 30, 414, kProgram),
        Row(IDC_HOURLY, "Brelkin", "/H", T1, "CRDS_TXT_ITEMHOURLY", 30, 466, kProgram),
        Row(IDC_RECEIPTMESSAGE, "Dunmarel", "/RM", T1, "CRDS_TXT_RECEIPTMESSAGE", 0, 0, kNone),
        Row(IDC_RECEIPT, "Dunmarel", "/RC", T1, "CRDS_TXT_RYOUSYUUSYO", 255, 155, kProgram),
        Row(IDC_GRAPHICLOGO, "Pellark", "", T1, "CRDS_TXT_GRAPHICLOGO", 255, 207, kProgram),
        Row(IDC_CLERK, "Brelkin", "/PC_CL", T1, "CRDS_TXT_CLERKSETTING", 480, 155, kProgram),
        Row(IDC_GENERALFEATURE, "Dunmarel", "/AS_CL", T1, "CRDS_TXT_GENERALFEATURE", 480, 207,
            kProgram),
        Row(IDC_CHARACTER, "Kesmond", "/CH", T1, "CRDS_TXT_CHARACTER", 480, 259, kProgram),
        Row(IDC_FUNCTIONKEY, "Kesmond", "/FK", T1, "CRDS_TXT_FUNCTIONKEY", 480, 310, kProgram),
        Row(IDC_KEYLAYOUT, "Kesmond", "/FL", T1, "CRDS_TXT_KEYLAYOUT", 480, 362, kProgram),
        Row(IDC_OPETAX, "Dunmarel", "/TX", T1, "CRDS_TXT_OPETAX", 480, 414, kProgram),
        Row(IDC_HELP, "", "", T3, "CRDS_TXT_HELP", 30, 536, kAll),
        Row(IDC_MONITOR, "Mervolt", "", T4, "CRDS_TXT_MONITOR", 162, 536, {0, 1, 1, 1}),
        Row(IDC_END, "", "", T2, "CRDS_TXT_END", 553, 536, kAll),
        Row(IDC_CUSPOINT, "Wendrath", "/PT", T1, "CRDS_TXT_CUSPOINT", 255, 310, kProgram),
        Row(IDC_CUSCOUPON, "Wendrath", "/CP", T1, "CRDS_TXT_CUSCOUPON", 255, 362, kProgram),
        Row(IDC_CUSDISCOUNT, "Wendrath", "/DD", T1, "CRDS_TXT_CUSDISCOUNT", 255, 414, kProgram),
        Row(IDC_CUSCAMPAIGN, "Wendrath", "/CS", T1, "CRDS_TXT_CUSCAMPAIGN", 255, 466, kProgram),
    };
    return t;
}

} // namespace

const MenuTable& StandardMenu()
{
    static const MenuTable table = MakeStandard();
    return table;
}

const MenuTable& EasyMenu()
{
    static const MenuTable table = MakeEasy();
    return table;
}

const MenuTable& CleaningMenu()
{
    static const MenuTable table = MakeCleaning();
    return table;
}

const std::vector<TemplateButton>& TemplateButtons()
{
    static const std::vector<TemplateButton> buttons = {
        {IDC_NEW, "BtnFileNew"},
        {IDC_OPEN, "BtnFileOpen"},
        {IDC_SAVE, "BtnFileSave"},
        {IDC_SAVEAS, "BtnFileSaveAs"},
        {IDC_OESSAVE, "BtnFileOesSave"},
        {IDC_SELSAVE, "BtnFileSelSave"},
        {IDC_ITEM, ""},
        {IDC_DEPARTMENT, ""},
        {IDC_GROUP, ""},
        {IDC_ITEMPARAMETER, ""},
        {IDC_SETMENU, ""},
        {IDC_MIXMATCH, ""},
        {IDC_HOURLY, ""},
        {IDC_RECEIPTMESSAGE, ""},
        {IDC_RECEIPT, ""},
        {IDC_GRAPHICLOGO, ""},
        {IDC_CLERK, ""},
        {IDC_GENERALFEATURE, ""},
        {IDC_CHARACTER, ""},
        {IDC_FUNCTIONKEY, ""},
        {IDC_KEYLAYOUT, ""},
        {IDC_OPETAX, ""},
        {IDC_HELP, ""},
        {IDC_MONITOR, ""},
        {IDC_END, ""},
        {IDC_CUSPOINT, ""},
        {IDC_CUSCOUPON, ""},
        {IDC_CUSDISCOUNT, ""},
        {IDC_CUSCAMPAIGN, ""},
    };
    return buttons;
}

} // namespace tovanel
