#include "monitor/TelopFile.h"

#include "monitor/tests/MonitorFixture.h"
#include "testsupport/QtPrinters.h"

#include <QDir>
#include <QFileInfo>

namespace mervolt {
namespace {

using test::MonitorFixture;

class TelopFileTest : public MonitorFixture
{
};

TEST_F(TelopFileTest, ReadsCrLfAsLfAndAtMost1024Bytes)
{
    put(GetSignagePath("FullTelop", "FullTelop1.txt"), "ab\r\ncd");
    EXPECT_EQ(ReadTelopFile("FullTelop", "FullTelop1.txt"), "ab\ncd");

    QByteArray long2000;
    for (int i = 0; i < 2000; ++i)
        long2000 += char('a' + i % 26);
    put(GetSignagePath("HalfTelop", "t.txt"), long2000);
    EXPECT_EQ(ReadTelopFile("HalfTelop", "t.txt"), QString::fromLatin1(long2000.left(1024)));

    // The limit counts the bytes after CR LF became LF.
    put(GetSignagePath("HalfTelop", "crlf.txt"),
        QByteArray(1000, 'x') + QByteArray("\r\n").repeated(40));
    EXPECT_EQ(ReadTelopFile("HalfTelop", "crlf.txt").size(), 1024);

    // A character cut by the limit is dropped whole.
    put(GetSignagePath("HalfTelop", "cut.txt"), QByteArray(1023, 'x') + "\xE3\x81\x82tail");
    EXPECT_EQ(ReadTelopFile("HalfTelop", "cut.txt"), QString(1023, u'x'));

    EXPECT_EQ(ReadTelopFile("HalfTelop", "missing.txt"), "");
}

TEST_F(TelopFileTest, WritesLfAsCrLfInUtf8WithoutMark)
{
    QDir().mkpath(GetSignagePath("FullTelop", ""));
    ASSERT_TRUE(WriteTelopFile("FullTelop", "FullTelop2.txt", QString::fromUtf8("x\ny\r\nz ü")));
    EXPECT_EQ(bytesOf(GetSignagePath("FullTelop", "FullTelop2.txt")), "x\r\ny\r\nz \xC3\xBC");
    EXPECT_EQ(ReadTelopFile("FullTelop", "FullTelop2.txt"), QString::fromUtf8("x\ny\nz ü"));
    // A failed write is reported, not skipped.
    EXPECT_FALSE(WriteTelopFile("NoSuchFolder", "FullTelop2.txt", "x"));
}

TEST_F(TelopFileTest, DefaultFileIsMadeEmptyOnlyWhenMissing)
{
    EXPECT_EQ(DefaultTelopFileName("idle_telop3_file"), "FullTelop3.txt");
    EXPECT_EQ(DefaultTelopFileName("transaction_telop5_file"), "HalfTelop5.txt");
    EXPECT_EQ(DefaultTelopFileName("idle_telop6_file"), "");
    EXPECT_EQ(DefaultTelopFileName("idle_slide1_file"), "");

    const QString work = GetSignagePath("Temporary", "FullTelop");
    QDir().mkpath(work);
    EXPECT_EQ(CreateDefaultTelopFile("idle_telop3_file"), "FullTelop3.txt");
    EXPECT_TRUE(QFileInfo(work + "/FullTelop3.txt").isFile());
    EXPECT_EQ(QFileInfo(work + "/FullTelop3.txt").size(), 0);

    put(work + "/FullTelop4.txt", "kept");
    EXPECT_EQ(CreateDefaultTelopFile("idle_telop4_file"), "FullTelop4.txt");
    EXPECT_EQ(bytesOf(work + "/FullTelop4.txt"), "kept");

    // No work folder: the name all the same, nothing made.
    EXPECT_EQ(CreateDefaultTelopFile("transaction_telop1_file"), "HalfTelop1.txt");
    EXPECT_FALSE(QFileInfo::exists(GetSignagePath("Temporary", "HalfTelop/HalfTelop1.txt")));
}

TEST_F(TelopFileTest, HostileNamesReachNoFileOutside)
{
    const QString canary = put(GetSignageFolder() + "/x", "canary");
    const QString far = put(scratch() + "/far.txt", "far");
    QDir().mkpath(GetSignagePath("FullTelop", ""));
    const QStringList hostiles = {"../x", "/etc/passwd",    "a/b", "..",
                                  "a\nb", "../../.." + far, far};
    for (const QString& hostile : hostiles) {
        EXPECT_EQ(ReadTelopFile("FullTelop", hostile), "") << hostile.toStdString();
        EXPECT_FALSE(WriteTelopFile("FullTelop", hostile, "overwritten")) << hostile.toStdString();
        EXPECT_EQ(TelopFileNameOf("idle_telop1_file", hostile), "FullTelop1.txt");
    }
    EXPECT_EQ(TelopFileNameOf("idle_telop1_file", "mine.txt"), "mine.txt");
    EXPECT_EQ(TelopFileNameOf("idle_telop1_file", ""), "FullTelop1.txt");
    EXPECT_EQ(bytesOf(canary), "canary");
    EXPECT_EQ(bytesOf(far), "far");
}

} // namespace
} // namespace mervolt
