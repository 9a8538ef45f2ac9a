// The new-file, key-layout and about dialogs, and the walk over every
// dialog of the launcher.
#include "launcher/CAboutDlg.h"
#include "launcher/CCrxReadWriteDlg.h"
#include "launcher/CCrxTblSelDlg.h"
#include "launcher/CImportTblDlg.h"
#include "launcher/CImportTblSelDlg.h"
#include "launcher/CNewFileDlg.h"
#include "launcher/CSelectKeyLayoutDlg.h"
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/tests/LauncherFixture.h"

#include "shared/config/CEcrInfo.h"
#include "shared/controls/CHyperLink.h"
#include "shared/lang/WindowText.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/ModalDriver.h"

#include "platform/FileChooser.h"

#include <QComboBox>
#include <QRadioButton>

namespace tovanel::test {
namespace {

using SmallDialogs = LauncherTest;
using korvane::test::RunModal;

TEST_F(SmallDialogs, NewFileListsTheModelsInIniOrderAndOkStoresTheChoice)
{
    QStringList models;
    ASSERT_TRUE(CEcrInfo::GetEcrList(models));
    CEcrInfo::SetCurrentEcrType(QStringLiteral("MID"));
    {
        CNewFileDlg dlg;
        dlg.m_pEcrList = &models;
        EXPECT_EQ(
            RunModal<CNewFileDlg>(dlg,
                                  [](CNewFileDlg& d) {
                                      QStringList shown;
                                      for (int i = 0; i < d.ModelCombo()->count(); ++i)
                                          shown << d.ModelCombo()->itemText(i);
                                      EXPECT_EQ(shown, QStringList({"Zed 9", "Abc 1", "Mid 5"}));
                                      EXPECT_EQ(d.ModelCombo()->currentIndex(), 0);
                                      d.ModelCombo()->setCurrentIndex(1);
                                      d.reject();
                                  }),
            platform::IDCANCEL);
        EXPECT_EQ(CEcrInfo::GetCurrentEcrType(), "MID");
    }
    CNewFileDlg dlg;
    dlg.m_pEcrList = &models;
    EXPECT_EQ(RunModal<CNewFileDlg>(dlg,
                                    [](CNewFileDlg& d) {
                                        d.ModelCombo()->setCurrentIndex(1);
                                        d.accept();
                                    }),
              platform::IDOK);
    EXPECT_EQ(CEcrInfo::GetCurrentEcrType(), "ABC");
}

TEST_F(SmallDialogs, KeyLayoutChoiceStartsOnTheKeyLayout)
{
    CSelectKeyLayoutDlg dlg;
    EXPECT_EQ(RunModal<CSelectKeyLayoutDlg>(dlg,
                                            [](CSelectKeyLayoutDlg& d) {
                                                EXPECT_EQ(d.m_nChoice, 1);
                                                qobject_cast<QRadioButton*>(
                                                    FindControlById(
                                                        &d, CSelectKeyLayoutDlg::IDC_FUNCTIONLIST))
                                                    ->click();
                                                d.accept();
                                            }),
              platform::IDOK);
    EXPECT_EQ(dlg.m_nChoice, 0);
}

TEST_F(SmallDialogs, AboutShowsRegistrationAndLinkForLanguageTypeZeroOnly)
{
    for (int type : {0, 1}) {
        m_suite.writeIni(
            QByteArray(kIni).replace("LANGUAGE=0", "LANGUAGE=" + QByteArray::number(type)));
        CAboutDlg dlg;
        dlg.Create();
        EXPECT_EQ(FindControlById(&dlg, CAboutDlg::IDC_REGIINFO)->isHidden(), type != 0);
        EXPECT_EQ(dlg.Link()->isHidden(), type != 0);
        EXPECT_EQ(GetWindowText(FindControlById(&dlg, CAboutDlg::IDC_VERSION)), "Version 2.5");
    }
}

TEST_F(SmallDialogs, AboutLinkOpensOnlyAWebAddress)
{
    QStringList opened;
    platform::setWebLinkOpener([&opened](const QString& url) {
        opened << url;
        return true;
    });
    for (const char* text : {"https://shop.example/", "file:///etc/passwd", "/usr/bin/xterm"}) {
        LoadLanguageTexts({{"CRDC_BUTTON_ECRURL", text}, {"CRSS_SWITCH_AUTOVERSION", "Off"}});
        CAboutDlg dlg;
        EXPECT_EQ(RunModal<CAboutDlg>(dlg, [](CAboutDlg& d) { d.Link()->click(); }),
                  platform::IDOK);
        EXPECT_EQ(GetWindowText(FindControlById(&dlg, CAboutDlg::IDC_VERSION)), "");
    }
    platform::setWebLinkOpener({});
    EXPECT_EQ(opened, QStringList{"https://shop.example/"});
}

TEST_F(SmallDialogs, EveryLauncherDialogKeepsTheTemplateRules)
{
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.push_back(std::make_unique<CNewFileDlg>());
    dialogs.push_back(std::make_unique<CSelectKeyLayoutDlg>());
    dialogs.push_back(std::make_unique<CAboutDlg>());
    dialogs.push_back(std::make_unique<CCrxReadWriteDlg>());
    dialogs.push_back(std::make_unique<CImportTblDlg>());
    dialogs.push_back(std::make_unique<CImportTblSelDlg>());
    dialogs.push_back(std::make_unique<CCrxTblSelDlg>());
    dialogs.push_back(std::make_unique<CTovanelStandardDlg>());
    dialogs.push_back(std::make_unique<CTovanelEasyDlg>());
    dialogs.push_back(std::make_unique<CTovanelCleaningDlg>());
    const CResourceLangDatas& lang = CProgramLang::LangDatas();
    for (const auto& dialog : dialogs)
        EXPECT_EQ(korvane::test::DialogFaults(dialog.get(), lang, QStringLiteral("Tovanel")),
                  QStringList())
            << dialog->metaObject()->className();
    // The menus' buttons and frames, once arranged, with their labels.
    const auto standard = MakeMenu<CTovanelStandardDlg>();
    const auto cleaning = MakeMenu<CTovanelCleaningDlg>();
    for (CTovanelBaseDlg* menu : {static_cast<CTovanelBaseDlg*>(standard.get()),
                                  static_cast<CTovanelBaseDlg*>(cleaning.get())})
        EXPECT_EQ(korvane::test::DialogFaults(menu, lang, QStringLiteral("Tovanel")),
                  QStringList());
}

} // namespace
} // namespace tovanel::test
