#include "launcher/CTovanelFileCommands.h"
#include "launcher/Tovanelcmn.h"

#include "launcher/CCrxReadWriteDlg.h"
#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/ScriptedLibraryCalls.h"
#include "shared/controls/FindControlById.h"
#include "platform/FileTime.h"

#include "testsupport/EventWaits.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <fstream>

namespace tovanel::test {

namespace {

class CTovanelFileCommandsTest : public ArchiveWorkFixture
{
protected:
    void SetUp() override
    {
        ArchiveWorkFixture::SetUp();
        m_commands = std::make_unique<CTovanelFileCommands>(m_host);
    }

    // Opens a copy of the sample: the first time from the command line, as
    // a start does, later through the chooser.
    void StartOnSample()
    {
        m_strSample = CopySample("sample.crx");
        if (m_bStarted)
            m_chosen = {m_strSample};
        else
            m_commands->m_strCmdFileName = m_strSample;
        m_bStarted = true;
        m_commands->FileOpen();
        ASSERT_TRUE(m_chosen.empty());
        ASSERT_EQ(m_host.m_nState, Tovanelcmn::MENU_OPEN);
    }

    // A row changed as a settings program changes it, later than the read
    // (file times move in steps of a few milliseconds).
    void ChangeRow()
    {
        ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));
        Exec(WorkDb(),
             "UPDATE CIA001 SET ITEMNAME = 'Changed bread' WHERE ITEMCODE = '0000000000000124'");
    }

    // Clicks Abort of the progress dialog as soon as it shows.
    static void AbortWhenShown(QTimer& timer)
    {
        QObject::connect(&timer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<CCrxReadWriteDlg*>(QApplication::activeModalWidget()))
                qobject_cast<QAbstractButton*>(
                    FindControlById(dialog, CCrxReadWriteDlg::IDC_BUTTON_ABORT))
                    ->click();
        });
        timer.start(10);
    }

    // Without making it, as CBasePath's folder functions do.
    bool LocalDataFolderExists() const
    {
        return QFileInfo::exists(m_commands->m_strLocalDataFolder);
    }

    FakeHost m_host;
    std::unique_ptr<CTovanelFileCommands> m_commands;
    QString m_strSample;
    bool m_bStarted = false;
};

TEST_F(CTovanelFileCommandsTest, AStartOnTheSampleOpensItAndClosingAsksNothing)
{
    StartOnSample();
    EXPECT_EQ(m_commands->m_strCurFileName, "sample.crx");
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);
    EXPECT_EQ(m_host.m_nTitleUpdates, 1);
    EXPECT_TRUE(m_host.m_bImportEntry);
    EXPECT_TRUE(m_choices.isEmpty());
    EXPECT_EQ(Rows(WorkDb(), "CIA001").size(), 4);
    EXPECT_EQ(Rows(WorkDb(), "CIA002").size(), 3);
    EXPECT_EQ(Rows(WorkDb(), "CSB004").size(), 2);
    const QByteArray blob = Tar({"-xjOf", m_strSample, "blob/CSB008_0.blob"});
    ASSERT_FALSE(blob.isEmpty());
    EXPECT_EQ(Blob(WorkDb(), "CSB008", "GRAPHICDATA", "GRAPHICCODE = ?", "000001"), blob);
    EXPECT_EQ(korvane::test::readFile(m_commands->DiffBasePath()),
              korvane::test::readFile(m_strSample));
    EXPECT_EQ(m_commands->DiffBasePath(), LocalDataFolder() + "/DIFFBASEFILE.CRX");
    EXPECT_EQ(RegType(), "LUMO500");
    EXPECT_EQ(m_commands->m_crxHeader.machineType, "LUMO-500");

    EXPECT_FALSE(m_commands->IsWorkDbModified());
    EXPECT_TRUE(m_commands->PromptSaveIfModified());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CTovanelFileCommandsTest, OpenRefusesPartialArchivesAndOpensDisplayArchivesInTheirState)
{
    StartOnSample();
    const struct
    {
        const char* name;
        int state; // -1: refused, the chooser comes again
    } cases[] = {
        {"SUB_x.crx", -1},
        {"sub_x.crx", -1},
        {"Sub_x.crx", -1},
        {"disp_x.crx", Tovanelcmn::MENU_DISPLAY},
        {"DISP_x.crx", Tovanelcmn::MENU_DISPLAY},
        {"x_SUB_.crx", Tovanelcmn::MENU_OPEN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.clear();
        m_choices.clear();
        const QString path = CopySample(c.name);
        m_chosen = {path};
        m_commands->FileOpen();
        if (c.state < 0) {
            // Refused, then the chooser again, where the user cancels.
            EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_CANTOPENSUBFILE"});
            EXPECT_EQ(m_choices.size(), 2);
            EXPECT_EQ(m_commands->m_strCurFileName, "sample.crx");
            continue;
        }
        EXPECT_TRUE(m_messages.isEmpty());
        EXPECT_EQ(m_host.m_nState, c.state);
        EXPECT_EQ(m_commands->m_strCurFilePath, path);
        EXPECT_EQ(m_commands->m_bDispArchive, c.state == Tovanelcmn::MENU_DISPLAY ? 1 : 0);
        EXPECT_EQ(korvane::test::readFile(m_commands->DiffBasePath()),
                  korvane::test::readFile(path));
    }
    ASSERT_FALSE(m_choices.isEmpty());
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Open);
    EXPECT_EQ(m_choices[0].filter, "Setting file (*.crx)");
    EXPECT_EQ(m_choices[0].defaultSuffix, "crx");
}

TEST_F(CTovanelFileCommandsTest, APartialArchiveOnTheCommandLineGoesStraightToTheChooser)
{
    m_commands->m_strCmdFileName = CopySample("SUB_x.crx");
    m_chosen = {CopySample("other.crx")};
    m_commands->FileOpen();
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_CANTOPENSUBFILE"});
    EXPECT_EQ(m_host.m_nState, Tovanelcmn::MENU_OPEN);
    EXPECT_EQ(m_commands->m_strCurFileName, "other.crx");
}

TEST_F(CTovanelFileCommandsTest, AFailedOpenLeavesNoArchiveNoFolderAndNothingToAsk)
{
    ASSERT_TRUE(korvane::test::writeFile(Scratch("src/x"), "evil"));
    Tar({"-czf", Scratch("gzip.crx"), "-C", Scratch("src"), "x"});
    ASSERT_TRUE(korvane::test::writeFile(Scratch("text.crx"), "no archive at all\n"));
    Tar({"-cjf", Scratch("dotdot.crx"), "-P", "--transform", "s,^x$,../x,", "x"}, Scratch("src"));

    const struct
    {
        const char* name;
        const char* system;
        const char* key;
        const char* code;
    } cases[] = {
        {"gzip.crx", "STANDARD", "CRDS_MSG_E_OPENCRP", "\n[E000000C]"},
        {"text.crx", "STANDARD", "CRDS_MSG_E_OPENCRP", "\n[E000000C]"},
        {"dotdot.crx", "STANDARD", "CRDS_MSG_E_OPENCRP", "\n[E000000C]"},
        {"other-system.crx", "OTHER", "CRDS_MSG_E_MISMATCHCRP", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteIni("STANDARD");
        StartOnSample();
        ASSERT_TRUE(LocalDataFolderExists());
        WriteIni(c.system);
        m_messages.clear();
        const QString path =
            QFileInfo::exists(Scratch(c.name)) ? Scratch(c.name) : CopySample(c.name);
        m_chosen = {path};
        m_commands->FileOpen();
        ASSERT_EQ(MessageKeys(), QStringList{c.key});
        EXPECT_TRUE(m_messages[0].text.endsWith(c.code)) << m_messages[0].text.toStdString();
        EXPECT_EQ(m_host.m_nState, Tovanelcmn::MENU_NOFILE);
        EXPECT_FALSE(LocalDataFolderExists());
        EXPECT_FALSE(m_host.m_bImportEntry);
        EXPECT_EQ(m_commands->m_strCurFilePath, "");
        EXPECT_EQ(m_commands->m_nTitleKind, 3);
        EXPECT_EQ(m_commands->m_crxHeader.machineType, "");
        EXPECT_TRUE(m_commands->PromptSaveIfModified());
        EXPECT_EQ(m_messages.size(), 1);
        EXPECT_FALSE(QFileInfo::exists(Scratch("x")));
    }
    // "IGNORE" in any case opens an archive of any system.
    WriteIni("ignore");
    m_chosen = {CopySample("other-system.crx")};
    m_commands->FileOpen();
    EXPECT_EQ(m_host.m_nState, Tovanelcmn::MENU_OPEN);
}

TEST_F(CTovanelFileCommandsTest, AnAbortedReadClosesTheArchiveAndAnAbortedSaveKeepsTheOldOne)
{
    StartOnSample();
    QTimer timer;
    AbortWhenShown(timer);
    {
        ScriptedLibraryCalls calls;
        calls.m_strStep = "ImportContents";
        m_chosen = {CopySample("other.crx")};
        m_commands->FileOpen();
    }
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(m_host.m_nState, Tovanelcmn::MENU_NOFILE);
    EXPECT_FALSE(LocalDataFolderExists());

    timer.stop();
    StartOnSample();
    const QByteArray old = korvane::test::readFile(m_strSample);
    ChangeRow();
    timer.start(10);
    {
        ScriptedLibraryCalls calls;
        calls.m_strStep = "ExportFull";
        EXPECT_FALSE(m_commands->FileSave());
    }
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(korvane::test::readFile(m_strSample), old);
    EXPECT_EQ(m_commands->m_nLastSaveResult, 0);
    EXPECT_TRUE(m_commands->IsWorkDbModified());
}

TEST_F(CTovanelFileCommandsTest, AChangedWorkDatabaseIsOfferedForSavingAtClose)
{
    StartOnSample();
    ChangeRow();
    EXPECT_TRUE(m_commands->IsWorkDbModified());

    m_answers = {platform::IDCANCEL};
    EXPECT_FALSE(m_commands->PromptSaveIfModified());
    m_answers = {platform::IDNO};
    EXPECT_TRUE(m_commands->PromptSaveIfModified());
    // Open asks first too; Cancel stops before the chooser.
    m_answers = {platform::IDCANCEL};
    m_commands->FileOpen();
    EXPECT_TRUE(m_choices.isEmpty());
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);
    ASSERT_EQ(m_messages.size(), 3);
    EXPECT_EQ(m_messages[0].key, "CRDS_CMN_PROMPT_SAVE");
    EXPECT_EQ(m_messages[0].buttons, platform::MessageButtons::YesNoCancel);
    EXPECT_EQ(m_messages[0].caption, "Tovanel");
    EXPECT_EQ(korvane::test::readFile(m_strSample),
              korvane::test::readFile(KORVANE_SOURCE_DIR "/resources/samples/sample.crx"));

    m_answers = {platform::IDYES};
    EXPECT_TRUE(m_commands->PromptSaveIfModified());
    EXPECT_TRUE(Tar({"-xjOf", m_strSample, "Korvane_REG_DATA.xml"}).contains("Changed bread"));
    EXPECT_EQ(m_commands->m_nLastSaveResult, 1);
    // Saved: nothing more to ask.
    m_messages.clear();
    EXPECT_TRUE(m_commands->PromptSaveIfModified());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CTovanelFileCommandsTest, SaveAsWritesUnderTheNewNameAndKeepsTheDiffBase)
{
    StartOnSample();
    ChangeRow();
    m_chosen = {Scratch("renamed.crx")};
    EXPECT_TRUE(m_commands->FileSaveAs());
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Save);
    EXPECT_EQ(m_choices[0].startPath, m_strSample);
    EXPECT_TRUE(m_choices[0].confirmOverwrite);
    EXPECT_EQ(m_commands->m_strCurFileName, "renamed.crx");
    EXPECT_EQ(m_commands->m_strCurFilePath, Scratch("renamed.crx"));
    EXPECT_EQ(m_commands->m_nTitleKind, 2);
    EXPECT_EQ(m_host.m_nTitleUpdates, 2);
    EXPECT_TRUE(
        Tar({"-xjOf", Scratch("renamed.crx"), "Korvane_REG_DATA.xml"}).contains("Changed bread"));
    EXPECT_EQ(korvane::test::readFile(m_commands->DiffBasePath()),
              korvane::test::readFile(m_strSample));
    EXPECT_TRUE(m_commands->PromptSaveIfModified());
    EXPECT_TRUE(m_messages.isEmpty());

    // Cancel in the chooser: nothing written, nothing changed.
    EXPECT_FALSE(m_commands->FileSaveAs());
    EXPECT_EQ(m_commands->m_strCurFileName, "renamed.crx");
    EXPECT_EQ(m_commands->m_nLastSaveResult, 0);
}

// A full archive under a partial archive's name could never be opened again.
TEST_F(CTovanelFileCommandsTest, SaveAsRefusesThePartialArchivePrefixAndAsksAgain)
{
    StartOnSample();
    m_chosen = {Scratch("SUB_t.crx"), Scratch("sub_t.crx"), Scratch("Sub_T.crx"),
                Scratch("t_SUB_.crx")};
    EXPECT_TRUE(m_commands->FileSaveAs());
    EXPECT_EQ(MessageKeys(), QStringList(3, "CRDS_MSG_E_SUBNAMEKEPT"));
    EXPECT_EQ(m_choices.size(), 4);
    for (const char* name : {"SUB_t.crx", "sub_t.crx", "Sub_T.crx"})
        EXPECT_FALSE(QFileInfo::exists(Scratch(name))) << name;
    EXPECT_EQ(m_commands->m_strCurFilePath, Scratch("t_SUB_.crx"));
    EXPECT_TRUE(QFileInfo(Scratch("t_SUB_.crx")).isFile());

    // Refused, then Cancel: nothing written, the current file kept.
    m_messages.clear();
    m_chosen = {Scratch("SUB_t.crx")};
    EXPECT_FALSE(m_commands->FileSaveAs());
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_SUBNAMEKEPT"});
    EXPECT_FALSE(QFileInfo::exists(Scratch("SUB_t.crx")));
    EXPECT_EQ(m_commands->m_strCurFileName, "t_SUB_.crx");
}

TEST_F(CTovanelFileCommandsTest, ASaveWithoutItsWorkDatabaseFailsAndChangesNothing)
{
    StartOnSample();
    const QByteArray old = korvane::test::readFile(m_strSample);
    ASSERT_TRUE(QFile::remove(WorkDb()));
    EXPECT_FALSE(m_commands->FileSave());
    ASSERT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_SAVECRP"});
    EXPECT_EQ(m_messages[0].text, "The setting file could not be saved.\n[E0000004]");
    EXPECT_EQ(m_messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(korvane::test::readFile(m_strSample), old);
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);
    EXPECT_EQ(m_host.m_nTitleUpdates, 1);
    EXPECT_EQ(m_commands->m_nLastSaveResult, 0);
    // The changes are still unsaved as far as anybody can tell.
    m_answers = {platform::IDCANCEL};
    EXPECT_FALSE(m_commands->PromptSaveIfModified());
    EXPECT_EQ(m_messages.size(), 2);
}

TEST_F(CTovanelFileCommandsTest, ASaveNamesTheValueTheArchiveCannotCarry)
{
    StartOnSample();
    const QByteArray old = korvane::test::readFile(m_strSample);
    Exec(WorkDb(), "UPDATE CIA001 SET ITEMNAME = 'Rye' || char(1) || 'bread' WHERE ITEMCODE = "
                   "'0000000000000124'");
    EXPECT_FALSE(m_commands->FileSave());
    ASSERT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_SAVECRP"});
    EXPECT_EQ(m_messages[0].text, "The setting file could not be saved.\n[E0000018]\n"
                                  "Table: CIA001\nRow: 0000000000000124\nColumn: ITEMNAME");
    EXPECT_EQ(korvane::test::readFile(m_strSample), old);
}

// A media file whose name has no form the archive reads back is never left
// out of a save that passes: the save fails and names it.
TEST_F(CTovanelFileCommandsTest, ASaveNamesTheMediaFileTheArchiveCannotCarry)
{
    StartOnSample();
    const QByteArray old = korvane::test::readFile(m_strSample);
    const QString movie = LocalDataFolder() + "/additionals/Orbanel/Movie";
    ASSERT_TRUE(QDir().mkpath(movie));
    std::ofstream(QFile::encodeName(movie).toStdString() + "/a\x82.mp4") << "movie";
    EXPECT_FALSE(m_commands->FileSave());
    ASSERT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_SAVECRP"});
    EXPECT_EQ(m_messages[0].text, "The setting file could not be saved.\n[E0000045]\n"
                                  "File: additionals/Orbanel/Movie/a\uFFFD.mp4");
    EXPECT_EQ(korvane::test::readFile(m_strSample), old);
}

// Holds the read until the main thread has seen the progress dialog's text.
class TextWatchingCalls : public ScriptedLibraryCalls
{
public:
    CrxResult ImportHeader(const QString& archivePath, const QString& workFolder,
                           const CrxAbortFlag* abort, CrxFileInfo& header) override
    {
        for (int i = 0; i < 2000 && !m_bSeen.load(); ++i)
            QThread::msleep(1);
        return ScriptedLibraryCalls::ImportHeader(archivePath, workFolder, abort, header);
    }
    std::atomic<bool> m_bSeen{false};
};

TEST_F(CTovanelFileCommandsTest, NewOpensTheModelsArchiveUntitledAndSaveThenAsksForAName)
{
    TextWatchingCalls calls;
    QString shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CCrxReadWriteDlg*>(QApplication::activeModalWidget())) {
            shown = qobject_cast<QLabel*>(
                        FindControlById(dialog, CCrxReadWriteDlg::IDC_STATIC_CRX_PROC))
                        ->text();
            calls.m_bSeen = true;
        }
    });
    watch.start(5);
    m_host.m_strNewModel = "LUMO500";
    m_commands->FileNew();
    watch.stop();

    EXPECT_EQ(m_host.m_newFileModels, QStringList{"Lumo 500"});
    EXPECT_EQ(shown, "Preparing the new settings...");
    EXPECT_EQ(m_host.m_nState, Tovanelcmn::MENU_OPEN);
    EXPECT_EQ(m_commands->m_strCurFileName, "");
    EXPECT_EQ(m_commands->m_strCurFilePath, "");
    EXPECT_EQ(m_commands->m_nTitleKind, 1);
    EXPECT_EQ(RegType(), "LUMO500");
    const QByteArray initial = korvane::test::readFile(ModelArchive("DEFSETTING.CRX"));
    ASSERT_FALSE(initial.isEmpty());
    EXPECT_EQ(korvane::test::readFile(m_commands->DiffBasePath()), initial);

    // Untitled: Save is Save as.
    m_chosen = {Scratch("x.crx")};
    EXPECT_TRUE(m_commands->FileSave());
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Save);
    EXPECT_EQ(m_choices[0].defaultSuffix, "crx");
    EXPECT_TRUE(m_choices[0].confirmOverwrite);
    EXPECT_EQ(m_commands->m_strCurFileName, "x.crx");
    EXPECT_TRUE(QFileInfo(Scratch("x.crx")).isFile());
}

TEST_F(CTovanelFileCommandsTest, NewKeepsTheCurrentModelUntilItReallyGoesOn)
{
    // A second model to choose.
    QFile ini(m_strProgramFolder + "/Tovanel.ini");
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("002=LUMO900,Lumo900,LUMO-900,Lumo 900\n");
    ini.close();
    QByteArray text = korvane::test::readFile(m_strProgramFolder + "/Tovanel.ini");
    text.replace("TOTALCOUNT=1", "TOTALCOUNT=2");
    ASSERT_TRUE(korvane::test::writeFile(m_strProgramFolder + "/Tovanel.ini", text));

    StartOnSample();
    ChangeRow();
    m_host.m_strNewModel = "LUMO900";

    // Cancel at the save question.
    m_answers = {platform::IDCANCEL};
    m_commands->FileNew();
    EXPECT_EQ(RegType(), "LUMO500");
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);

    // Yes, but the save fails.
    const QByteArray changedDb = korvane::test::readFile(WorkDb());
    ASSERT_TRUE(QFile::remove(WorkDb()));
    m_answers = {platform::IDYES};
    m_commands->FileNew();
    EXPECT_EQ(RegType(), "LUMO500");
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);
    EXPECT_EQ(MessageKeys().last(), "CRDS_MSG_E_SAVECRP");

    // Cancel in the new-file dialog: nothing asked.
    ASSERT_TRUE(korvane::test::writeFile(WorkDb(), changedDb));
    m_messages.clear();
    m_host.m_strNewModel.clear();
    m_commands->FileNew();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(RegType(), "LUMO500");
}

TEST_F(CTovanelFileCommandsTest, NoArchiveIsOpenedFromOrSavedIntoTheWorkFolder)
{
    StartOnSample();
    // The work folder is emptied by every read and removed after a failed
    // one: an archive kept there would be lost.
    const QString inside = LocalDataFolder() + "/kept.crx";
    const QString deeper = LocalDataFolder() + "/sub/kept.crx";
    ASSERT_TRUE(QFile::copy(m_strSample, inside));
    ASSERT_TRUE(QDir().mkpath(LocalDataFolder() + "/sub"));
    m_chosen = {inside, deeper, m_commands->DiffBasePath()};
    EXPECT_FALSE(m_commands->FileSaveAs());
    EXPECT_EQ(MessageKeys(), QStringList(3, "CRDS_MSG_E_CRXINWORKFOLDER"));
    EXPECT_EQ(korvane::test::readFile(inside), korvane::test::readFile(m_strSample));
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);

    m_messages.clear();
    m_chosen = {inside, m_commands->DiffBasePath()};
    m_commands->FileOpen();
    EXPECT_EQ(MessageKeys(), QStringList(2, "CRDS_MSG_E_CRXINWORKFOLDER"));
    EXPECT_TRUE(QFileInfo(inside).isFile());
    EXPECT_EQ(m_host.m_nState, Tovanelcmn::MENU_OPEN);
    EXPECT_EQ(m_commands->m_strCurFilePath, m_strSample);
}

TEST_F(CTovanelFileCommandsTest, TheDiffBaseIsReplacedWholeOrNotAtAll)
{
    StartOnSample();
    const QByteArray base = korvane::test::readFile(m_commands->DiffBasePath());
    // A copy that cannot be read leaves the last diff base as it was.
    m_commands->StoreDiffBase(Scratch("missing.crx"));
    m_commands->StoreDiffBase(Scratch(""));
    EXPECT_EQ(korvane::test::readFile(m_commands->DiffBasePath()), base);
    EXPECT_EQ(QDir(LocalDataFolder()).entryList({"*.CRX*", "*.crx*"}, QDir::Files),
              QStringList{"DIFFBASEFILE.CRX"});

    ASSERT_TRUE(korvane::test::writeFile(Scratch("other.crx"), "other"));
    m_commands->StoreDiffBase(Scratch("other.crx"));
    EXPECT_EQ(korvane::test::readFile(m_commands->DiffBasePath()), "other");
}

TEST_F(CTovanelFileCommandsTest, TheImportChooserHasItsOwnTitle)
{
    QString path;
    QString name;
    m_chosen = {Scratch("import.crx")};
    EXPECT_TRUE(m_commands->SelectImportCrxFile(path, name));
    EXPECT_EQ(path, Scratch("import.crx"));
    EXPECT_EQ(name, "import.crx");
    EXPECT_FALSE(m_commands->SelectImportCrxFile(path, name));
    ASSERT_EQ(m_choices.size(), 2);
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Open);
    EXPECT_EQ(m_choices[0].caption, "Select the setting file to import from");
    EXPECT_EQ(m_choices[0].filter, "Setting file (*.crx)");
}

} // namespace

} // namespace tovanel::test
