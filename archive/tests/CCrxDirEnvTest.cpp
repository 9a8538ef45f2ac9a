#include "archive/CCrxDirEnv.h"

#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

namespace {

TEST(CCrxDirEnvTest, PathsDeriveFromTheBaseFolder)
{
    CCrxDirEnv env;
    EXPECT_EQ(env.Init(QString()), CRX_E_EMPTY_PATH);
    EXPECT_FALSE(env.IsInitialised());
    ASSERT_EQ(env.Init("/data/base"), CRX_OK);
    EXPECT_EQ(env.SettingDbPath(), "/data/base/SETTING.DB");
    EXPECT_EQ(env.UnpackFolder(), "/data/base/Quorvin");
    EXPECT_EQ(env.DataXmlPath(), "/data/base/Quorvin/Korvane_REG_DATA.xml");
    EXPECT_EQ(env.BlobFolder(), "/data/base/Quorvin/blob");
    EXPECT_EQ(env.StampIniPath(), "/data/base/SETTING.DB.INI");
    EXPECT_EQ(env.UnpackedSettingSchema(), "/data/base/Quorvin/Schema.txt");
    EXPECT_EQ(env.BaseSettingSchema(), "/data/base/Schema.txt");
    EXPECT_EQ(env.UnpackedMediaFolder(), "/data/base/Quorvin/additionals");
    EXPECT_EQ(env.BaseMediaFolder(), "/data/base/additionals");
    EXPECT_EQ(env.CustomerDbPath(), "/data/base/CUSTOMER.DB");
    EXPECT_EQ(env.UnpackedCustomerSchema(), "/data/base/Quorvin/CUSTOMER.txt");
    EXPECT_EQ(env.BaseCustomerSchema(), "/data/base/CUSTOMER.txt");
}

TEST(CCrxDirEnvTest, StampsRoundTripThroughTheIni)
{
    korvane::test::TestFolders folders;
    CCrxDirEnv env;
    CrxTime time{1, 1, 1, 1, 1, 1};
    EXPECT_EQ(env.ReadTimestamp(CRX_STAMP_IMPORT, time), CRX_E_EMPTY_PATH);
    EXPECT_TRUE(time.IsZero());
    EXPECT_EQ(env.WriteTimestamp(CRX_STAMP_IMPORT, time), CRX_E_EMPTY_PATH);

    ASSERT_EQ(env.Init(folders.scratch()), CRX_OK);
    EXPECT_EQ(env.ReadTimestamp(CRX_STAMP_IMPORT, time), CRX_E_STAMP_FORMAT); // no key yet
    ASSERT_EQ(env.WriteTimestamp(CRX_STAMP_IMPORT, {2017, 3, 4, 5, 6, 7}), CRX_OK);
    ASSERT_EQ(env.WriteTimestamp(CRX_STAMP_EXPORT, {2024, 12, 31, 23, 59, 58}), CRX_OK);
    EXPECT_EQ(korvane::test::readFile(env.StampIniPath()).replace("\r", ""),
              "[TIMESTAMP]\nIMPORT=2017/03/04 05:06:07\nEXPORT=2024/12/31 23:59:58\n");

    ASSERT_EQ(env.ReadTimestamp(CRX_STAMP_IMPORT, time), CRX_OK);
    EXPECT_EQ(time, (CrxTime{2017, 3, 4, 5, 6, 7}));
    ASSERT_EQ(env.ReadTimestamp(CRX_STAMP_EXPORT, time), CRX_OK);
    EXPECT_EQ(time, (CrxTime{2024, 12, 31, 23, 59, 58}));

    EXPECT_EQ(env.WriteTimestamp(3, time), CRX_E_STAMP_KIND);
    EXPECT_EQ(env.ReadTimestamp(0, time), CRX_E_STAMP_KIND);
    EXPECT_TRUE(time.IsZero());
}

TEST(CCrxDirEnvTest, StampDigitsSitAtFixedPlacesWithAnySeparators)
{
    struct Case
    {
        const char16_t* text;
        bool ok;
    };
    for (const Case& c :
         {Case{u"2017/03/04 05:06:07", true}, Case{u"2017-03-04T05:06:07", true},
          Case{u"2017/03/04 05:06:07 and more", true}, Case{u"17/03/04 05:06:07", false},
          Case{u"2017/03/04 05:06:0", false}, Case{u"", false}, Case{u"2017/03/04 05:0x:07", false},
          Case{u"２０１７/03/04 05:06:07", false}}) {
        CrxTime time{9, 9, 9, 9, 9, 9};
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(CCrxDirEnv::ParseStamp(text, time), c.ok) << text.toStdString();
        EXPECT_EQ(time, (c.ok ? CrxTime{2017, 3, 4, 5, 6, 7} : CrxTime{})) << text.toStdString();
    }
}

} // namespace
