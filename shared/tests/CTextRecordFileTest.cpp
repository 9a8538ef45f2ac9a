#include "shared/textfiles/CTextFileReader.h"
#include "shared/textfiles/CTextRecordFile.h"
#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace korvane::test;

namespace {

// A record as "T:text|E|N:12"; records of a file joined by "/".
QString Describe(const uchar* record)
{
    QStringList parts;
    for (const TextRecordField& f : CTextRecordFile::SplitRecord(record)) {
        if (f.nKind == TEXTFIELD_EMPTY)
            parts << "E";
        else
            parts << (f.nKind == TEXTFIELD_NUMBER ? "N:" : "T:") + f.text.toString();
    }
    return parts.join('|');
}

TextRecordOptions TabOptions(const QString& path)
{
    TextRecordOptions o;
    o.strPath = path;
    o.nFileEncoding = TEXTENC_UTF8;
    o.dwParseFlags = TEXTPARSE_KEEPBLANKS | TEXTPARSE_MULTILINE;
    o.wSeparators = TEXTSEP_TAB;
    o.wQuoting = TEXTQUOTE_DOUBLE;
    return o;
}

struct ReadResult
{
    QString records;   // joined by "/"
    quint32 error = 0; // of the failing call, 0 when all went well
    int line = 0;
};

ReadResult ReadAll(const TextRecordOptions& options)
{
    ReadResult result;
    CTextRecordFile file;
    if (file.OpenTextRecordFile(&options) < 0) {
        result.error = file.LastError();
        return result;
    }
    QStringList records;
    QByteArray buffer(1 << 16, '\0');
    for (;;) {
        int size = 0;
        const int r = file.ReadTextRecord(buffer.data(), int(buffer.size()), &size);
        if (r == -2)
            break;
        if (r != 1) {
            result.error = file.LastError();
            result.line = file.LineNumber();
            break;
        }
        records << Describe(reinterpret_cast<const uchar*>(buffer.constData()));
    }
    result.records = records.join('/');
    return result;
}

class TextRecordFileTest : public ::testing::Test
{
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = m_folders.scratch() + QString("/f%1.txt").arg(++m_count);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    TestFolders m_folders;
    int m_count = 0;
};

struct FileCase
{
    const char* name;
    QByteArray bytes;
    const char* expected;
};

} // namespace

TEST_F(TextRecordFileTest, TableFileCases)
{
    const FileCase cases[] = {
        {"doubled quote", "\"a\"\"b\"\n", "T:a\"b"},
        {"text after closing quote", "\"ab\"cd\n", "T:abcd"},
        {"quote inside is plain", "a\"b\n", "T:a\"b"},
        {"two quotes", "\"\"\tx\n", "T:|T:x"},
        {"unclosed quote on the last line", "\"ab\n", "T:ab"},
        {"number trimmed", " 12 \n", "N:12"},
        {"text keeps blanks", "  ab \n", "T:  ab "},
        {"blanks only", "   \n", "T:   "},
        {"empty between separators", "a\t\tb\t\n", "T:a|E|T:b|E"},
        {"numbers", "-1.5\t.5\t+7\t007\t1E5\n", "N:-1.5|N:.5|N:+7|N:007|N:1E5"},
        {"not numbers", "1-2\t12a\t1 2\t1.2.3\t--1\t0E5\n",
         "T:1-2|T:12a|T:1 2|T:1.2.3|T:--1|T:0E5"},
        {"last line without line end", "a\nb", "T:a/T:b"},
        {"CR LF", "a\tb\r\nc\r\n", "T:a|T:b/T:c"},
        {"lone CR is text", "a\rb\n", "T:a\rb"},
        {"blank lines skipped", "a\n\n\r\nb\n\n", "T:a/T:b"},
        {"Ctrl-Z ends the last line", "a\nb\x1A", "T:a/T:b"},
        {"Ctrl-Z line at the end", "a\n\x1A\r\n", "T:a"},
        {"NUL padding at the end", QByteArray("a\n\0\0", 4), "T:a"},
        {"quoted line break", "\"x\ny\"\tz\nw\n", "T:x\ny|T:z/T:w"},
        {"quoted Ctrl-Z is text", "\"a\x1A\"\n", "T:a\x1A"},
        {"UTF-8 mark", "\xEF\xBB\xBF\xC3\xA9\n", "T:\xC3\xA9"},
        {"UTF-16LE mark",
         QByteArray("\xFF\xFE"
                    "a\0\t\0"
                    "1\0\n\0",
                    10),
         "T:a|N:1"},
        {"UTF-16BE mark",
         QByteArray("\xFE\xFF\0a\0\t\0"
                    "1\0\n",
                    10),
         "T:a|N:1"},
    };
    for (const FileCase& c : cases) {
        const ReadResult r = ReadAll(TabOptions(Write(c.bytes)));
        EXPECT_EQ(r.error, 0u) << c.name;
        EXPECT_EQ(r.records, QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST_F(TextRecordFileTest, CommaFileCases)
{
    const FileCase cases[] = {
        {"trailing comma", "a,b,\n", "T:a|T:b|E"},
        {"no line end", "a,b", "T:a|T:b"},
        {"TAB is a blank here", "\t12,\tx\n", "N:12|T:\tx"},
    };
    for (const FileCase& c : cases) {
        TextRecordOptions o = TabOptions(Write(c.bytes));
        o.wSeparators = TEXTSEP_COMMA;
        o.dwParseFlags = TEXTPARSE_KEEPBLANKS;
        EXPECT_EQ(ReadAll(o).records, QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST_F(TextRecordFileTest, ParseFlagsAndSeparatorRuns)
{
    TextRecordOptions o = TabOptions(Write("'12, 12 ,,x\n"));
    o.wSeparators = TEXTSEP_COMMA;
    o.dwParseFlags = TEXTPARSE_APOSTROPHETEXT | TEXTPARSE_BLANKNUMBERISTEXT;
    EXPECT_EQ(ReadAll(o).records, "T:12|T: 12 |E|T:x");
    o.wSeparators = TEXTSEP_COMMA | TEXTSEP_MERGE;
    o.dwParseFlags = 0;
    EXPECT_EQ(ReadAll(o).records, "T:'12|N:12|T:x");
}

TEST_F(TextRecordFileTest, FailuresCarryTheirLine)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        quint32 error;
        int line;
        const char* before;
    } cases[] = {
        {"NUL in the middle", QByteArray("a\n\0b\nc\n", 7), TEXTERR_CONTROL, 2, "T:a"},
        {"Ctrl-Z line in the middle", "a\n\x1A\nb\n", TEXTERR_CONTROL, 2, "T:a"},
        {"invalid UTF-8", "a\nb\xFF\n", TEXTERR_CONVERT, 2, "T:a"},
        {"truncated UTF-8 at the end", "a\nb\xC3", TEXTERR_CONVERT, 2, "T:a"},
        // Qt's UTF-16 decoder lets these through.
        {"lone UTF-16 surrogate",
         QByteArray("\xFF\xFE"
                    "a\0\n\0\0\xD8\n\0",
                    10),
         TEXTERR_CONVERT, 2, "T:a"},
        {"half a UTF-16 unit at the end",
         QByteArray("\xFF\xFE"
                    "a\0\n\0b\0c",
                    9),
         TEXTERR_CONVERT, 2, "T:a"},
        {"open quote to the end", "a\n\"b\nc\n", TEXTERR_SPLIT, 2, "T:a"},
    };
    for (const auto& c : cases) {
        const ReadResult r = ReadAll(TabOptions(Write(c.bytes)));
        EXPECT_EQ(r.error, c.error) << c.name;
        EXPECT_EQ(r.line, c.line) << c.name;
        EXPECT_EQ(r.records, c.before) << c.name;
    }
}

TEST_F(TextRecordFileTest, LinesAcrossReadBlocksComeWhole)
{
    // Records of odd lengths, so that line ends fall everywhere in and across
    // the blocks the file is read in; once as UTF-8, once as UTF-16LE.
    QString text;
    QStringList expected;
    for (int i = 0; text.size() < 3 * (1 << 20); ++i) {
        const QString value = QString(i % 97 + 1, QChar(u'a' + i % 26)) + QString::number(i);
        text += QString::number(i) + u'\t' + value + u'\n';
        expected << QStringLiteral("N:%1|T:%2").arg(i).arg(value);
    }
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    for (const QByteArray& bytes : {text.toUtf8(), QByteArray("\xFF\xFE") + utf16}) {
        const ReadResult r = ReadAll(TabOptions(Write(bytes)));
        EXPECT_EQ(r.error, 0u);
        EXPECT_EQ(r.records.split('/'), expected);
    }

    // A tail of NULs longer than a block ends the data; one byte of text
    // after it is an error of the line that holds the NUL.
    const QByteArray head = "a\nb\n";
    EXPECT_EQ(ReadAll(TabOptions(Write(head + QByteArray(3 << 20, '\0')))).records, "T:a/T:b");
    const ReadResult late = ReadAll(TabOptions(Write(head + QByteArray(3 << 20, '\0') + "c")));
    EXPECT_EQ(late.error, TEXTERR_CONTROL);
    EXPECT_EQ(late.line, 3);

    // A line is bounded, with or without a line end.
    const QByteArray longLine(CTextRecordFile::MaxLineBytes + 1, 'x');
    for (const QByteArray& bytes : {head + longLine, head + longLine + "\nc\n"}) {
        const ReadResult r = ReadAll(TabOptions(Write(bytes)));
        EXPECT_EQ(r.error, TEXTERR_LINE_LONG);
        EXPECT_EQ(r.line, 3);
        EXPECT_EQ(r.records, "T:a/T:b");
    }
}

TEST_F(TextRecordFileTest, OpenRefusals)
{
    EXPECT_EQ(ReadAll(TabOptions(Write(""))).error, TEXTERR_FILE);
    EXPECT_EQ(ReadAll(TabOptions(m_folders.scratch() + "/missing")).error, TEXTERR_FILE);
    EXPECT_EQ(ReadAll(TabOptions(Write(QByteArray("\xFF\xFE\0\0a\0\0\0", 8)))).error,
              TEXTERR_UTF32);
    EXPECT_EQ(ReadAll(TabOptions(Write(QByteArray("\0\0\xFE\xFF", 4)))).error, TEXTERR_UTF32);

    CTextRecordFile file;
    EXPECT_EQ(file.OpenTextRecordFile(nullptr), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_NO_OPTIONS);

    const QString path = Write("a\n");
    const struct
    {
        const char* name;
        void (*change)(TextRecordOptions&);
        quint32 error;
    } cases[] = {
        {"no path", [](TextRecordOptions& o) { o.strPath = QString(); }, TEXTERR_NO_PATH},
        {"empty path", [](TextRecordOptions& o) { o.strPath = ""; }, TEXTERR_EMPTY_PATH},
        {"file encoding", [](TextRecordOptions& o) { o.nFileEncoding = 5; }, TEXTERR_FILE_ENCODING},
        {"buffer encoding", [](TextRecordOptions& o) { o.nBufferEncoding = 1; },
         TEXTERR_BUFFER_ENCODING},
        {"no separator", [](TextRecordOptions& o) { o.wSeparators = TEXTSEP_MERGE; },
         TEXTERR_SEPARATOR},
        {"custom separator LF",
         [](TextRecordOptions& o) {
             o.wSeparators = TEXTSEP_CUSTOM;
             o.chSeparator = '\n';
         },
         TEXTERR_SEPARATOR},
        {"quoting 3", [](TextRecordOptions& o) { o.wQuoting = 3; }, TEXTERR_QUOTING},
        {"custom quote CR",
         [](TextRecordOptions& o) {
             o.wQuoting = TEXTQUOTE_CUSTOM;
             o.chQuote = '\r';
         },
         TEXTERR_QUOTING},
        {"custom quote is TAB",
         [](TextRecordOptions& o) {
             o.wQuoting = TEXTQUOTE_CUSTOM;
             o.chQuote = '\t';
         },
         TEXTERR_QUOTE_IS_SEPARATOR},
        {"custom separator is the quote",
         [](TextRecordOptions& o) {
             o.wSeparators = TEXTSEP_CUSTOM;
             o.chSeparator = '"';
         },
         TEXTERR_QUOTE_IS_SEPARATOR},
    };
    for (const auto& c : cases) {
        TextRecordOptions o = TabOptions(path);
        c.change(o);
        EXPECT_EQ(file.OpenTextRecordFile(&o), -1) << c.name;
        EXPECT_EQ(file.LastError(), c.error) << c.name;
    }
}

TEST_F(TextRecordFileTest, PackedRecordLayoutAndReadContract)
{
    CTextRecordFile file;
    const TextRecordOptions o = TabOptions(Write("ab\t\t\"\"\nz\n"));
    ASSERT_EQ(file.OpenTextRecordFile(&o), 0);

    int count = 0, size = 0;
    ASSERT_EQ(file.PeekTextRecord(&count, &size), &file);
    EXPECT_EQ(count, 3);
    // ab: 4 text bytes padded to 8; empty: no text; "": 0 bytes padded to 4; end entry.
    const qint32 expected[] = {4, 8, 2, 0x00620061, 0, 0, 0, 1, 0, 4, 2, 0, 0, 0, 0};
    ASSERT_EQ(size, int(sizeof expected));
    int again = 0;
    EXPECT_EQ(file.PeekTextRecord(&again, nullptr), &file); // still the same record
    EXPECT_EQ(again, 3);

    QByteArray small(size - 1, '\0');
    int got = 0;
    EXPECT_EQ(file.ReadTextRecord(small.data(), int(small.size()), &got), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_DESTINATION_SMALL);
    EXPECT_EQ(file.ReadTextRecord(nullptr, 100, &got), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_NO_DESTINATION);
    qint32 out[15] = {};
    EXPECT_EQ(file.ReadTextRecord(out, 0, &got), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_DESTINATION_SIZE);
    EXPECT_EQ(file.ReadTextRecord(out, int(sizeof out), nullptr), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_NO_SIZE_OUT);

    ASSERT_EQ(file.ReadTextRecord(out, int(sizeof out), &got), 1);
    EXPECT_EQ(got, size);
    EXPECT_EQ(std::memcmp(out, expected, sizeof expected), 0);

    EXPECT_EQ(file.ReadTextRecord(out, int(sizeof out), &got), 1); // z
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(file.ReadTextRecord(out, int(sizeof out), &got), -2);
        EXPECT_EQ(file.PeekTextRecord(&count, &size), nullptr);
        EXPECT_EQ(count, -2);
    }
    EXPECT_EQ(file.CloseTextRecordFile(), 1);
    EXPECT_EQ(file.CloseTextRecordFile(), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_HANDLE);
    EXPECT_EQ(file.ReadTextRecord(out, int(sizeof out), &got), -1);
    EXPECT_EQ(file.LastError(), TEXTERR_HANDLE);
}

TEST_F(TextRecordFileTest, ReaderKeysAndStickyFailure)
{
    CTextFileReader reader;
    EXPECT_EQ(reader.Open(Write(""), false), -1);
    EXPECT_EQ(reader.GetErrMsgId(), "CRDS_PR_ERROR_TXTOPEN");

    ASSERT_EQ(reader.Open(Write("K\tN\n1\tx\n2\t\xFF\n3\ty\n"), false), 0);
    EXPECT_TRUE(reader.GetErrMsgId().isEmpty());
    const uchar* record = nullptr;
    int count = 0;
    EXPECT_EQ(reader.ReadRecord(record, count), 1);
    EXPECT_EQ(Describe(record), "T:K|T:N");
    EXPECT_EQ(reader.ReadRecord(record, count), 1);
    EXPECT_EQ(reader.GetLineNumber(), 2);
    for (int i = 0; i < 2; ++i) { // the bad line is not skipped on a second try
        EXPECT_EQ(reader.ReadRecord(record, count), -1);
        EXPECT_EQ(record, nullptr);
        EXPECT_EQ(reader.GetErrMsgId(), "CRDS_PR_ERROR_TXTCHARSET");
        EXPECT_EQ(reader.GetLineNumber(), 3);
    }

    ASSERT_EQ(reader.Open(Write("x\n\x1A\ny\n"), false), 0);
    EXPECT_EQ(reader.ReadRecord(record, count), 1);
    EXPECT_EQ(reader.ReadRecord(record, count), -1);
    EXPECT_EQ(reader.GetErrMsgId(), "CRDS_PR_ERROR_TXTCONTROL");

    ASSERT_EQ(reader.Open(Write("x\n"), false), 0);
    EXPECT_EQ(reader.ReadRecord(record, count), 1);
    EXPECT_EQ(reader.ReadRecord(record, count), -2);
    EXPECT_EQ(reader.ReadRecord(record, count), -2);
    EXPECT_TRUE(reader.GetErrMsgId().isEmpty());
}

TEST_F(TextRecordFileTest, CommaReaderUsesTheLegacyCodePage)
{
    CTextFileReader reader;
    // "テスト" in CP932, a number, and a quoted field holding a comma.
    ASSERT_EQ(reader.Open(Write("\x83\x65\x83\x58\x83\x67, 5 ,\"a,b\"\r\n\x83\n"), true), 0);
    const uchar* record = nullptr;
    int count = 0;
    ASSERT_EQ(reader.ReadRecord(record, count), 1);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Describe(record), QString::fromUtf8("T:テスト|N:5|T:a,b"));
    EXPECT_EQ(reader.ReadRecord(record, count), -1); // a lead byte without its partner
    EXPECT_EQ(reader.GetErrMsgId(), "CRDS_PR_ERROR_TXTCHARSET");
    EXPECT_EQ(reader.GetLineNumber(), 2);
}
