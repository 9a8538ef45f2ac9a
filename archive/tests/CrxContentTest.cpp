// The reading engine over small XML fixtures: a root > "crxparse" > "fileinfo"
// grammar under a document that owns no databases.

#include "archive/CCrxElementStack.h"
#include "archive/CCrxNode.h"
#include "archive/CCrxRecord.h"
#include "archive/CrxAttributes.h"
#include "archive/CrxContent.h"
#include "archive/CrxParse.h"
#include "archive/CrxParseContext.h"
#include "archive/ICrxDocument.h"

#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

namespace {

class TestDocument : public ICrxDocument
{
public:
    TestDocument()
    {
        auto fileinfo = std::make_unique<CCrxRecord>("fileinfo");
        for (const char* name : {"machinetype", "regver"})
            fileinfo->AddItem(std::make_unique<CCrxItem>(name));
        record = fileinfo.get();
        auto crxparse = std::make_unique<CCrxNode>("crxparse");
        crxparse->AddChild(std::move(fileinfo));
        root.AddChild(std::move(crxparse));
        stack.Push(&root);
    }

    CCrxElementStack& GetElementStack() override { return stack; }
    const CrxAbortFlag* GetCancelFlag() const override { return &abort; }
    CCrxDb* GetSettingDb() override { return nullptr; }
    CCrxDb* GetCustomerDb() override { return nullptr; }
    int GetImportMode() const override { return 0; }
    int GetAllTablesFlag() const override { return 1; }
    const QStringList* GetTableSelection() const override { return nullptr; }
    void SetLastError(CrxResult code) override { error = code; }
    CrxResult GetLastError() const override { return error; }

    QString Value(const char* name) const { return record->FindItem(name)->m_strValue; }

    CCrxElementStack stack;
    CCrxNode root;
    CCrxRecord* record = nullptr;
    CrxAbortFlag abort{0};
    CrxResult error = CRX_OK;
};

class CrxContentTest : public ::testing::Test
{
protected:
    CrxResult Parse(TestDocument& doc, const QByteArray& xml)
    {
        const QString path = folders.scratch() + "/data.xml";
        EXPECT_TRUE(korvane::test::writeFile(path, xml));
        return CrxParseFile(doc, path);
    }

    korvane::test::TestFolders folders;
};

TEST_F(CrxContentTest, ReadsValuesJoinsSplitTextAndSkipsUnexpectedElements)
{
    TestDocument doc;
    const QByteArray xml =
        "<?xml version='1.0' encoding='utf-8'?>\n"
        "<crxparse>\n"
        "\t<other a=\"1\"><inner/><inner>text</inner></other>\n"
        "\t<fileinfo>\n"
        "\t\t<machinetype>A &amp; B &lt;<![CDATA[c]]>&#x41;\xe2\x82\xac</machinetype>\n"
        "\t\t<unknown>dropped</unknown>\n"
        "\t\t<regver></regver>\n"
        "\t</fileinfo>\n"
        "</crxparse>\n";
    EXPECT_EQ(Parse(doc, xml), CRX_OK);
    EXPECT_EQ(doc.Value("machinetype"), QString::fromUtf8("A & B <cA\xe2\x82\xac"));
    EXPECT_EQ(doc.Value("regver"), QString());
    EXPECT_TRUE(doc.record->FindItem("regver")->WasRead());
    // A well-formed document leaves the root alone on the stack.
    EXPECT_EQ(doc.stack.TopIndex(), 0);
}

TEST_F(CrxContentTest, LongValuesArriveWholeAcrossBuffers)
{
    // Megabytes of text in one value, with characters of one to four bytes
    // falling on every boundary the reader may cut at.
    QByteArray text;
    while (text.size() < (3 << 20))
        text += "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80&amp;";
    TestDocument doc;
    EXPECT_EQ(Parse(doc, "<crxparse><fileinfo><regver>" + text + "</regver></fileinfo></crxparse>"),
              CRX_OK);
    EXPECT_EQ(doc.Value("regver"), QString::fromUtf8(text).replace("&amp;", "&"));
}

TEST_F(CrxContentTest, MatchesByLocalNameOnlyAndCaseSensitively)
{
    TestDocument doc;
    EXPECT_EQ(Parse(doc, "<x:crxparse xmlns:x='urn:a'><x:fileinfo><x:machinetype>M</x:machinetype>"
                         "<RegVer>R</RegVer></x:fileinfo></x:crxparse>"),
              CRX_OK);
    EXPECT_EQ(doc.Value("machinetype"), "M");
    EXPECT_FALSE(doc.record->FindItem("regver")->WasRead());
}

TEST_F(CrxContentTest, FailuresRecordTheFirstCode)
{
    struct Case
    {
        const char* what;
        QByteArray xml;
        CrxResult expected;
    };
    const Case cases[] = {
        {"doctype refused", "<!DOCTYPE crxparse [<!ENTITY e 'x'>]><crxparse/>", CRX_E_SAX_FATAL},
        {"plain doctype", "<!DOCTYPE crxparse><crxparse/>", CRX_E_SAX_FATAL},
        {"not well formed", "<crxparse><fileinfo></crxparse>", CRX_E_SAX_FATAL},
        {"cut short", "<crxparse><fileinfo>", CRX_E_SAX_FATAL},
        {"undeclared entity", "<crxparse>&e;</crxparse>", CRX_E_SAX_FATAL},
        {"empty file", "", CRX_E_SAX_FATAL},
        {"external doctype", "<!DOCTYPE crxparse SYSTEM 'file:///etc/passwd'><crxparse/>",
         CRX_E_SAX_FATAL},
        {"parameter entities",
         "<!DOCTYPE c [<!ENTITY % p SYSTEM 'http://localhost/x.dtd'> %p;]><crxparse/>",
         CRX_E_SAX_FATAL},
        {"undeclared prefix", "<x:crxparse/>", CRX_E_SAX_FATAL},
        {"invalid utf-8", "<crxparse><fileinfo><regver>\xff</regver></fileinfo></crxparse>",
         CRX_E_SAX_FATAL},
        {"control character", "<crxparse>\x01</crxparse>", CRX_E_SAX_FATAL},
        {"content after the root", "<crxparse/><crxparse/>", CRX_E_SAX_FATAL},
        {"duplicate attribute", "<crxparse a='1' a='2'/>", CRX_E_SAX_FATAL},
        {"xml 1.1", "<?xml version='1.1'?><crxparse/>", CRX_E_SAX_FATAL},
        {"unknown encoding", "<?xml version='1.0' encoding='bogus'?><crxparse/>", CRX_E_SAX_FATAL},
        {"empty namespace", "<crxparse xmlns:x=''/>", CRX_E_SAX_FATAL},
        {"value holding an element",
         "<crxparse><fileinfo><regver>a<machinetype>b</machinetype>c</regver></fileinfo></"
         "crxparse>",
         CRX_E_ELEMENT_STACK},
        {"unexpected holding an element", "<crxparse><fileinfo><x><y/></x></fileinfo></crxparse>",
         CRX_E_ELEMENT_STACK},
    };
    for (const Case& c : cases) {
        TestDocument doc;
        EXPECT_EQ(Parse(doc, c.xml), c.expected) << c.what;
    }
}

TEST_F(CrxContentTest, MissingFileIsAFatalError)
{
    TestDocument doc;
    EXPECT_EQ(CrxParseFile(doc, folders.scratch() + "/none.xml"), CRX_E_SAX_FATAL);
}

TEST_F(CrxContentTest, AbortStopsAtTheNextStartTag)
{
    TestDocument doc;
    CrxContent content(doc);
    const CrxAttributes none;
    ASSERT_TRUE(content.startElement("crxparse", none));
    doc.abort = 3;
    EXPECT_FALSE(content.startElement("fileinfo", none));
    EXPECT_EQ(doc.error, CRX_E_CANCELLED);
    // The reader's own error report afterwards leaves the code in place.
    content.fatalError();
    EXPECT_EQ(doc.error, CRX_E_CANCELLED);
}

TEST_F(CrxContentTest, StackHoldsThirtyTwoElements)
{
    // A chain of 33 nested nodes: the 33rd push is refused.
    TestDocument doc;
    CCrxNode chainRoot;
    CCrxNode* parent = &chainRoot;
    for (int i = 0; i < 33; ++i)
        parent = static_cast<CCrxNode*>(parent->AddChild(std::make_unique<CCrxNode>("n")));
    doc.stack.Clear();
    doc.stack.Push(&chainRoot);
    QByteArray xml;
    for (int i = 0; i < 31; ++i)
        xml += "<n>";
    for (int i = 0; i < 31; ++i)
        xml += "</n>";
    EXPECT_EQ(Parse(doc, xml), CRX_OK);

    doc.stack.Clear();
    doc.stack.Push(&chainRoot);
    EXPECT_EQ(Parse(doc, "<n>" + xml + "</n>"), CRX_E_ELEMENT_STACK);
}

// Records the attribute "a" of every child, as the parser handed it over.
class AttributeProbe : public CCrxElement
{
public:
    CrxResult OnStartChild(QByteArrayView, CrxParseContext& context) override
    {
        const CrxResult rc = FindAttribute(context.attributes, "a");
        seen << (rc == CRX_OK ? Pool().Text() : QStringLiteral("#%1").arg(rc, 0, 16));
        return CRX_OK;
    }
    QStringList seen;
};

TEST_F(CrxContentTest, AttributesByLocalNameWithReferencesResolved)
{
    TestDocument doc;
    AttributeProbe probe;
    doc.stack.Clear();
    doc.stack.Push(&probe);
    EXPECT_EQ(Parse(doc, "<r xmlns:x='urn:a'><t b='1' x:a='CSB001'/><t a=''/><t A='no'/>"
                         "<t a='x &amp; &#38;&lt;&#x41;\xc3\xa9\t&quot;&amp;#38;'/></r>"),
              CRX_OK);
    EXPECT_EQ(probe.seen, QStringList({QString("#%1").arg(CRX_E_NO_ATTRIBUTE, 0, 16), "CSB001", "",
                                       QString("#%1").arg(CRX_E_NO_ATTRIBUTE, 0, 16),
                                       QString::fromUtf8("x & &<A\xc3\xa9 \"&#38;")}));
    EXPECT_EQ(probe.FindAttribute(nullptr, "a"), CRX_E_NO_ATTRIBUTE);
}

TEST(CrxElementTest, StoreItemValueStripsFileReferencesOfBlobColumnsOnly)
{
    struct Case
    {
        int columnType;
        int dataType;
        QString text;
        QString stored;
    };
    const Case cases[] = {
        {3, CRX_DATA_FILE, "./blob/T_0.blob", "blob/T_0.blob"},
        {3, CRX_DATA_FILE, "../../blob\\T_0.blob", "blob/T_0.blob"},
        {3, CRX_DATA_TEXT, "./blob/T_0.blob", "./blob/T_0.blob"},
        {2, CRX_DATA_FILE, "./blob/T_0.blob", "./blob/T_0.blob"},
        {3, CRX_DATA_FILE, "", ""},
    };
    for (const Case& c : cases) {
        CCrxItem item("C");
        item.m_nColumnType = c.columnType;
        item.m_nDataType = c.dataType;
        CCrxRecord::StoreItemValue(item, c.text.toUtf8());
        EXPECT_EQ(item.m_strValue, c.stored) << c.text.toStdString();
        EXPECT_TRUE(item.WasRead());
    }
}

} // namespace

TEST(CrxElementTest, FindItemGivesTheNamedItemInAnyOrder)
{
    CCrxRecord record("datarec");
    std::vector<CCrxItem*> items;
    for (const char* name : {"A", "B", "C", "D"})
        items.push_back(record.AddItem(std::make_unique<CCrxItem>(name)));
    // Column order, then out of order, unknown names and back again.
    const std::pair<const char*, CCrxItem*> lookups[] = {
        {"A", items[0]}, {"B", items[1]}, {"C", items[2]}, {"D", items[3]},
        {"C", items[2]}, {"A", items[0]}, {"X", nullptr},  {"D", items[3]},
        {"B", items[1]}, {"C", items[2]}, {"a", nullptr},  {"D", items[3]},
    };
    for (const auto& [name, item] : lookups)
        EXPECT_EQ(record.FindItem(name), item) << name;

    // A later item of the same name takes the name, whatever came before.
    CCrxRecord twice("datarec");
    twice.AddItem(std::make_unique<CCrxItem>("A"));
    twice.AddItem(std::make_unique<CCrxItem>("B"));
    CCrxItem* later = twice.AddItem(std::make_unique<CCrxItem>("A"));
    EXPECT_EQ(twice.FindItem("A"), later);
    EXPECT_EQ(twice.FindItem("B"), twice.Items()[1].get());
    EXPECT_EQ(twice.FindItem("A"), later);
}
