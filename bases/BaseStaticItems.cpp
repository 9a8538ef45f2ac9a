#include "bases/BaseStaticItems.h"

namespace dunmarel {

const tagCLMSTRITEM kRegStyleItems[2] = {{0, "CRDS_BS_ITEM_REGSTYLE_NEW"},
                                         {1, "CRDS_BS_ITEM_REGSTYLE_STANDARD"}};
const tagCLMSTRITEM kCheckStyleItems[3] = {{0, "CRDS_BS_ITEM_CHECKSTYLE_TABLE"},
                                           {1, "CRDS_BS_ITEM_CHECKSTYLE_SLIP"},
                                           {2, "CRDS_BS_ITEM_NOTHING"}};
const tagCLMSTRITEM kCheckSizeItems[3] = {{0, "CRDS_BS_ITEM_CHECKSIZE_STANDARD"},
                                          {1, "CRDS_BS_ITEM_CHECKSIZE_HALF"},
                                          {2, "CRDS_BS_ITEM_CHECKSIZE_LARGEDETAIL"}};
const tagCLMSTRITEM kCheckTimeItems[2] = {{0, "CRDS_BS_ITEM_CHECKTIME_CHECK"},
                                          {1, "CRDS_BS_ITEM_CHECKTIEM_START"}};
const tagCLMSTRITEM kUserStyleItems[2] = {{0, "CRDS_BS_ITEM_USERSTYLE_KEY"},
                                          {1, "CRDS_BS_ITEM_USERSTYLE_ID"}};
const tagCLMSTRITEM kEntStyleItems[2] = {{0, "CRDS_BS_ITEM_ENTSTYLE_ADD"},
                                         {1, "CRDS_BS_ITEM_ENTSTYLE_REPLACE"}};
const tagCLMSTRITEM kQtyExtensionItems[2] = {{0, "CRDS_BS_ITEM_QTYEXTENTION_PRICE"},
                                             {1, "CRDS_BS_ITEM_QTYEXTENTION_NUMBER"}};
const tagCLMSTRITEM kCountryRoundingItems[15] = {
    {0, "CRDS_BS_ITEM_NOTHING"},
    {1, "CRDS_BS_ITEM_COUNRTYROUNDING_IF1"},
    {2, "CRDS_BS_ITEM_COUNRTYROUNDING_IF2"},
    {3, "CRDS_BS_ITEM_COUNRTYROUNDING_AUSTRALIAN"},
    {4, "CRDS_BS_ITEM_COUNRTYROUNDING_DANISH"},
    {5, "CRDS_BS_ITEM_COUNRTYROUNDING_FINNISH"},
    {6, "CRDS_BS_ITEM_COUNRTYROUNDING_MALAYSIAN"},
    {7, "CRDS_BS_ITEM_COUNRTYROUNDING_NEWZEALAND1"},
    {8, "CRDS_BS_ITEM_COUNRTYROUNDING_NEWZEALAND2"},
    {9, "CRDS_BS_ITEM_COUNRTYROUNDING_SWEEDISH"},
    {10, "CRDS_BS_ITEM_COUNRTYROUNDING_SOUTHAFRICA"},
    {11, "CRDS_BS_ITEM_COUNRTYROUNDING_5"},
    {12, "CRDS_BS_ITEM_COUNRTYROUNDING_10"},
    {13, "CRDS_BS_ITEM_COUNRTYROUNDING_NORWEGIAN"},
    {14, "CRDS_BS_ITEM_COUNRTYROUNDING_NEWSWEEDISH"},
};
const tagCLMSTRITEM kTaxSystemItems[4] = {{0, "CRDS_BS_ITEM_TAXSYSTEM_STANDARD"},
                                          {1, "CRDS_BS_ITEM_TAXSYSTEM_USFS"},
                                          {2, "CRDS_BS_ITEM_TAXSYSTEM_CANADA"},
                                          {3, "CRDS_BS_ITEM_TAXSYSTEM_SHINGAPORE"}};
const tagCLMSTRITEM kTaxFsItems[2] = {{0, "CRDS_BS_ITEM_TAXFS_ILLINOISRULE"},
                                      {2, "CRDS_BS_ITEM_TAXFS_NEWJERSEYRULE"}};
const tagCLMSTRITEM kYesNoItems[2] = {{1, "CRDS_BS_ITEM_YES"}, {0, "CRDS_BS_ITEM_NO"}};
const tagCLMSTRITEM kReceiptOffItems[2] = {{0, "CRDS_BS_ITEM_RECEIPT_ON"},
                                           {1, "CRDS_BS_ITEM_RECEIPT_OFF"}};
const tagCLMSTRITEM kNfpEntryItems[2] = {{1, "CRDS_BS_ITEM_NFP_ENTRY_ON"},
                                         {2, "CRDS_BS_ITEM_NFP_ENTRY_OFF"}};
const tagCLMSTRITEM kTaxTypeItems[6] = {
    {0, "CRDS_BS_ITEM_TAXTYPE_NON"},      {1, "CRDS_BS_ITEM_TAXTYPE_ADDIN"},
    {2, "CRDS_BS_ITEM_TAXTYPE_ADDON"},    {3, "CRDS_BS_ITEM_TAXTYPE_US"},
    {4, "CRDS_BS_ITEM_TAXTYPE_TAXONTAX"}, {5, "CRDS_BS_ITEM_TAXTYPE_VAT1"}};
const tagCLMSTRITEM kTaxRoundItems[5] = {{0, "CRDS_BS_ITEM_TAXROUND_CUTOFF"},
                                         {1, "CRDS_BS_ITEM_TAXROUND_ROUNDOFF"},
                                         {2, "CRDS_BS_ITEM_TAXROUND_ROUNDUP"},
                                         {3, "CRDS_BS_ITEM_TAXROUND_2DIGIT"},
                                         {4, "CRDS_BS_ITEM_TAXROUND_SINGAPORE"}};

const char* const kRyoushuushoLabels[] = {"CRDS_BS_ITEM_RYOUSYUUSHO", "CRDS_BS_ITEM_RYOUSYUUSYOU",
                                          nullptr};
const char* const kRyoushuushoLogoLabels[] = {"CRDS_BS_ITEM_RYOUSYUUSHO_TEXT",
                                              "CRDS_BS_ITEM_RYOUSYUUSHO_IMG", nullptr};
const char* const kYesNoLabels[] = {"CRDS_BS_ITEM_YES", "CRDS_BS_ITEM_NO", nullptr};
const char* const kTaxReservationLabels[] = {"CRDS_BS_RADIO_TAXRSV_ON", "CRDS_BS_RADIO_TAXRSV_OFF",
                                             nullptr};

} // namespace dunmarel
