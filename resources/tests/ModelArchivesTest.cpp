// The archives the suite ships: the model's default archives made by the
// build, and the demo archive. Each must open the way the launcher opens an
// archive (header, initial database, contents).

#include "archive/QuorvinImport.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "stroven/Stroven.h"
#include "testsupport/TestFolders.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString kResource = QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE");
const QString kModel = QStringLiteral(KORVANE_MODEL_FOLDER);

class ModelArchives : public ::testing::Test
{
protected:
    korvane::test::TestFolders folders;
    QString base = folders.scratch() + "/base";
    CrxFileInfo info;

    void Open(const QString& archive)
    {
        ASSERT_EQ(CrxImportHeader(archive, base, nullptr, &info.machineType, &info.crxVersion,
                                  &info.regVersion, &info.system, &info.package,
                                  &info.regVersionFlags, &info.packageFlags),
                  CRX_OK);
        ASSERT_EQ(CrxImportInitSettingDB(archive, base, kResource, kModel), CRX_OK);
        ASSERT_EQ(CrxImportContents(archive, base, nullptr, 0, kResource, &info.machineType,
                                    &info.crxVersion, &info.regVersion, &info.system, &info.package,
                                    &info.regVersionFlags, &info.packageFlags, nullptr),
                  CRX_OK);
    }
    static QStringList Members(const QString& archive)
    {
        QProcess tar;
        tar.start(QStringLiteral("tar"), {QStringLiteral("-tjf"), archive});
        tar.waitForFinished();
        return QString::fromUtf8(tar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    QStringList Rows(const QString& table, const QStringList& columns)
    {
        CSQliteDB db;
        EXPECT_EQ(db.OpenDB(base + "/SETTING.DB"), 0);
        QStringList rows;
        {
            CSQliteSQL sql(db, table);
            EXPECT_EQ(sql.SetSQLForRead(columns, QString(), columns.first(), 0), 0);
            int status = 0;
            if (CSQRowArray* batch = sql.ExecReadNext(status))
                for (const QStringList* row : *batch)
                    rows << row->join('|');
        }
        db.CloseDB();
        return rows;
    }
};

TEST_F(ModelArchives, DefaultArchivesNameTheModelAndOpenWithTheirSeedRows)
{
    // The launcher INI's entry of the model names the machine type the
    // header must carry (fields: id, folder, machine type, display name).
    QString machineType = QStringLiteral(KORVANE_MACHINE_TYPE);
    QString system = QStringLiteral(KORVANE_SYSTEM_TYPE);
    QFile ini(QStringLiteral(KORVANE_SOURCE_DIR "/resources/Tovanel.ini"));
    if (ini.open(QIODevice::ReadOnly)) {
        const QString text = QString::fromUtf8(ini.readAll());
        const auto entry = QRegularExpression("^\\d+=[^,]*," + kModel + ",([^,]*),",
                                              QRegularExpression::MultilineOption)
                               .match(text);
        ASSERT_TRUE(entry.hasMatch());
        machineType = entry.captured(1);
        system = QRegularExpression("^SYSTEM=(.*)$", QRegularExpression::MultilineOption)
                     .match(text)
                     .captured(1)
                     .trimmed();
    }
    for (const char* name : {"DEFSETTING.CRX", "SETTING.CRX"}) {
        SCOPED_TRACE(name);
        Open(kResource + "/" + kModel + "/" + name);
        EXPECT_EQ(info.machineType, machineType);
        EXPECT_EQ(info.system.compare(system, Qt::CaseInsensitive), 0);
        EXPECT_FALSE(Members(kResource + "/" + kModel + "/" + name).contains("Schema.txt"))
            << "opened through the model template";
        EXPECT_FALSE(Rows("CTT001", {"TABLENAME"}).isEmpty()) << "seed rows travel in the archive";
        EXPECT_TRUE(Rows("CIA001", {"ITEMCODE"}).isEmpty());
    }
}

TEST_F(ModelArchives, DefaultArchiveCarriesTheKeyLayout)
{
    Open(kResource + "/" + kModel + "/DEFSETTING.CRX");
    for (const char* family :
         {"DEFAULTITEMBUTTON", "DEFAULTFUNCTIONBUTTON", "DEFAULTITEMSHEETSELECTIONNORMAL"}) {
        QStringList numbers;
        for (const QString& row : Rows("CSB022", {"SHEETTYPE", "SHEETNUMBER"}))
            if (row.startsWith(QLatin1String(family) + '|'))
                numbers << row.section('|', 1);
        numbers.sort();
        QStringList expected;
        for (int n = 0; n < 15; ++n)
            expected << QString::number(n);
        expected.sort();
        EXPECT_EQ(numbers, expected) << family;
    }
    // Every image decodes, and every style and tab names one.
    CSQliteDB db;
    ASSERT_EQ(db.OpenDB(base + "/SETTING.DB"), 0);
    {
        QStringList images;
        CSQliteSQL sql(db, "CSB012");
        ASSERT_EQ(sql.SetSQLForRead({"CONTROLTYPE", "CODE"}, QString(), QString(), 0), 0);
        int status = 0;
        const CSQRowArray* rows = sql.ExecReadNext(status);
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->size(), 60);
        CSQliteSQL blob(db, "CSB012");
        ASSERT_EQ(blob.SetSQLForBlobRead({"GRAPHICDATA", "NINEPATCHCHUNK"},
                                         "CONTROLTYPE = ? AND CODE = ?"),
                  0);
        for (const QStringList* row : *rows) {
            const QString file = folders.scratch() + "/image.png";
            const QString chunk = folders.scratch() + "/chunk.dat";
            ASSERT_EQ(blob.ExecBlobRead(*row, {file, chunk}), 0);
            QImage image;
            EXPECT_TRUE(image.load(file)) << row->join('|').toStdString();
            EXPECT_EQ(image.width(), row->at(0).startsWith("ItemSheetSelection") ? 24 : 48);
            EXPECT_GT(QFileInfo(chunk).size(), 0);
            images << row->join('|');
        }
        CSQliteSQL named(db, "CSB022");
        ASSERT_EQ(named.SetSQLForRead({"CONTROLTYPE", "CODE", "BGIMGCONTROLTYPE", "BGIMGCODE"},
                                      "SHEETTYPE LIKE 'DEFAULT%' OR CONTROLTYPE = 'Normal'",
                                      QString(), 0),
                  0);
        const CSQRowArray* styles = named.ExecReadNext(status);
        ASSERT_TRUE(styles);
        for (const QStringList* row : *styles) {
            const QString image = row->at(0) == "Normal" ? row->at(2) + '|' + row->at(3)
                                                         : row->at(0) + '|' + row->at(1);
            EXPECT_TRUE(images.contains(image)) << image.toStdString();
        }
    }
    // The four grid presets of the sheet lie within the grid dialog's 1 to 48.
    kesmond::CFcKeyLayCSB023 geometry;
    int err = 0;
    ASSERT_TRUE(geometry.Read(db, err));
    geometry.SetSheetRect(QRect(0, 60, 800, 420));
    for (int k = 0; k < 4; ++k) {
        EXPECT_GE(geometry.Preset(k).width(), 1);
        EXPECT_LE(geometry.Preset(k).width(), 48);
        EXPECT_GE(geometry.Preset(k).height(), 1);
        EXPECT_LE(geometry.Preset(k).height(), 48);
    }
    db.CloseDB();
    EXPECT_EQ(
        Rows("CSB022", {"CONTROLTYPE", "SHEETNUMBER", "CODE", "SHEETARRANGE"})
            .filter(QRegularExpression("^ItemSheet\\|")),
        (QStringList{"ItemSheet|1|900001|1", "ItemSheet|2|900002|1", "ItemSheet|3|900003|0"}));
}

TEST_F(ModelArchives, SampleArchiveOpensWithItsRows)
{
    Open(QStringLiteral(KORVANE_SOURCE_DIR "/resources/samples/sample.crx"));
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE", "ITEMDEPTNAME"}),
              (QStringList{"000001|Bakery", "000002|Drinks", "000003|Fruit & Vegetables"}));
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME", "ITEMDEPTCODE", "UNITPRICE"}),
              (QStringList{"0000000000000123|Croissant|000001|180",
                           "0000000000000124|Rye bread|000001|420",
                           "0000000000000200|Sparkling water <0.5 l>|000002|120",
                           "0000000000000300|Apples (per kg)|000003|350"}));
    EXPECT_EQ(Rows("CSB004", {"CLKCODE", "CLKNAME"}),
              (QStringList{"0000000001|Anna", "0000000002|Ben"}));
    EXPECT_EQ(Rows("CSB022", {"CODE", "CONTROLTYPE", "SHEETNUMBER"})
                  .filter(QRegularExpression("\\|ItemButton\\|")),
              (QStringList{"0000000000000123|ItemButton|1", "0000000000000124|ItemButton|1",
                           "0000000000000200|ItemButton|1", "0000000000000300|ItemButton|1"}));

    // The stamp comes back as the one-bit picture it was.
    CSQliteDB db;
    ASSERT_EQ(db.OpenDB(base + "/SETTING.DB"), 0);
    const QString stamp = folders.scratch() + "/stamp.bmp";
    {
        CSQliteSQL sql(db, "CSB008");
        ASSERT_EQ(sql.SetSQLForBlobRead({"GRAPHICDATA"}, "GRAPHICCODE = ?"), 0);
        ASSERT_EQ(sql.ExecBlobRead({"000001"}, {stamp}), 0);
    }
    db.CloseDB();
    const QByteArray bmp = korvane::test::readFile(stamp);
    ASSERT_EQ(bmp.size(), 94);
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(quint8(bmp.at(28)), 1) << "one bit per pixel";
}

} // namespace
