#include "launcher/CCrxReadWriteJob.h"

#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/ScriptedLibraryCalls.h"

#include "testsupport/QtPrinters.h"

#include <QTemporaryDir>

namespace tovanel::test {

namespace {

class CCrxReadWriteJobTest : public ArchiveWorkFixture
{
protected:
    CrxResult Read(const QString& archive, CCrxReadWriteJob& job)
    {
        job.Set(CCrxReadWriteJob::Mode::Read, archive, LocalDataFolder());
        job.m_strResourceFolder = CBasePath::GetResourcePath();
        return job.Run();
    }
};

TEST_F(CCrxReadWriteJobTest, ReadFillsTheWorkDatabaseAndMakesTheArchivesModelCurrent)
{
    ScriptedLibraryCalls calls;
    CCrxReadWriteJob job;
    ASSERT_EQ(Read(CopySample("sample.crx"), job), CRX_OK);

    EXPECT_EQ(calls.Calls(),
              (QStringList{"ImportHeader", "ImportInitSettingDB(Lumo500)", "ImportContents"}));
    EXPECT_EQ(job.m_header.machineType, "LUMO-500");
    EXPECT_EQ(job.m_header.system, "STANDARD");
    EXPECT_EQ(RegType(), "LUMO500");
    EXPECT_EQ(Rows(WorkDb(), "CIA001").size(), 4);
    EXPECT_EQ(Rows(WorkDb(), "CIA002").size(), 3);
    EXPECT_EQ(Rows(WorkDb(), "CSB004").size(), 2);
}

TEST_F(CCrxReadWriteJobTest, TheSystemTypeOfTheInstallationDecidesWhetherAnArchiveOpens)
{
    const struct
    {
        const char* system;
        CrxResult result;
    } cases[] = {
        {"STANDARD", CRX_OK},
        {"standard", CRX_OK},
        {"IGNORE", CRX_OK},
        {"ignore", CRX_OK},
        {"OTHER", CRX_E_SYSTEM_MISMATCH},
    };
    const QString archive = CopySample("sample.crx");
    for (const auto& c : cases) {
        WriteIni(c.system);
        ScriptedLibraryCalls calls;
        CCrxReadWriteJob job;
        EXPECT_EQ(Read(archive, job), c.result) << c.system;
        if (c.result == CRX_E_SYSTEM_MISMATCH) {
            // Nothing is built from an archive of another system, but its
            // model has become the current one by then.
            EXPECT_EQ(calls.Calls(), QStringList{"ImportHeader"});
            EXPECT_EQ(RegType(), "LUMO500");
        }
    }
}

TEST_F(CCrxReadWriteJobTest, AnArchiveOfAnUnknownMachineReadsWithoutAModel)
{
    // The model template is not found without a model folder, so the read
    // builds the work database from the archive's own schema text.
    ScriptedLibraryCalls calls;
    WriteIni("STANDARD");
    QFile ini(m_strProgramFolder + "/Tovanel.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    text.replace("LUMO-500", "LUMO-900");
    ASSERT_TRUE(korvane::test::writeFile(m_strProgramFolder + "/Tovanel.ini", text));
    CCrxReadWriteJob job;
    EXPECT_EQ(Read(CopySample("sample.crx"), job), CRX_OK);
    EXPECT_EQ(calls.Calls()[1], "ImportInitSettingDB()");
    EXPECT_EQ(RegType(), "");
}

TEST_F(CCrxReadWriteJobTest, PathsLongerThanTheOldBuffersWork)
{
    QString folder = Scratch("");
    while (folder.size() < 300)
        folder += QStringLiteral("a-rather-long-folder-name/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString archive = folder + "sample.crx";
    ASSERT_TRUE(QFile::copy(CopySample("sample.crx"), archive));
    CCrxReadWriteJob job;
    ASSERT_EQ(Read(archive, job), CRX_OK);

    CCrxReadWriteJob write;
    write.Set(CCrxReadWriteJob::Mode::WriteFull, folder + "saved.crx", LocalDataFolder());
    write.m_header = job.m_header;
    EXPECT_EQ(write.Run(), CRX_OK);
    EXPECT_TRUE(QFileInfo(folder + "saved.crx").isFile());
}

TEST_F(CCrxReadWriteJobTest, AFullWriteKeepsTheHeaderItWasGiven)
{
    CCrxReadWriteJob read;
    ASSERT_EQ(Read(CopySample("sample.crx"), read), CRX_OK);
    ScriptedLibraryCalls calls;
    CCrxReadWriteJob write;
    write.Set(CCrxReadWriteJob::Mode::WriteFull, Scratch("saved.crx"), LocalDataFolder());
    write.m_header = read.m_header;
    ASSERT_EQ(write.Run(), CRX_OK);
    EXPECT_EQ(calls.Calls(), QStringList{"ExportFull(LUMO-500)"});
    const QByteArray xml = Tar({"-xjOf", Scratch("saved.crx"), "Korvane_REG_DATA.xml"});
    EXPECT_TRUE(xml.contains("<machinetype>LUMO-500</machinetype>"));
    EXPECT_TRUE(xml.contains("<system>STANDARD</system>"));
    EXPECT_TRUE(xml.contains("Croissant"));
}

} // namespace

} // namespace tovanel::test
