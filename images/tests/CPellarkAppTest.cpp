// Start-up pieces that need no running program: the start window, opening
// the work database, and the dialog base the windows share.
#include "images/CImgListDlg.h"
#include "images/CPellarkApp.h"
#include "images/PellarkButtonTable.h"

#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace pellark;

TEST(ChooseStartWindowTest, OnlyEasyExactlyOpensTheEasyHost)
{
    struct Case
    {
        const char* option;
        StartWindow window;
    };
    for (const Case& c :
         {Case{"EASY", StartWindow::EasyHost}, Case{"easy", StartWindow::GraphicList},
          Case{"Easy", StartWindow::GraphicList}, Case{"EASYX", StartWindow::GraphicList},
          Case{"", StartWindow::GraphicList}, Case{"S", StartWindow::GraphicList}})
        EXPECT_EQ(ChooseStartWindow(QString::fromLatin1(c.option)), c.window) << c.option;
}

class CPellarkAppTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        m_database = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    }
    SuiteFixture m_suite;
    QString m_database;
};

TEST_F(CPellarkAppTest, MissingWorkDatabaseIsNeverCreated)
{
    CPellarkApp app;
    EXPECT_NE(app.OpenWorkDatabase(), 0);
    EXPECT_EQ(app.Database(), nullptr);
    EXPECT_FALSE(QFile::exists(m_database));
}

TEST_F(CPellarkAppTest, SecondOpenIsRefused)
{
    korvane::test::ExecSql(m_database, {"CREATE TABLE T (A)"});
    CPellarkApp app;
    ASSERT_EQ(app.OpenWorkDatabase(), 0);
    ASSERT_NE(app.Database(), nullptr);
    EXPECT_EQ(app.Database()->BlobFolder(), CBasePath::GetLocalTemporaryPath());
    EXPECT_EQ(app.OpenWorkDatabase(), -99);
}

TEST_F(CPellarkAppTest, NotADatabaseGivesItsStatus)
{
    korvane::test::writeFile(m_database, QByteArray(4096, 'x'));
    CPellarkApp app;
    EXPECT_NE(app.OpenWorkDatabase(), 0);
    EXPECT_EQ(app.Database(), nullptr);
}

class ListWindowTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        OpenDb(CBasePath::GetLocalTemporaryPath() + QStringLiteral("/SETTING.DB"));
        CreateTables({QStringLiteral("CSB008")});
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Pellark"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        RegisterDialogClass(QLatin1String(CPellarkApp::kClassName));
    }
    void TearDown() override
    {
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }
    SuiteFixture m_suite;
};

TEST_F(ListWindowTest, TemplateKeysAndButtonsFollowTheTable)
{
    CImgListDlg dialog(m_db.get());
    EXPECT_EQ(korvane::test::DialogFaults(&dialog, CProgramLang::LangDatas(), "Pellark"),
              QStringList());
    dialog.Create();
    EXPECT_EQ(dialog.objectName(), CPellarkApp::kClassName);
    EXPECT_EQ(dialog.windowTitle(), "Logo Images");
    EXPECT_EQ(FindControlById(&dialog, CImgListDlg::IDC_DELETE)->property("text").toString(),
              "Delete");
    // Back rightmost, Change left of it, Delete left of Change; Help at the left.
    const auto x = [&](uint id) { return FindControlById(&dialog, id)->geometry().x(); };
    EXPECT_GT(x(2), x(1));
    EXPECT_GT(x(1), x(CImgListDlg::IDC_DELETE));
    EXPECT_LT(x(CImgListDlg::IDC_HELP), x(CImgListDlg::IDC_DELETE));
    EXPECT_EQ(FindControlById(&dialog, 2)->width(), 112);
    const CButtonTable& table = PellarkButtonTable();
    EXPECT_EQ(table.count, 8);
    // The client size stays the size it started with.
    const QSize start = dialog.size();
    dialog.resize(start + QSize(100, 50));
    EXPECT_EQ(dialog.size(), start);
}

} // namespace
