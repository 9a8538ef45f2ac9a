// A list file read a line at a time: a line longer than any list row is
// passed over as it is read, never held whole.
#include "goods/CListFileReader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using brelkin::CListFileReader;
using brelkin::ListFileLine;

namespace {

QByteArray ReaderUtf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

TEST(CListFileReaderTest, OverlongLinesArePassedOverWithinTheLimit)
{
    // Just over the limit with its line end, and three times it without one.
    const qsizetype limit = CListFileReader::MaxLineBytes;
    const QByteArray bytes = QByteArray("\xFF\xFE", 2) + ReaderUtf16("a\tb\r\n") +
                             ReaderUtf16(QString(limit / 2 + 1, 'x') + "\r\n") +
                             ReaderUtf16(QString(limit / 2, 'y') + "\r\nc\td\r\n") +
                             ReaderUtf16(QString(3 * limit / 2, 'z'));
    QTemporaryDir dir;
    QFile file(dir.filePath("long.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    CListFileReader reader;
    ASSERT_TRUE(reader.Open(file.fileName()));
    QStringList texts;
    QList<bool> tooLong;
    ListFileLine line;
    while (reader.ReadLine(line)) {
        texts << line.text.left(3);
        tooLong << line.tooLong;
    }
    EXPECT_EQ(texts, (QStringList{"a\tb", "", "yyy", "c\td", ""}));
    EXPECT_EQ(tooLong, (QList<bool>{false, true, false, false, true}));
    // The longest line held is the limit; the rest of a longer one is never
    // held with it.
    EXPECT_LT(reader.MostBytesHeld(), limit + (1 << 20));
}

} // namespace
