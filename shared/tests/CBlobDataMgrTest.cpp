#include "shared/data/CBlobDataMgr.h"
#include "shared/data/CPrtFormXmlDoc.h"

#include "testsupport/QtPrinters.h"
#include "shared/tests/WorkDbFixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

const QString kOld = QStringLiteral("20000101000000");

// Shaped like the register's forms: a declaration, comments, text outside
// ASCII, attributes in either quote style, a switch without "invalid", a
// repeated "tax", and look-alikes in a comment and in CDATA that must stay.
const QByteArray kForm58 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                           "<!-- 58 mm receipt <tax invalid=\"true\"/> -->\r\n"
                           "<receipt  width='58'>\r\n"
                           "  <title>\xE3\x83\xAC\xE3\x82\xB7\xE3\x83\xBC\xE3\x83\x88</title>\r\n"
                           "  <receipt_logo1_short newline=\"true\" double_size=\"true\" "
                           "align=\"LEFT_POS\"/>\r\n"
                           "  <receipt_logo2_short align='RIGHT_POS' newline='false'/>\r\n"
                           "  <receipt_bottom1_short align=\"left_pos\" newline=\"TRUE\"/>\r\n"
                           "  <receipt_bottom2_short newline=\"true\"></receipt_bottom2_short>\r\n"
                           "  <taxes>\r\n"
                           "    <tatax invalid=\"false\" order=\"1\"/>\r\n"
                           "    <tax order=\"2\" invalid=\"true\" note=\"a &gt; b\"/>\r\n"
                           "    <tax\tinvalid = 'false' ></tax>\r\n"
                           "  </taxes>\r\n"
                           "  <graphic_logo1 code=\"000001\"/>\r\n"
                           "  <graphic_logo2 invalid=\"true\"><![CDATA[<graphic_logo2 "
                           "invalid=\"true\">]]></graphic_logo2>\r\n"
                           "</receipt>\r\n";

const QByteArray kForm80 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<receipt xmlns:k=\"urn:korvane\" width=\"80\">\n"
                           "<receipt_logo1_long double_size=\"true\" newline=\"true\"/>\n"
                           "<receipt_logo2_long align=\"LEFT_POS\"/>\n"
                           "<receipt_bottom1_long double_size=\"True\" align=\"RIGHT_POS\"/>\n"
                           "<receipt_bottom2_long double_size=\"true\" align=\"CENTER\"/>\n"
                           "<tatax k:x=\"1\" invalid=\"true\"/><tax/><graphic_logo1 "
                           "invalid=\"false\"/><graphic_logo2 invalid=\"false\"/>\n"
                           "</receipt>";

QByteArray Utf16(const QString& text, bool bigEndian, bool bom)
{
    QStringEncoder encoder(bigEndian ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE,
                           bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder.encode(text);
}

class CBlobDataMgrTest : public WorkDbFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CreateTables({"CSM012"}));
        m_mgr.SetSQLitDB(m_db.get());
    }

    void Store(const QString& code, const QByteArray& blob)
    {
        const QString file = m_suite.folders().scratch() + "/in.bin";
        ASSERT_TRUE(writeFile(file, blob));
        CSQliteSQL sql(*m_db, "CSM012");
        ASSERT_EQ(sql.SetSQLForWrite({"PRTFORMCODE"}, {"CREATEDATETIME", "UPDATEDATETIME"},
                                     {"PRTFORMDATA"}),
                  0);
        ASSERT_EQ(sql.ExecWrite({code}, {kOld, kOld}, {file}, SQLWRITE_INSERT), 0);
    }

    QByteArray Stored(const QString& code)
    {
        const QString file = m_suite.folders().scratch() + "/out.bin";
        QFile::remove(file);
        CSQliteSQL sql(*m_db, "CSM012");
        EXPECT_EQ(sql.SetSQLForBlobRead({"PRTFORMDATA"}, "PRTFORMCODE = ?"), 0);
        EXPECT_EQ(sql.ExecBlobRead({code}, {file}), 0);
        return readFile(file);
    }

    QString UpdateStamp(const QString& code)
    {
        for (const QStringList& row : Rows("CSM012", {"PRTFORMCODE", "UPDATEDATETIME"}))
            if (row[0] == code)
                return row[1];
        return {};
    }

    CBlobDataMgr m_mgr;
};

struct Block
{
    int newline = -1;
    int doubleSize = -1;
    TextAlign_Tag align = TextAlign_Tag(-1);
    bool operator==(const Block&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Block& b)
{
    return os << '{' << b.newline << ',' << b.doubleSize << ',' << int(b.align) << '}';
}

bool ReadBlocks(CBlobDataMgr& mgr, bool form58, Block (&b)[4])
{
    auto read = form58 ? &CBlobDataMgr::ReadPrtFormMessage58Value
                       : &CBlobDataMgr::ReadPrtFormMessage80Value;
    return (mgr.*read)(b[0].newline, b[0].doubleSize, b[0].align, b[1].newline, b[1].doubleSize,
                       b[1].align, b[2].newline, b[2].doubleSize, b[2].align, b[3].newline,
                       b[3].doubleSize, b[3].align);
}

std::array<int, 4> ReadSwitches(CBlobDataMgr& mgr, bool form58, bool* ok = nullptr)
{
    std::array<int, 4> v{-1, -1, -1, -1};
    const bool read = form58 ? mgr.ReadPrtForm58Value(v[0], v[1], v[2], v[3])
                             : mgr.ReadPrtForm80Value(v[0], v[1], v[2], v[3]);
    if (ok)
        *ok = read;
    return v;
}

bool XmllintAccepts(const QString& path)
{
    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    if (xmllint.isEmpty())
        return false;
    QProcess process;
    process.start(xmllint, {"--noout", "--nonet", path});
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

TEST_F(CBlobDataMgrTest, ReadsMessageBlocksAndSwitchesOfBothForms)
{
    Store("RCT_GENERAL_58", kForm58 + '\xFF');
    Store("RCT_GENERAL_80", kForm80 + '\xFF');

    Block b[4];
    ASSERT_TRUE(ReadBlocks(m_mgr, true, b));
    // 58 mm: "newline" counts, "double_size" does not; values match exactly.
    EXPECT_EQ(b[0], (Block{1, 0, TEXTALIGN_LEFT}));
    EXPECT_EQ(b[1], (Block{0, 0, TEXTALIGN_RIGHT}));
    EXPECT_EQ(b[2], (Block{0, 0, TEXTALIGN_CENTER}));
    EXPECT_EQ(b[3], (Block{1, 0, TEXTALIGN_CENTER}));
    EXPECT_EQ(ReadSwitches(m_mgr, true), (std::array<int, 4>{0, 1, 0, 1}));

    ASSERT_TRUE(ReadBlocks(m_mgr, false, b));
    // 80 mm: "double_size" counts, "newline" does not.
    EXPECT_EQ(b[0], (Block{0, 1, TEXTALIGN_CENTER}));
    EXPECT_EQ(b[1], (Block{0, 0, TEXTALIGN_LEFT}));
    EXPECT_EQ(b[2], (Block{0, 0, TEXTALIGN_RIGHT}));
    EXPECT_EQ(b[3], (Block{0, 1, TEXTALIGN_CENTER}));
    EXPECT_EQ(ReadSwitches(m_mgr, false), (std::array<int, 4>{1, 0, 0, 0}));

    EXPECT_EQ(StrayFiles(), QStringList());
    EXPECT_EQ(m_suite.messages(), QStringList());
}

TEST_F(CBlobDataMgrTest, WriteChangesOnlyTheSwitchValuesOfEitherForm)
{
    const struct
    {
        bool form58;
        QByteArray before;
        std::array<int, 4> written;
        QByteArray after;
        std::array<int, 4> readBack;
    } cases[] = {
        {true,
         kForm58,
         {1, 2, 1, 0},
         QByteArray(kForm58)
             .replace("<tatax invalid=\"false\"", "<tatax invalid=\"true\"")
             .replace("invalid=\"true\" note", "invalid=\"false\" note")
             .replace("<graphic_logo1 code=\"000001\"/>",
                      "<graphic_logo1 code=\"000001\" invalid=\"true\"/>")
             .replace("<graphic_logo2 invalid=\"true\"><!", "<graphic_logo2 invalid=\"false\"><!"),
         {1, 0, 1, 0}},
        // A negative value leaves its switch alone, even one without "invalid".
        {true,
         kForm58,
         {-1, -1, -1, 0},
         QByteArray(kForm58).replace("<graphic_logo2 invalid=\"true\"><!",
                                     "<graphic_logo2 invalid=\"false\"><!"),
         {0, 1, 0, 0}},
        {false,
         kForm80,
         {0, 1, 1, 1},
         QByteArray(kForm80)
             .replace("k:x=\"1\" invalid=\"true\"", "k:x=\"1\" invalid=\"false\"")
             .replace("<tax/>", "<tax invalid=\"true\"/>")
             .replace("<graphic_logo1 invalid=\"false\"", "<graphic_logo1 invalid=\"true\"")
             .replace("<graphic_logo2 invalid=\"false\"", "<graphic_logo2 invalid=\"true\""),
         {0, 1, 1, 1}},
    };
    // Each form as UTF-8 and as UTF-16 in either byte order (with its
    // byte-order mark, as XML wants): a UTF-16 form is edited in its own code
    // units.
    const auto encode = [](const QByteArray& utf8, int form) {
        if (form == 0)
            return utf8;
        return Utf16(QString::fromUtf8(utf8).replace("encoding=\"UTF-8\"", "encoding=\"UTF-16\""),
                     form == 2, true);
    };
    for (int form = 0; form < 3; ++form)
        for (const auto& c : cases) {
            const QString code = c.form58 ? "RCT_GENERAL_58" : "RCT_GENERAL_80";
            SCOPED_TRACE(testing::Message() << code.toStdString() << " form " << form);
            Exec("DELETE FROM CSM012");
            Store(code, encode(c.before, form) + '\xFF');
            const auto& w = c.written;
            ASSERT_TRUE(c.form58 ? m_mgr.WritePrtForm58Value(w[0], w[1], w[2], w[3])
                                 : m_mgr.WritePrtForm80Value(w[0], w[1], w[2], w[3]));
            const QByteArray blob = Stored(code);
            ASSERT_TRUE(blob.endsWith('\xFF')) << code.toStdString();
            EXPECT_EQ(blob.chopped(1), encode(c.after, form)) << code.toStdString();
            EXPECT_NE(UpdateStamp(code), kOld);
            EXPECT_EQ(ReadSwitches(m_mgr, c.form58), c.readBack);

            const QString stripped = m_suite.folders().scratch() + "/stripped.xml";
            ASSERT_TRUE(writeFile(stripped, blob.chopped(1)));
            if (QStandardPaths::findExecutable("xmllint").isEmpty())
                GTEST_SKIP() << "xmllint is not installed";
            EXPECT_TRUE(XmllintAccepts(stripped)) << code.toStdString();
        }
    EXPECT_EQ(StrayFiles(), QStringList());
}

TEST_F(CBlobDataMgrTest, UnusableBlobsReadAsDefaultsAndAreNeverWrittenBack)
{
    const QByteArray blobs[] = {
        "<receipt><tax invalid=\"true\"></receipt>\xFF", // not well-formed
        kForm58,                                         // no trailing 0xFF
        kForm58 + "\xFF\xFF",                            // a second 0xFF
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e SYSTEM \"file:///etc/hostname\">]>"
        "<r><tax invalid=\"true\">&e;</tax></r>\xFF", // DTD and external entity
        "<r><tax invalid=\"true\">&e;</tax></r>\xFF", // undeclared entity
        "\xFF",                                       // empty document
    };
    for (const QByteArray& blob : blobs) {
        Exec("DELETE FROM CSM012");
        Store("RCT_GENERAL_58", blob);
        bool ok = true;
        EXPECT_EQ(ReadSwitches(m_mgr, true, &ok), (std::array<int, 4>{0, 0, 0, 0}));
        EXPECT_FALSE(ok);
        Block b[4];
        EXPECT_FALSE(ReadBlocks(m_mgr, true, b));
        EXPECT_EQ(b[3], (Block{0, 0, TEXTALIGN_CENTER}));

        EXPECT_FALSE(m_mgr.WritePrtForm58Value(1, 1, 1, 1));
        EXPECT_EQ(Stored("RCT_GENERAL_58"), blob);
        EXPECT_EQ(UpdateStamp("RCT_GENERAL_58"), kOld);
    }
    EXPECT_EQ(StrayFiles(), QStringList());
}

TEST_F(CBlobDataMgrTest, AMissingFormLeavesTheValuesAsTheyWere)
{
    bool ok = true;
    EXPECT_EQ(ReadSwitches(m_mgr, false, &ok), (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_FALSE(ok);
    Block b[4];
    EXPECT_FALSE(ReadBlocks(m_mgr, false, b));
    EXPECT_EQ(b[0], Block());
    EXPECT_FALSE(m_mgr.WritePrtForm80Value(1, 1, 1, 1));
    EXPECT_TRUE(Rows("CSM012", {"PRTFORMCODE"}).isEmpty());
    EXPECT_EQ(StrayFiles(), QStringList());
}

TEST_F(CBlobDataMgrTest, TemporaryNameFailureShowsItsMessage)
{
    // A file where the local data folder belongs: no temporary file can be made.
    const QString blocked = m_suite.folders().scratch() + "/blocked";
    ASSERT_TRUE(writeFile(blocked + "/Korvane", "not a folder"));
    qputenv("XDG_DATA_HOME", blocked.toUtf8());
    const QString name = m_mgr.GetXMLTempFileName();
    bool ok = true;
    ReadSwitches(m_mgr, true, &ok);
    qputenv("XDG_DATA_HOME", m_suite.folders().userData().toUtf8());
    EXPECT_EQ(name, QString());
    EXPECT_FALSE(ok);
    EXPECT_EQ(m_suite.messages(),
              (QStringList{"CRDS_CMN_ERR_CREATEXMLFILE", "CRDS_CMN_ERR_CREATEXMLFILE"}));
}

TEST_F(CBlobDataMgrTest, UpdateImageDBRecordReplacesTheRowInOneStep)
{
    Store("RCT_GENERAL_80", "old\xFF");
    const QString file = m_suite.folders().scratch() + "/new.xml";
    ASSERT_TRUE(writeFile(file, kForm80 + '\xFF'));
    ASSERT_TRUE(m_mgr.UpdateImageDBRecord("RCT_GENERAL_80", {}, file));
    EXPECT_EQ(Stored("RCT_GENERAL_80"), kForm80 + '\xFF');
    const QStringList row = Rows("CSM012", {"CREATEDATETIME", "UPDATEDATETIME"}).value(0);
    ASSERT_EQ(row.size(), 2);
    EXPECT_NE(row[0], kOld);
    EXPECT_EQ(row[0], row[1]);

    // A file that cannot be read fails and leaves the row as it was.
    EXPECT_FALSE(m_mgr.UpdateImageDBRecord("RCT_GENERAL_80", {}, file + ".missing"));
    EXPECT_EQ(Stored("RCT_GENERAL_80"), kForm80 + '\xFF');

    ASSERT_TRUE(m_mgr.UpdateImageDBRecord("RCT_GENERAL_80", {}, {}));
    EXPECT_TRUE(Rows("CSM012", {"PRTFORMCODE"}).isEmpty());
}

TEST(CPrtFormXmlDoc, EditsOnlyTheValueBytes)
{
    const struct
    {
        QByteArray before;
        QByteArray after; // "" = the edit is refused
    } cases[] = {
        {"<a><tax invalid=\"true\"/></a>", "<a><tax invalid=\"v\"/></a>"},
        {"<a><tax invalid='x' /></a>", "<a><tax invalid='v' /></a>"},
        {"<a><tax/><tax >t</tax></a>", "<a><tax invalid=\"v\"/><tax invalid=\"v\" >t</tax></a>"},
        {"<a><tax b=\">\"\n/></a>", "<a><tax b=\">\" invalid=\"v\"\n/></a>"},
        {"<tax xmlns=\"urn:x\" invalid=\"1\"/>", "<tax xmlns=\"urn:x\" invalid=\"v\"/>"},
        {"<a><!--<tax invalid='1'/>--><?p <tax?><![CDATA[<tax>]]><taxes invalid='1'/></a>",
         "<a><!--<tax invalid='1'/>--><?p <tax?><![CDATA[<tax>]]><taxes invalid='1'/></a>"},
        {"\xEF\xBB\xBF<a>\xC3\xA9<tax invalid=\"\"/></a>",
         "\xEF\xBB\xBF<a>\xC3\xA9<tax invalid=\"v\"/></a>"},
        // UTF-16 is edited in its code units, in either byte order.
        {Utf16("<a><tax/></a>", false, true), Utf16("<a><tax invalid=\"v\"/></a>", false, true)},
        {Utf16(QString::fromUtf8("<tax invalid='\xE3\x81\x82'/>"), true, false),
         Utf16("<tax invalid='v'/>", true, false)},
        {QByteArray("\xFF\xFE\0\0<\0\0\0a\0\0\0/\0\0\0>\0\0\0", 20), ""}, // UTF-32
    };
    for (const auto& c : cases) {
        CPrtFormXmlDoc doc;
        ASSERT_TRUE(doc.Load(c.before)) << c.before.toStdString();
        const bool edited = doc.WriteAttribute("tax", "invalid", "v");
        EXPECT_EQ(edited, !c.after.isEmpty()) << c.before.toStdString();
        EXPECT_EQ(doc.Bytes(), edited ? c.after : c.before) << c.before.toStdString();
    }
}

TEST(CPrtFormXmlDoc, EscapesWrittenValuesAndReadsThemBack)
{
    CPrtFormXmlDoc doc;
    ASSERT_TRUE(doc.Load("<a><tax invalid='x'/></a>"));
    const QString value = QString::fromUtf8("<a & 'b' \"c\"\t\xC3\xA9>");
    ASSERT_TRUE(doc.WriteAttribute("tax", "invalid", value));
    EXPECT_EQ(doc.Bytes(), "<a><tax invalid='&lt;a &amp; &apos;b&apos; \"c\"&#x9;&#xE9;>'/></a>");
    QString read;
    ASSERT_TRUE(doc.ReadAttribute("tax", "invalid", read));
    EXPECT_EQ(read, value);
}
