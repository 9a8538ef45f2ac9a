#include "launcher/CLumoCmdLineInfo.h"
#include "launcher/CTovanelApp.h"
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/tests/LauncherFixture.h"

namespace tovanel::test {
namespace {

TEST(CLumoCmdLineInfo, ParsesThePlainAndTheOesForms)
{
    struct Case
    {
        QStringList arguments;
        QString fileName;
        int oes;
        QString oesArchive;
        QString oesFolder;
    };
    const Case cases[] = {
        {{}, "", 0, "", ""},
        {{"/data/A.crx"}, "/data/A.crx", 0, "", ""},
        {{"OES", "/data/A.crx"}, "", 1, "/data/A.crx", ""},
        {{"OES", "/data/A.crx", "/x/f1", "/x/f2"}, "", 1, "/data/A.crx", "/x/f2"},
        {{"oes", "/data/A.crx"}, "/start/oes", 0, "", ""},
        {{"/OES", "/data/A.crx", "/x/f"}, "", 1, "/data/A.crx", "/x/f"},
        {{"sub/A.crx"}, "/start/sub/A.crx", 0, "", ""},
        {{"OES", "../A.crx", "F"}, "", 1, "/A.crx", "F"},
    };
    for (const Case& c : cases) {
        CLumoCmdLineInfo info(QStringLiteral("/start"));
        info.ParseArguments(c.arguments);
        const std::string name = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(info.m_strFileName, c.fileName) << name;
        EXPECT_EQ(info.m_bOesMode, c.oes) << name;
        EXPECT_EQ(info.m_strOesArchivePath, c.oesArchive) << name;
        EXPECT_EQ(info.m_strOesDataFolder, c.oesFolder) << name;
    }
}

using ProductMode = LauncherTest;

TEST_F(ProductMode, ChoosesTheMenu)
{
    struct Case
    {
        QByteArray line;
        const char* menu;
    };
    const Case cases[] = {
        {"", "tovanel::CTovanelStandardDlg"},
        {"PRODUCTMODE=0\n", "tovanel::CTovanelStandardDlg"},
        {"PRODUCTMODE=1\n", "tovanel::CTovanelCleaningDlg"},
        {"PRODUCTMODE=2\n", "tovanel::CTovanelEasyDlg"},
        {"PRODUCTMODE=3\n", "tovanel::CTovanelStandardDlg"},
        {"PRODUCTMODE=x\n", "tovanel::CTovanelStandardDlg"},
    };
    for (const Case& c : cases) {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TEST\n" + c.line);
        const auto window = CTovanelApp::CreateMainWindow(CBasePath::GetProductMode());
        EXPECT_STREQ(window->metaObject()->className(), c.menu) << c.line.toStdString();
    }
}

} // namespace
} // namespace tovanel::test
