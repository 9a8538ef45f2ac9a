// OES mode of the main-menu window: the start on the order system's archive,
// the take-over of its master files, the question at close, and the OES save.
#include "launcher/COesImportDlg.h"
#include "launcher/COesImportWorkDlg.h"
#include "launcher/COesSaveDlg.h"
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/OesSetDataFile.h"
#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/LauncherFixture.h"

#include "shared/config/CEcrInfo.h"

#include "shared/controls/CFunctionButton.h"
#include "testsupport/EventWaits.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

namespace tovanel::test {

namespace {

using korvane::test::readFile;
using korvane::test::writeFile;

QByteArray Header(const char* kind)
{
    return QByteArray("\"C00001") + kind + "\",\"20240101\"\r\n\"H2\"\r\nH3\r\n";
}

// Acts on every take-over choice that comes up while it lives.
class ChoiceWatch
{
public:
    explicit ChoiceWatch(std::function<void(COesImportDlg&)> act) : m_act(std::move(act))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<COesImportDlg*>(QApplication::activeModalWidget())) {
                ++m_nSeen;
                m_act(*dialog);
            }
        });
        m_timer.start(5);
    }
    int m_nSeen = 0;

private:
    std::function<void(COesImportDlg&)> m_act;
    QTimer m_timer;
};

class OesMode : public ArchiveWorkFixture
{
protected:
    void SetUp() override
    {
        ArchiveWorkFixture::SetUp();
        m_strOesFolder = Scratch(QStringLiteral("oes"));
        ASSERT_TRUE(QDir().mkpath(m_strOesFolder));
    }

    static void SetEveryStartup(std::optional<quint32> value)
    {
        if (value)
            platform::Registry::writeNumber(platform::RegistryHive::CurrentUser,
                                            CBasePath::GetRegistryRootKey(),
                                            QStringLiteral("DISPSTURTUPIMP"), *value);
        else
            platform::Registry::removeValue(platform::RegistryHive::CurrentUser,
                                            CBasePath::GetRegistryRootKey(),
                                            QStringLiteral("DISPSTURTUPIMP"));
    }
    static std::optional<quint32> EveryStartup()
    {
        return platform::Registry::readNumber(platform::RegistryHive::CurrentUser,
                                              CBasePath::GetRegistryRootKey(),
                                              QStringLiteral("DISPSTURTUPIMP"));
    }

    // The standard menu started as the order system starts it, once its
    // first Open (and the take-over offered with it) has run.
    std::unique_ptr<CTovanelStandardDlg> StartOes(const QString& archive)
    {
        auto menu = std::make_unique<CTovanelStandardDlg>();
        menu->SetCommandLine(QString(), archive, 1, m_strOesFolder);
        menu->Create();
        ShowAndWaitForFirstOpen(*menu);
        return menu;
    }

    void WriteMasterFile(const QString& relative, const QByteArray& bytes)
    {
        const QString path = m_strOesFolder + u'/' + relative;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(writeFile(path, bytes));
    }

    // Runs the take-over from the window menu with the given files chosen.
    static void TakeOver(CTovanelBaseDlg& menu, std::initializer_list<uint> boxes)
    {
        const std::vector<uint> chosen(boxes);
        ChoiceWatch watch([chosen](COesImportDlg& dialog) {
            for (uint id : chosen)
                dialog.CheckBox(id)->setChecked(true);
            dialog.accept();
            if (dialog.isVisible())
                dialog.reject();
        });
        menu.WindowMenuEntry(CTovanelBaseDlg::SC_OESIMPORT)->trigger();
    }

    QString m_strOesFolder;
};

TEST_F(OesMode, StartOpensTheArchiveWithTheModelsDiffBaseAndOffersTheTakeOver)
{
    SetEveryStartup(std::nullopt);
    bool ticked = false;
    ChoiceWatch watch([&ticked](COesImportDlg& dialog) {
        ticked = dialog.CheckBox(COesImportDlg::IDC_CHECK_EVERYSTARTUP)->isChecked();
        dialog.CheckBox(COesImportDlg::IDC_CHECK_EVERYSTARTUP)->setChecked(false);
        dialog.reject();
    });
    const auto menu = StartOes(CopySample("a.crx"));
    EXPECT_EQ(watch.m_nSeen, 1);
    EXPECT_TRUE(ticked);
    EXPECT_EQ(EveryStartup(), 0u); // unticked and cancelled
    EXPECT_EQ(menu->GetState(), Tovanelcmn::MENU_OPEN);
    EXPECT_EQ(menu->m_nTitleKind, 0);
    EXPECT_EQ(menu->windowTitle(), menu->BuildAppTitle(true) + " - " +
                                       GetLangString("CRDS_TXT_OESSETDATA") + " Lumo 500");
    EXPECT_EQ(readFile(LocalDataFolder() + "/DIFFBASEFILE.CRX"),
              readFile(ModelArchive("SETTING.CRX")));
    EXPECT_EQ(Rows(WorkDb(), "CIA001").size(), 4);
    EXPECT_TRUE(menu->m_strCurFilePath.isEmpty());
    // Nothing changed: closing asks nothing.
    menu->close();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(OesMode, StoredZeroSkipsTheChoiceAtStartButNotFromTheWindowMenu)
{
    SetEveryStartup(0);
    ChoiceWatch watch([](COesImportDlg& dialog) { dialog.reject(); });
    const auto menu = StartOes(CopySample("a.crx"));
    EXPECT_EQ(watch.m_nSeen, 0);
    ASSERT_NE(menu->WindowMenuEntry(CTovanelBaseDlg::SC_OESIMPORT), nullptr);
    menu->WindowMenuEntry(CTovanelBaseDlg::SC_OESIMPORT)->trigger();
    EXPECT_EQ(watch.m_nSeen, 1);
    EXPECT_EQ(EveryStartup(), 0u);
}

TEST_F(OesMode, AnArchiveThatCannotBeReadEndsTheLauncher)
{
    ASSERT_TRUE(writeFile(Scratch("a.crx"), "no archive\n"));
    SetEveryStartup(std::nullopt);
    ChoiceWatch watch([](COesImportDlg& dialog) { dialog.reject(); });
    const auto menu = StartOes(Scratch("a.crx"));
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_OPENCRP"});
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->result(), platform::IDOK);
    EXPECT_EQ(watch.m_nSeen, 0);
}

TEST_F(OesMode, TakeOverUpdatesAndAddsByKeyAndStopsAtTheFirstBrokenFile)
{
    SetEveryStartup(0);
    WriteMasterFile("mainte/file004p.txt",
                    Header("P0004") + "123,0,Bun,00000000,1,200\r\n500,0,Tea,00000000,2,90\r\n");
    WriteMasterFile("MAINTE/FILE005P.TXT", Header("P0005") + "1,Bread\r\n7,Cheese\r\n");
    WriteMasterFile("MAINTE/FILE007P.TXT", Header("P0007") + "1\r\n"); // no name
    const QString archive = CopySample("a.crx");
    const auto menu = StartOes(archive);
    ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));

    TakeOver(*menu, {COesImportDlg::IDC_CHECK_PLU, COesImportDlg::IDC_CHECK_SECTION,
                     COesImportDlg::IDC_CHECK_CLERK});
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].text.toStdString(),
              "Line 4 of the OES file cannot be taken over: it has too few values, or a code or "
              "number that is not valid.");
    EXPECT_EQ(m_messages[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(m_messages[0].caption, GetLangString("CRDD_OES_IMPORTWORK"));
    const auto items = Rows(WorkDb(), "CIA001", {"ITEMCODE", "ITEMNAME"});
    EXPECT_EQ(items.size(), 5);
    EXPECT_TRUE(items.contains(QStringList({"0000000000000123", "Bun"})));
    EXPECT_TRUE(items.contains(QStringList({"0000000000000124", "Rye bread"})));
    EXPECT_TRUE(items.contains(QStringList({"0000000000000500", "Tea"})));
    const auto departments = Rows(WorkDb(), "CIA002", {"ITEMDEPTCODE", "ITEMDEPTNAME"});
    EXPECT_EQ(departments.size(), 4);
    EXPECT_TRUE(departments.contains(QStringList({"000001", "Bread"})));
    EXPECT_TRUE(departments.contains(QStringList({"000002", "Drinks"})));
    EXPECT_EQ(Rows(WorkDb(), "CSB004").size(), 2);

    // The take-over changed the work database: close asks, Yes writes the
    // OES archive and ends.
    m_messages.clear();
    m_answers = {platform::IDCANCEL, platform::IDYES};
    menu->close();
    EXPECT_TRUE(menu->isVisible());
    menu->GetFunctionButton(IDC_END)->click();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(MessageKeys(),
              QStringList({"CRDS_MSG_C_CONFIRMOESSAVE", "CRDS_MSG_C_CONFIRMOESSAVE"}));
    const QByteArray data = Tar({"-xjOf", archive, "Korvane_REG_DATA.xml"});
    EXPECT_TRUE(data.contains("<ITEMNAME>Bun</ITEMNAME>"));
    EXPECT_TRUE(data.contains("<ITEMDEPTNAME>Cheese</ITEMDEPTNAME>"));
}

TEST_F(OesMode, TakeOverChoicesAndMissingFiles)
{
    SetEveryStartup(0);
    const auto menu = StartOes(CopySample("a.crx"));
    // Nothing ticked: the choice stays until Cancel.
    TakeOver(*menu, {});
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_C_NOSELECTIMPFILE"});

    // An empty data folder: the first chosen file is missing, and nothing is
    // looked for at the root.
    m_messages.clear();
    menu->m_strOesDataFolder.clear();
    TakeOver(*menu, {COesImportDlg::IDC_CHECK_SECTION, COesImportDlg::IDC_CHECK_CLERK});
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].text.toStdString(),
              "The OES master file MAINTE/FILE005P.TXT was not found.");
    EXPECT_EQ(Rows(WorkDb(), "CIA002").size(), 3);
}

TEST_F(OesMode, TheProgressDialogCannotBeCancelled)
{
    COesImportWorkDlg dialog;
    bool stayed = false;
    platform::setMessageResponder([&](const platform::MessageRequest&) {
        // The worker is done, the dialog is still up behind its message.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        dialog.close();
        stayed = dialog.isVisible();
        return int(platform::IDOK);
    });
    dialog.Job().m_bItems = 1; // no data folder: fails at once
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_TRUE(stayed);
}

TEST_F(OesMode, AFailedWriteAtCloseKeepsTheWindow)
{
    SetEveryStartup(0);
    const QString archive = CopySample("a.crx");
    const QByteArray before = readFile(archive);
    const auto menu = StartOes(archive);
    ASSERT_TRUE(QFile::remove(WorkDb()));
    m_answers = {platform::IDYES};
    menu->close();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(MessageKeys(), QStringList({"CRDS_MSG_C_CONFIRMOESSAVE", "CRDS_MSG_E_SAVECRP"}));
    EXPECT_EQ(readFile(archive), before);
}

using OesTitle = LauncherTest;

TEST_F(OesTitle, EachMenuAndTitleKind)
{
    LoadLanguageTexts({{"CRDS_MSG_APPNAME", "App "},
                       {"CRDS_MSG_APPNAME_OES", "Oes "},
                       {"CRDS_TXT_OESSETDATA", "Set data"},
                       {"CRDS_TXT_OESSETCHANGE", "Set change"},
                       {"CRDS_MSG_NEW", "Untitled"}});
    const QString kinds[] = {"%1 - Set data Abc 1", "%1 - Set change : Untitled Abc 1",
                             "%1 - Set change : shop.crx Abc 1", "%1 Abc 1"};
    for (int menuType = 0; menuType < 3; ++menuType) {
        std::unique_ptr<CTovanelBaseDlg> menu;
        if (menuType == 0)
            menu = MakeMenu<CTovanelStandardDlg>(1);
        else if (menuType == 1)
            menu = MakeMenu<CTovanelEasyDlg>(1);
        else
            menu = MakeMenu<CTovanelCleaningDlg>(1);
        // The cleaning menu keeps the plain application title.
        const QString app = menuType == 2 ? "App 2.5" : "Oes 2.5";
        CEcrInfo::SetCurrentEcrType(QStringLiteral("ABC"));
        for (int kind = 0; kind < 4; ++kind) {
            menu->m_nTitleKind = kind;
            menu->m_strCurFileName = kind == 2 ? "shop.crx" : "";
            menu->UpdateTitle();
            EXPECT_EQ(menu->windowTitle(), kinds[kind].arg(app)) << menuType << " " << kind;
        }
    }
}

TEST(OesSetDataFile, ExistingFileEndingInExactly092)
{
    korvane::test::TestFolders folders;
    const QString dir = folders.scratch();
    for (const char* name : {"a.092", "a.O92", "a", "a.092.txt", "b.x/a"})
        ASSERT_TRUE(QDir().mkpath(QFileInfo(dir + "/" + name).absolutePath()) &&
                    writeFile(dir + "/" + name, "x"));
    ASSERT_TRUE(QDir().mkpath(dir + "/folder.092"));
    const struct
    {
        const char* name;
        const char* key;
    } cases[] = {
        {"a.092", ""},
        {"a.O92", "CRDS_MSG_E_SELOESFILE"},
        {"a", "CRDS_MSG_E_SELOESFILE"},
        {"a.092.txt", "CRDS_MSG_E_SELOESFILE"},
        {"b.x/a", "CRDS_MSG_E_SELOESFILE"},
        {"missing.092", "CRDS_MSG_E_NOFILE092"},
        {"folder.092", "CRDS_MSG_E_NOFILE092"},
        {"", "CRDS_MSG_E_NOFILE092"},
    };
    for (const auto& c : cases) {
        const QString path = *c.name ? dir + "/" + c.name : QString();
        EXPECT_EQ(CheckOesSetDataFile(path), c.key) << c.name;
    }
}

class OesSave : public OesMode
{
protected:
    // Clicks OES save: the file comes from the chooser, then OK.
    void RunOesSave(CTovanelBaseDlg& menu)
    {
        korvane::test::WhenModal<COesSaveDlg>([](COesSaveDlg& dialog) {
            dialog.SelectButton()->click();
            dialog.accept();
            if (dialog.isVisible())
                dialog.reject();
        });
        menu.GetFunctionButton(IDC_OESSAVE)->click();
    }
};

TEST_F(OesSave, RefusesWhatIsNotASetDataFile)
{
    ASSERT_TRUE(writeFile(Scratch("a.O92"), "x") && writeFile(Scratch("a"), "x"));
    const struct
    {
        QString path;
        const char* key;
    } cases[] = {
        {Scratch("a.O92"), "CRDS_MSG_E_SELOESFILE"},
        {Scratch("a"), "CRDS_MSG_E_SELOESFILE"},
        {m_strOesFolder, "CRDS_MSG_E_NOFILE092"},
    };
    for (const auto& c : cases) {
        m_messages.clear();
        COesSaveDlg dialog;
        dialog.m_strCaption = "Caption";
        const int result = korvane::test::RunModal<COesSaveDlg>(dialog, [&](COesSaveDlg& d) {
            d.FileEdit()->setText(c.path);
            d.accept();
        });
        EXPECT_EQ(result, -1) << c.key; // still open after OK
        EXPECT_EQ(MessageKeys(), QStringList{c.key});
        EXPECT_EQ(m_messages.value(0).caption, "Caption");
    }
}

TEST_F(OesSave, PacksTheFileIntoTheNextFullSaveOnly)
{
    ASSERT_TRUE(writeFile(Scratch("a.092"), "set data \x01\x02\n"));
    const QString archive = CopySample("x.crx");
    auto menu = std::make_unique<CTovanelStandardDlg>();
    menu->SetCommandLine(archive, QString(), 0, QString());
    menu->Create();
    ShowAndWaitForFirstOpen(*menu);

    m_chosen = {Scratch("a.092")};
    RunOesSave(*menu);
    EXPECT_TRUE(m_messages.isEmpty());
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].caption, GetLangString("CRDS_MSG_SELOESFILE"));
    EXPECT_EQ(m_choices[0].defaultSuffix, "092");
    EXPECT_EQ(menu->m_strLastOesFolder, m_folders.scratch());
    EXPECT_EQ(Tar({"-xjOf", archive, "FILE092P.092"}), readFile(Scratch("a.092")));
    EXPECT_TRUE(menu->m_strExtraFile.isEmpty());
    EXPECT_EQ(menu->m_nLastSaveResult, 1);

    // The next chooser starts in the last OES folder.
    m_chosen = {};
    RunOesSave(*menu);
    ASSERT_EQ(m_choices.size(), 2);
    EXPECT_EQ(m_choices[1].startPath, m_folders.scratch());

    menu->GetFunctionButton(IDC_SAVE)->click();
    EXPECT_FALSE(Tar({"-tjf", archive}).contains("FILE092P.092"));
}

TEST_F(OesSave, OnAnUntitledDatabaseItRunsSaveAs)
{
    SetEveryStartup(0);
    ASSERT_TRUE(writeFile(Scratch("a.092"), "set data\n"));
    const auto menu = StartOes(CopySample("a.crx"));
    m_chosen = {Scratch("a.092"), Scratch("new.crx")};
    RunOesSave(*menu);
    EXPECT_EQ(Tar({"-xjOf", Scratch("new.crx"), "FILE092P.092"}), readFile(Scratch("a.092")));
    EXPECT_EQ(menu->m_strCurFileName, "new.crx");
    EXPECT_EQ(menu->m_nTitleKind, 2);
    EXPECT_EQ(menu->windowTitle(), menu->BuildAppTitle(true) + " - " +
                                       GetLangString("CRDS_TXT_OESSETCHANGE") +
                                       " : new.crx Lumo 500");
}

} // namespace

} // namespace tovanel::test
