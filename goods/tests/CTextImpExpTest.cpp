// List files, clipboard rows and tying rows to records.
#include "goods/CTextImpExp.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace brelkin::test {

namespace {

QByteArray Utf16(const char* text)
{
    const QString s = QString::fromUtf8(text);
    QByteArray bytes;
    for (const QChar c : s) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// The language texts of the goods program name the refused record.
class CTextImpExpTest : public GoodsDbFixture
{
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("list.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    QByteArray ReadBack(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    static QList<QStringList> Rows(CTextImpExp& data)
    {
        QList<QStringList> rows;
        for (int i = 0; i < data.GetRowCount(); ++i)
            rows << *data.GetRow(i);
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(CTextImpExpTest, WritesUtf16WithMarkTabAndCrLf)
{
    CTextImpExp data;
    data.m_arrHeader = {"a", "b"};
    *data.GetRow(0) = {"1", "2"};
    const QString path = m_dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(data.WriteListFile(path));
    EXPECT_EQ(ReadBack(path), QByteArray("\xFF\xFE", 2) + Utf16("a\tb\r\n1\t2\r\n"));

    // An empty header still ends line 1; an empty value writes nothing.
    CTextImpExp empty;
    *empty.GetRow(0) = {"x", "", "ü"};
    ASSERT_TRUE(empty.WriteListFile(path));
    EXPECT_EQ(ReadBack(path), QByteArray("\xFF\xFE", 2) + Utf16("\r\nx\t\tü\r\n"));
}

TEST_F(CTextImpExpTest, ReadsLinesByTheirTabs)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool ok;
        QStringList header;
        QList<QStringList> rows;
    };
    const QByteArray mark("\xFF\xFE", 2);
    const QList<Case> cases = {
        {"with mark", mark + Utf16("a\tb\r\n1\t2\r\n"), true, {"a", "b"}, {{"1", "2"}}},
        {"without mark", Utf16("a\tb\r\n1\t2\r\n"), true, {"a", "b"}, {{"1", "2"}}},
        {"utf-8 with mark, LF only",
         "\xEF\xBB\xBF"
         "a\tb\n1\t\xC3\xBC\n",
         true,
         {"a", "b"},
         {{"1", "ü"}}},
        {"LF only, last line without end",
         mark + Utf16("a\tb\n1\t2\n3\t4"),
         true,
         {"a", "b"},
         {{"1", "2"}, {"3", "4"}}},
        {"no TAB, TAB first",
         mark + Utf16("a\tb\r\nlone\r\n\tx\r\n1\t\t\r\n"),
         true,
         {"a", "b"},
         {{}, {}, {"1", "", ""}}},
        {"blank line ends the data",
         mark + Utf16("a\tb\r\n1\t2\r\n\r\n3\t4\r\n"),
         true,
         {"a", "b"},
         {{"1", "2"}}},
        {"0A bytes inside characters",
         mark + Utf16("a\tb\r\n\xC4\x8A\t\xE0\xA8\x8A\t\xE0\xA8\x80\xC4\x80\r\n"),
         true,
         {"a", "b"},
         {{"\xC4\x8A", "\xE0\xA8\x8A", "\xE0\xA8\x80\xC4\x80"}}},
        {"empty first line", mark + Utf16("\r\n1\t2\r\n"), false, {}, {}},
        {"empty file", QByteArray(), false, {}, {}},
        {"mark only", mark, false, {}, {}},
    };
    for (const Case& c : cases) {
        CTextImpExp data;
        EXPECT_EQ(data.ReadListFile(Write(c.bytes)), c.ok) << c.name;
        EXPECT_EQ(data.m_arrHeader, c.header) << c.name;
        EXPECT_EQ(Rows(data), c.rows) << c.name;
    }
    CTextImpExp missing;
    EXPECT_FALSE(missing.ReadListFile(m_dir.filePath(QStringLiteral("none.txt"))));
    EXPECT_FALSE(missing.ErrorString().isEmpty());
}

TEST_F(CTextImpExpTest, WrittenFileReadsBack)
{
    CTextImpExp data;
    data.m_arrHeader = {"Code", "Name", "Price"};
    for (int i = 0; i < 3000; ++i)
        *data.GetRow(i) = {QString::number(i), QStringLiteral("Ä %1").arg(i), QString()};
    const QString path = m_dir.filePath(QStringLiteral("big.txt"));
    ASSERT_TRUE(data.WriteListFile(path));
    CTextImpExp back;
    ASSERT_TRUE(back.ReadListFile(path));
    EXPECT_EQ(back.m_arrHeader, data.m_arrHeader);
    EXPECT_EQ(Rows(back), Rows(data));
}

// Rows read one at a time cross the reader's pieces of the file unchanged,
// characters of two UTF-16 units among them.
TEST_F(CTextImpExpTest, OpenedFileGivesItsRowsOneAtATime)
{
    QList<QStringList> rows;
    for (int i = 0; i < 20000; ++i)
        rows << QStringList{QString::number(i), QStringLiteral("\U0001D11E %1 \u010A").arg(i)};
    QByteArray utf8("\xEF\xBB\xBF"
                    "Code\tName\n");
    for (const QStringList& row : rows)
        utf8 += row.join(u'\t').toUtf8() + "\r\n";
    utf8 += "\r\n9\tafter the blank line\r\n";
    CTextImpExp written;
    written.m_arrHeader = {"Code", "Name"};
    for (int i = 0; i < rows.size(); ++i)
        *written.GetRow(i) = rows[i];
    const QString utf16Path = m_dir.filePath(QStringLiteral("utf16.txt"));
    ASSERT_TRUE(written.WriteListFile(utf16Path));
    const QString utf8Path = Write(utf8);
    for (const QString& path : {utf16Path, utf8Path}) {
        CTextImpExp data;
        ASSERT_TRUE(data.OpenListFile(path));
        EXPECT_EQ(data.m_arrHeader, (QStringList{"Code", "Name"}));
        EXPECT_EQ(data.GetRowCount(), 0);
        QList<QStringList> read;
        QStringList row;
        while (data.NextRow(row))
            read << row;
        EXPECT_EQ(read, rows) << path.toStdString();
        EXPECT_FALSE(data.NextRow(row));
    }
}

TEST_F(CTextImpExpTest, ValueWithTabOrLineBreakWritesNothing)
{
    const QString path = Write("old");
    for (const char* bad : {"a\tb", "a\rb", "a\nb"}) {
        CTextImpExp data;
        data.m_arrHeader = {"Code", "Name"};
        *data.GetRow(0) = {"000001", "fine"};
        *data.GetRow(1) = {"000002", QString::fromLatin1(bad)};
        EXPECT_EQ(data.FindBadValueRow(), 1);
        EXPECT_FALSE(data.WriteListFile(path));
        EXPECT_EQ(ReadBack(path), "old");
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        EXPECT_FALSE(data.CopyRowsToClipboard(nullptr));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

        QStringList shown;
        platform::setMessageResponder([&](const platform::MessageRequest& request) {
            shown << request.key << request.text;
            return int(platform::IDOK);
        });
        EXPECT_FALSE(data.CheckListValues(nullptr, {}));
        EXPECT_FALSE(data.CheckListValues(nullptr, {"A", "B"}));
        platform::setMessageResponder({});
        ASSERT_EQ(shown.size(), 4);
        EXPECT_EQ(shown[0], QStringLiteral("CRDS_PR_ERROR_LISTVALUE"));
        EXPECT_TRUE(shown[1].contains(QStringLiteral("000002"))) << shown[1].toStdString();
        EXPECT_TRUE(shown[3].contains(QStringLiteral("B"))) << shown[3].toStdString();
    }
    CTextImpExp header;
    header.m_arrHeader = {"a\tb"};
    EXPECT_EQ(header.FindBadValueRow(), -2);
}

TEST_F(CTextImpExpTest, FailedWriteKeepsTheOldFile)
{
    CTextImpExp data;
    *data.GetRow(0) = {"1", "2"};
    EXPECT_FALSE(data.WriteListFile(m_dir.filePath(QStringLiteral("no/such/folder/x.txt"))));
    EXPECT_FALSE(data.ErrorString().isEmpty());
    // A folder in the target's place is not replaced.
    const QString folder = m_dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    EXPECT_FALSE(data.WriteListFile(folder));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/inside")).isDir());
}

TEST_F(CTextImpExpTest, GetRowGrowsTheRows)
{
    CTextImpExp data;
    EXPECT_EQ(data.GetColumnCount(), 0);
    EXPECT_EQ(data.GetRow(-1), nullptr);
    data.GetRow(2)->append({"a", "b", "c"});
    EXPECT_EQ(data.GetRowCount(), 3);
    EXPECT_EQ(data.GetColumnCount(), 0);
    data.GetRow(0)->append({"x", "y"});
    EXPECT_EQ(data.GetColumnCount(), 2);
    data.m_arrHeader = {"h"};
    data.RemoveAllRows();
    EXPECT_EQ(data.GetRowCount(), 0);
    EXPECT_TRUE(data.m_arrHeader.isEmpty());
}

TEST_F(CTextImpExpTest, RowsTiedToRecordsFromAStartRecord)
{
    CStringArrayPtrArray records;
    records.SetAutoDeleteMember(1);
    for (int i = 1; i <= 7; ++i)
        records.Add(new CRecord{QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')), "n"});
    auto fiveRows = [](CTextImpExp& data) {
        for (int i = 0; i < 5; ++i)
            *data.GetRow(i) = {QStringLiteral("v%1").arg(i), QStringLiteral("w%1").arg(i)};
    };
    CTextImpExp inserted;
    fiveRows(inserted);
    inserted.InsertRecordCodes(5, records);
    EXPECT_EQ(Rows(inserted),
              (QList<QStringList>{
                  {"000005", "v0", "w0"}, {"000006", "v1", "w1"}, {"000007", "v2", "w2"}}));
    CTextImpExp replaced;
    fiveRows(replaced);
    replaced.ReplaceRecordCodes(5, records);
    EXPECT_EQ(Rows(replaced),
              (QList<QStringList>{{"000005", "w0"}, {"000006", "w1"}, {"000007", "w2"}}));
    // Record number 0 counts from the first record.
    CTextImpExp first;
    fiveRows(first);
    first.ReplaceRecordCodes(0, records);
    EXPECT_EQ(first.GetRowCount(), 5);
    EXPECT_EQ(first.GetRow(4)->value(0), "000005");
}

TEST_F(CTextImpExpTest, ClipboardRows)
{
    CTextImpExp copy;
    copy.m_arrHeader = {"not", "copied"};
    *copy.GetRow(0) = {"a", "b"};
    *copy.GetRow(1) = {"c", ""};
    *copy.GetRow(2) = {"e", "f"};
    ASSERT_TRUE(copy.CopyRowsToClipboard(nullptr));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\tb\r\nc\t\r\ne\tf\r\n"));

    struct Case
    {
        const char* text;
        QList<QStringList> rows;
    };
    const QList<Case> cases = {
        {"a\tb\r\nc\t\r\ne\tf\r\n", {{"a", "b"}, {"c", ""}, {"e", "f"}}},
        {"a\tb\nc\td", {{"a", "b"}, {"c", "d"}}},
        {"one", {{"one"}}},
        {"a\r\n\r\nb\r\n", {{"a"}, {""}, {"b"}}},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.text));
        CTextImpExp paste;
        ASSERT_TRUE(paste.PasteRowsFromClipboard(nullptr)) << c.text;
        EXPECT_EQ(Rows(paste), c.rows) << c.text;
    }
    QGuiApplication::clipboard()->clear();
    CTextImpExp none;
    EXPECT_FALSE(none.PasteRowsFromClipboard(nullptr));
}

} // namespace

} // namespace brelkin::test
