// Every column list of the modes against the default schema once the
// column facts are read.
#include "bases/tests/BaseDbFixture.h"

#include "bases/CColumnApartData.h"
#include "bases/CColumnApartDataCheck.h"
#include "bases/CColumnApartDataNumber.h"
#include "bases/CColumnApartDataStaticCombo.h"
#include "bases/CColumnApartDataTime.h"
#include "bases/CColumnApartDataUniqueRadio.h"
#include "bases/CColumnApartDateTimeData.h"
#include "bases/CColumnApartNumData.h"

#include <typeinfo>

using namespace dunmarel;

namespace {

// One descriptor as "table.key=value column#control class size.decimals".
std::string Describe(const CColumnData* c)
{
    const char* kind = dynamic_cast<const CColumnApartDataStaticCombo*>(c)   ? "Combo"
                       : dynamic_cast<const CColumnApartDataUniqueRadio*>(c) ? "Radio"
                       : dynamic_cast<const CColumnApartDataCheck*>(c)       ? "Check"
                       : dynamic_cast<const CColumnApartDateTimeData*>(c)    ? "Date"
                       : dynamic_cast<const CColumnApartNumData*>(c)         ? "Num"
                       : dynamic_cast<const CColumnApartDataNumber*>(c)      ? "Number"
                       : dynamic_cast<const CColumnApartDataTime*>(c)        ? "Time"
                       : dynamic_cast<const CColumnApartData*>(c)            ? "Apart"
                                                                             : "Plain";
    return QStringLiteral("%1.%2=%3 %4#%5 %6 %7.%8")
        .arg(c->m_strOwnTable, c->m_strOwnKeyColumn, c->m_strOwnKeyValue, c->m_strColumnName)
        .arg(c->m_nCtrlID)
        .arg(QLatin1String(kind))
        .arg(c->m_nSize)
        .arg(c->m_nDecimals)
        .toStdString();
}

std::vector<std::string> DescribeAll(const CDataManager* entry)
{
    std::vector<std::string> all;
    for (int i = 0; i < entry->GetColumnDataCount(); ++i)
        all.push_back(Describe(entry->GetColumnData(i)));
    return all;
}

} // namespace

class BaseColumnListsTest : public BaseDbFixture
{
};

TEST_F(BaseColumnListsTest, CountsOfEveryList)
{
    const std::pair<int, int> counts[] = {{MODE_RC, 8},      {MODE_RC_EASY, 8}, {MODE_RM, 16},
                                          {MODE_RM_EASY, 8}, {MODE_AS, 25},     {MODE_TX, 51},
                                          {MODE_AS_CL, 2},   {MODE_AS_RES, 0}};
    for (const auto& [mode, count] : counts) {
        CDataManager* entry = OpenMode(mode);
        EXPECT_EQ(entry->GetColumnDataCount(), count) << ModeKey(mode);
        EXPECT_EQ(entry->GetColumnDataList()->m_strTableName, QString()) << ModeKey(mode);
    }
}

TEST_F(BaseColumnListsTest, FormalReceiptAndMessages)
{
    const std::vector<std::string> rc = DescribeAll(OpenMode(MODE_RC));
    EXPECT_EQ(rc, (std::vector<std::string>{
                      "CSB001.OPSETCODE=SALES.REG.JPRYOUSHUU.SYO VALUE#23009 Radio 256.0",
                      "CSB007.CHARSETCODE=MESSAGE.JPRYOUSHUU.TITLE.H CHARDATA#20007 Apart 512.0",
                      "CSB007.CHARSETCODE=MESSAGE.JPRYOUSHUU.MESSAGE1.H CHARDATA#20008 Apart 512.0",
                      "CSB007.CHARSETCODE=MESSAGE.JPRYOUSHUU.MESSAGE2.H CHARDATA#20009 Apart 512.0",
                      "CSB007.CHARSETCODE=MESSAGE.JPRYOUSHUU.MESSAGE3.H CHARDATA#20010 Apart 512.0",
                      "CSB001.OPSETCODE=SALES.REG.JPRYOUSHUU.INSHI VALUE#20011 Num 6.0",
                      "CSB001.OPSETCODE=SALES.REG.JPRYOUSHUU.LOGO VALUE#23011 Radio 256.0",
                      "CSB001.OPSETCODE=SALES.REG.JPRYOUSHUU.RCT VALUE#23013 Radio 256.0",
                  }));
    const std::vector<std::string> easy = DescribeAll(OpenMode(MODE_RC_EASY));
    EXPECT_EQ(easy[1], "CSB007.CHARSETCODE=MESSAGE.JPRYOUSHUU.TITLE.H CHARDATA#20007 Apart 128.0");
    EXPECT_EQ(easy[4],
              "CSB007.CHARSETCODE=MESSAGE.JPRYOUSHUU.MESSAGE3.H CHARDATA#20010 Apart 128.0");

    CDataManager* rm = OpenMode(MODE_RM);
    const std::vector<std::string> messages = DescribeAll(rm);
    EXPECT_EQ(messages.front(),
              "CSB007.CHARSETCODE=MESSAGE.RECEIPT.TOP1.S CHARDATA#1004 Apart 512.0");
    EXPECT_EQ(messages[8],
              "CSB007.CHARSETCODE=MESSAGE.ORDERRECEIPT.TOP1.S CHARDATA#1029 Apart 512.0");
    EXPECT_EQ(messages.back(),
              "CSB007.CHARSETCODE=MESSAGE.ORDERRECEIPT.BOTTOM2.L CHARDATA#1036 Apart 512.0");
    EXPECT_EQ(static_cast<CColumnApartData*>(rm->GetColumnData(3))->m_nEditWidth, 40);
    EXPECT_EQ(static_cast<CColumnApartData*>(rm->GetColumnData(4))->m_nEditWidth, 50);
    const std::vector<std::string> rmEasy = DescribeAll(OpenMode(MODE_RM_EASY));
    EXPECT_EQ(rmEasy, std::vector<std::string>(messages.begin(), messages.begin() + 8));
}

TEST_F(BaseColumnListsTest, GeneralFeaturesTaxAndDetail)
{
    const std::vector<std::string> as = DescribeAll(OpenMode(MODE_AS));
    EXPECT_EQ(as[0], "CSB001.OPSETCODE=APP.REG.STYLE VALUE#23101 Combo 256.0");
    EXPECT_EQ(as[9], "CSB001.OPSETCODE=AREA.TAX.BAKEDGOODQTY VALUE#1053 Num 1.0");
    EXPECT_EQ(as[12], "CSB001.OPSETCODE=SALES.REG.SERVICECHG.RATE VALUE#1055 Num 5.2");
    EXPECT_EQ(as[14], "CSB001.OPSETCODE=SALES.REG.SERVICECHG2.START VALUE#1058 Time 4.0");
    EXPECT_EQ(as[16], "CSB001.OPSETCODE=REPORT.X.BATCH.DEFAULT VALUE#1061 Check 256.0");
    EXPECT_EQ(as[17], "CSB001.OPSETCODE=REPORT.Z.BATCH.DEFAULT VALUE#1069 Check 256.0");
    EXPECT_EQ(as[24], "CSB001.OPSETCODE=SALES.REG.SCANPLU.END VALUE#1092 Number 5.0");
    EXPECT_EQ(DescribeAll(OpenMode(MODE_AS_CL)),
              std::vector<std::string>(as.begin() + 16, as.begin() + 18));

    const std::vector<std::string> tx = DescribeAll(OpenMode(MODE_TX));
    EXPECT_EQ(tx[0], "CSM001.TAXCODE=01 TAXTYPE#1096 Combo 1.0");
    EXPECT_EQ(tx[1], "CSM001.TAXCODE=01 TAXRATE#1097 Num 7.3");
    EXPECT_EQ(tx[3], "CSM001.TAXCODE=01 TAXNAME#1099 Apart 24.0");
    EXPECT_EQ(tx[4], "CSM001.TAXCODE=01 TAXABLEAMTNAME#1100 Apart 10.0");
    EXPECT_EQ(tx[37], "CSM001.TAXCODE=93 TAXRATE#1226 Num 7.3");
    EXPECT_EQ(tx[48], "CTS001.SCHEDULERCODE=REG900 UNUSABLEFLG#1168 Radio 1.0");
    EXPECT_EQ(tx[49], "CTS001.SCHEDULERCODE=REG900 STARTDATE#1170 Date 8.0");
    EXPECT_EQ(tx[50], "CTS001.SCHEDULERCODE=REG900 STARTTIME#1171 Date 4.0");

    // The detail lists: plain columns of "CSB001", key first.
    dunmarel::CDunmarelModeTable modes;
    for (CDataManager* detail : {modes.DetailCleaning(), modes.DetailRestaurant()}) {
        int err = 0;
        ASSERT_TRUE(detail->CreateSQLiteDB(CBasePath::GetLocalTemporaryPath()));
        ASSERT_TRUE(detail->OpenSQLiteDB(QStringLiteral("\\SETTING.DB"), err));
        CColumnDataList* list = detail->GetColumnDataList();
        EXPECT_EQ(list->m_strTableName, QStringLiteral("CSB001"));
        ASSERT_EQ(list->m_nColumnCount, 8);
        EXPECT_EQ(list->m_ppColumnData[0]->m_nPrimaryKey, 1);
        EXPECT_EQ(list->m_ppColumnData[2]->m_strLabelKey,
                  QStringLiteral("CRDS_BS_ITEM_DETAIL_VALUE"));
        EXPECT_EQ(list->m_ppColumnData[7]->m_strColumnName, QStringLiteral("UPDATEDATETIME"));
    }
}
