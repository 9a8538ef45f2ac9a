#include "shared/program/CProgramStartup.h"

#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/SuiteFixture.h"

#include <QDialog>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A program's start-up up to its window; its exit code.
int StartUpToTheWindow(bool& reachedWindow)
{
    reachedWindow = false;
    return CProgramStartup::Run([&] {
        CProgramStartup startup(QStringLiteral("Brelkin"));
        startup.UseProductProfile();
        reachedWindow = true;
        return 7;
    });
}

TEST(CProgramStartup, MissingLauncherIniEndsTheProgramAfterItsMessage)
{
    SuiteFixture suite;
    bool reachedWindow = false;
    const int code = StartUpToTheWindow(reachedWindow);
    EXPECT_EQ(code, CProgramStartup::kExitNoIni);
    EXPECT_FALSE(reachedWindow);
    EXPECT_EQ(suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_NOTFOUNDINI")});
}

// A launcher INI that gives no product key (not an INI at all, or its
// PRODUCTKEY empty) ends the program as a missing one does, and the message
// names the file.
TEST(CProgramStartup, LauncherIniWithoutProductKeyEndsTheProgramNamingTheFile)
{
    SuiteFixture suite;
    ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    QStringList texts;
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        suite.messages() << request.key;
        texts << request.text;
        return int(platform::IDOK);
    });
    QByteArray noise(4096, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 131 + 7) % 256);
    const QByteArray inis[] = {
        noise,
        "[PRODUCT]\nPRODUCTKEY=\nPRODUCTMODE=0\n",
        "[PRODUCT]\nPRODUCTKEY=   \n",
        "[OTHER]\nPRODUCTKEY=TEST\n",
    };
    for (const QByteArray& ini : inis) {
        suite.writeIni(ini);
        suite.messages().clear();
        texts.clear();
        bool reachedWindow = false;
        const int code = StartUpToTheWindow(reachedWindow);
        EXPECT_EQ(code, CProgramStartup::kExitNoIni) << ini.left(40).toStdString();
        EXPECT_FALSE(reachedWindow);
        EXPECT_EQ(suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_BADINI")});
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts.front().contains(suite.iniPath())) << texts.front().toStdString();
    }
    CSarvikApp::Instance().ReleaseLangDatas();
}

TEST(CProgramStartup, ProfileLivesUnderTheProductKeyAndTheStartupResultIsTheExitCode)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=SHOP\n");
    const int code = CProgramStartup::Run([] {
        CProgramStartup startup(QStringLiteral("Kesmond"));
        startup.UseProductProfile();
        EXPECT_EQ(QSettings().fileName().section(QLatin1Char('/'), -3),
                  QStringLiteral("Korvane/SHOP/Kesmond.conf"));
        return 2;
    });
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(suite.messages().isEmpty());
}

TEST(CProgramStartup, LanguageComesFromTheProgramsModule)
{
    SuiteFixture suite;
    korvane::test::writeFile(suite.programFolder() + QStringLiteral("/lang.xml"),
                             "<resources><module name='Sarvik'><string key='A'>lib</string>"
                             "<string key='B'>libB</string></module><module name='Pellark'>"
                             "<string key='A'>own</string></module></resources>");
    CProgramStartup startup(QStringLiteral("Pellark"));
    ASSERT_TRUE(startup.LoadLanguage(suite.programFolder() + QStringLiteral("/lang.xml")));
    EXPECT_EQ(CProgramLang::ModuleName(), QStringLiteral("Pellark"));
    EXPECT_EQ(GetLangString(QStringLiteral("A")), QStringLiteral("own"));
    EXPECT_EQ(GetLangString(QStringLiteral("B")), QStringLiteral("libB"));
}

TEST(CProgramStartup, OneInstancePerName)
{
    SuiteFixture suite;
    qputenv("XDG_RUNTIME_DIR", suite.folders().scratch().toLocal8Bit());
    CProgramStartup first(QStringLiteral("Mervolt"));
    ASSERT_TRUE(first.HoldSingleInstance(QStringLiteral("Mervolt"), false));
    ASSERT_NE(first.Instance(), nullptr);
    CProgramStartup second(QStringLiteral("Mervolt"));
    EXPECT_FALSE(second.HoldSingleInstance(QStringLiteral("Mervolt"), false));
    EXPECT_EQ(second.Instance(), nullptr);
    CProgramStartup other(QStringLiteral("Dunmarel"));
    EXPECT_TRUE(other.HoldSingleInstance(QStringLiteral("Dunmarel"), false));
    qunsetenv("XDG_RUNTIME_DIR");
}

TEST(CProgramStartup, ModeIsTheFirstOption)
{
    struct Case
    {
        QStringList arguments;
        QString mode;
    };
    const Case cases[] = {
        {{}, QString()},
        {{QStringLiteral("/P"), QStringLiteral("/EASY")}, QStringLiteral("P")},
        {{QStringLiteral("file.crx"), QStringLiteral("-FK")}, QStringLiteral("FK")},
    };
    for (const Case& c : cases) {
        CEcrCmdLineInfo info;
        EXPECT_EQ(CProgramStartup::ParseMode(info, c.arguments), c.mode)
            << c.arguments.join(u' ').toStdString();
    }
}

TEST(CProgramStartup, MainWindowRunsUntilItFinishesNotWhileItIsHidden)
{
    QDialog window;
    QTimer::singleShot(0, &window, [&window] { window.hide(); });
    QTimer::singleShot(50, &window, [&window] {
        EXPECT_FALSE(window.isVisible());
        window.show();
        window.done(2);
    });
    EXPECT_EQ(CProgramStartup::RunMainWindow(window), 2);
}

} // namespace
