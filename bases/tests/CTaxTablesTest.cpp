// The tax rows made before the tax window opens and taken out again when it
// is cancelled: rows, the job command, the file's last-write time.
#include "bases/CTaxTables.h"
#include "bases/tests/BaseDbFixture.h"

#include "platform/FileTime.h"

#include <QCryptographicHash>
#include <QDir>

using namespace dunmarel;

namespace {

// A time well in the past, with nanoseconds, so a restore is seen exactly.
constexpr qint64 kOldTime = 1'600'000'000'123'456'789;
const QStringList kCurrentCodes = {"01", "02", "03", "04"};
const QStringList kAllCodes = {"01", "02", "03", "04", "91", "92", "93", "94"};

} // namespace

class CTaxTablesTest : public BaseDbFixture
{
protected:
    void SetUp() override
    {
        BaseDbFixture::SetUp();
        m_entry = OpenMode(MODE_TX);
        ASSERT_TRUE(platform::setLastWriteTimeNs(DbPath(), kOldTime));
    }

    CSQliteDB& Db() { return *m_entry->m_pSQliteDB; }
    QStringList Codes(const char* table, const char* key)
    {
        QStringList codes;
        for (const QStringList& row :
             Rows(QLatin1String(table), {QLatin1String(key)}, {}, QLatin1String(key)))
            codes << row.value(0);
        return codes;
    }
    QStringList TaxRow(const QString& code)
    {
        const QList<QStringList> rows =
            Rows(QStringLiteral("CSM001"),
                 {QStringLiteral("IFNULL(TAXTYPE,'<null>')"), QStringLiteral("TAXRATE"),
                  QStringLiteral("TAXROUNDTYPE"), QStringLiteral("IFNULL(TAXNAME,'<null>')"),
                  QStringLiteral("IFNULL(TAXABLEAMTNAME,'<null>')"),
                  QStringLiteral("IFNULL(TAXAMTNAME,'<null>')"), QStringLiteral("CREATEDATETIME"),
                  QStringLiteral("UPDATEDATETIME")},
                 QStringLiteral("TAXCODE = '%1'").arg(code));
        return rows.value(0);
    }
    QStringList LeftTemporaries() const
    {
        return QDir(CBasePath::GetLocalTemporaryPath())
            .entryList({QStringLiteral("QKT*.bin")}, QDir::Files);
    }
    QByteArray FileBytes()
    {
        QFile file(DbPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void InsertEveryRow()
    {
        for (const QString& code : kAllCodes)
            Exec(QStringLiteral("INSERT INTO CSM001 (TAXCODE, TAXTYPE, TAXRATE, TAXROUNDTYPE) "
                                "VALUES ('%1', '1', 8, '1')")
                     .arg(code));
        InsertScheduler();
        Exec(QStringLiteral("INSERT INTO CTS002 (ARRANGECODE, ARRANGENAME, COMMANDTYPE) VALUES "
                            "('REG900', 'Tax rate change', '0')"));
    }
    void InsertScheduler()
    {
        Exec(QStringLiteral("INSERT INTO CTS001 (SCHEDULERCODE, SCHEDULERNAME, STARTDATE, "
                            "STARTTIME, UNUSABLEFLG) VALUES ('REG900', 'x', '20300101', '1200', "
                            "'0')"));
    }

    CDataManager* m_entry = nullptr;
    CTaxTables m_tax;
};

TEST_F(CTaxTablesTest, EmptyTablesGetTenRowsAndCancelLeavesTheFileTimeAsItWas)
{
    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 2));

    EXPECT_EQ(Codes("CSM001", "TAXCODE"), kAllCodes);
    const QStringList zero = {"0", "0", "0", "<null>", "<null>", "<null>", kNow, kNow};
    for (const QString& code : kAllCodes)
        EXPECT_EQ(TaxRow(code), zero) << code.toStdString();
    EXPECT_EQ(Rows(QStringLiteral("CTS001"), {}, QStringLiteral("SCHEDULERCODE = 'REG900'")),
              (QList<QStringList>{{"REG900", "Tax rate change", "0000", "2359", "4", "20250102",
                                   "REG900", "1", kNow, kNow}}));
    EXPECT_EQ(
        Rows(QStringLiteral("CTS002"),
             {QStringLiteral("ARRANGECODE"), QStringLiteral("ARRANGENAME"),
              QStringLiteral("COMMANDTYPE"), QStringLiteral("CREATEDATETIME"),
              QStringLiteral("UPDATEDATETIME"), QStringLiteral("hex(COMMAND)")}),
        (QList<QStringList>{{"REG900", "Tax rate change", "0", kNow, kNow,
                             QString::fromLatin1(CTaxTables::JobCommand().toHex().toUpper())}}));
    const QByteArray command = QByteArray::fromHex(
        Value(QStringLiteral("CTS002"), QStringLiteral("hex(COMMAND)"), {}).toLatin1());
    EXPECT_EQ(command.size(), 227);
    EXPECT_EQ(QCryptographicHash::hash(command, QCryptographicHash::Sha256).toHex(),
              "bd8f2ae1b18d8c81534f1072c1bdc846d7003c88de03131720a777ae7bab0238");
    EXPECT_TRUE(command.startsWith("Intent\nStarttype service\nPackage com.korvane.lumo."
                                   "scheduler\nClass com.korvane.lumo.scheduler.JobService\n"));
    EXPECT_TRUE(command.endsWith(QByteArray("\nEnd-Intent\0", 12)));
    EXPECT_TRUE(LeftTemporaries().isEmpty());
    EXPECT_NE(platform::lastWriteTimeNs(DbPath()).value_or(0), kOldTime);

    ASSERT_TRUE(m_tax.RollBackTaxTables(Db()));
    EXPECT_TRUE(Codes("CSM001", "TAXCODE").isEmpty());
    EXPECT_TRUE(Codes("CTS001", "SCHEDULERCODE").isEmpty());
    EXPECT_TRUE(Codes("CTS002", "ARRANGECODE").isEmpty());
    EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), kOldTime);
}

TEST_F(CTaxTablesTest, ReservedRatesCopyTheCurrentRowsWhole)
{
    Exec(QStringLiteral("INSERT INTO CSM001 VALUES ('02', '2', 7.5, '1', 'VAT', 'Net', 'Tax', "
                        "'20200101000000', '20200102000000')"));
    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 2));
    EXPECT_EQ(TaxRow(QStringLiteral("92")), TaxRow(QStringLiteral("02")));
    EXPECT_EQ(TaxRow(QStringLiteral("92")).value(6), QStringLiteral("20200101000000"));
    EXPECT_EQ(m_tax.InsertedTaxCodes(), (QStringList{"01", "03", "04", "91", "92", "93", "94"}));
}

// A table of the copy's name in the work database is none of its business.
TEST_F(CTaxTablesTest, CopyTouchesOnlyTheTemporarySchema)
{
    Exec(QStringLiteral("CREATE TABLE TEMP_CSM001 (A VARCHAR(2))"));
    Exec(QStringLiteral("INSERT INTO TEMP_CSM001 VALUES ('k')"));
    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 2));
    EXPECT_EQ(Rows(QStringLiteral("main.TEMP_CSM001")), (QList<QStringList>{{"k"}}));
}

TEST_F(CTaxTablesTest, EveryRowPresentWritesNothingAndCancelChangesNothing)
{
    InsertEveryRow();
    ASSERT_TRUE(platform::setLastWriteTimeNs(DbPath(), kOldTime));
    const QByteArray bytes = FileBytes();

    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 2));
    EXPECT_EQ(FileBytes(), bytes);
    EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), kOldTime);
    ASSERT_TRUE(m_tax.RollBackTaxTables(Db()));
    EXPECT_EQ(FileBytes(), bytes);
    EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), kOldTime);
}

TEST_F(CTaxTablesTest, OnePageMakesOnlyTheCurrentRates)
{
    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 1));
    EXPECT_EQ(Codes("CSM001", "TAXCODE"), kCurrentCodes);
    EXPECT_TRUE(Codes("CTS001", "SCHEDULERCODE").isEmpty());
    EXPECT_TRUE(Codes("CTS002", "ARRANGECODE").isEmpty());
}

TEST_F(CTaxTablesTest, SchedulerRowWithoutCommandInsertsNoCommand)
{
    InsertScheduler();
    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 2));
    EXPECT_TRUE(Codes("CTS002", "ARRANGECODE").isEmpty());
    EXPECT_TRUE(m_tax.InsertedSchedulerCodes().isEmpty());
    QString name = QStringLiteral("stale");
    EXPECT_FALSE(CTaxTables::CheckTaxScheduler(Db(), name));
    EXPECT_EQ(name, QString());
}

TEST_F(CTaxTablesTest, CommandRowIsOursOnlyUnderTheCurrentName)
{
    const struct
    {
        const char* name;
        bool ours;
    } cases[] = {
        {"Tax rate change", true}, {"Steuersatzwechsel", false}, {"tax rate change", false}};
    for (const auto& c : cases) {
        Exec(QStringLiteral("DELETE FROM CTS002"));
        Exec(QStringLiteral("INSERT INTO CTS002 (ARRANGECODE, ARRANGENAME) VALUES ('REG900', '%1')")
                 .arg(QLatin1String(c.name)));
        QString name;
        EXPECT_EQ(CTaxTables::CheckTaxScheduler(Db(), name), c.ours) << c.name;
        EXPECT_EQ(name, QLatin1String(c.name));
    }
}

// A failure half way leaves nothing behind, not even a changed file time or
// the job command's temporary file.
TEST_F(CTaxTablesTest, FailedInsertLeavesNoRowAndTheTime)
{
    const char* const triggers[] = {
        "CREATE TRIGGER refuse BEFORE INSERT ON CSM001 WHEN NEW.TAXCODE = '93' BEGIN SELECT "
        "RAISE(ABORT, 'refused'); END",
        "CREATE TRIGGER refuse BEFORE INSERT ON CTS002 BEGIN SELECT RAISE(ABORT, 'refused'); END",
    };
    for (const char* trigger : triggers) {
        Exec(QLatin1String(trigger));
        ASSERT_TRUE(platform::setLastWriteTimeNs(DbPath(), kOldTime));
        EXPECT_FALSE(m_tax.PrepareTaxTables(Db(), 2)) << trigger;
        EXPECT_TRUE(Codes("CSM001", "TAXCODE").isEmpty());
        EXPECT_TRUE(Codes("CTS001", "SCHEDULERCODE").isEmpty());
        EXPECT_TRUE(m_tax.InsertedTaxCodes().isEmpty());
        EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), kOldTime);
        EXPECT_TRUE(LeftTemporaries().isEmpty());
        Exec(QStringLiteral("DROP TRIGGER refuse"));
    }
}

TEST_F(CTaxTablesTest, FailedDeleteKeepsEveryRow)
{
    ASSERT_TRUE(m_tax.PrepareTaxTables(Db(), 2));
    Exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON CTS002 BEGIN SELECT RAISE(ABORT, "
                        "'kept'); END"));
    EXPECT_FALSE(m_tax.RollBackTaxTables(Db()));
    EXPECT_EQ(Codes("CSM001", "TAXCODE"), kAllCodes);
    EXPECT_EQ(Codes("CTS001", "SCHEDULERCODE"), QStringList{"REG900"});
    EXPECT_EQ(m_tax.InsertedTaxCodes(), kAllCodes);
}
