// The table import from another archive: the table dialog over the work
// database, the questions between the two phases, the import itself and
// every way it can fail, each leaving the work database as it was.
#include "launcher/CImportTblDlg.h"
#include "launcher/CImportTblSelDlg.h"
#include "launcher/CTableImportCommand.h"
#include "launcher/CTableSelectModel.h"
#include "launcher/CTovanelFileCommands.h"
#include "launcher/CCrxProgressDlg.h"
#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/ScriptedLibraryCalls.h"

#include "archive/QuorvinExport.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/EventWaits.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>

namespace tovanel::test {

namespace {

using korvane::test::readFile;

class TableImport : public ArchiveWorkFixture
{
protected:
    void SetUp() override
    {
        ArchiveWorkFixture::SetUp();
        m_files = std::make_unique<CTovanelFileCommands>(m_host);
        m_strSample = CopySample("sample.crx");
    }

    void Open()
    {
        ASSERT_TRUE(m_files->ReadArchive(m_strSample, false));
        m_files->m_strCurFilePath = m_strSample;
        m_header = m_files->m_crxHeader;
        // The work database's time must move with the import.
        ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));
        m_before = readFile(WorkDb());
        m_nTimeBefore = m_files->m_nWorkDbTime;
    }

    // An archive of the work database as it is now.
    QString Export(const QString& name, const CrxFileInfo& header, int kind = 1,
                   const QStringList& add = {}, const QStringList& replace = {})
    {
        const QString path = Scratch(name);
        EXPECT_EQ(CrxExport(LocalDataFolder(), path, nullptr, kind, QString(), &add, &replace,
                            nullptr, header.machineType, header.crxVersion, header.regVersion,
                            header.system, header.package, header.regVersionFlags,
                            header.packageFlags, 1, 1, 1, 1, 1, 0),
                  CRX_OK);
        return path;
    }

    // The sample with its items and clerks changed, as another archive.
    QString OtherArchive(const QString& name, const CrxFileInfo& header, int kind = 1,
                         const QStringList& add = {}, const QStringList& replace = {})
    {
        EXPECT_TRUE(m_files->ReadArchive(m_strSample, false));
        Exec(WorkDb(), "UPDATE CIA001 SET ITEMNAME = 'Other ' || ITEMCODE");
        Exec(WorkDb(), "DELETE FROM CIA001 WHERE ITEMCODE = (SELECT MIN(ITEMCODE) FROM CIA001)");
        Exec(WorkDb(), "UPDATE CSB004 SET CLKNAME = 'Other clerk'");
        return Export(name, header, kind, add, replace);
    }

    // Chooses the archive, ticks the tables in the table dialog, runs the
    // import.
    bool Import(const QString& archive, const QStringList& tables)
    {
        m_chosen = {archive};
        korvane::test::WhenModal<CImportTblSelDlg>([tables](CImportTblSelDlg& dialog) {
            CTableSelectModel& model = dialog.Model();
            for (int row = 0; row < model.rowCount(); ++row)
                if (tables.contains(model.Code(row)))
                    model.TickRows({row}, 1, false);
            dialog.accept();
            // OK without a ticked table keeps the dialog open: end it, so
            // a test whose archive did not open fails instead of waiting.
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the table dialog stayed open";
                dialog.done(-1);
            }
        });
        return CTableImportCommand(*m_files, m_host).ImportFromArchive(m_importList);
    }

    void ExpectUnchanged()
    {
        EXPECT_EQ(readFile(WorkDb()), m_before);
        EXPECT_FALSE(m_files->IsWorkDbModified());
        EXPECT_EQ(m_files->m_nWorkDbTime, m_nTimeBefore);
    }

    void SetImportSection(const QByteArray& section)
    {
        QByteArray ini = readFile(m_strProgramFolder + "/Tovanel.ini");
        if (ini.contains("[IMPORT_CRX]"))
            ini.truncate(ini.indexOf("[IMPORT_CRX]"));
        ASSERT_TRUE(korvane::test::writeFile(m_strProgramFolder + "/Tovanel.ini", ini + section));
    }

    FakeHost m_host;
    std::unique_ptr<CTovanelFileCommands> m_files;
    QString m_strSample;
    CrxFileInfo m_header;
    QByteArray m_before;
    qint64 m_nTimeBefore = 0;
    QStringList m_importList;
};

TEST_F(TableImport, TakesTheChosenTableAndLeavesTheOthers)
{
    Open();
    const QString other = OtherArchive("other.crx", m_header);
    const QList<QStringList> otherItems = Rows(WorkDb(), "CIA001");
    Open();
    const QList<QStringList> clerks = Rows(WorkDb(), "CSB004");
    const int state = m_host.m_nState;
    const int titles = m_host.m_nTitleUpdates;

    ASSERT_TRUE(Import(other, {"CIA001"}));
    EXPECT_EQ(m_importList, QStringList{"CIA001"});
    EXPECT_EQ(Rows(WorkDb(), "CIA001"), otherItems);
    EXPECT_EQ(Rows(WorkDb(), "CSB004"), clerks);
    EXPECT_EQ(m_host.m_nState, state);
    EXPECT_EQ(m_host.m_nTitleUpdates, titles);
    EXPECT_EQ(m_files->m_strCurFilePath, m_strSample);
    EXPECT_EQ(m_files->m_crxHeader.machineType, m_header.machineType);
    EXPECT_EQ(m_files->m_crxHeader.package, m_header.package);
    EXPECT_EQ(m_files->m_nWorkDbTime, m_nTimeBefore);
    // Unsaved changes: closing now asks.
    EXPECT_TRUE(m_files->IsWorkDbModified());
    EXPECT_FALSE(QFileInfo::exists(LocalDataFolder() + "/CRXIMPWORK"));
    EXPECT_TRUE(m_messages.isEmpty()) << MessageKeys().join(',').toStdString();
}

TEST_F(TableImport, APartialArchiveGivesOnlyItsWholeTables)
{
    Open();
    const QString partial = OtherArchive("SUB_other.crx", m_header, 2, {"CSB004"}, {"CIA001"});
    const QList<QStringList> otherItems = Rows(WorkDb(), "CIA001");
    Open();

    for (const QStringList& tables : {QStringList{"CSB004"}, QStringList{"CIA001", "CSB004"}}) {
        m_messages.clear();
        EXPECT_FALSE(Import(partial, tables));
        // Not "could not be opened": the file is sound, only no source for it.
        ASSERT_EQ(MessageKeys(), QStringList{"CRDS_MSG_E_IMPORTPARTIAL"});
        EXPECT_TRUE(m_messages[0].text.startsWith(GetLangString("CRDS_MSG_E_IMPORTPARTIAL")));
        EXPECT_TRUE(m_messages[0].text.contains("[E0000040]")) << m_messages[0].text.toStdString();
        EXPECT_TRUE(m_messages[0].text.contains("CSB004")) << m_messages[0].text.toStdString();
        ExpectUnchanged();
    }

    m_messages.clear();
    ASSERT_TRUE(Import(partial, {"CIA001"}));
    EXPECT_EQ(Rows(WorkDb(), "CIA001"), otherItems);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(TableImport, QuestionTextsForEachDifferenceOfTheHeaders)
{
    const QString unknown = GetLangString("CRDS_MSG_UNKNOWN");
    const QString info =
        "Setting file to import: Lumo 500 / settings being edited: Lumo 500\r\n\r\n";
    const QString confirm = "Import the chosen tables anyway?\r\n";
    const QString version = info + "The setting file to import has another version.\r\n\r\n";
    const auto block = [](const QString& name, const QString& open, const QString& imported) {
        return name + "\r\n  Being edited: " + open + "\r\n  To import: " + imported + "\r\n\r\n";
    };
    const struct
    {
        const char* what;
        CrxFileInfo open;
        CrxFileInfo imported;
        QString package;
        QString version;
    } cases[] = {
        {"the same",
         {"LUMO-500", "1.0", "2.0", "S", "P"},
         {"LUMO-500", "1.0", "2.0", "X", "P"},
         {},
         {}},
        {"package differs",
         {"LUMO-500", "1.0", "2.0", "S", "P"},
         {"LUMO-500", "1.0", "2.0", "S", "Q"},
         info + "The setting file to import was made for another package.\r\n\r\n" + confirm,
         {}},
        {"register version only",
         {"LUMO-500", "1.0", "2.0", "S", "P"},
         {"LUMO-500", "1.0", "2.1", "S", "P"},
         {},
         version + block("Register application version", "2.0", "2.1") + confirm},
        {"archive version only",
         {"LUMO-500", "1.0", "2.0", "S", "P"},
         {"LUMO-500", "1.1", "2.0", "S", "P"},
         {},
         version + block("Setting file format version", "1.0", "1.1") + confirm},
        {"both",
         {"LUMO-500", "1.0", "2.0", "S", "P"},
         {"LUMO-500", "1.1", "2.1", "S", "P"},
         {},
         version + block("Register application version", "2.0", "2.1") +
             block("Setting file format version", "1.0", "1.1") + confirm},
        {"one version empty",
         {"LUMO-500", "1.0", "", "S", "P"},
         {"LUMO-500", "1.0", "2.1", "S", "P"},
         {},
         version + block("Register application version", unknown, "2.1") + confirm},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CImportTblJob job;
        job.m_openHeader = c.open;
        job.m_importHeader = c.imported;
        EXPECT_EQ(job.PackageQuestion(), c.package);
        EXPECT_EQ(job.VersionQuestion(), c.version);
    }

    // Each model by its machine type; an unknown one has no name.
    CImportTblJob job;
    job.m_importHeader.machineType = "OTHER";
    job.m_importHeader.package = "Q";
    job.m_openHeader.machineType = "LUMO-500";
    EXPECT_TRUE(job.PackageQuestion().startsWith(
        "Setting file to import:  / settings being edited: Lumo 500\r\n"));
}

TEST_F(TableImport, SameHeaderAsksNothingAndCancelOnAQuestionChangesNothing)
{
    Open();
    CrxFileInfo header = m_header;
    header.package = header.package + "X";
    const QString otherPackage = OtherArchive("package.crx", header);
    const QString same = Export("same.crx", m_header);
    Open();

    m_answers = {platform::IDCANCEL};
    EXPECT_FALSE(Import(otherPackage, {"CIA001"}));
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_DIFFPACKAGE"});
    EXPECT_EQ(m_messages[0].buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(m_messages[0].caption, "Tovanel");
    ExpectUnchanged();

    m_messages.clear();
    EXPECT_TRUE(Import(same, {"CIA001"}));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(TableImport, FailuresShowTheirCodeAndLeaveTheWorkDatabase)
{
    Open();
    // Archive XML that breaks off after the header.
    const QString folder = Scratch("damaged");
    ASSERT_TRUE(korvane::test::writeFile(
        folder + "/Korvane_REG_DATA.xml",
        "<?xml version='1.0' encoding='utf-8'?>\n<crxparse><fileinfo><machinetype>LUMO-500"
        "</machinetype></fileinfo><datainfo><dbinfo><tabinfo tabname='CIA001' mainte='renew'>"
        "<recinfo><datarec><ITEMCODE>1</ITEM"));
    Tar({"-cjf", Scratch("damaged.crx"), "Korvane_REG_DATA.xml"}, folder);
    // An archive inside the import folder would be wiped by its own unpacking.
    const QString inside = CBasePath::GetLocalAnotherImportPath() + "/inside.crx";

    const struct
    {
        QString archive;
        const char* code;
    } cases[] = {{Scratch("damaged.crx"), "[E0000015]"}, {inside, "[E000003A]"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        m_messages.clear();
        if (c.archive == inside) { // the folder is made afresh
            ASSERT_TRUE(
                QFile::copy(m_strSample, CBasePath::GetLocalAnotherImportPath() + "/inside.crx"));
        }
        m_answers = {platform::IDOK, platform::IDOK}; // any question: go on
        EXPECT_FALSE(Import(c.archive, {"CIA001"}));
        ASSERT_FALSE(m_messages.isEmpty());
        EXPECT_EQ(m_messages.back().key, "CRDS_MSG_E_OPENCRP");
        EXPECT_EQ(m_messages.back().icon, platform::MessageIcon::Error);
        EXPECT_TRUE(m_messages.back().text.contains(c.code))
            << m_messages.back().text.toStdString();
        ExpectUnchanged();
    }
}

TEST_F(TableImport, AbortInEitherPhaseEndsSilently)
{
    Open();
    const QString other = Export("other.crx", m_header);
    for (const char* step : {"ImportHeader", "ImportChosenTables"}) {
        SCOPED_TRACE(step);
        ScriptedLibraryCalls calls;
        calls.m_strStep = step; // waits for the abort
        m_messages.clear();
        QString text;
        korvane::test::WhenModal<CImportTblDlg>([&text](CImportTblDlg& dialog) {
            QTimer::singleShot(30, &dialog, [&dialog, &text] {
                qobject_cast<QAbstractButton*>(
                    FindControlById(&dialog, CCrxProgressDlg::IDC_BUTTON_ABORT))
                    ->click();
                text = qobject_cast<QLabel*>(
                           FindControlById(&dialog, CCrxProgressDlg::IDC_STATIC_CRX_PROC))
                           ->text();
            });
        });
        EXPECT_FALSE(Import(other, {"CIA001"}));
        EXPECT_EQ(text, "Aborting...");
        EXPECT_TRUE(m_messages.isEmpty()) << MessageKeys().join(',').toStdString();
        EXPECT_FALSE(calls.Calls().contains("AnotherImportCopyBack"));
        ExpectUnchanged();
    }
}

TEST_F(TableImport, TheTableDialogListsTheTargetTablesAndMarksTheGroups)
{
    Open();
    const auto rowsOf = [this](const std::function<void(CImportTblSelDlg&)>& act) {
        CSQliteDB db;
        EXPECT_EQ(db.OpenDB(WorkDb()), 0);
        CImportTblSelDlg dialog;
        dialog.m_pDb = &db;
        dialog.m_pImportList = &m_importList;
        QStringList codes;
        korvane::test::RunModal<CImportTblSelDlg>(dialog, [&](CImportTblSelDlg& shown) {
            for (int row = 0; row < shown.Model().rowCount(); ++row)
                codes << shown.Model().Code(row);
            if (act)
                act(shown);
        });
        return codes;
    };
    EXPECT_EQ(rowsOf({}).size(), 44); // TARGETTABLE empty
    SetImportSection("[IMPORT_CRX]\nTARGETTABLE=CIA001, CSB004\n");
    EXPECT_EQ(rowsOf({}), QStringList({"CIA001", "CSB004"}));
    SetImportSection("");
    EXPECT_EQ(rowsOf({}).size(), 44);

    SetImportSection("[IMPORT_CRX]\nITEM_CLERK=CIA001,CSB004\nRELATEDITEM=CIA002\n");
    const auto click = [](CImportTblSelDlg& dialog, uint id) {
        qobject_cast<QAbstractButton*>(FindControlById(&dialog, id))->click();
    };
    rowsOf([&](CImportTblSelDlg& dialog) {
        CTableSelectModel& model = dialog.Model();
        click(dialog, CImportTblSelDlg::IDC_BUTTON_SELITEMOPER);
        EXPECT_EQ(model.CodesWithValue(1), QStringList({"CIA001", "CSB004"}));
        QStringList selected;
        for (const int row : model.SelectedRows())
            selected << model.Code(row);
        EXPECT_EQ(selected, QStringList({"CIA001", "CSB004"}));
        // The related-item column marks its table.
        int cia002 = 0;
        while (cia002 < model.rowCount() && model.Code(cia002) != "CIA002")
            ++cia002;
        EXPECT_EQ(model.data(model.index(cia002, 3)).toString(),
                  GetLangString("CRDS_TXT_SELPMARK"));
        click(dialog, CImportTblSelDlg::IDC_BUTTON_SELITEMSET);
        EXPECT_EQ(model.CodesWithValue(1), QStringList({"CIA001", "CIA002", "CSB004"}));
        click(dialog, CImportTblSelDlg::IDC_BUTTON_SELALL);
        EXPECT_EQ(model.CodesWithValue(0), QStringList());
        click(dialog, CImportTblSelDlg::IDC_BUTTON_CALCELALL);
        EXPECT_EQ(model.CodesWithValue(1), QStringList());
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_NOSELECTED_IMP"});
        EXPECT_EQ(m_messages[0].caption, GetLangString("CRDD_IMPORT_TBLSEL"));
    });
}

} // namespace

} // namespace tovanel::test
