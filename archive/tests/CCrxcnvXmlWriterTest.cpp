#include "archive/CCrxcnvXmlWriter.h"

#include "testsupport/TestFolders.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

using korvane::test::readFile;

namespace {

class CCrxcnvXmlWriterTest : public ::testing::Test
{
protected:
    korvane::test::TestFolders folders;
    QString path = folders.scratch() + "/Korvane_REG_DATA.xml";
    CCrxcnvXmlWriter writer{path};

    QByteArray Finish()
    {
        EXPECT_TRUE(writer.Close()) << std::hex << writer.LastError();
        return readFile(path);
    }
};

const QByteArray kDecl = "<?xml version='1.0' encoding='utf-8'?>\n";

TEST_F(CCrxcnvXmlWriterTest, WritesEveryLineFormOfTheArchive)
{
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.StartElement("crxparse"));
    ASSERT_TRUE(writer.StartElement("fileinfo"));
    ASSERT_TRUE(writer.WriteSimpleElement("machinetype", "QT-6100"));
    ASSERT_TRUE(writer.WriteSimpleElement("regver", ""));
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.StartElement("datainfo"));
    ASSERT_TRUE(writer.StartElement("dbinfo"));
    ASSERT_TRUE(writer.AddAttribute("dbname", "SETTING"));
    ASSERT_TRUE(writer.StartElement("tabinfo"));
    ASSERT_TRUE(writer.AddAttribute("tabname", "CSB008"));
    ASSERT_TRUE(writer.AddAttribute("mainte", "renew"));
    ASSERT_TRUE(writer.StartElement("recinfo"));
    ASSERT_TRUE(writer.StartElement("datarec"));
    ASSERT_TRUE(writer.WriteSimpleElement("CODE", "0001"));
    // A blob reference: start tag, reference and end tag on one line.
    ASSERT_TRUE(writer.StartElement("IMAGE"));
    ASSERT_TRUE(writer.AddAttribute("datatype", "file"));
    writer.SetInline(true);
    ASSERT_TRUE(writer.WriteText("./blob/CSB008_0.blob"));
    writer.SetInline(false);
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.StartElement("datarec")); // all values empty
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.StartElement("dbinfo"));
    ASSERT_TRUE(writer.AddAttribute("dbname", "CUSTOMER"));
    ASSERT_TRUE(writer.WriteText("loose text"));
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.EndElement());
    EXPECT_EQ(writer.Depth(), 0);

    EXPECT_EQ(Finish(), kDecl +
                            "<crxparse>\n"
                            "\t<fileinfo>\n"
                            "\t\t<machinetype>QT-6100</machinetype>\n"
                            "\t\t<regver></regver>\n"
                            "\t</fileinfo>\n"
                            "\t<datainfo>\n"
                            "\t\t<dbinfo dbname=\"SETTING\">\n"
                            "\t\t\t<tabinfo tabname=\"CSB008\" mainte=\"renew\">\n"
                            "\t\t\t\t<recinfo>\n"
                            "\t\t\t\t\t<datarec>\n"
                            "\t\t\t\t\t\t<CODE>0001</CODE>\n"
                            "\t\t\t\t\t\t<IMAGE datatype=\"file\">./blob/CSB008_0.blob</IMAGE>\n"
                            "\t\t\t\t\t</datarec>\n"
                            "\t\t\t\t\t<datarec />\n"
                            "\t\t\t\t</recinfo>\n"
                            "\t\t\t</tabinfo>\n"
                            "\t\t</dbinfo>\n"
                            "\t\t<dbinfo dbname=\"CUSTOMER\">\n"
                            "\t\t\tloose text\n"
                            "\t\t</dbinfo>\n"
                            "\t</datainfo>\n"
                            "</crxparse>\n");
}

TEST_F(CCrxcnvXmlWriterTest, EscapesValuesAndDropsCarriageReturns)
{
    const QString value = QString::fromUtf8("a<b>&'\"\r\nzweite Zeile\tTab ü 漢 😀");
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.StartElement("r"));
    ASSERT_TRUE(writer.AddAttribute("v", "<&>"));
    ASSERT_TRUE(writer.WriteSimpleElement("NAME", value));
    // Plain text (nothing to escape) is taken whole, multi-byte UTF-8 too.
    ASSERT_TRUE(writer.WriteSimpleElement("PLAIN", QString::fromUtf8("ü 漢\u00a0x")));
    ASSERT_TRUE(writer.EndElement());
    const QByteArray escaped =
        "a&lt;b&gt;&amp;&apos;&quot;\nzweite Zeile\tTab \xc3\xbc \xe6\xbc\xa2 \xf0\x9f\x98\x80";
    const QByteArray bytes = Finish();
    EXPECT_EQ(bytes, kDecl + "<r v=\"&lt;&amp;&gt;\">\n\t<NAME>" + escaped +
                         "</NAME>\n\t<PLAIN>\xc3\xbc \xe6\xbc\xa2\xc2\xa0x</PLAIN>\n</r>\n");

    // A reader gets back the value without its CR.
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd() && !(reader.isStartElement() && reader.name() == u"NAME"))
        reader.readNext();
    EXPECT_EQ(reader.readElementText(), QString(value).remove('\r'));
}

// Lines go out in batches: a document of many batches comes out whole and
// in order, names beyond ASCII as well.
TEST_F(CCrxcnvXmlWriterTest, ManyBatchesComeOutWholeAndInOrder)
{
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.StartElement("r"));
    QByteArray expected = kDecl + "<r>\n";
    for (int i = 0; i < 30000; ++i) {
        const QString name = i % 2 ? QStringLiteral("C%1").arg(i % 41) : QString::fromUtf8("品名");
        const QString value = QStringLiteral("value %1 &").arg(i);
        ASSERT_TRUE(writer.WriteSimpleElement(name, value));
        expected += "\t<" + name.toUtf8() + ">value " + QByteArray::number(i) + " &amp;</" +
                    name.toUtf8() + ">\n";
    }
    ASSERT_TRUE(writer.EndElement());
    EXPECT_EQ(Finish(), expected + "</r>\n");
}

// Rows made in memory on another writer, as if inside the open elements,
// read as those written directly; none leaves the parent's start tag open.
TEST_F(CCrxcnvXmlWriterTest, LinesMadeInMemoryJoinTheFileAsIfWrittenThere)
{
    const auto rows = [](CCrxcnvXmlWriter& w, int from, int to) {
        for (int i = from; i < to; ++i) {
            EXPECT_TRUE(w.StartElement("datarec"));
            EXPECT_TRUE(w.WriteSimpleElement("CODE", QString::number(i) + "<"));
            EXPECT_TRUE(w.EndElement());
        }
    };
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.StartElement("recinfo"));
    ASSERT_TRUE(writer.StartElement("datarec"));
    ASSERT_TRUE(writer.EndElement());
    CCrxcnvXmlWriter part{QString()};
    part.OpenInMemory(writer.Depth());
    rows(part, 1, 3);
    ASSERT_TRUE(writer.WriteLines(part.TakeOutput()));
    EXPECT_TRUE(part.TakeOutput().isEmpty());
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.StartElement("recinfo"));
    ASSERT_TRUE(writer.WriteLines(QByteArray()));
    ASSERT_TRUE(writer.EndElement());
    ASSERT_TRUE(writer.StartElement("recinfo"));
    part.OpenInMemory(writer.Depth());
    rows(part, 3, 4);
    ASSERT_TRUE(writer.WriteLines(part.TakeOutput()));
    ASSERT_TRUE(writer.EndElement());
    const QByteArray made = Finish();

    CCrxcnvXmlWriter direct{path + ".direct"};
    ASSERT_TRUE(direct.Open());
    ASSERT_TRUE(direct.StartElement("recinfo"));
    ASSERT_TRUE(direct.StartElement("datarec"));
    ASSERT_TRUE(direct.EndElement());
    rows(direct, 1, 3);
    ASSERT_TRUE(direct.EndElement());
    ASSERT_TRUE(direct.StartElement("recinfo"));
    ASSERT_TRUE(direct.EndElement());
    ASSERT_TRUE(direct.StartElement("recinfo"));
    rows(direct, 3, 4);
    ASSERT_TRUE(direct.EndElement());
    ASSERT_TRUE(direct.Close());
    EXPECT_EQ(made, readFile(path + ".direct"));
    EXPECT_TRUE(made.contains("\t\t<CODE>2&lt;</CODE>\n\t</datarec>\n</recinfo>\n<recinfo />\n"));
}

TEST_F(CCrxcnvXmlWriterTest, StateErrors)
{
    ASSERT_TRUE(writer.Open());
    EXPECT_FALSE(writer.EndElement());
    EXPECT_EQ(writer.LastError(), CRX_E_XML_STATE);
    EXPECT_FALSE(writer.AddAttribute("a", "1")); // no open element
    EXPECT_EQ(writer.LastError(), CRX_E_XML_STATE);
    ASSERT_TRUE(writer.StartElement("e"));
    ASSERT_TRUE(writer.WriteSimpleElement("v", ""));
    EXPECT_FALSE(writer.AddAttribute("a", "1")); // start tag already closed
    EXPECT_EQ(writer.LastError(), CRX_E_XML_STATE);
    EXPECT_FALSE(writer.AddAttribute("", "1"));
    EXPECT_EQ(writer.LastError(), CRX_E_XML_ATTR_NAME);
    EXPECT_FALSE(writer.StartElement(""));
    EXPECT_EQ(writer.LastError(), CRX_E_XML_ELEMENT_NAME);
    EXPECT_FALSE(writer.WriteSimpleElement("", "x"));
    EXPECT_EQ(writer.LastError(), CRX_E_XML_ELEMENT_NAME);
    ASSERT_TRUE(writer.WriteText(""));
    EXPECT_EQ(writer.LastError(), CRX_OK);
    QString top;
    ASSERT_TRUE(writer.TopName(&top));
    EXPECT_EQ(top, "e");
    ASSERT_TRUE(writer.EndElement());
    EXPECT_FALSE(writer.TopName(nullptr));
    EXPECT_EQ(Finish(), kDecl + "<e>\n\t<v></v>\n</e>\n");
}

TEST_F(CCrxcnvXmlWriterTest, EveryOperationNeedsAnOpenFile)
{
    using Op = std::function<bool(CCrxcnvXmlWriter&)>;
    const std::vector<Op> ops{[](CCrxcnvXmlWriter& w) { return w.StartElement("a"); },
                              [](CCrxcnvXmlWriter& w) { return w.AddAttribute("a", "b"); },
                              [](CCrxcnvXmlWriter& w) { return w.WriteSimpleElement("a", "b"); },
                              [](CCrxcnvXmlWriter& w) { return w.WriteText("t"); },
                              [](CCrxcnvXmlWriter& w) { return w.EndElement(); },
                              [](CCrxcnvXmlWriter& w) { return w.Close(); }};
    for (const Op& op : ops) {
        CCrxcnvXmlWriter fresh(path);
        EXPECT_FALSE(op(fresh));
        EXPECT_EQ(fresh.LastError(), CRX_E_XML_NOT_OPEN);
    }
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.Close());
    for (const Op& op : ops) {
        EXPECT_FALSE(op(writer));
        EXPECT_EQ(writer.LastError(), CRX_E_XML_NOT_OPEN);
    }

    CCrxcnvXmlWriter noPath{QString()};
    EXPECT_FALSE(noPath.Open());
    EXPECT_EQ(noPath.LastError(), CRX_E_XML_CREATE);
    CCrxcnvXmlWriter noFolder(folders.scratch() + "/missing/x.xml");
    EXPECT_FALSE(noFolder.Open());
    EXPECT_EQ(noFolder.LastError(), CRX_E_XML_CREATE);
}

TEST_F(CCrxcnvXmlWriterTest, RefusesWhatAnXmlReaderWouldRefuse)
{
    struct Case
    {
        QString value;
        const char* why;
    };
    for (const Case& c : {Case{QString(QChar(0x01)), "control character"},
                          Case{QString(QChar(0xFFFE)), "non-character"},
                          Case{QString(QChar(0xD800)) + "x", "lone high surrogate"},
                          Case{QString(QChar(0xDC00)), "lone low surrogate"}}) {
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.StartElement("r"));
        EXPECT_FALSE(writer.WriteSimpleElement("v", "ok" + c.value)) << c.why;
        EXPECT_EQ(writer.LastError(), CRX_E_XML_UTF8) << c.why;
        EXPECT_FALSE(writer.AddAttribute("a", c.value)) << c.why;
        EXPECT_FALSE(writer.WriteText(c.value)) << c.why;
        EXPECT_EQ(writer.LastError(), CRX_E_XML_UTF8) << c.why;
    }
    for (const char* name : {"1ABC", "my col", "a:b", "a<b", "-x"}) {
        EXPECT_FALSE(writer.StartElement(name)) << name;
        EXPECT_EQ(writer.LastError(), CRX_E_XML_ELEMENT_NAME) << name;
        EXPECT_FALSE(writer.WriteSimpleElement(name, "v")) << name;
    }
    for (const char* name : {"CSB008", "_x", "a.b-c1", "品名"})
        EXPECT_TRUE(CCrxcnvXmlWriter::IsXmlName(QString::fromUtf8(name))) << name;
}

} // namespace
