// The selective save: the table dialog's rules, its checks and file names,
// and the whole launcher writing a partial archive (and a full one beside
// it), read back with GNU tar; a failed move leaves every old archive.
#include "launcher/CCrxTblSelDlg.h"
#include "launcher/CTableSelectModel.h"
#include "launcher/CTovanelFileCommands.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/PlaceArchives.h"
#include "launcher/tests/ArchiveTables.h"
#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/ScriptedLibraryCalls.h"

#include "shared/controls/CFunctionButton.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/EventWaits.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>

#include <cerrno>

namespace tovanel::test {

namespace {

using korvane::test::readFile;
using korvane::test::writeFile;

using Dlg = CCrxTblSelDlg;

void Click(Dlg& dialog, uint id)
{
    qobject_cast<QPushButton*>(FindControlById(&dialog, id))->click();
}

QCheckBox* Check(Dlg& dialog, uint id)
{
    return qobject_cast<QCheckBox*>(FindControlById(&dialog, id));
}

int Row(const CTableSelectModel& model, const QString& code)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.Code(row) == code)
            return row;
    return -1;
}

// The change types of these tables.
QList<int> Types(const Dlg& dialog, const QStringList& codes)
{
    QList<int> types;
    for (const QString& code : codes)
        types << dialog.Model().Value(Row(dialog.Model(), code));
    return types;
}

class SelectiveSave : public ArchiveWorkFixture
{
protected:
    void SetUp() override
    {
        ArchiveWorkFixture::SetUp();
        m_files = std::make_unique<CTovanelFileCommands>(m_host);
    }

    void Open()
    {
        const QString sample = CopySample("sample.crx");
        ASSERT_TRUE(m_files->ReadArchive(sample, false));
        m_files->m_strCurFilePath = sample;
    }

    // The dialog on the work database, initialised but not shown.
    std::unique_ptr<Dlg> Dialog(int dispArchive = 0, bool untitled = false)
    {
        auto dialog = std::make_unique<Dlg>();
        dialog->m_strLocalDataFolder = LocalDataFolder();
        dialog->m_strCurFilePath = untitled ? QString() : m_files->m_strCurFilePath;
        dialog->m_bDispArchive = dispArchive;
        dialog->Create();
        return dialog;
    }

    void SetSection(const QByteArray& section)
    {
        QByteArray ini = readFile(m_strProgramFolder + "/Tovanel.ini");
        if (ini.contains("[SELECT_SAVE]"))
            ini.truncate(ini.indexOf("[SELECT_SAVE]"));
        ASSERT_TRUE(writeFile(m_strProgramFolder + "/Tovanel.ini", ini + section));
    }

    FakeHost m_host;
    std::unique_ptr<CTovanelFileCommands> m_files;
};

TEST_F(SelectiveSave, ListsTheSampleTablesWithTheirNames)
{
    Open();
    const auto dialog = Dialog();
    QAbstractItemModelTester tester(&dialog->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const CTableSelectModel& model = dialog->Model();
    ASSERT_EQ(model.rowCount(), 44);
    EXPECT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.Code(0), "CIA001");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Items");
    EXPECT_EQ(model.data(model.index(Row(model, "CSB004"), 1)).toString(), "Clerks");
    for (int row = 0; row < model.rowCount(); ++row) {
        EXPECT_NE(model.Code(row), "Dummy");
        EXPECT_NE(model.Code(row), "android_metadata");
        EXPECT_EQ(model.Value(row), 0);
    }
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), GetLangString("CRDS_TXT_SELCHGTYPE"));
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), GetLangString("CRDS_TXT_SELPMARK"));
    // The start: save-all on, media off, the OES part off.
    EXPECT_TRUE(Check(*dialog, Dlg::IDC_CHECK_SAVEALL)->isChecked());
    for (uint id = Dlg::IDC_CHECK_W_MOVIE; id <= Dlg::IDC_CHECK_R_RECOMMEND; ++id)
        EXPECT_FALSE(Check(*dialog, id)->isChecked()) << id;
    EXPECT_FALSE(FindControlById(dialog.get(), Dlg::IDC_EDIT_OESFILE)->isEnabled());
}

// With the sample's tables, every column of the list shows its title whole,
// the group titles on two lines, and the list needs no sideways scrolling,
// for a setting archive and a display archive alike.
TEST_F(SelectiveSave, TheListShowsEveryColumnWhole)
{
    Open();
    for (int dispArchive : {0, 1}) {
        const auto dialog = Dialog(dispArchive);
        dialog->show();
        auto* list = qobject_cast<QTableView*>(FindControlById(dialog.get(), Dlg::IDC_LIST));
        ASSERT_NE(list, nullptr);
        // Over a selected row the titles are drawn bold.
        list->selectRow(0);
        ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1) << dispArchive;
        QCoreApplication::processEvents();
        EXPECT_EQ(korvane::test::LayoutFaults(dialog.get()), QStringList()) << dispArchive;
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << dispArchive;
    }
}

TEST_F(SelectiveSave, GroupButtonsComboAndTicksAsATableOfActions)
{
    Open();
    const QStringList codes{"CIA001", "CIA002", "CSB004", "CIA003", "CSB002", "CSB007"};
    const struct
    {
        const char* what;
        std::function<void(Dlg&)> act;
        QList<int> types;
    } cases[] = {
        {"the difference group gives type 3 over an earlier type",
         [](Dlg& d) {
             Click(d, Dlg::IDC_BUTTON_SELITEMOPER);
             d.Combo()->setCurrentIndex(1);
             Click(d, Dlg::IDC_BUTTON_SELITEMDIFF);
         },
         {3, 2, 2, 0, 0, 0}},
        {"items and clerks tick with the combo's type, ticked rows keep theirs",
         [](Dlg& d) {
             Click(d, Dlg::IDC_BUTTON_SELITEMDIFF);
             Click(d, Dlg::IDC_BUTTON_SELITEMOPER);
         },
         {3, 1, 1, 0, 0, 0}},
        {"related items tick with the combo's type",
         [](Dlg& d) {
             d.Combo()->setCurrentIndex(1);
             Click(d, Dlg::IDC_BUTTON_SELITEMSET);
         },
         {2, 2, 0, 2, 0, 0}},
        {"the key layout keeps the type of a ticked row",
         [](Dlg& d) {
             d.Model().SetTicked(Row(d.Model(), "CIA002"), true);
             d.Combo()->setCurrentIndex(1);
             Click(d, Dlg::IDC_BUTTON_KEYSET);
         },
         {0, 1, 0, 0, 2, 0}},
        {"shop data unticks its rows",
         [](Dlg& d) {
             Click(d, Dlg::IDC_BUTTON_SELALL);
             Click(d, Dlg::IDC_BUTTON_SHOPDATA);
         },
         {1, 1, 1, 1, 1, 0}},
        {"select all keeps the ticked rows' types",
         [](Dlg& d) {
             Click(d, Dlg::IDC_BUTTON_SELITEMDIFF);
             d.List()->clearSelection();
             d.Combo()->setCurrentIndex(1);
             Click(d, Dlg::IDC_BUTTON_SELALL);
         },
         {3, 2, 2, 2, 2, 2}},
        {"ticking one of three selected rows ticks all three",
         [](Dlg& d) {
             CTableSelectModel& m = d.Model();
             m.SelectRows({Row(m, "CIA001"), Row(m, "CIA002"), Row(m, "CSB004")});
             m.setData(m.index(Row(m, "CIA002"), 0), Qt::Checked, Qt::CheckStateRole);
         },
         {1, 1, 1, 0, 0, 0}},
        {"a new combo choice retypes the selected rows",
         [](Dlg& d) {
             Click(d, Dlg::IDC_BUTTON_SELITEMDIFF);
             d.List()->clearSelection();
             Click(d, Dlg::IDC_BUTTON_SELITEMOPER);
             d.Combo()->setCurrentIndex(1);
         },
         {2, 2, 2, 0, 0, 0}},
        {"cancel all",
         [](Dlg& d) {
             Click(d, Dlg::IDC_BUTTON_SELALL);
             Click(d, Dlg::IDC_BUTTON_CALCELALL);
         },
         {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto dialog = Dialog();
        QAbstractItemModelTester tester(&dialog->Model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        c.act(*dialog);
        EXPECT_EQ(Types(*dialog, codes), c.types);
    }
}

TEST_F(SelectiveSave, GroupsComeFromTheIniWithTheirDefaults)
{
    QStringList many;
    for (int i = 0; i < 800; ++i)
        many << QStringLiteral("T%1").arg(i, 5, 10, QLatin1Char('0'));
    SetSection("[SELECT_SAVE]\nDIFFITEM=CIA002 , CSB004\nITEM_CLERK=\nRELATEDITEM=" +
               many.join(',').toUtf8() + "\nSTOREINFO=CSB007\n");
    const auto dialog = Dialog();
    const std::vector<QStringList>& groups = dialog->Groups();
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[Dlg::DIFFITEM], QStringList({"CIA002", "CSB004"}));
    // Empty and missing values give the defaults; a long list is not cut.
    EXPECT_EQ(groups[Dlg::ITEM_CLERK], QStringList({"CIA001", "CIA002", "CSB004"}));
    EXPECT_EQ(groups[Dlg::RELATEDITEM], many);
    EXPECT_EQ(groups[Dlg::KEYLAYOUT], QStringList({"CIA002", "CSB002", "CSB003", "CSB011", "CSB012",
                                                   "CSB021", "CSB022", "CSB023"}));
    EXPECT_EQ(groups[Dlg::STOREINFO], QStringList{"CSB007"});
}

TEST_F(SelectiveSave, SignageOnlySetsTheTablePartAndSaveAllAside)
{
    Open();
    const auto dialog = Dialog();
    QWidget* list = dialog->List();
    QCheckBox* saveAll = Check(*dialog, Dlg::IDC_CHECK_SAVEALL);
    QCheckBox* oes = Check(*dialog, Dlg::IDC_CHECK_OESFILE);
    QCheckBox* signage = Check(*dialog, Dlg::IDC_CHECK_FOR_SIGNAGE);
    oes->setChecked(true);
    EXPECT_TRUE(FindControlById(dialog.get(), Dlg::IDC_EDIT_OESFILE)->isEnabled());
    signage->setChecked(true);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(dialog->Combo()->isEnabled());
    EXPECT_FALSE(FindControlById(dialog.get(), Dlg::IDC_BUTTON_SHOPDATA)->isEnabled());
    EXPECT_FALSE(saveAll->isChecked());
    EXPECT_FALSE(saveAll->isEnabled());
    EXPECT_FALSE(oes->isChecked());
    EXPECT_FALSE(oes->isEnabled());
    EXPECT_FALSE(FindControlById(dialog.get(), Dlg::IDC_EDIT_OESFILE)->isEnabled());
    signage->setChecked(false);
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(saveAll->isEnabled());
    EXPECT_FALSE(saveAll->isChecked());
    EXPECT_TRUE(oes->isEnabled());

    // A display archive holds signage only.
    const auto display = Dialog(1);
    EXPECT_TRUE(Check(*display, Dlg::IDC_CHECK_FOR_SIGNAGE)->isChecked());
    EXPECT_FALSE(Check(*display, Dlg::IDC_CHECK_FOR_SIGNAGE)->isEnabled());
    EXPECT_FALSE(FindControlById(display.get(), 1090)->isEnabled());
    EXPECT_FALSE(FindControlById(display.get(), 1091)->isEnabled());
    EXPECT_FALSE(display->List()->isEnabled());
    EXPECT_FALSE(Check(*display, Dlg::IDC_CHECK_SAVEALL)->isChecked());
}

TEST_F(SelectiveSave, OkRefusesNoChoiceAndAWrongOesFile)
{
    Open();
    {
        const auto dialog = Dialog();
        dialog->accept();
        EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_NOSELECTED"});
        EXPECT_EQ(m_messages[0].caption, GetLangString("CRDD_PSAVE_TBLSEL"));
        EXPECT_EQ(dialog->result(), 0);
        EXPECT_TRUE(m_choices.isEmpty());
    }
    ASSERT_TRUE(writeFile(Scratch("a.092"), "set data"));
    ASSERT_TRUE(QDir().mkpath(Scratch("folder.092")));
    for (const char* name : {"a.O92", "a", "a.092.txt"})
        ASSERT_TRUE(writeFile(Scratch(name), "x"));
    const struct
    {
        const char* file;
        const char* key; // "" = accepted
    } cases[] = {
        {"missing.092", "CRDS_MSG_E_NOFILE092"}, {"folder.092", "CRDS_MSG_E_NOFILE092"},
        {"a.O92", "CRDS_MSG_E_SELOESFILE"},      {"a", "CRDS_MSG_E_SELOESFILE"},
        {"a.092.txt", "CRDS_MSG_E_SELOESFILE"},  {"a.092", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        m_messages.clear();
        m_choices.clear();
        const auto dialog = Dialog();
        Click(*dialog, Dlg::IDC_BUTTON_SELITEMOPER);
        Check(*dialog, Dlg::IDC_CHECK_OESFILE)->setChecked(true);
        qobject_cast<QLineEdit*>(FindControlById(dialog.get(), Dlg::IDC_EDIT_OESFILE))
            ->setText(Scratch(c.file));
        dialog->accept(); // the save chooser is cancelled
        EXPECT_EQ(dialog->result(), 0);
        if (*c.key) {
            EXPECT_EQ(MessageKeys(), QStringList{c.key});
            EXPECT_TRUE(m_choices.isEmpty());
        } else {
            EXPECT_EQ(MessageKeys(), QStringList());
            ASSERT_EQ(m_choices.size(), 1);
            EXPECT_EQ(dialog->m_strOesFile, Scratch("a.092"));
        }
    }
}

TEST_F(SelectiveSave, TheOesButtonChoosesASetDataFile)
{
    Open();
    ASSERT_TRUE(writeFile(Scratch("oes/a.092"), "set data"));
    const auto dialog = Dialog();
    Check(*dialog, Dlg::IDC_CHECK_OESFILE)->setChecked(true);
    m_chosen = {Scratch("oes/a.092"), QString()};
    Click(*dialog, Dlg::IDC_BUTTON_SELFOLDER);
    auto* edit = qobject_cast<QLineEdit*>(FindControlById(dialog.get(), Dlg::IDC_EDIT_OESFILE));
    EXPECT_EQ(edit->text(), Scratch("oes/a.092"));
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].caption, GetLangString("CRDS_MSG_SELOESFILE"));
    EXPECT_EQ(m_choices[0].defaultSuffix, "092");
    // The file chosen before comes back into an edit that names none, and
    // the chooser starts in its folder.
    edit->setText(Scratch("gone.092"));
    Click(*dialog, Dlg::IDC_BUTTON_SELFOLDER);
    EXPECT_EQ(edit->text(), Scratch("oes/a.092"));
    EXPECT_EQ(m_choices[1].startPath, Scratch("oes"));
}

TEST_F(SelectiveSave, NamesOfThePartialArchive)
{
    Open();
    const struct
    {
        const char* what;
        bool signage;
        int dispArchive;
        const char* partial;
    } cases[] = {
        {"tables", false, 0, "SUB_x.crx"},
        {"signage only", true, 0, "DISP_x.crx"},
        {"signage only with a display archive open", true, 1, "x.crx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_messages.clear();
        const auto dialog = Dialog(c.dispArchive);
        Click(*dialog, Dlg::IDC_BUTTON_SELITEMOPER);
        Check(*dialog, Dlg::IDC_CHECK_FOR_SIGNAGE)->setChecked(c.signage);
        m_chosen = {Scratch("x.crx")};
        m_answers = {platform::IDYES};
        dialog->accept();
        EXPECT_EQ(dialog->result(), platform::IDOK);
        EXPECT_EQ(dialog->m_strPartialPath, Scratch(c.partial));
        EXPECT_EQ(dialog->m_strFullPath, Scratch("x.crx"));
        EXPECT_EQ(dialog->m_bSaveAll, c.signage ? 0 : 1);
        EXPECT_EQ(dialog->m_partial.noDataInfo, c.signage ? 1 : 0);
        ASSERT_EQ(MessageKeys(), QStringList{"CRDS_SAVE_FILE"});
        QString text = GetLangString("CRDS_SAVE_FILE") + "\n\n" +
                       GetLangString("CRDS_SAVE_PARTFILE") + c.partial;
        if (!c.signage)
            text += "\n" + GetLangString("CRDS_SAVE_ALLFILE") + "x.crx";
        EXPECT_EQ(m_messages[0].text, text);
        EXPECT_FALSE(m_choices.last().confirmOverwrite);
        EXPECT_EQ(m_choices.last().defaultSuffix, "crx");
    }
}

TEST_F(SelectiveSave, ExistingArchivesAreAskedAboutAndNoBringsTheChooserBack)
{
    Open();
    ASSERT_TRUE(writeFile(Scratch("SUB_x.crx"), "old partial"));
    ASSERT_TRUE(writeFile(Scratch("y.crx"), "old full"));
    const auto dialog = Dialog();
    Click(*dialog, Dlg::IDC_BUTTON_SELITEMDIFF);
    m_chosen = {Scratch("x.crx"), Scratch("y.crx"), Scratch("y.crx")};
    // No to the partial archive, No to the full one, then Yes to both and
    // No to the confirmation: the dialog stays.
    m_answers = {platform::IDNO, platform::IDNO, platform::IDYES, platform::IDNO};
    dialog->accept();
    EXPECT_EQ(dialog->result(), 0);
    ASSERT_EQ(MessageKeys(), QStringList({"CRDS_MSG_SELSOVERWRITE", "CRDS_MSG_SELSOVERWRITE",
                                          "CRDS_MSG_SELSOVERWRITE", "CRDS_SAVE_FILE"}));
    EXPECT_EQ(m_messages[0].text,
              GetLangString("CRDS_MSG_SELSOVERWRITE").replace("%s", Scratch("SUB_x.crx")));
    EXPECT_EQ(m_messages[0].caption, GetLangString("CRDS_TXT_SELFSELSAVE"));
    EXPECT_EQ(m_messages[1].text,
              GetLangString("CRDS_MSG_SELSOVERWRITE").replace("%s", Scratch("y.crx")));
    EXPECT_EQ(m_messages[1].caption, GetLangString("CRDS_TXT_SELFALLSAVE"));
    ASSERT_EQ(m_choices.size(), 3);
    EXPECT_EQ(m_choices[0].startPath, m_files->m_strCurFilePath);
    EXPECT_EQ(m_choices[1].startPath, Scratch("x.crx"));
    EXPECT_EQ(m_choices[2].startPath, Scratch("y.crx"));

    // The open archive itself is not asked about.
    m_messages.clear();
    m_chosen = {m_files->m_strCurFilePath};
    m_answers = {platform::IDYES};
    dialog->accept();
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_SAVE_FILE"});
    EXPECT_EQ(dialog->result(), platform::IDOK);
}

TEST_F(SelectiveSave, AnUntitledDatabaseOffersSettingCrxInTheDocumentsFolder)
{
    Open();
    const auto dialog = Dialog(0, true);
    Click(*dialog, Dlg::IDC_BUTTON_SELITEMOPER);
    dialog->accept();
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].startPath,
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/SETTING.CRX");
    // Choosing an existing file there is asked about, the open one included.
    ASSERT_TRUE(writeFile(Scratch("SETTING.CRX"), "old"));
    m_messages.clear();
    m_chosen = {Scratch("SETTING.CRX")};
    m_answers = {platform::IDNO};
    dialog->accept();
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_MSG_SELSOVERWRITE"});
}

// The whole launcher: the standard menu started on a copy of the sample.
class SelectiveSaveWindow : public ArchiveWorkFixture
{
protected:
    void TearDown() override
    {
        SetPlaceFault({});
        ArchiveWorkFixture::TearDown();
    }

    std::unique_ptr<CTovanelStandardDlg> Start()
    {
        m_strSample = CopySample("sample.crx");
        auto menu = std::make_unique<CTovanelStandardDlg>();
        menu->SetCommandLine(m_strSample, QString(), 0, QString());
        menu->Create();
        menu->show();
        QElapsedTimer clock;
        clock.start();
        while (menu->m_nOpenCount == 0 && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(menu->GetState(), Tovanelcmn::MENU_OPEN);
        return menu;
    }

    // One item dearer, another gone.
    void EditItems()
    {
        const QList<QStringList> codes = Rows(WorkDb(), "CIA001", {"ITEMCODE"});
        ASSERT_GE(codes.size(), 2);
        m_strChanged = codes[0][0];
        m_strRemoved = codes[1][0];
        ASSERT_TRUE(korvane::test::WaitForNextFileTime(WorkDb()));
        Exec(WorkDb(), "UPDATE CIA001 SET UNITPRICE = 999 WHERE ITEMCODE = '" + m_strChanged + "'");
        Exec(WorkDb(), "DELETE FROM CIA001 WHERE ITEMCODE = '" + m_strRemoved + "'");
    }

    // Runs the selective save with the dialog set up by choose.
    void SelectiveSave(CTovanelStandardDlg& menu, const std::function<void(Dlg&)>& choose)
    {
        korvane::test::WhenModal<Dlg>([choose](Dlg& dialog) {
            choose(dialog);
            dialog.accept();
            if (dialog.isVisible())
                dialog.done(-1);
        });
        menu.GetFunctionButton(IDC_SELSAVE)->click();
    }

    QString Title(CTovanelStandardDlg& menu, const QString& file) const
    {
        return file + " - " + menu.BuildAppTitle(false) + " Lumo 500";
    }

    bool CloseAsks(CTovanelStandardDlg& menu)
    {
        const qsizetype before = m_messages.size();
        m_answers = {platform::IDCANCEL};
        menu.close();
        const bool asked = m_messages.size() > before;
        m_answers.clear();
        if (asked) {
            EXPECT_EQ(m_messages.last().key, "CRDS_CMN_PROMPT_SAVE");
            EXPECT_TRUE(menu.isVisible());
        }
        m_answers = {platform::IDNO};
        menu.close();
        EXPECT_FALSE(menu.isVisible());
        return asked;
    }

    QStringList WorkFolderTemps() const
    {
        return QDir(LocalDataFolder()).entryList({"CEP*"}, QDir::Files);
    }

    QString m_strSample;
    QString m_strChanged;
    QString m_strRemoved;
};

TEST_F(SelectiveSaveWindow, DifferenceWithSaveAllWritesBothArchivesAndTakesTheFullOne)
{
    const auto menu = Start();
    EditItems();
    m_chosen = {Scratch("x.crx")};
    SelectiveSave(*menu, [](Dlg& d) { Click(d, Dlg::IDC_BUTTON_SELITEMDIFF); });
    EXPECT_EQ(MessageKeys(), QStringList{"CRDS_SAVE_FILE"});

    const QMap<QString, TableSection> partial =
        ParseTables(Tar({"-xjOf", Scratch("SUB_x.crx"), "Korvane_REG_DATA.xml"}));
    ASSERT_EQ(partial.keys(), QStringList{"CIA001"});
    const TableSection& items = partial["CIA001"];
    EXPECT_EQ(items.mainte, "");
    ASSERT_EQ(items.records[""].size(), 1);
    EXPECT_EQ(items.records[""][0]["ITEMCODE"], m_strChanged);
    EXPECT_EQ(items.records[""][0]["UNITPRICE"], "999");
    EXPECT_EQ(items.records["del"], (QList<QMap<QString, QString>>{{{"ITEMCODE", m_strRemoved}}}));

    const QMap<QString, TableSection> full =
        ParseTables(Tar({"-xjOf", Scratch("x.crx"), "Korvane_REG_DATA.xml"}));
    EXPECT_GE(full.size(), 6);
    for (auto it = full.begin(); it != full.end(); ++it)
        EXPECT_EQ(it->mainte, "renew") << it.key().toStdString();
    EXPECT_FALSE(Tar({"-tjf", Scratch("x.crx")}).contains("CEP"));

    EXPECT_EQ(menu->windowTitle(), Title(*menu, "x.crx"));
    EXPECT_EQ(menu->m_strCurFilePath, Scratch("x.crx"));
    EXPECT_EQ(menu->m_nLastSaveResult, 1);
    EXPECT_EQ(menu->m_partialWrite.diffList, QStringList{"CIA001"});
    EXPECT_EQ(WorkFolderTemps(), QStringList());
    EXPECT_FALSE(CloseAsks(*menu));
}

// The full archive beside the partial one takes the chosen name: under the
// partial prefix it could never be opened again.
TEST_F(SelectiveSaveWindow, SaveAllRefusesThePartialPrefixForTheFullArchive)
{
    const auto menu = Start();
    EditItems();
    m_chosen = {Scratch("sub_x.crx"), Scratch("x.crx")};
    SelectiveSave(*menu, [](Dlg& d) { Click(d, Dlg::IDC_BUTTON_SELITEMDIFF); });
    EXPECT_EQ(MessageKeys(), QStringList({"CRDS_MSG_E_SUBNAMEKEPT", "CRDS_SAVE_FILE"}));
    EXPECT_FALSE(QFileInfo::exists(Scratch("sub_x.crx")));
    EXPECT_FALSE(QFileInfo::exists(Scratch("SUB_sub_x.crx")));
    EXPECT_TRUE(QFileInfo(Scratch("SUB_x.crx")).isFile());
    EXPECT_EQ(menu->m_strCurFilePath, Scratch("x.crx"));
}

TEST_F(SelectiveSaveWindow, WithoutSaveAllOnlyThePartialArchiveAndCloseStillAsks)
{
    const auto menu = Start();
    EditItems();
    m_chosen = {Scratch("x.crx")};
    SelectiveSave(*menu, [](Dlg& d) {
        Click(d, Dlg::IDC_BUTTON_SELITEMOPER);
        Check(d, Dlg::IDC_CHECK_SAVEALL)->setChecked(false);
        Check(d, Dlg::IDC_CHECK_T_ITEMIMAGE)->setChecked(true);
    });
    EXPECT_TRUE(QFileInfo(Scratch("SUB_x.crx")).isFile());
    EXPECT_FALSE(QFileInfo::exists(Scratch("x.crx")));
    const QMap<QString, TableSection> partial =
        ParseTables(Tar({"-xjOf", Scratch("SUB_x.crx"), "Korvane_REG_DATA.xml"}));
    EXPECT_EQ(partial.keys(), QStringList({"CIA001", "CIA002", "CSB004"}));
    EXPECT_EQ(partial["CIA001"].mainte, "renew");
    EXPECT_EQ(menu->m_partialWrite.itemImages, 1);
    EXPECT_EQ(menu->m_partialWrite.movie, 0);
    EXPECT_EQ(menu->windowTitle(), Title(*menu, "sample.crx"));
    EXPECT_EQ(menu->m_strCurFilePath, m_strSample);
    EXPECT_EQ(menu->m_nLastSaveResult, 0);
    EXPECT_TRUE(CloseAsks(*menu));
}

TEST_F(SelectiveSaveWindow, TheOesFileTravelsInThePartialArchive)
{
    const auto menu = Start();
    ASSERT_TRUE(writeFile(Scratch("a.092"), QByteArray("OES set data\r\n\x01\x02", 16)));
    m_chosen = {Scratch("x.crx")};
    SelectiveSave(*menu, [this](Dlg& d) {
        Click(d, Dlg::IDC_BUTTON_SELITEMOPER);
        Check(d, Dlg::IDC_CHECK_SAVEALL)->setChecked(false);
        Check(d, Dlg::IDC_CHECK_OESFILE)->setChecked(true);
        qobject_cast<QLineEdit*>(FindControlById(&d, Dlg::IDC_EDIT_OESFILE))
            ->setText(Scratch("a.092"));
    });
    EXPECT_EQ(Tar({"-xjOf", Scratch("SUB_x.crx"), "FILE092P.092"}), readFile(Scratch("a.092")));
    EXPECT_TRUE(menu->m_strExtraFile.isEmpty());
    menu->close();
}

TEST_F(SelectiveSaveWindow, AFailedMoveLeavesBothOldArchivesAndTheWindowAsItWas)
{
    const auto menu = Start();
    EditItems();
    ASSERT_TRUE(writeFile(Scratch("SUB_x.crx"), "old partial"));
    ASSERT_TRUE(writeFile(Scratch("x.crx"), "old full"));
    const QString title = menu->windowTitle();
    SetPlaceFault([this](PlaceStep step, const QString& target) {
        return step == PlaceStep::Rename && target == Scratch("x.crx") ? EACCES : 0;
    });
    m_chosen = {Scratch("x.crx")};
    m_answers = {platform::IDYES, platform::IDYES, platform::IDYES};
    SelectiveSave(*menu, [](Dlg& d) { Click(d, Dlg::IDC_BUTTON_SELITEMDIFF); });
    ASSERT_EQ(MessageKeys(), QStringList({"CRDS_MSG_SELSOVERWRITE", "CRDS_MSG_SELSOVERWRITE",
                                          "CRDS_SAVE_FILE", "CRDS_MSG_E_SAVECRP"}));
    EXPECT_EQ(m_messages.last().text,
              GetLangString("CRDS_MSG_E_SAVECRP") + "\nLastError=[0000000D]");
    EXPECT_EQ(m_messages.last().icon, platform::MessageIcon::Error);
    EXPECT_EQ(readFile(Scratch("SUB_x.crx")), "old partial");
    EXPECT_EQ(readFile(Scratch("x.crx")), "old full");
    EXPECT_EQ(menu->windowTitle(), title);
    EXPECT_EQ(menu->m_strCurFilePath, m_strSample);
    EXPECT_EQ(menu->m_nLastSaveResult, 0);
    EXPECT_TRUE(menu->m_strExtraFile.isEmpty());
    EXPECT_EQ(WorkFolderTemps(), QStringList());
    EXPECT_EQ(QDir(m_folders.scratch()).entryList({".*x.crx*"}, QDir::Files | QDir::Hidden),
              QStringList());
    EXPECT_TRUE(CloseAsks(*menu));
}

TEST_F(SelectiveSaveWindow, AFailedFullWriteMovesNeitherArchive)
{
    const auto menu = Start();
    EditItems();
    ASSERT_TRUE(writeFile(Scratch("SUB_x.crx"), "old partial"));
    ScriptedLibraryCalls calls;
    calls.m_strStep = "ExportFull";
    calls.m_nFailure = CRX_E_PACK;
    m_chosen = {Scratch("x.crx")};
    m_answers = {platform::IDYES, platform::IDYES};
    SelectiveSave(*menu, [](Dlg& d) { Click(d, Dlg::IDC_BUTTON_SELITEMDIFF); });
    EXPECT_EQ(MessageKeys(),
              QStringList({"CRDS_MSG_SELSOVERWRITE", "CRDS_SAVE_FILE", "CRDS_MSG_E_SAVECRP"}));
    EXPECT_EQ(readFile(Scratch("SUB_x.crx")), "old partial");
    EXPECT_FALSE(QFileInfo::exists(Scratch("x.crx")));
    EXPECT_EQ(menu->m_strCurFilePath, m_strSample);
    EXPECT_EQ(WorkFolderTemps(), QStringList());
    EXPECT_TRUE(CloseAsks(*menu));
}

TEST_F(SelectiveSaveWindow, NoTemporaryFileGivesTheSystemErrorNumber)
{
    const auto menu = Start();
    // The work folder is gone behind the launcher: only signage can be
    // chosen, and no temporary file can be made.
    ASSERT_TRUE(QDir(LocalDataFolder()).removeRecursively());
    m_chosen = {Scratch("x.crx")};
    SelectiveSave(*menu, [](Dlg& d) {
        EXPECT_EQ(d.Model().rowCount(), 0);
        Check(d, Dlg::IDC_CHECK_FOR_SIGNAGE)->setChecked(true);
    });
    ASSERT_EQ(MessageKeys(), QStringList({"CRDS_SAVE_FILE", "CRDS_MSG_E_SAVECRP"}));
    EXPECT_EQ(m_messages.last().text,
              GetLangString("CRDS_MSG_E_SAVECRP") + "\nLastError=[00000002]");
    EXPECT_FALSE(QFileInfo::exists(Scratch("DISP_x.crx")));
    menu->close();
}

} // namespace

} // namespace tovanel::test
