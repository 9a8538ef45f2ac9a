#include "bases/CBaseColumnLists.h"

#include "bases/BaseStaticItems.h"
#include "bases/CColumnApartData.h"
#include "bases/CColumnApartDataCheck.h"
#include "bases/CColumnApartDataNumber.h"
#include "bases/CColumnApartDataStaticCombo.h"
#include "bases/CColumnApartDataTime.h"
#include "bases/CColumnApartDataUniqueRadio.h"
#include "bases/CColumnApartDateTimeData.h"
#include "bases/CColumnApartNumData.h"
#include "goods/base/ColumnArrays.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace dunmarel {

namespace {

using Columns = std::vector<CColumnData*>;

const QString kCSB001 = QStringLiteral("CSB001");
const QString kCSB007 = QStringLiteral("CSB007");
const QString kCSM001 = QStringLiteral("CSM001");
const QString kCTS001 = QStringLiteral("CTS001");
const QString kOpSetCode = QStringLiteral("OPSETCODE");
const QString kValue = QStringLiteral("VALUE");
const QString kCharSetCode = QStringLiteral("CHARSETCODE");
const QString kCharData = QStringLiteral("CHARDATA");

CColumnData** ToArray(const Columns& columns)
{
    auto** array = new CColumnData*[columns.size() + 1];
    std::copy(columns.begin(), columns.end(), array);
    array[columns.size()] = nullptr;
    return array;
}

template <size_t N>
CColumnData* Combo(const char* key, uint ctrlId, const tagCLMSTRITEM (&items)[N])
{
    return new CColumnApartDataStaticCombo(kCSB001, kValue, kOpSetCode, QLatin1String(key), ctrlId,
                                           0, items, int(N), 0, 0);
}

CColumnData* Radio(const char* key, uint ctrlId, const char* const* labels)
{
    return new CColumnApartDataUniqueRadio(kCSB001, kValue, kOpSetCode, QLatin1String(key), ctrlId,
                                           0, labels);
}

CColumnData* Message(const char* key, uint ctrlId, int width, int size)
{
    return size ? new CColumnApartData(kCSB007, kCharData, kCharSetCode, QLatin1String(key), ctrlId,
                                       0, width, size, 0)
                : new CColumnApartData(kCSB007, kCharData, kCharSetCode, QLatin1String(key), ctrlId,
                                       0, width);
}

CColumnData* Num(const char* key, uint ctrlId, int width, int size, int decimals)
{
    return new CColumnApartNumData(kCSB001, kValue, kOpSetCode, QLatin1String(key), ctrlId, 0,
                                   width, size, decimals);
}

CColumnData* Check(const char* key, uint ctrlId)
{
    return new CColumnApartDataCheck(kCSB001, kValue, kOpSetCode, QLatin1String(key), ctrlId, 0, 8);
}

Columns FormalReceipt(int messageSize)
{
    return {
        Radio("SALES.REG.JPRYOUSHUU.SYO", 23009, kRyoushuushoLabels),
        Message("MESSAGE.JPRYOUSHUU.TITLE.H", 20007, 50, messageSize),
        Message("MESSAGE.JPRYOUSHUU.MESSAGE1.H", 20008, 50, messageSize),
        Message("MESSAGE.JPRYOUSHUU.MESSAGE2.H", 20009, 50, messageSize),
        Message("MESSAGE.JPRYOUSHUU.MESSAGE3.H", 20010, 50, messageSize),
        Num("SALES.REG.JPRYOUSHUU.INSHI", 20011, 6, 6, 0),
        Radio("SALES.REG.JPRYOUSHUU.LOGO", 23011, kRyoushuushoLogoLabels),
        Radio("SALES.REG.JPRYOUSHUU.RCT", 23013, kYesNoLabels),
    };
}

Columns ReceiptMessages(bool orderReceipts)
{
    struct Row
    {
        const char* key;
        uint ctrlId;
    };
    static const Row rows[] = {
        {"MESSAGE.RECEIPT.TOP1.S", 1004},         {"MESSAGE.RECEIPT.TOP2.S", 1005},
        {"MESSAGE.RECEIPT.BOTTOM1.S", 1006},      {"MESSAGE.RECEIPT.BOTTOM2.S", 1007},
        {"MESSAGE.RECEIPT.TOP1.L", 1008},         {"MESSAGE.RECEIPT.TOP2.L", 1009},
        {"MESSAGE.RECEIPT.BOTTOM1.L", 1010},      {"MESSAGE.RECEIPT.BOTTOM2.L", 1011},
        {"MESSAGE.ORDERRECEIPT.TOP1.S", 1029},    {"MESSAGE.ORDERRECEIPT.TOP2.S", 1030},
        {"MESSAGE.ORDERRECEIPT.BOTTOM1.S", 1031}, {"MESSAGE.ORDERRECEIPT.BOTTOM2.S", 1032},
        {"MESSAGE.ORDERRECEIPT.TOP1.L", 1033},    {"MESSAGE.ORDERRECEIPT.TOP2.L", 1034},
        {"MESSAGE.ORDERRECEIPT.BOTTOM1.L", 1035}, {"MESSAGE.ORDERRECEIPT.BOTTOM2.L", 1036},
    };
    Columns columns;
    for (size_t i = 0; i < (orderReceipts ? std::size(rows) : 8); ++i) {
        const bool small = QLatin1String(rows[i].key).endsWith(QLatin1String(".S"));
        columns.push_back(Message(rows[i].key, rows[i].ctrlId, small ? 40 : 50, 512));
    }
    return columns;
}

Columns General()
{
    return {
        Combo("APP.REG.STYLE", 23101, kRegStyleItems),
        Combo("APP.CHECK.STYLE", 1093, kCheckStyleItems),
        Combo("APP.CHECK.SIZE", 23103, kCheckSizeItems),
        Combo("APP.CHECK.TIME", 23104, kCheckTimeItems),
        Combo("APP.USER.STYLE", 23105, kUserStyleItems),
        Combo("INDRAWER.ENTSTYLE", 23106, kEntStyleItems),
        Combo("SALES.REG.QTYEXTENSION", 23107, kQtyExtensionItems),
        Combo("AREA.COUNTRYROUNDING", 1045, kCountryRoundingItems),
        Combo("AREA.TAX.SYSTEM", 1094, kTaxSystemItems),
        Num("AREA.TAX.BAKEDGOODQTY", 1053, 20, 1, 0),
        Num("AREA.TAX.PREPAREDMAL", 1054, 20, 13, 0),
        Combo("AREA.TAX.FS", 1052, kTaxFsItems),
        Num("SALES.REG.SERVICECHG.RATE", 1055, 7, 5, 2),
        Num("SALES.REG.SERVICECHG2.RATE", 1056, 7, 5, 2),
        new CColumnApartDataTime(kCSB001, kValue, kOpSetCode,
                                 QStringLiteral("SALES.REG.SERVICECHG2.START"), 1058, 0, 7, 4),
        new CColumnApartDataTime(kCSB001, kValue, kOpSetCode,
                                 QStringLiteral("SALES.REG.SERVICECHG2.END"), 1060, 0, 7, 4),
        Check("REPORT.X.BATCH.DEFAULT", 1061),
        Check("REPORT.Z.BATCH.DEFAULT", 1069),
        Combo("REPORT.Z.RESETCHECKNO", 1078, kYesNoItems),
        Combo("REPORT.Z.RESETCONSECNO", 1080, kYesNoItems),
        Combo("SALES.RECEIPT.OFF", 1084, kReceiptOffItems),
        Combo("SALES.DRAWER.COMPULSORY", 1086, kYesNoItems),
        Combo("SALES.REG.NFP.ENTRY", 1088, kNfpEntryItems),
        new CColumnApartDataNumber(kCSB001, kValue, kOpSetCode,
                                   QStringLiteral("SALES.REG.SCANPLU.START"), 1091, 0, 20, 5),
        new CColumnApartDataNumber(kCSB001, kValue, kOpSetCode,
                                   QStringLiteral("SALES.REG.SCANPLU.END"), 1092, 0, 20, 5),
    };
}

Columns Tax()
{
    struct Code
    {
        const char* code;
        uint ctrlIds[6];
    };
    static const Code codes[] = {
        {"01", {1096, 1097, 1098, 1099, 1100, 1101}}, {"02", {1102, 1103, 1104, 1105, 1106, 1107}},
        {"03", {1108, 1109, 1110, 1111, 1112, 1113}}, {"04", {1114, 1115, 1116, 1117, 1118, 1119}},
        {"91", {1120, 1121, 1122, 1123, 1124, 1125}}, {"92", {1126, 1127, 1128, 1129, 1130, 1131}},
        {"93", {1224, 1226, 1227, 1228, 1229, 1230}}, {"94", {1231, 1232, 1233, 1234, 1235, 1236}},
    };
    const QString taxCode = QStringLiteral("TAXCODE");
    Columns columns;
    for (const Code& c : codes) {
        const QString key = QLatin1String(c.code);
        const uint* id = c.ctrlIds;
        columns.push_back(new CColumnApartDataStaticCombo(kCSM001, QStringLiteral("TAXTYPE"),
                                                          taxCode, key, id[0], 0, kTaxTypeItems,
                                                          int(std::size(kTaxTypeItems)), 0, 0));
        columns.push_back(new CColumnApartNumData(kCSM001, QStringLiteral("TAXRATE"), taxCode, key,
                                                  id[1], 0, 7, 7, 3));
        columns.push_back(new CColumnApartDataStaticCombo(kCSM001, QStringLiteral("TAXROUNDTYPE"),
                                                          taxCode, key, id[2], 0, kTaxRoundItems,
                                                          int(std::size(kTaxRoundItems)), 0, 0));
        columns.push_back(
            new CColumnApartData(kCSM001, QStringLiteral("TAXNAME"), taxCode, key, id[3], 0, 24));
        columns.push_back(new CColumnApartData(kCSM001, QStringLiteral("TAXABLEAMTNAME"), taxCode,
                                               key, id[4], 0, 20, 10, 0));
        columns.push_back(new CColumnApartData(kCSM001, QStringLiteral("TAXAMTNAME"), taxCode, key,
                                               id[5], 0, 20, 10, 0));
    }
    const QString scheduler = QStringLiteral("SCHEDULERCODE");
    const QString reg900 = QStringLiteral("REG900");
    columns.push_back(new CColumnApartDataUniqueRadio(
        kCTS001, QStringLiteral("UNUSABLEFLG"), scheduler, reg900, 1168, 0, kTaxReservationLabels));
    columns.push_back(new CColumnApartDateTimeData(kCTS001, QStringLiteral("STARTDATE"), scheduler,
                                                   reg900, 1170, 0, 1));
    columns.push_back(new CColumnApartDateTimeData(kCTS001, QStringLiteral("STARTTIME"), scheduler,
                                                   reg900, 1171, 0, 0));
    return columns;
}

Columns Detail()
{
    static const char* const rows[][2] = {
        {"OPSETCODE", ""},
        {"TITLE", "CRDS_BS_ITEM_DETAIL_TITLE"},
        {"VALUE", "CRDS_BS_ITEM_DETAIL_VALUE"},
        {"DEFAULTSET", ""},
        {"EXPLANATION", ""},
        {"REMARKS", ""},
        {"CREATEDATETIME", ""},
        {"UPDATEDATETIME", ""},
    };
    Columns columns;
    for (const auto& row : rows)
        columns.push_back(new CColumnData(QLatin1String(row[0]), QLatin1String(row[1]), 0, 0));
    return columns;
}

} // namespace

CBaseColumnLists::CBaseColumnLists()
{
    Columns general = General();
    const Columns sources[kCount] = {
        FormalReceipt(0),
        ReceiptMessages(true),
        general,
        Tax(),
        {Check("REPORT.X.BATCH.DEFAULT", 1061), Check("REPORT.Z.BATCH.DEFAULT", 1069)},
        {},
        FormalReceipt(128),
        ReceiptMessages(false),
        Detail(),
        Detail(),
    };
    for (size_t i = 0; i < kCount; ++i) {
        m_arrays[i] = ToArray(sources[i]);
        const bool detail =
            i == size_t(BaseList::DetailCleaning) || i == size_t(BaseList::DetailRestaurant);
        m_lists[i] = std::make_unique<CColumnDataList>(detail ? kCSB001 : QString(), m_arrays[i]);
    }
}

CBaseColumnLists::~CBaseColumnLists()
{
    for (size_t i = 0; i < kCount; ++i)
        FreeColumnList(m_lists[i], m_arrays[i]);
}

} // namespace dunmarel
