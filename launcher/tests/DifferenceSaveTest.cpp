// Partial and difference saves through the progress dialog and the real
// archive library: the archive read back with GNU tar and an XML parser, the
// shadow tables gone afterwards, each failure with its message.

#include "launcher/CCrxReadWriteDlg.h"
#include "launcher/CTovanelFileCommands.h"

#include "launcher/tests/ArchiveTables.h"
#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/RefusedStatements.h"
#include "launcher/tests/ScriptedLibraryCalls.h"

#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"

#include <QApplication>
#include <QTimer>

#include <sqlite3.h>

namespace tovanel::test {

namespace {

const QString kSaveJobTime = QStringLiteral("20261210123456");
const QString kCroissant = QStringLiteral("0000000000000123");
const QString kRyeBread = QStringLiteral("0000000000000124");
const QString kWater = QStringLiteral("0000000000000200");
const QString kApples = QStringLiteral("0000000000000300");
const QString kCake = QStringLiteral("0000000000000400");

class DifferenceSaveTest : public ArchiveWorkFixture
{
protected:
    // Opens the sample into the work folder and keeps it as the diff base,
    // as Open does.
    void OpenSample()
    {
        const QString sample = CopySample("sample.crx");
        CCrxReadWriteJob job;
        job.Set(CCrxReadWriteJob::Mode::Read, sample, LocalDataFolder());
        job.m_strResourceFolder = CBasePath::GetResourcePath();
        ASSERT_EQ(job.Run(), CRX_OK);
        m_header = job.m_header;
        ASSERT_TRUE(QFile::copy(sample, DiffBase()));
    }

    static QString DiffBase() { return LocalDataFolder() + "/DIFFBASEFILE.CRX"; }

    // Croissant dearer, rye bread gone, cake added, water removed and added
    // again under its code with another name; apples untouched.
    static void EditItems()
    {
        Exec(WorkDb(), "UPDATE CIA001 SET UNITPRICE = 190, UPDATEDATETIME = '20250101000000' "
                       "WHERE ITEMCODE = '" +
                           kCroissant + "'");
        Exec(WorkDb(),
             "DELETE FROM CIA001 WHERE ITEMCODE IN ('" + kRyeBread + "', '" + kWater + "')");
        Exec(WorkDb(), "INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE) VALUES ('" + kCake +
                           "', 'Cake', 300), ('" + kWater + "', 'Still water', 120)");
    }

    // Runs the progress dialog on a partial write into target.
    int Save(const QString& target, const CrxPartialWrite& partial,
             const std::function<void(CCrxReadWriteJob&)>& prepare = {})
    {
        CCrxReadWriteDlg dialog;
        CCrxReadWriteJob& job = dialog.Job();
        job.Set(CCrxReadWriteJob::Mode::WritePartial, target, LocalDataFolder());
        job.m_strResourceFolder = CBasePath::GetResourcePath();
        job.m_header = m_header;
        job.m_partial = partial;
        dialog.m_strCaption = "Caption";
        if (prepare)
            prepare(job);
        return dialog.DoModal();
    }

    static CrxPartialWrite Lists(const QStringList& diff)
    {
        CrxPartialWrite partial;
        partial.addList = QStringList{"CIA002"};
        partial.replaceList = QStringList{"CSB004"};
        partial.diffList = diff;
        return partial;
    }

    static QStringList ShadowTables()
    {
        QStringList names;
        for (const QStringList& row : Rows(WorkDb(), "sqlite_master", {"name"}))
            if (row[0].endsWith("_Tovanel"))
                names << row[0];
        return names;
    }

    QByteArray ArchiveXml(const QString& archive)
    {
        return Tar({"-xjOf", archive, "Korvane_REG_DATA.xml"});
    }

    korvane::test::FixedClock m_clock{
        QDateTime::fromString(kSaveJobTime, QStringLiteral("yyyyMMddHHmmss"))};
    CrxFileInfo m_header;
};

TEST_F(DifferenceSaveTest, TheArchiveHoldsChangedRowsAndTheKeysThatAreGone)
{
    OpenSample();
    EditItems();
    ScriptedLibraryCalls calls;
    const QString target = Scratch("SUB_part.crx");
    ASSERT_EQ(Save(target, Lists({"CIA001"})), 1);
    EXPECT_EQ(calls.Calls(),
              (QStringList{"ImportDiffBase", "ExportPartial(CIA002|CSB004|CIA001|11111|0)"}));
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(ShadowTables(), QStringList());

    const QMap<QString, TableSection> tables = ParseTables(ArchiveXml(target));
    EXPECT_EQ(tables.keys(), (QStringList{"CIA001", "CIA002", "CSB004"}));
    const TableSection& items = tables["CIA001"];
    EXPECT_EQ(items.mainte, "");
    EXPECT_EQ(items.records.keys(), (QStringList{"", "del"}));
    QStringList written;
    for (const auto& row : items.records[""]) {
        written << row["ITEMCODE"] + " " + row["ITEMNAME"] + " " + row["UNITPRICE"];
        EXPECT_EQ(row["CREATEDATETIME"], kSaveJobTime);
        EXPECT_EQ(row["UPDATEDATETIME"], kSaveJobTime);
    }
    EXPECT_EQ(written, (QStringList{kCroissant + " Croissant 190", kWater + " Still water 120",
                                    kCake + " Cake 300"}));
    // Only the key of the row that is really gone.
    EXPECT_EQ(items.records["del"], (QList<QMap<QString, QString>>{{{"ITEMCODE", kRyeBread}}}));
    EXPECT_EQ(tables["CIA002"].mainte, "");
    EXPECT_EQ(tables["CIA002"].records[""].size(), 3);
    EXPECT_EQ(tables["CSB004"].mainte, "renew");
    EXPECT_EQ(tables["CSB004"].records[""].size(), 2);
}

TEST_F(DifferenceSaveTest, APartialSaveWithoutDifferenceListNeedsNoShadowTablesNorDiffBase)
{
    OpenSample();
    ASSERT_TRUE(QFile::remove(DiffBase()));
    ScriptedLibraryCalls calls;
    const QString target = Scratch("part.crx");
    ASSERT_EQ(Save(target, Lists({})), 1);
    EXPECT_EQ(calls.Calls(), QStringList{"ExportPartial(CIA002|CSB004||11111|0)"});
    EXPECT_EQ(ParseTables(ArchiveXml(target)).keys(), (QStringList{"CIA002", "CSB004"}));
}

TEST_F(DifferenceSaveTest, AFailureBeforeTheWriteLeavesTheTargetAndNoShadowTables)
{
    const struct
    {
        const char* name;
        std::function<void()> arrange;
        int refusedAction; // -1: none
        const char* refusedName;
        const char* text;
    } cases[] = {
        {"diff base missing", [] { QFile::remove(DiffBase()); }, -1, "",
         "The setting file could not be opened.\n[E0000003]"},
        {"insert refused", [] {}, SQLITE_INSERT, "CIA001_NEW_Tovanel",
         "The setting file could not be opened.\n[E0000023]\nTable: CIA001"},
        {"create refused", [] {}, SQLITE_CREATE_TABLE, "CIA001_DEL_Tovanel",
         "The setting file could not be opened.\n[E0000023]\nTable: CIA001"},
        {"listed table without key", [] { Exec(WorkDb(), "CREATE TABLE NOKEY (A VARCHAR(2))"); },
         -1, "", "The setting file could not be opened.\n[E0000020]\nTable: NOKEY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.clear();
        OpenSample();
        EditItems();
        c.arrange();
        const QString target = CopySample("target.crx");
        const QByteArray before = korvane::test::readFile(target);
        ScriptedLibraryCalls calls;
        std::unique_ptr<RefusedStatements> refused;
        if (c.refusedAction >= 0)
            refused = std::make_unique<RefusedStatements>(c.refusedAction, c.refusedName);
        EXPECT_EQ(Save(target, Lists({"CIA001", "NOKEY"})), 0);
        refused.reset();
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0].key, "CRDS_MSG_E_OPENCRP");
        EXPECT_EQ(m_messages[0].text, c.text);
        EXPECT_FALSE(calls.Calls().join(' ').contains("ExportPartial"));
        EXPECT_EQ(korvane::test::readFile(target), before);
        EXPECT_EQ(ShadowTables(), QStringList());
    }
}

TEST_F(DifferenceSaveTest, AnAbortAnywhereEndsAsCancelledAndDropsTheShadowTables)
{
    const struct
    {
        const char* name;
        const char* blockedStep; // waits for the abort
        bool abortAfterExport;
    } cases[] = {
        {"abort while the diff base is read", "ImportDiffBase", false},
        {"abort while the archive is written", "ExportPartial", false},
        {"abort after the library succeeded", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.clear();
        OpenSample();
        EditItems();
        ScriptedLibraryCalls calls;
        calls.m_strStep = c.blockedStep;
        calls.m_bAbortAfterExport = c.abortAfterExport;
        const int result = Save(Scratch("part.crx"), Lists({"CIA001"}), [&](CCrxReadWriteJob&) {
            if (*c.blockedStep)
                QTimer::singleShot(50, [] {
                    for (QWidget* widget : QApplication::topLevelWidgets())
                        if (auto* dialog = qobject_cast<CCrxReadWriteDlg*>(widget))
                            dialog->close();
                });
        });
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(m_messages.isEmpty());
        EXPECT_EQ(ShadowTables(), QStringList());
    }
}

TEST_F(DifferenceSaveTest, AFailedWriteAfterTheDifferenceIsASaveFailure)
{
    OpenSample();
    ScriptedLibraryCalls calls;
    calls.m_strStep = "ExportPartial";
    calls.m_nFailure = CRX_E_PACK;
    EXPECT_EQ(Save(Scratch("part.crx"), Lists({"CIA001"})), 0);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].key, "CRDS_MSG_E_SAVECRP");
    EXPECT_EQ(ShadowTables(), QStringList());
}

TEST_F(DifferenceSaveTest, TheDiffBasesMediaStayOutOfTheWorkFolder)
{
    OpenSample();
    // A diff base that carries media; the work folder has none since.
    const QString media = LocalDataFolder() + "/additionals";
    ASSERT_TRUE(korvane::test::writeFile(media + "/Orbanel/Setting/Preference.xml", "<x/>"));
    {
        CCrxReadWriteJob job;
        job.Set(CCrxReadWriteJob::Mode::WriteFull, DiffBase(), LocalDataFolder());
        job.m_header = m_header;
        ASSERT_EQ(job.Run(), CRX_OK);
    }
    ASSERT_TRUE(QDir(media).removeRecursively());
    ASSERT_EQ(Save(Scratch("part.crx"), Lists({"CIA001"})), 1);
    EXPECT_FALSE(QFileInfo::exists(media));
}

TEST_F(DifferenceSaveTest, APartialWriteLeavesTheStoredWorkDatabaseTimeAlone)
{
    FakeHost host;
    CTovanelFileCommands commands(host);
    ASSERT_TRUE(commands.ReadArchive(CopySample("sample.crx"), false));
    commands.StoreDiffBase(CopySample("sample.crx"));
    EditItems();
    ASSERT_TRUE(commands.IsWorkDbModified());
    const qint64 stored = commands.m_nWorkDbTime;
    commands.m_partialWrite = Lists({"CIA001"});
    commands.m_partialWrite.movie = 0;
    commands.m_partialWrite.recommend = 0;
    commands.m_partialWrite.noDataInfo = 1;
    ScriptedLibraryCalls calls;
    ASSERT_TRUE(commands.WriteArchive(Scratch("part.crx"), 2));
    EXPECT_EQ(calls.Calls(),
              (QStringList{"ImportDiffBase", "ExportPartial(CIA002|CSB004|CIA001|01110|1)"}));
    EXPECT_EQ(commands.m_nWorkDbTime, stored);
    EXPECT_TRUE(commands.IsWorkDbModified());
    ASSERT_TRUE(commands.WriteArchive(Scratch("full.crx"), 1));
    EXPECT_FALSE(commands.IsWorkDbModified());
}

} // namespace

} // namespace tovanel::test
