#include "shared/textfiles/CErrDataInfo.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/tests/DialogTestSupport.h"
#include "shared/lang/FormatLangText.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class CErrDataInfoTest : public ::testing::Test
{
protected:
    void SetUp() override { LoadSuiteLangTexts(); }
    void TearDown() override { CSarvikApp::Instance().ReleaseLangDatas(); }

    static QString Error() { return LoadCommonString("CRDS_CMN_ERR_IMPERROR"); }
    static QString Warning() { return LoadCommonString("CRDS_CMN_ERR_IMPWARNING"); }
    static QString Record(int n)
    {
        return FormatLangText(LoadCommonString("CRDS_CMN_ERR_MEMORYNO"), n);
    }
};

TEST_F(CErrDataInfoTest, NumbersErrorsAndWarningsButNotNotes)
{
    ASSERT_FALSE(Error().isEmpty());
    CErrDataInfo info;
    info.AddErrData(CErrDataInfo::DATAERR_NOTE, 0, "start", "", "");
    info.AddErrData(CErrDataInfo::DATAERR_ERROR, 5, "Price", "too long", "1234567");
    info.AddErrData(CErrDataInfo::DATAERR_WARNING, 0, "Name", "", "");
    info.AddErrData(CErrDataInfo::DATAERR_NOTE, 0, "middle", "", "");
    info.AddErrData(CErrDataInfo::DATAERR_ERROR2, 0, "", "", "");
    info.AddErrData(CErrDataInfo::DataErrTypetag(9), 0, "plain", "", "");

    // Counts cover only lines already taken.
    EXPECT_EQ(info.GetErrCnt(), 0);
    EXPECT_EQ(info.GetWarningCnt(), 0);

    EXPECT_EQ(info.GetNextErrMsg(), "start ");
    EXPECT_EQ(info.GetNextErrMsg(), Error() + "001 " + Record(5) + "Price too long " +
                                        LoadCommonString("CRDS_CMN_ERR_IMPDATA") + "1234567");
    EXPECT_EQ(info.GetErrCnt(), 1);
    EXPECT_EQ(info.GetNextErrMsg(), Warning() + "002 Name ");
    EXPECT_EQ(info.GetNextErrMsg(), "middle ");
    EXPECT_EQ(info.GetNextErrMsg(), Error() + "003 "); // only heading and number
    EXPECT_EQ(info.GetNextErrMsg(), "004 plain ");     // numbered, not counted
    EXPECT_EQ(info.GetErrCnt(), 2);
    EXPECT_EQ(info.GetWarningCnt(), 1);

    EXPECT_EQ(info.GetNextErrMsg(), "");
    EXPECT_EQ(info.GetNextErrMsg(), "");
    EXPECT_EQ(info.GetErrCnt(), 2);
}

} // namespace
