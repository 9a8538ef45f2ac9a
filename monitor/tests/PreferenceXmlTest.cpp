// Reading and writing Preference.xml: the fixtures in data/preference show
// one rule each (they also seed the reader's fuzz target).
#include "monitor/CMonXMLContent.h"
#include "monitor/CMonXMLDocument.h"
#include "monitor/CMonXMLElementStack.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/PreferenceXml.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/TestFolders.h"

#include <QTemporaryDir>
#include <QXmlStreamAttributes>

#include <gtest/gtest.h>

namespace mervolt {
namespace {

const QString kData = QStringLiteral(KORVANE_SOURCE_DIR "/monitor/tests/data/preference/");
const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n";

using Items = std::vector<std::tuple<QString, QString, QString>>;

Items ItemsOf(const CXmlDataArray& array)
{
    Items items;
    for (int i = 0; i < array.GetSize(); ++i)
        items.emplace_back(array.GetAt(i)->m_strType, array.GetAt(i)->m_strName,
                           array.GetAt(i)->m_strValue);
    return items;
}

CXmlDataArray ArrayOf(const Items& items)
{
    CXmlDataArray array;
    for (const auto& [type, name, value] : items)
        array.Add(type, name, value);
    return array;
}

struct ReadCase
{
    const char* fixture;
    MonXMLResult code;
    Items items;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.fixture;
}

class ReadTable : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadTable, ReadsItemsAndCode)
{
    const ReadCase& c = GetParam();
    CXmlDataArray array;
    EXPECT_EQ(ReadPreferenceXml(kData + c.fixture, array), c.code) << c.fixture;
    EXPECT_EQ(ItemsOf(array), c.items) << c.fixture;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ReadTable,
    ::testing::Values(
        ReadCase{"example.xml",
                 MON_XML_OK,
                 {{"string", "idle_movie_file", "m.mp4"}, {"string", "idle_slide1_file", ""}}},
        ReadCase{"empty-map.xml", MON_XML_OK, {}},
        ReadCase{"other-root.xml", MON_E_ELEMENT_STACK, {}},
        ReadCase{"item-in-item.xml", MON_E_ELEMENT_STACK, {{"string", "a", "x"}}},
        ReadCase{"no-name.xml", MON_E_NO_NAME_ATTR, {{"string", "a", "x"}}},
        ReadCase{"second-attribute.xml", MON_XML_OK, {{"string", "a", "x"}}},
        ReadCase{"escaped-ampersand.xml", MON_XML_OK, {{"string", "a", "A&B"}}},
        // One item per key, with the last text that was not empty.
        ReadCase{
            "key-twice.xml", MON_XML_OK, {{"string", "a", "second"}, {"string", "b", "other"}}},
        // A premature end keeps what came before it.
        ReadCase{"truncated.xml",
                 MON_E_SAX_FATAL,
                 {{"string", "a", "x"}, {"string", "b", "y"}, {"string", "c", ""}}},
        // Refused before the entity is declared or used.
        ReadCase{"doctype-entity.xml", MON_E_SAX_ERROR, {}},
        ReadCase{"unknown-encoding.xml", MON_E_SAX_FATAL, {}},
        ReadCase{"utf16-bom.xml", MON_XML_OK, {{"string", "idle_movie_file", "Bewegung ü.mp4"}}},
        ReadCase{"int-item.xml", MON_XML_OK, {{"int", "count", "5"}, {"boolean", "on", "true"}}}));

TEST(PreferenceXmlRead, EmptyPathMissingFileOrFolderIsAPathError)
{
    QTemporaryDir dir;
    CXmlDataArray array;
    EXPECT_EQ(ReadPreferenceXml(QString(), array), MON_E_PATH);
    EXPECT_EQ(ReadPreferenceXml(dir.path(), array), MON_E_PATH);
    EXPECT_EQ(ReadPreferenceXml(dir.path() + "/none.xml", array), MON_E_PATH);
    EXPECT_EQ(array.GetSize(), 0);
}

TEST(PreferenceXmlRead, MergesIntoItemsAlreadyThere)
{
    CXmlDataArray array =
        ArrayOf({{"string", "idle_slide1_file", "kept.png"}, {"string", "z", "1"}});
    ASSERT_EQ(ReadPreferenceXml(kData + "example.xml", array), MON_XML_OK);
    // An empty element leaves the value as it was.
    EXPECT_EQ(ItemsOf(array), (Items{{"string", "idle_slide1_file", "kept.png"},
                                     {"string", "z", "1"},
                                     {"string", "idle_movie_file", "m.mp4"}}));
}

// The parser may hand one element's text over in pieces.
TEST(PreferenceXmlRead, TextInChunksIsJoined)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/p.xml";
    ASSERT_TRUE(korvane::test::writeFile(path, "<map/>"));
    CXmlDataArray array;
    CMonXMLDocument document;
    ASSERT_EQ(document.OpenForRead(path, &array), MON_XML_OK);
    CMonXMLContent content(document);
    QXmlStreamAttributes attributes;
    attributes.append("name", "a");
    ASSERT_TRUE(content.startElement(u"map", {}));
    ASSERT_TRUE(content.startElement(u"string", attributes));
    for (const char16_t* chunk : {u"A", u"&", u"B"})
        ASSERT_TRUE(content.characters(chunk));
    ASSERT_TRUE(content.endElement(u"string"));
    EXPECT_EQ(ItemsOf(array), (Items{{"string", "a", "A&B"}}));
    // A mismatched end tag and a reader error after it keep the first code.
    EXPECT_FALSE(content.endElement(u"string"));
    content.fatalError();
    EXPECT_EQ(document.GetError(), MON_E_ELEMENT_STACK);
}

TEST(CMonXMLElementStack, HoldsThirtyTwoElements)
{
    CMonXMLDocument document; // any element will do as a stack entry
    CMonXMLElementStack stack;
    CMonXMLElement element(QStringLiteral("e"));
    EXPECT_FALSE(stack.Push(nullptr));
    for (int i = 0; i < CMonXMLElementStack::kDepth; ++i)
        ASSERT_TRUE(stack.Push(&element));
    EXPECT_FALSE(stack.Push(&element));
    for (int i = 0; i < CMonXMLElementStack::kDepth; ++i)
        ASSERT_TRUE(stack.Pop());
    EXPECT_FALSE(stack.Pop());
    EXPECT_EQ(stack.Top(), nullptr);
}

struct WriteCase
{
    const char* what;
    Items items;
    QByteArray body;
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.what;
}

class WriteTable : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(WriteTable, WritesTheGoldenBytesAndReadsThemBack)
{
    const WriteCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.path() + "/Preference.xml";
    CXmlDataArray array = ArrayOf(c.items);
    ASSERT_EQ(WritePreferenceXml(path, array), MON_XML_OK) << c.what;
    EXPECT_EQ(korvane::test::readFile(path), kDeclaration + c.body) << c.what;

    CXmlDataArray back;
    ASSERT_EQ(ReadPreferenceXml(path, back), MON_XML_OK) << c.what;
    Items expected = c.items;
    for (auto& [type, name, value] : expected)
        value.remove(u'\r');
    EXPECT_EQ(ItemsOf(back), expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Golden, WriteTable,
    ::testing::Values(
        WriteCase{"example",
                  {{"string", "idle_movie_file", "m.mp4"}, {"string", "idle_slide1_file", ""}},
                  "<map>\n<string name=\"idle_movie_file\">m.mp4</string>\n"
                  "<string name=\"idle_slide1_file\" />\n</map>\n"},
        WriteCase{"empty array", {}, "<map />\n"},
        WriteCase{"markup, CR dropped, LF kept",
                  {{"string", "k", "&<>\"'\r\nz"}},
                  "<map>\n<string name=\"k\">&amp;&lt;&gt;&quot;&apos;\nz</string>\n</map>\n"},
        WriteCase{
            "int item", {{"int", "count", "5"}}, "<map>\n<int name=\"count\">5</int>\n</map>\n"},
        // Blanks in a name read back as they were only as references.
        WriteCase{"tab and LF in a name",
                  {{"string", "a\tb\nc&", "v"}},
                  "<map>\n<string name=\"a&#9;b&#10;c&amp;\">v</string>\n</map>\n"},
        WriteCase{"non-ASCII",
                  {{"string", "name", "Grüße 😀"}},
                  "<map>\n<string name=\"name\">Grüße 😀</string>\n</map>\n"}));

TEST(PreferenceXmlWrite, SecondAttributeIsNotWrittenBack)
{
    QTemporaryDir dir;
    CXmlDataArray array;
    ASSERT_EQ(ReadPreferenceXml(kData + "second-attribute.xml", array), MON_XML_OK);
    ASSERT_EQ(WritePreferenceXml(dir.path() + "/p.xml", array), MON_XML_OK);
    EXPECT_EQ(korvane::test::readFile(dir.path() + "/p.xml"),
              kDeclaration + "<map>\n<string name=\"a\">x</string>\n</map>\n");
}

struct FailCase
{
    const char* what;
    Items items;
    MonXMLResult code;
};

void PrintTo(const FailCase& c, std::ostream* os)
{
    *os << c.what;
}

class WriteFailure : public ::testing::TestWithParam<FailCase>
{
};

// A failed write leaves the old file whole.
TEST_P(WriteFailure, FailsWithItsCodeAndKeepsTheOldFile)
{
    const FailCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.path() + "/Preference.xml";
    const QByteArray old = kDeclaration + "<map>\n<string name=\"old\">1</string>\n</map>\n";
    ASSERT_TRUE(korvane::test::writeFile(path, old));
    CXmlDataArray array = ArrayOf(c.items);
    EXPECT_EQ(WritePreferenceXml(path, array), c.code) << c.what;
    EXPECT_EQ(korvane::test::readFile(path), old) << c.what;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Preference.xml"});
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WriteFailure,
    ::testing::Values(
        FailCase{"empty type", {{"string", "a", "1"}, {"", "b", "2"}}, MON_E_ELEMENT_NAME},
        FailCase{"control character", {{"string", "a", QString(QChar(0x01))}}, MON_E_CONVERT},
        FailCase{"lone surrogate", {{"string", QString(QChar(0xD800)), "x"}}, MON_E_CONVERT},
        FailCase{"U+FFFF", {{"string", "a", QString(QChar(0xFFFF))}}, MON_E_CONVERT},
        FailCase{"type the schema lacks", {{"float", "a", "1.5"}}, MON_E_ELEMENT_STACK}));

TEST(PreferenceXmlWrite, PathErrors)
{
    QTemporaryDir dir;
    CXmlDataArray array;
    EXPECT_EQ(WritePreferenceXml(QString(), array), MON_E_PATH);
    EXPECT_EQ(WritePreferenceXml(dir.path() + "/missing/Preference.xml", array), MON_E_CREATE_FILE);
    EXPECT_EQ(WritePreferenceXml(dir.path(), array), MON_E_CREATE_FILE);
}

} // namespace
} // namespace mervolt
