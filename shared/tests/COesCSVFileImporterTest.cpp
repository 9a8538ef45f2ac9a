#include "shared/textfiles/COesCSVFileImporter.h"
#include "shared/textfiles/CTextRecordFile.h"

#include "testsupport/QtPrinters.h"
#include "shared/tests/WorkDbFixture.h"

using korvane::test::writeFile;

namespace {

const QString kOld = QStringLiteral("20000101000000");

QByteArray Header(const char* kind)
{
    return QByteArray("\"C00001") + kind + "\",\"20240101\"\r\n\"H2\"\r\nH3\r\n";
}

class COesCSVFileImporterTest : public WorkDbFixture
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CreateTables({"CIA001", "CIA002", "CSB004"})); }

    struct Result
    {
        bool ok = false;
        QString key;
        QString message;
    };

    Result Import(const QString& table, const QByteArray& bytes, int mode)
    {
        const QString file = m_suite.folders().scratch() + "/FILE.csv";
        EXPECT_TRUE(writeFile(file, bytes));
        Result r;
        {
            COesCSVFileImporter importer(m_db.get(), table, "IGNORED", file, mode);
            r.ok = importer.ExecuteImport();
            r.key = importer.GetErrMsgId();
            importer.GetErrorMessage(r.message);
            // Removed already, not only when the importer goes.
            EXPECT_EQ(StrayFiles(), QStringList());
        }
        return r;
    }

    void SetLanguage(int type)
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\nLANGUAGE=" + QByteArray::number(type) +
                         "\n");
    }

    QList<QStringList> Items()
    {
        return Rows(
            "CIA001",
            {"ITEMCODE", "ITEMNAME", "ITEMDEPTCODE", "ITEMPARMCODE", "UNITPRICE", "TAXCODE_1"},
            "ITEMCODE");
    }
};

} // namespace

TEST_F(COesCSVFileImporterTest, HeaderLinesAreChecked)
{
    const QByteArray data = "5,Fruit\r\n";
    const struct
    {
        QByteArray bytes;
        const char* key; // "" = imported
    } cases[] = {
        {Header("P0005") + data, ""},
        {"\"C00001P0005\"\nshort line\n\"third line is long\"\n" + data, ""},
        {"\"X00001P0005\"\r\n\"H2\"\r\nH3\r\n" + data, "CRDS_PR_ERROR_CSVFILE"},
        {Header("P0004") + data, "CRDS_PR_ERROR_CSVFILE"},
        {"\"C0\"\r\n\"H2\"\r\nH3\r\n" + data, "CRDS_PR_ERROR_CSVFILE"},
        {"\"C00001P0005\"\r\nTwelve chars\r\nH3\r\n" + data, "CRDS_PR_ERROR_CSVFILE"},
        {"\"C00001P0005\"\r\nH2\r\nTwelve chars\r\n" + data, "CRDS_PR_ERROR_CSVFILE"},
        {"\xEF\xBB\xBF" + Header("P0005") + data, "CRDS_PR_ERROR_CSVFILE"},
        // Seven characters of the code page in fourteen bytes: within the limit.
        {"\"C00001P0005\"\r\n\x8c\xa9\x8fo\x82\xb5\x8ds\x82\xc5\x82\xb7\x81"
         "B\r\nH3\r\n" +
             data,
         ""},
        {"\"C00001P0005\"\r\n\x8c\xa9\x8fo\x82\xb5\x8ds\x82\xc5\x82\xb7\x81"
         "B\x8c\xa9\x8fo\x82\xb5\x8ds\x82\xc5\r\nH3\r\n" +
             data,
         "CRDS_PR_ERROR_CSVFILE"},
        {Header("P0005"), "CRDS_PR_ERROR_OESNODATA"},
        {"", "CRDS_PR_ERROR_OESNODATA"},
    };
    for (const auto& c : cases) {
        Exec("DELETE FROM CIA002");
        const Result r = Import("CIA002", c.bytes, 0);
        EXPECT_EQ(r.ok, *c.key == 0) << c.bytes.toStdString();
        EXPECT_EQ(r.key, c.key) << c.bytes.toStdString();
        EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE"}).size(), *c.key ? 0 : 1);
    }
    const Result r = Import("CIA002", Header("P0005"), 0);
    EXPECT_EQ(r.message.toStdString(), "The OES file holds no data lines; nothing was taken over.");
}

TEST_F(COesCSVFileImporterTest, ItemRecordsAreConverted)
{
    // ITEMPARMCODE of an item already there is kept.
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMPARMCODE) VALUES ('0000000000000123', '000007')");
    const QByteArray records =
        // code, -, name, attributes (tax at 2, sign at 7), department, price
        "123,0,\"Coffee  \",00000000,5,250\r\n"
        "4901234567894,0,Tea,00100002,0,120\r\n"            // 13 digits; price negated
        "1234567890123456,1,\"Big\r\",00200003,999999,-7\n" // 16 digits; CR dropped
        "\"77\",0,Cake,00300006,12,5\r\n"                   // 6 has the bit of 2 too
        "78,0,Pie,00400001,1,5\r\n"
        "79,0,Jam,00500000,1,5\r\n"
        "80,0,Ham,009,1,5\r\n"                                               // no sign character
        "81,0,\"\x83\x4A\x83\x74\x83\x46\x81\x40\x83\x89\x83\x65\",,1,5\r\n" // name in the code
                                                                             // page
        "99,0,\"   \",00000000,0,0\r\n"                                      // unused slot: skipped
        "98,000, ,0,00\r\n"; // short, but unused too
    SetLanguage(0);
    const Result r = Import("CIA001", Header("P0004") + records, 1);
    ASSERT_TRUE(r.ok) << r.key.toStdString();
    QList<QStringList> items = Items();
    ASSERT_EQ(items.size(), 8);
    EXPECT_EQ(items[0], (QStringList{"0000000000000077", "Cake", "000012", "000001", "-5", "04"}));
    EXPECT_EQ(items[1], (QStringList{"0000000000000078", "Pie", "000001", "000001", "5", "00"}));
    EXPECT_EQ(items[2], (QStringList{"0000000000000079", "Jam", "000001", "000001", "5", "00"}));
    EXPECT_EQ(items[3], (QStringList{"0000000000000080", "Ham", "000001", "000001", "5", "01"}));
    EXPECT_EQ(items[4], (QStringList{"0000000000000081", QString::fromUtf8("カフェ　ラテ"),
                                     "000001", "000001", "5", "01"}));
    EXPECT_EQ(items[5],
              (QStringList{"0000000000000123", "Coffee", "000005", "000007", "250", "01"}));
    EXPECT_EQ(items[6], (QStringList{"0004901234567894", "Tea", "000001", "000001", "-120", "02"}));
    EXPECT_EQ(items[7], (QStringList{"1234567890123456", "Big", "999999", "000001", "7", "03"}));
    const QStringList stamps = Rows("CIA001", {"CREATEDATETIME", "UPDATEDATETIME"}).value(0);
    EXPECT_EQ(stamps.value(0).size(), 14);
    EXPECT_EQ(stamps.value(0), stamps.value(1));
}

TEST_F(COesCSVFileImporterTest, TaxCodeFollowsTheLanguageType)
{
    const struct
    {
        int language;
        const char* taxes; // for the digits 0 to 9 and a letter
    } cases[] = {
        {0, "01 02 03 04 00 00 01 01 01 01 01"},
        {1, "00 01 02 03 04 01 01 01 01 01 00"},
    };
    for (const auto& c : cases) {
        SetLanguage(c.language);
        QByteArray records;
        for (int t = 0; t <= 10; ++t)
            records += QByteArray::number(t + 1) + ",0,N,00" +
                       (t < 10 ? QByteArray::number(t) : QByteArray("x")) + ",1,1\r\n";
        ASSERT_TRUE(Import("CIA001", Header("P0004") + records, 0).ok);
        QStringList taxes;
        for (const QStringList& item : Items())
            taxes << item[5];
        EXPECT_EQ(taxes.join(' '), c.taxes) << c.language;
    }
}

TEST_F(COesCSVFileImporterTest, BadRecordsFailWithTheirLineAndChangeNothing)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME) VALUES ('0000000000000001', 'Kept')");
    const struct
    {
        QByteArray record;
        const char* line;
    } cases[] = {
        {"-5,0,Neg,0,1,1", "5"},
        {"12345678901234567,0,Long,0,1,1", "5"},
        {"12A,0,Letters,0,1,1", "5"},
        {",0,NoCode,0,1,1", "5"},
        {"5,0,Short,0,1", "5"},
        {"5,0,Dept,0,1234567,1", "5"},
        {"5,0,Price,0,1,99999999999", "5"},
    };
    for (const auto& c : cases) {
        for (int mode : {0, 1}) {
            // The first record is good; the failure rolls it back too.
            const Result r =
                Import("CIA001", Header("P0004") + "2,0,Good,0,1,1\r\n" + c.record + "\r\n", mode);
            EXPECT_FALSE(r.ok) << c.record.toStdString();
            EXPECT_EQ(r.key, "CRDS_PR_ERROR_CSVFILE") << c.record.toStdString();
            EXPECT_TRUE(r.message.startsWith(QString("Line ") + c.line + " of the OES file"))
                << r.message.toStdString();
            EXPECT_EQ(Items(), (QList<QStringList>{{"0000000000000001", "Kept", "", "", "", ""}}));
        }
    }
}

TEST_F(COesCSVFileImporterTest, ClerksKeepTheirSettingsInMode1)
{
    Exec("INSERT INTO CSB004 VALUES ('0000000042', 'Old', 'pw', '000003', '2', '000077', "
         "'000100', '000200', '1', '" +
         kOld + "', '" + kOld + "')");
    const QByteArray file = Header("P0007") + "42,\"Anna  \"\r\n7,Bert\r\n";
    ASSERT_TRUE(Import("CSB004", file, 1).ok);
    const QStringList columns = {"CLKCODE",      "CLKNAME",      "PASSWORD",
                                 "CLKGRPCODE",   "DRAWERNUMBER", "CLKINTCODE",
                                 "NBCHKNUMFROM", "NBCHKNUMTO",   "UNUSABLE"};
    EXPECT_EQ(Rows("CSB004", columns, "CLKCODE"),
              (QList<QStringList>{
                  {"0000000007", "Bert", "", "000001", "0", "000000", "000000", "999999", "0"},
                  {"0000000042", "Anna", "pw", "000003", "2", "000077", "000100", "000200", "1"},
              }));
    const auto stamps = Rows("CSB004", {"CREATEDATETIME"}, "CLKCODE");
    EXPECT_NE(stamps.value(1).value(0), kOld);

    // Mode 0 starts from an empty table: the defaults again.
    ASSERT_TRUE(Import("CSB004", file, 0).ok);
    EXPECT_EQ(Rows("CSB004", {"CLKGRPCODE", "UNUSABLE"}, "CLKCODE"),
              (QList<QStringList>{{"000001", "0"}, {"000001", "0"}}));
}

TEST_F(COesCSVFileImporterTest, DepartmentsAndModes)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000009', 'Nine')");
    const QByteArray file = Header("P0005") + "5,\"Fruit \"\r\n9,Veg\r\n";
    ASSERT_TRUE(Import("CIA002", file, 1).ok);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE", "ITEMDEPTNAME"}, "ITEMDEPTCODE"),
              (QList<QStringList>{{"000005", "Fruit"}, {"000009", "Veg"}}));
    // Mode 2 adds every row: a key already there fails the whole file.
    const Result r = Import("CIA002", Header("P0005") + "6,New\r\n9,Again\r\n", 2);
    EXPECT_EQ(r.key, "CRDS_PR_ERROR_WRITEDATA");
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE"}).size(), 2);
    // Full-width blanks are blanks: trimmed from a name, and a slot named
    // by them alone is unused.
    Exec("DELETE FROM CIA001");
    const Result items =
        Import("CIA001",
               Header("P0004") + "7,0,\"\x95\x94\x96\xe5\x81@\x81@\x81@\",00000000,1,5\r\n"
                                 "8,0,\"\x81@\x81@\",00000000,0,0\r\n"
                                 "9,0,\"\t\",00000000,0,0\r\n",
               0);
    ASSERT_TRUE(items.ok) << items.key.toStdString();
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME"}),
              (QList<QStringList>{{"0000000000000007", QString::fromUtf8("部門")}}));
    ASSERT_TRUE(
        Import("CIA002", Header("P0005") + "3,\"\x95\x94\x96\xe5\x81@\x81@\x81@\"\r\n", 1).ok);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTNAME"}, "ITEMDEPTCODE").value(0),
              QStringList{QString::fromUtf8("部門")});
}

TEST_F(COesCSVFileImporterTest, FailuresNameTheirCause)
{
    QFile::remove(m_suite.folders().scratch() + "/FILE.csv");
    COesCSVFileImporter importer(m_db.get(), "CIA002", "",
                                 m_suite.folders().scratch() + "/FILE.csv", 0);
    EXPECT_FALSE(importer.ExecuteImport());
    EXPECT_EQ(importer.GetErrMsgId(), "CRDS_PR_ERROR_TEMPFILE");
    QString message;
    importer.GetErrorMessage(message);
    EXPECT_TRUE(message.startsWith("The temporary file cannot be made: ")) << message.toStdString();
    EXPECT_TRUE(message.endsWith(")"));
    EXPECT_EQ(StrayFiles(), QStringList());

    COesCSVFileImporter noDb(nullptr, "CIA002", "", "x", 0);
    EXPECT_FALSE(noDb.ExecuteImport());
    EXPECT_FALSE(noDb.GetErrMsgId().isEmpty());

    // A character the archive cannot carry stops the import at its line.
    const Result control = Import("CIA002",
                                  Header("P0005") + "5,ok\r\n6,a\x01"
                                                    "b\r\n",
                                  0);
    EXPECT_EQ(control.key, "CRDS_PR_ERROR_TXTCHAR");
    EXPECT_TRUE(control.message.startsWith("Line 5 ")) << control.message.toStdString();
    const Result longLine = Import(
        "CIA002", Header("P0005") + "5," + QByteArray(CTextRecordFile::MaxLineBytes, 'x'), 0);
    EXPECT_EQ(longLine.key, "CRDS_PR_ERROR_TXTLINELONG");
    EXPECT_TRUE(longLine.message.startsWith("Line 4 ")) << longLine.message.toStdString();
    EXPECT_TRUE(Rows("CIA002", {"ITEMDEPTCODE"}).isEmpty());

    // Lines are counted in the OES file, header included.
    const Result nul = Import("CIA002", Header("P0005") + QByteArray("5,a\0b\r\n6,x\r\n", 13), 0);
    EXPECT_EQ(nul.key, "CRDS_PR_ERROR_TXTCONTROL");
    EXPECT_TRUE(nul.message.startsWith("Line 4 ")) << nul.message.toStdString();
}
