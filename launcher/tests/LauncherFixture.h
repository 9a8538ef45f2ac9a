#pragma once

#include "launcher/CTovanelBaseDlg.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/program/CMainWndCtrl.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include "platform/FileChooser.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

namespace tovanel::test {

const QByteArray kIni = "[PRODUCT]\nPRODUCTKEY=TEST\nPRODUCTVERSION=2.5\nLANGUAGE=0\n"
                        "[ECR_LIST]\nTOTALCOUNT=3\n001=ZED,ZedFolder,Z-1,Zed 9\n"
                        "002=ABC,AbcFolder,A-1,Abc 1\n003=MID,MidFolder,M-1,Mid 5\n";

// A suite folder with its launcher INI, the launcher's language texts, a
// runtime folder of the test's own and a responder that records messages.
class LauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        m_suite.writeIni(kIni);
        LoadLanguage(QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        // The library's own texts (button labels, frame labels, messages).
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        // The Open a window runs at start finds no archive chosen.
        platform::setFileChooser([](const platform::FileChoice&) { return QString(); });
    }
    void TearDown() override
    {
        platform::setFileChooser({});
        CSarvikApp::Instance().ReleaseLangDatas();
        CProgramLang::Release();
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
    }

    static void LoadLanguage(const QString& path)
    {
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Tovanel"), path));
    }
    // A language file of the test's own, module "Tovanel" only.
    void LoadLanguageTexts(const QList<std::pair<QString, QString>>& texts)
    {
        QByteArray xml = "<resources><module name='Tovanel'>";
        for (const auto& [key, text] : texts)
            xml += "<string id='" + key.toUtf8() + "'>" + text.toUtf8() + "</string>";
        xml += "</module></resources>";
        const QString path = m_suite.folders().scratch() + QStringLiteral("/lang.xml");
        ASSERT_TRUE(korvane::test::writeFile(path, xml));
        LoadLanguage(path);
    }

    // A window of the menu, initialised as the program initialises it, with
    // the single-instance token the program gives it.
    template <class Menu> std::unique_ptr<Menu> MakeMenu(int oesMode = 0)
    {
        auto menu = std::make_unique<Menu>();
        menu->SetCommandLine(QString(), QString(), oesMode, QString());
        m_instance = std::make_unique<platform::SingleInstance>(QStringLiteral("Tovanel ") +
                                                                QUuid::createUuid().toString());
        EXPECT_TRUE(m_instance->acquire());
        CMainWndCtrl::AttachMainWnd(menu.get(), *m_instance);
        menu->Create();
        return menu;
    }

    SuiteFixture m_suite;
    QTemporaryDir m_runtime;
    QByteArray m_savedRuntime;
    std::unique_ptr<platform::SingleInstance> m_instance;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};

} // namespace tovanel::test
