// The file commands inside the real main-menu window: the Open it runs at
// start, its title and window menu, and the question at close.
#include "launcher/CImportTblSelDlg.h"
#include "launcher/CNewFileDlg.h"
#include "launcher/CTableSelectModel.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/tests/ArchiveWorkFixture.h"

#include "shared/controls/CFunctionButton.h"
#include "testsupport/EventWaits.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"

#include <QAction>

namespace tovanel::test {

namespace {

class MainWindowArchive : public ArchiveWorkFixture
{
protected:
    // The standard menu started on an archive, once its first Open has run.
    std::unique_ptr<CTovanelStandardDlg> Start(const QString& archive)
    {
        auto menu = std::make_unique<CTovanelStandardDlg>();
        menu->SetCommandLine(archive, QString(), 0, QString());
        menu->Create();
        ShowAndWaitForFirstOpen(*menu);
        return menu;
    }
};

TEST_F(MainWindowArchive, StartedOnTheSampleItShowsItOpenAndClosesWithoutAQuestion)
{
    const QString sample = CopySample("sample.crx");
    const auto menu = Start(sample);
    EXPECT_EQ(menu->GetState(), Tovanelcmn::MENU_OPEN);
    EXPECT_EQ(menu->windowTitle(), "sample.crx - " + menu->BuildAppTitle(false) + " Lumo 500");
    EXPECT_TRUE(menu->WindowMenuEntry(CTovanelBaseDlg::SC_IMPORTCRX)->isEnabled());
    EXPECT_TRUE(menu->GetFunctionButton(IDC_SAVE)->isEnabled());
    EXPECT_EQ(Rows(WorkDb(), "CIA001").size(), 4);
    EXPECT_EQ(korvane::test::readFile(LocalDataFolder() + "/DIFFBASEFILE.CRX"),
              korvane::test::readFile(sample));
    EXPECT_EQ(RegType(), "LUMO500");

    menu->close();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(MainWindowArchive, AFailedStartLeavesTheMenuEmptyAndTheImportGrey)
{
    ASSERT_TRUE(korvane::test::writeFile(Scratch("text.crx"), "no archive\n"));
    const auto menu = Start(Scratch("text.crx"));
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_OPENCRP"});
    EXPECT_EQ(menu->GetState(), Tovanelcmn::MENU_NOFILE);
    EXPECT_EQ(menu->windowTitle(), menu->BuildAppTitle(false) + " ");
    EXPECT_FALSE(menu->WindowMenuEntry(CTovanelBaseDlg::SC_IMPORTCRX)->isEnabled());
    EXPECT_FALSE(menu->GetFunctionButton(IDC_SAVE)->isEnabled());
    menu->close();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_F(MainWindowArchive, EndAsksAboutChangesAndCancelKeepsTheWindow)
{
    const QString sample = CopySample("sample.crx");
    const auto menu = Start(sample);
    ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));
    Exec(WorkDb(), "UPDATE CIA002 SET ITEMDEPTNAME = 'Pastry' WHERE ITEMDEPTCODE = '000001'");

    m_answers = {platform::IDCANCEL};
    menu->GetFunctionButton(IDC_END)->click();
    EXPECT_TRUE(menu->isVisible());
    m_answers = {platform::IDYES};
    menu->close();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(MessageKeys(), QStringList({"CRDS_CMN_PROMPT_SAVE", "CRDS_CMN_PROMPT_SAVE"}));
    EXPECT_TRUE(Tar({"-xjOf", sample, "Korvane_REG_DATA.xml"}).contains("Pastry"));
}

TEST_F(MainWindowArchive, SaveAsRenamesTheTitle)
{
    const auto menu = Start(CopySample("sample.crx"));
    m_chosen = {Scratch("shop.crx")};
    menu->GetFunctionButton(IDC_SAVEAS)->click();
    EXPECT_EQ(menu->windowTitle(), "shop.crx - " + menu->BuildAppTitle(false) + " Lumo 500");
    EXPECT_TRUE(QFileInfo(Scratch("shop.crx")).isFile());
}

// An Open that stops before the read (the launcher INI gone meanwhile) must
// not make the next Save write the open work into the archive only chosen.
TEST_F(MainWindowArchive, AnOpenThatStopsKeepsTheCurrentFileTitleAndTime)
{
    const QString sample = CopySample("sample.crx");
    const auto menu = Start(sample);
    const QString title = menu->windowTitle();
    const QString other = CopySample("other.crx");
    const QByteArray otherBytes = korvane::test::readFile(other);
    ASSERT_TRUE(QFile::remove(m_strProgramFolder + "/Tovanel.ini"));
    m_chosen = {other};
    menu->GetFunctionButton(IDC_OPEN)->click();
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_CMN_ERR_NOTFOUNDINI"});
    EXPECT_EQ(menu->windowTitle(), title);
    EXPECT_EQ(menu->m_strCurFilePath, sample);
    EXPECT_EQ(menu->m_strCurFileName, "sample.crx");
    EXPECT_FALSE(menu->IsWorkDbModified());

    WriteIni("STANDARD");
    ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));
    Exec(WorkDb(), "UPDATE CIA002 SET ITEMDEPTNAME = 'Pastry' WHERE ITEMDEPTCODE = '000001'");
    menu->GetFunctionButton(IDC_SAVE)->click();
    EXPECT_TRUE(Tar({"-xjOf", sample, "Korvane_REG_DATA.xml"}).contains("Pastry"));
    EXPECT_EQ(korvane::test::readFile(other), otherBytes);
}

TEST_F(MainWindowArchive, NewOpensTheModelsArchiveUntitled)
{
    const auto menu = Start(CopySample("sample.crx"));
    korvane::test::WhenModal<CNewFileDlg>([](CNewFileDlg& dialog) { dialog.accept(); });
    menu->GetFunctionButton(IDC_NEW)->click();
    EXPECT_EQ(menu->GetState(), Tovanelcmn::MENU_OPEN);
    EXPECT_EQ(menu->windowTitle(),
              GetLangString("CRDS_MSG_NEW") + " - " + menu->BuildAppTitle(false) + " Lumo 500");
    EXPECT_EQ(korvane::test::readFile(LocalDataFolder() + "/DIFFBASEFILE.CRX"),
              korvane::test::readFile(ModelArchive("DEFSETTING.CRX")));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(MainWindowArchive, TheImportEntryTakesTablesAndCloseAsksThen)
{
    const auto menu = Start(CopySample("sample.crx"));
    const QString title = menu->windowTitle();
    m_chosen = {CopySample("other.crx")};
    korvane::test::WhenModal<CImportTblSelDlg>([](CImportTblSelDlg& dialog) {
        dialog.Model().TickRows({0}, 1, false);
        dialog.accept();
    });
    ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));
    menu->WindowMenuEntry(CTovanelBaseDlg::SC_IMPORTCRX)->trigger();
    EXPECT_EQ(menu->m_aImportList.size(), 1);
    EXPECT_EQ(m_choices.back().caption, GetLangString("CRDS_MSG_SELECTIMPFILE"));
    EXPECT_EQ(menu->windowTitle(), title);
    EXPECT_EQ(menu->GetState(), Tovanelcmn::MENU_OPEN);
    EXPECT_TRUE(m_messages.isEmpty());

    m_answers = {platform::IDNO};
    menu->close();
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_CMN_PROMPT_SAVE"});
}

} // namespace

} // namespace tovanel::test
